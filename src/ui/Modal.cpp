#include "Modal.h"

#include <QApplication>

namespace {
ModalDriver& driver()
{
    static ModalDriver d;
    return d;
}
}

void setModalDriver(ModalDriver d) { driver() = std::move(d); }

int runModal(QDialog& dlg)
{
    if (!driver())
        return dlg.exec();
    dlg.setResult(QDialog::Rejected);
    dlg.show();
    QApplication::processEvents();
    // The driver may install a nested driver for dialogs this one opens.
    ModalDriver d = driver();
    d(dlg);
    if (dlg.isVisible())
        dlg.reject();
    return dlg.result();
}

#include "Messages.h"

#include "Forms.h"

#include <QMessageBox>

namespace {
MessageHandler& handler()
{
    static MessageHandler h;
    return h;
}

QMessageBox::Icon toIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
}

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

int showMessage(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons)
{
    if (handler())
        return handler()(MessageRequest{text, caption, icon, buttons});
    QMessageBox box(toIcon(icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    struct Pair { int ours; QMessageBox::StandardButton theirs; };
    const Pair pairs[] = {{MbOk, QMessageBox::Ok}, {MbCancel, QMessageBox::Cancel},
                          {MbYes, QMessageBox::Yes}, {MbNo, QMessageBox::No}};
    for (const Pair& p : pairs)
        if (buttons & p.ours) box.addButton(p.theirs);
    if (buttons & MbOk) box.setDefaultButton(QMessageBox::Ok);
    else if (buttons & MbYes) box.setDefaultButton(QMessageBox::Yes);
    if (buttons & MbCancel) box.setEscapeButton(QMessageBox::Cancel);
    const int r = box.exec();
    for (const Pair& p : pairs)
        if (r == p.theirs) return p.ours;
    return (buttons & MbCancel) ? MbCancel : MbOk;
}

void showErrorBox(const QString& text)
{
    showMessage(text, ShopApplication::title(), MsgIcon::Error, MbOk);
}

#pragma once
// The one runner of modal dialogs. Tests replace it with a driver that gets the dialog
// (already shown, not modal) and fills fields and clicks buttons instead of blocking.

#include <QDialog>
#include <functional>

// Shows dlg modally and returns its result (QDialog::Accepted / Rejected or a done() code).
int runModal(QDialog& dlg);

// Tests: with a driver set, runModal shows the dialog without a modal loop, processes
// pending events, calls the driver and, when the dialog is still visible afterwards,
// closes it as rejected. runModal then returns dlg.result(). An empty function restores
// the real modal loop.
using ModalDriver = std::function<void(QDialog&)>;
void setModalDriver(ModalDriver driver);

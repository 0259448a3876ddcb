#include "Messages.h"

#include "Forms.h"
#include "data/Money.h"

#include <QMessageBox>
#include <QPushButton>
#include <exception>

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
    // The system's texts break their lines with bare carriage returns; the box shows each as
    // a line break.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(toIcon(icon), caption, shown, QMessageBox::NoButton, QApplication::activeWindow(), dialogFrameFlags());
    struct Pair { int ours; QMessageBox::StandardButton theirs; const char* caption; };
    const Pair pairs[] = {{MbOk, QMessageBox::Ok, "确定"}, {MbCancel, QMessageBox::Cancel, "取消"},
                          {MbYes, QMessageBox::Yes, "是"}, {MbNo, QMessageBox::No, "否"}};
    for (const Pair& p : pairs)
        if (buttons & p.ours) box.addButton(p.theirs)->setText(QString::fromUtf8(p.caption));
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

void showCurrentError()
{
    try {
        throw;
    } catch (const MoneyRangeError& e) {
        // The range refusal reads the same wherever it arises: a typed field, a computed line,
        // total or stock amount.
        showMessage(QString::fromUtf8(e.what()), QStringLiteral("错误"), MsgIcon::Error);
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("未知错误"));
    }
}

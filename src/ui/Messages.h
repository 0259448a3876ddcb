#pragma once
// The one message function and the default error box. Tests replace both with a recorder
// (setMessageHandler) that logs every message and answers as scripted.

#include <QString>
#include <functional>

enum class MsgIcon { None, Information, Warning, Error, Question };

enum MsgButton : int { MbOk = 1, MbCancel = 2, MbYes = 4, MbNo = 8 };
using MsgButtons = int;

struct MessageRequest {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MbOk;
};

// Shows a modal message box; returns the button pressed (MbOk, MbCancel, ...).
int showMessage(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons = MbOk);

// Shortcuts with the system's captions and icons.
inline void infoBox(const QString& text) { showMessage(text, QStringLiteral("提示"), MsgIcon::Information); }
inline void warnBox(const QString& text) { showMessage(text, QStringLiteral("警告"), MsgIcon::Warning); }
// "提示", OK and Cancel, question icon; true only for OK.
inline bool confirmBox(const QString& text)
{
    return showMessage(text, QStringLiteral("提示"), MsgIcon::Question, MbOk | MbCancel) == MbOk;
}

// The default error box: the error's text, the application's title as caption, error icon.
void showErrorBox(const QString& text);
// Inside a catch block: the error in flight in the default error box ("未知错误" for an error
// that is no std::exception); a value out of range (MoneyRangeError) with the caption "错误".
void showCurrentError();

// Tests: every message and error box goes to the handler instead of the screen; the
// handler returns the button "pressed". An empty function restores the real boxes.
// Error boxes arrive with icon MsgIcon::Error and the application title as caption.
using MessageHandler = std::function<int(const MessageRequest&)>;
void setMessageHandler(MessageHandler handler);

#include "Recorder.h"

#include "ui/Progress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <cstdio>

void installTestFallbacks()
{
    setMessageHandler([](const MessageRequest& r) {
        std::fprintf(stderr, "unexpected message box [%s] %s\n", qPrintable(r.caption), qPrintable(r.text));
        if (r.buttons & MbCancel) return int(MbCancel);
        if (r.buttons & MbNo) return int(MbNo);
        return int(MbOk);
    });
    setModalDriver([](QDialog& d) {
        std::fprintf(stderr, "unexpected modal dialog %s\n", d.metaObject()->className());
    });
}

MessageRecorder::MessageRecorder()
{
    setMessageHandler([this](const MessageRequest& r) {
        log_.push_back(r);
        if (!answers_.empty()) {
            const int a = answers_.front();
            answers_.pop_front();
            return a;
        }
        return (r.buttons & MbOk) ? int(MbOk) : (r.buttons & MbYes) ? int(MbYes) : int(MbOk);
    });
}

MessageRecorder::~MessageRecorder() { installTestFallbacks(); }

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const auto& m : log_) out << m.text;
    return out;
}

ModalScript::ModalScript()
{
    setModalDriver([this](QDialog& d) {
        ++opened_;
        classes_ << QString::fromLatin1(d.metaObject()->className());
        if (steps_.empty())
            return;
        Step s = std::move(steps_.front());
        steps_.pop_front();
        s(d);
    });
}

ModalScript::~ModalScript() { installTestFallbacks(); }

ProgressScript::ProgressScript(bool cancelIt, int showAfterMs) : cancel(cancelIt)
{
    setProgressDelay(showAfterMs);
    setProgressWatcher([this](QProgressDialog& d) {
        const auto* button = d.findChild<QPushButton*>();
        shown << d.windowTitle() << d.labelText() << (button ? button->text() : QString());
        if (cancel)
            d.cancel();
    });
}

ProgressScript::~ProgressScript()
{
    setProgressWatcher({});
    setProgressDelay(-1);
}

void sendKey(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods)
{
    for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(t, key, mods, text);
        QApplication::sendEvent(w, &e);
    }
}

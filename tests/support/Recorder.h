#pragma once
// Test doubles of the message boxes and the modal runner.
//
//   MessageRecorder rec;              // every message is logged, answered OK by default
//   rec.answer(MbCancel);             // the next question is answered Cancel
//   ... EXPECT_EQ(rec.last().text, "...");
//
//   ModalScript modal;                // dialogs opened by runModal are handed to the script
//   modal.next([](QDialog& d) { ... click buttons ... });
//   modal.drive<TConditionDialog>(w.SB77, [](TConditionDialog& d) { ... });
//
//   ProgressScript progress(true);    // long work shows its progress at once; cancelled there
//   ... EXPECT_EQ(progress.shown, (QStringList{"正在导出…", "正在导出…\n已导出 1 / 3 行", "取消"}));

#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QAbstractButton>
#include <QDialog>
#include <QVector>
#include <QWidget>
#include <deque>
#include <functional>
#include <type_traits>

// What tests get when no recorder or script is active: a message is printed and answered
// with Cancel (or No, else OK), a modal dialog is printed and closed as rejected, so an
// unexpected box fails the test instead of blocking the run. test_main installs them.
void installTestFallbacks();

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    // Answers for the next messages, in order; afterwards OK (or Yes) is answered.
    void answer(int button) { answers_.push_back(button); }
    const QVector<MessageRequest>& all() const { return log_; }
    int count() const { return log_.size(); }
    bool empty() const { return log_.isEmpty(); }
    const MessageRequest& last() const { return log_.back(); }
    QStringList texts() const;
    void clear() { log_.clear(); }
private:
    QVector<MessageRequest> log_;
    std::deque<int> answers_;
};

class ModalScript {
public:
    using Step = std::function<void(QDialog&)>;
    ModalScript();
    ~ModalScript();
    // The next dialog opened goes to this step; with no step left a dialog is closed as
    // rejected (as if Esc were pressed).
    void next(Step s) { steps_.push_back(std::move(s)); }
    // Clicks opener and hands the dialog it opens, as a D, to step.
    template <class D>
    void drive(QAbstractButton* opener, std::type_identity_t<std::function<void(D&)>> step)
    {
        next([step](QDialog& d) { step(dynamic_cast<D&>(d)); });
        opener->click();
    }
    int opened() const { return opened_; }
    QStringList classes() const { return classes_; }  // class names of dialogs opened
private:
    std::deque<Step> steps_;
    int opened_ = 0;
    QStringList classes_;
};

// Long work shows its progress dialog at its first step (or after the program's half second:
// showAfterMs -1); the dialog's caption, text and button are logged, and it is cancelled
// there when asked.
class ProgressScript {
public:
    explicit ProgressScript(bool cancel, int showAfterMs = 0);
    ~ProgressScript();
    QStringList shown;
    bool cancel;
};

// Sends a typed key (press and release) to w through the application, as a keyboard does:
// an error leaving a handler reaches the application's error box.
void sendKey(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier);

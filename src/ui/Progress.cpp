#include "Progress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

namespace {
constexpr int ShowAfterMs = 500;
// How often the events run while the work goes on: often enough for a window to follow a
// resize or a covering window, rarely enough to cost the work nothing.
constexpr int EventsEveryMs = 40;

std::function<void(QProgressDialog&)>& watcher()
{
    static std::function<void(QProgressDialog&)> w;
    return w;
}

int& delay()
{
    static int d = -1;
    return d;
}
}

void setProgressWatcher(std::function<void(QProgressDialog&)> w) { watcher() = std::move(w); }

void setProgressDelay(int ms) { delay() = ms; }

WorkProgress::WorkProgress(QWidget* parent, const QString& work, const QString& count, int total)
    : parent_(parent), work_(work), count_(count), total_(qMax(0, total))
{
    started_.start();
    lastEvents_.start();
}

WorkProgress::~WorkProgress() { delete dialog_.data(); }

bool WorkProgress::step(int done)
{
    done_ = done;
    return idle();
}

bool WorkProgress::idle()
{
    if (cancelled_)
        return false;
    const bool show = !dialog_ && started_.elapsed() >= (delay() >= 0 ? delay() : ShowAfterMs);
    if (!show && lastEvents_.elapsed() < EventsEveryMs)
        return true;
    lastEvents_.restart();
    if (show) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setWindowTitle(work_);
        dialog_->setCancelButtonText(QStringLiteral("取消"));
        dialog_->setRange(0, total_);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
        dialog_->setWindowModality(Qt::ApplicationModal);
        refresh(done_);
        dialog_->show();
        if (watcher())
            watcher()(*dialog_);
    } else if (dialog_) {
        refresh(done_);
    }
    // Before the dialog shows nothing may be clicked; with it shown, only it takes input.
    QCoreApplication::processEvents(dialog_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    cancelled_ = dialog_ && dialog_->wasCanceled();
    return !cancelled_;
}

void WorkProgress::refresh(int done)
{
    dialog_->setLabelText(work_ + QLatin1Char('\n') + count_.arg(done).arg(total_));
    dialog_->setValue(qBound(0, done, total_));
}

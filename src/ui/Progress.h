#pragma once
// Progress of long work done on the GUI thread: a report written to PDF or to a printer, a
// grid exported. The work reports after each step what it has done of its total. Once it has
// taken half a second a dialog shows (caption and first line the work, e.g. "正在打印…", then
// the count, e.g. "已输出 12 / 2500 页") with 取消, modal to the application. Between steps
// the events are processed a few times a second so the windows repaint; until the dialog
// shows, input is held back, so nothing can be clicked while the work runs without it.
//
//   WorkProgress progress(this, QStringLiteral("正在导出…"), QStringLiteral("已导出 %1 / %2 行"), n);
//   for (int r = 0; r < n; ++r) { ...; if (!progress.step(r + 1)) break; }   // cancelled

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

class WorkProgress {
public:
    // `count` holds %1 (done) and %2 (the total).
    WorkProgress(QWidget* parent, const QString& work, const QString& count, int total);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // `done` of the total reached; false once the operator has cancelled. Cheap enough to
    // call for every row.
    bool step(int done);
    void setTotal(int total) { total_ = total; }
    // Lets the events run while the work waits on something that is not a step (a file
    // being finished); false once cancelled.
    bool idle();
    bool cancelled() const { return cancelled_; }

private:
    void refresh(int done);

    QPointer<QWidget> parent_;
    QString work_, count_;
    int total_;
    int done_ = 0;
    bool cancelled_ = false;
    QElapsedTimer started_, lastEvents_;
    QPointer<QProgressDialog> dialog_;
};

// Tests and benchmarks: the watcher gets each progress dialog as it shows; the wait before
// it shows (500 ms) can be changed. Empty / negative: as the program has them.
void setProgressWatcher(std::function<void(QProgressDialog&)> watcher);
void setProgressDelay(int ms);

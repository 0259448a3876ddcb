#pragma once
// The benchmark suite: every heavy path of the program measured on generated shops of growing
// size beside SQLite alone running the same statements. A path is one description in
// suite_paths.cpp; a window's run is one line there (its menu item, the button that runs it
// and what its dialog gets before the run).

#include "suite_replay.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

class QAction;
class QDialog;
class QWidget;
class TDM1;
class TFmain1;

namespace suite {

// The median of the rounds' times.
double median(std::vector<double> v);

// What one path took at one size: the medians of the rounds. sqlite < 0: no comparison.
struct Figures {
    double program = -1;
    double sqlite = -1;
    long long rows = 0;          // rows SQLite alone read for the same statements
    QString note{};
    double limitMs = 0;          // a path's own limit at every size (0: none)
    QString planFault{};         // what the plans do that a large shop waits for (planFault)
    std::vector<double> programRounds{}, sqliteRounds{};
    void keepProgram(double ms) { programRounds.push_back(ms); program = median(programRounds); }
    void keepSqlite(double ms) { sqliteRounds.push_back(ms); sqlite = median(sqliteRounds); }
};

// Which targets a path is held to.
enum class Target {
    Read,      // a list or statistics run: <= 1.3 x SQLite alone
    Write,     // posting and reversing: <= 2 x the same writes in one raw transaction, < 50 ms
    Other,     // export, print: grows linearly, < 2 s
};

struct Context {
    long long size;              // ledger rows of the shop
    TDM1& dm;
    TFmain1& main;
    int rounds;                  // measured runs; their median counts
    // A second connection to the shop with SQLite's own sum, on which reads are replayed:
    // the program's connection adds exactly, and the comparison is with the built-in.
    sqlite3* plain;
    // What the next modal dialog gets instead of a modal run (then it is closed); each use
    // clears it, and so does the end of every measured run.
    std::function<void(QDialog&)> nextDialog{};
    sqlite3* db() const;
};

struct Path {
    QString name;
    Target target;
    std::function<Figures(Context&)> measure;
};

// A window run: the window opened from its menu item (not timed), then `run` clicked, and
// when that opens a dialog, `fill` given the dialog before its BitBtn1 is clicked; the time
// runs from the click to the first paint after it. Compared with the statements the run
// gave, stepped by SQLite alone. The window is closed afterwards.
using MenuItem = QAction* TFmain1::*;
using DialogFill = std::function<void(QDialog&)>;
Path window(const QString& name, MenuItem item, const QString& run, DialogFill fill = {});
// Fills of the dialogs.
DialogFill radio(const QString& name);           // a grouping radio of the statistics dialogs

// The median of `rounds` runs of action (after one run that is not counted), beside the
// median of as many runs by SQLite alone (with its built-in sum) of the statements that
// uncounted run gave, and what their plans do (planFault). The action returns the
// milliseconds it counts.
// reference, when given, adds to what SQLite alone runs the statements that give the same
// figures where the program reached them another way (the totals a list adds up from its rows).
Figures measureRead(Context& c, const std::function<double()>& action,
                    const std::function<std::vector<Statement>()>& reference = {});

// A write measured in cycles: prepare (not timed), the action timed, undo (not timed); then
// prepare, the statements the first action gave replayed in one transaction, undo. The
// replay must leave the shop as the action does, so undo serves both.
Figures measureWrite(Context& c, const std::function<void()>& prepare, const std::function<void()>& action,
                     const std::function<void()>& undo);

// The window the menu item opened last (the active MDI child).
QWidget* activeWindow(Context& c);
void closeWindow(QWidget* w);
// What follows a handler: the event loop's turn that paints the window.
void paint(QWidget* w);

std::vector<Path> paths();

} // namespace suite

#pragma once
// Export of a grid to a new spreadsheet: the titles of the visible columns in the first
// row, then one row per row of the grid's data set, from the first to the last, with the
// trimmed text of each visible column's field. A text that reads as a plain decimal number
// (spreadsheetNumber) is written as a number, so quantities and amounts sum; every other text
// (codes with leading zeros, document numbers) as text. Each column is as wide as its title
// and its longest text, up to a cap. The .xlsx is written into a temporary folder under the
// window's caption and a time stamp, then opened with the desktop's spreadsheet program.
// Failures are reported here: "电脑没有安装Microsoft Excel，不可导出！" when no program can be
// started (asked before anything is written), "数据导出失败！" otherwise. The data set is left
// on its last row. Callers check beforehand that the grid's query is open.
// A long export shows its progress ("正在导出…", "已导出 %1 / %2 行") once it has taken half a
// second, and can be cancelled there: then nothing is written or opened and no message
// shows. The windows keep painting while the file is packed.

#include <QString>
#include <functional>
#include <optional>

class DataGrid;

// Returns true when the file was written and handed to a program.
bool ExportGridToSpreadsheet(DataGrid* grid);

// Starts the program that shows the written file; false when none can be started.
// Tests replace it; an empty function restores the desktop's. `present` tells beforehand
// whether a program can be started at all; a launcher given without it counts as present.
using SpreadsheetLauncher = std::function<bool(const QString& path)>;
using SpreadsheetPresence = std::function<bool()>;
void setSpreadsheetLauncher(SpreadsheetLauncher launcher, SpreadsheetPresence present = {});

// The number a cell text stands for when it reads as a plain decimal number: an optional "-",
// digits with no leading zero other than a lone "0" before the point, optionally "." and
// digits; no spaces or separators; at most 15 significant digits. nullopt otherwise.
std::optional<double> spreadsheetNumber(const QString& text);

// The folder the files are written into (created when missing).
QString exportFolder();

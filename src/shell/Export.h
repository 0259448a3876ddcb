#pragma once
// Export of a grid to a new spreadsheet: the titles of the visible columns in the first
// row, then one row per row of the grid's data set, from the first to the last, with the
// trimmed text of each visible column's field, all as text cells. The .xlsx is written
// into a temporary folder under the window's caption and a time stamp, then opened with
// the desktop's spreadsheet program. Failures are reported here: "电脑没有安装Microsoft
// Excel，不可导出！" when no program can be started, "数据导出失败！" otherwise. The data
// set is left on its last row. Callers check beforehand that the grid's query is open.

#include <QString>
#include <functional>

class DataGrid;

// Returns true when the file was written and handed to a program.
bool ExportGridToSpreadsheet(DataGrid* grid);

// Starts the program that shows the written file; false when none can be started.
// Tests replace it; an empty function restores the desktop's.
using SpreadsheetLauncher = std::function<bool(const QString& path)>;
void setSpreadsheetLauncher(SpreadsheetLauncher launcher);

// The folder the files are written into (created when missing).
QString exportFolder();

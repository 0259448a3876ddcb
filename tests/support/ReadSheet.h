#pragma once
// Reading back a spreadsheet the export wrote.

#include <QString>
#include <QStringList>
#include <QVector>

class QAbstractButton;

// The cells of the first sheet of an .xlsx file, row by row, each at its column: a text cell
// (the writer streams inline strings) reads as its text, a number cell as "#" and its value
// ("#12.5"), a cell of another kind as "not text".
QVector<QStringList> readSheet(const QString& xlsx);
// The widths the first sheet gives its columns in whole characters (the file adds a padding
// of its own), in column order; 0 where none is given.
QVector<double> readColumnWidths(const QString& xlsx);
// The cells of the sheet the export writes when exportButton is clicked (the spreadsheet
// program is not started); path, when given, receives the file's path.
QVector<QStringList> exportedSheet(QAbstractButton* exportButton, QString* path = nullptr);

#pragma once
// Reading back a spreadsheet the export wrote.

#include <QString>
#include <QStringList>
#include <QVector>

// The cells of the first sheet of an .xlsx file, row by row, each at its column (the writer
// streams inline strings; a cell of another kind reads "not text").
QVector<QStringList> readSheet(const QString& xlsx);

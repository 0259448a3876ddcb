#pragma once
// A small sample shop that tests start from: two warehouses, a dozen goods with stock and
// prices, suppliers, customers, employees, categories and the company row.

#include "data/DM1.h"

#include <QTemporaryDir>
#include <memory>

void buildSampleShop(TDM1& dm);

// The first cell of a statement's first row as a number: a count(*) in tests.
int sqlCount(TDM1& dm, const QString& sql);
// The first cell of a statement's first row as text; "<none>" when there is no row.
QString sqlScalar(TDM1& dm, const QString& sql);
// The texts of a field over the rows a query holds, in their order (none when closed).
QStringList columnTexts(const Query& q, const QString& field);
// Every table's rows in rowid order, as one text: equal dumps mean an unchanged database.
QString dumpDatabase(TDM1& dm);

// A fresh database in a temporary folder, set as the global DM1 for the test's lifetime.
struct TempShop {
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    TempShop(bool sample = true);
    ~TempShop();
    TempShop(const TempShop&) = delete;
    TempShop& operator=(const TempShop&) = delete;
    QString path() const { return dir.filePath(QStringLiteral("TRZData1.db")); }
};

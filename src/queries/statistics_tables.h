#pragma once
// The statements of the employee commission table and the purchase-sales-stock statistics.
// Each takes the window's text condition and, when the date switch is ticked, the date
// range, and returns the lines of the statement its window runs on its shared query.

#include "data/Sql.h"

#include <QStringList>
#include <optional>

// Each table has its definition, the statement that says what its rows are, and the statement
// its window runs, which yields the same rows in the same order, to the ten-thousandth, without
// sorting or looking up once per ledger row (a test holds the two equal).

// Commission per employee who handled posted sales (yuangong; sltc = quantity × the goods
// row's slt; jetc = amount × its jet; ztc = both), for the employees whose name contains
// employee, ordered by name. Each sales line counts once, with the rates of the goods row
// of its own warehouse (the lowest id where several match); empty rates count as 0, and a
// line whose goods have no row in its warehouse counts nothing.
QStringList commissionDefinition(const QString& employee, const std::optional<DateRange>& dates);
// The same: the sales lines added up per goods item, customer, employee and warehouse in the
// order of the ledger's goods index, then one goods row looked up per group.
QStringList commissionStatement(const QString& employee, const std::optional<DateRange>& dates);

// Per goods item (txm, ppgg, dw), ordered by code: purchases cgsl, cgje; sales xssl, xsje;
// stock changes rksl, rkje; the balance ysl, yje = purchases − sales + changes; 0 where a
// ledger has no rows. Counted are the ledger rows whose name or code contains fragment and,
// when dated, whose date lies in the range (the range limits both tests).
QStringList stockBalanceDefinition(const QString& fragment, const std::optional<DateRange>& dates);
// The same: each ledger added up per goods item in the order of its goods index, then the
// three ledgers' few rows per goods item put together.
QStringList stockBalanceStatement(const QString& fragment, const std::optional<DateRange>& dates);

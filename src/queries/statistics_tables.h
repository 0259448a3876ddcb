#pragma once
// The statements of the employee commission table and the purchase-sales-stock statistics.
// Each takes the window's text condition and, when the date switch is ticked, the date
// range, and returns the lines of the statement its window runs on its shared query.

#include "data/Sql.h"

#include <QStringList>
#include <optional>

// Commission per employee who handled posted sales (yuangong; sltc = quantity × the goods
// row's slt; jetc = amount × its jet; ztc = both), for the employees whose name contains
// employee, ordered by name. Each sales line counts once, with the rates of the goods row
// of its own warehouse (the lowest id where several match); empty rates count as 0, and a
// line whose goods have no row in its warehouse counts nothing.
QStringList commissionStatement(const QString& employee, const std::optional<DateRange>& dates);

// Per goods item (txm, ppgg, dw), ordered by code: purchases cgsl, cgje; sales xssl, xsje;
// stock changes rksl, rkje; the balance ysl, yje = purchases − sales + changes; 0 where a
// ledger has no rows. Counted are the ledger rows whose name or code contains fragment and,
// when dated, whose date lies in the range (the range limits both tests).
QStringList stockBalanceStatement(const QString& fragment, const std::optional<DateRange>& dates);

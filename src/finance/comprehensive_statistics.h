#pragma once
// The comprehensive purchase-sales-stock-finance statistics: seventeen figures from nine
// blocks, each a sum statement and then a row statement on a shared query of DM1, so the
// queries are left on the rows behind their sums (ordered by id) as the windows that show
// them expect. A query that no window shows reads those rows only when first asked for.

#include "data/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class Query;
class TDM1;

// The date range of a run; it applies only while on.
struct StatisticsPeriod {
    bool on = false;
    QDate from, to;
};

// The figures in screen order: cgsl, cgje, xssl, xsje, rksl, rkje, kcsl, kcje, yf, sf, qk1,
// ys, ss, qk2, fk, sk, sz.
constexpr int FigureCount = 17;
using StatisticsFigures = std::array<Money, FigureCount>;
const QStringList& statisticsFigureNames();
// The figures as plain currency text ("0" for zero), in screen order.
QStringList statisticsFigureTexts(const StatisticsFigures& f);

struct StatisticsBlock {
    Query TDM1::*query = nullptr; // the shared query (&TDM1::AQcgfx1)
    QStringList sumLines;    // the sum statement and its clauses
    QStringList rowLines;    // the row statement, the same clauses, "order by id"
    QStringList figures;     // the figures fields 0, 1, 2 go to
    bool difference = false; // one figure: field 0 less field 1
};

// The nine blocks in the order they run, with the period's clauses: the plain period
// "where rq>='F'and rq<='T'" for the ledgers and other income and expense, none for the
// stock, and "where shbj='已审核'" (with "and rq>=..." while the period is on) for the
// document headers, payments and receipts.
QVector<StatisticsBlock> statisticsBlocks(const StatisticsPeriod& p);

// Runs the nine blocks in order and returns every figure. Each block keeps its query's grids
// still while it runs (and lets them follow again also when a statement fails). A statement
// that fails throws: the blocks after it do not run, and the caller has no figures to show.
StatisticsFigures runComprehensiveStatistics(TDM1& dm, const StatisticsPeriod& p);

// The period line of the print: "统计日期：" + from + "至" + to while on, else empty.
QString statisticsPeriodLine(const StatisticsPeriod& p);

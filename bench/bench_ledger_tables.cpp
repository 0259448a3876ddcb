// The ledger tables over ledgers of N rows each (default 1,000,000 in cgfx, xsfx and rkfx):
// the detail dialog's empty run (sum statement, then every row) and each statistics run
// (ungrouped, by party, by employee: the grouped statement, then the totals walked), beside
// the time SQLite alone takes to step through the same statements, and the ratio.
//
//   ./build/bench/bench_ledger_tables [rows]

#include "data/DM1.h"
#include "queries/LedgerDetail.h"
#include "queries/LedgerStatistics.h"
#include "bench_support.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <QRadioButton>
#include <QTemporaryDir>

namespace {

// N rows of a ledger: 500 goods items, 300 parties, 20 employees, two warehouses, four
// years of dates; one row in seven a return.
void fill(TDM1& dm, Ledger l, long long n)
{
    const LedgerKind& k = ledgerKind(l);
    const bool discount = l != Ledger::StockChange;   // rkfx has no zk
    const QString costs = k.costs ? QStringLiteral(",cbje,maoli") : QString();
    const QString costValues = k.costs ? QStringLiteral(",sl*80.5,sl*(jg-80.5)") : QString();
    dm.ADOC1.exec(QStringLiteral(
        "WITH RECURSIVE g(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM g WHERE i<%1), "
        "k(i,sl,jg) AS (SELECT i, CASE WHEN i % 7 = 0 THEN -(i % 3 + 1) ELSE i % 9 + 1 END, 100 + (i % 97) * 2.5 FROM g) "
        "INSERT INTO %2 (rq,txm,ppgg,dw,sl,jg,%6je,%3,jsr,dh,ck%4) "
        "SELECT date('2020-01-01', '+' || (i % 1500) || ' days'), 'SP' || printf('%03d', i % 500), "
        "'商品' || (i % 500) || '号彩电', '台', sl, jg, %7sl*jg, '单位' || (i % 300), '员工' || (i % 20), "
        "'DH' || printf('%08d', i / 4), CASE WHEN i % 2 THEN '一号库' ELSE '二号库' END%5 FROM k")
                      .arg(n)
                      .arg(k.table, k.partyColumn)
                      .arg(costs, costValues)
                      .arg(discount ? QStringLiteral("zk,") : QString(), discount ? QStringLiteral("1,") : QString()));
}

void report(const char* what, double window, const QString& totals, double alone, long long rows)
{
    std::printf("  %-34s %8.0f ms  (totals %s)   SQLite alone %8.0f ms (%lld rows)   ratio %.2f\n", what, window,
                qPrintable(totals), alone, rows, alone > 0 ? window / alone : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    const long long n = shop.size;
    TDM1& dm = shop.dm;
    sqlite3* db = dm.ADOC1.handle();

    for (Ledger l : {Ledger::Purchase, Ledger::Sales, Ledger::StockChange}) {
        const LedgerKind& k = ledgerKind(l);
        QElapsedTimer t;
        t.start();
        fill(dm, l, n);
        std::printf("%s: generated %lld rows in %s in %.0f ms\n", qPrintable(k.detailCaption), n, qPrintable(k.table), ms(t));
        long long rows = 0;
        sqliteAlone(db, ledgerRowStatement(l), &rows);   // warm the file cache

        // The detail dialog run with nothing typed.
        TLedgerDetail detail(l, nullptr);
        TLedgerDetailDialog dd(l, &detail, &detail);
        dd.reset();
        const QStringList clauses = dd.clauses();
        for (int round = 1; round <= 2; ++round) {
            t.restart();
            detail.runQuery(clauses, dd.description().orderLine);
            const double window = ms(t);
            long long sumRows = 0;
            const double alone = sqliteAlone(db, (QStringList{ledgerSumStatement(l)} + clauses).join('\n'), &sumRows)
                + sqliteAlone(db, (QStringList{ledgerRowStatement(l)} + clauses + QStringList{dd.description().orderLine}).join('\n'), &rows);
            report(round == 1 ? "detail, empty dialog run" : "detail, empty dialog run (again)", window,
                   detail.StatusBar1->panelText(2) + " / " + detail.StatusBar1->panelText(4), alone, rows);
        }
        detail.query().close();

        // The statistics runs, one per grouping.
        TLedgerStatistics stats(l, nullptr);
        TLedgerStatisticsDialog sd(l, &stats, &stats);
        sd.reset();
        const struct {
            const char* what;
            QRadioButton* radio;
            Grouping grouping;
        } runs[] = {{"statistics, ungrouped", sd.RB1, Grouping::None},
                    {"statistics, by party", sd.RB2, Grouping::ByParty},
                    {"statistics, by employee", sd.RB3, Grouping::ByEmployee}};
        for (const auto& r : runs) {
            r.radio->setChecked(true);
            const QStringList cl = sd.clauses();
            t.restart();
            stats.runStatistics(r.grouping, cl);
            const double window = ms(t);
            const StatisticsLines lines = statisticsLines(l, r.grouping);
            const double alone = sqliteAlone(db, (QStringList{lines.select} + cl + QStringList{lines.group, lines.order}).join('\n'), &rows);
            report(r.what, window, stats.StatusBar1->panelText(2) + " / " + stats.StatusBar1->panelText(3), alone, rows);
        }
        stats.query().close();
    }
    return 0;
}

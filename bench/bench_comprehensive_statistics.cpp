// The comprehensive statistics over a shop of N ledger rows (default 1,000,000: purchase,
// sales and stock change ledgers in the ratio 4:4:2) with headers, payments, receipts, other
// income and expense and goods rows in proportion: a run without a range and a run over one
// month, beside the time SQLite alone takes to step through the same eighteen statements.
//
//   ./build/bench/bench_comprehensive_statistics [ledger rows]

#include "data/DM1.h"
#include "finance/comprehensive_statistics.h"

#include "sqlite_alone.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// Rows i = 1..n of a table, dated over four years from 2021-01-01.
void fill(Connection& c, const char* table, const char* columns, const char* values, long long n)
{
    c.exec(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
                          "INSERT INTO %2 (%3) SELECT %4 FROM k")
               .arg(n)
               .arg(QLatin1String(table), QLatin1String(columns), QString::fromUtf8(values)));
}

void run(TDM1& dm, const char* what, const StatisticsPeriod& p)
{
    QElapsedTimer t;
    t.start();
    const StatisticsFigures f = runComprehensiveStatistics(dm, p);
    const double ours = ms(t);
    long long rows = 0, n = 0;
    double alone = 0;
    for (const StatisticsBlock& b : statisticsBlocks(p)) {
        alone += sqliteAlone(dm.ADOC1.handle(), b.sumLines.join(QLatin1Char('\n')), &n);
        alone += sqliteAlone(dm.ADOC1.handle(), b.rowLines.join(QLatin1Char('\n')), &n);
        rows += n;
    }
    std::printf("%s: %lld rows behind the sums\n", what, rows);
    std::printf("  comprehensive run (9 blocks, 18 statements): %9.1f ms\n", ours);
    std::printf("  sqlite3 alone, the same 18 statements:       %9.1f ms\n", alone);
    std::printf("  figures: %s\n", qPrintable(statisticsFigureTexts(f).join(QLatin1Char(' '))));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const long long n = argc > 1 ? std::atoll(argv[1]) : 1000000;
    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("TRZData1.db")));
    Connection& c = dm.ADOC1;

    QElapsedTimer t;
    t.start();
    {
        Transaction tr(c);
        const char* day = "date('2021-01-01', '+' || (i % 1461) || ' days')";
        const QByteArray ledger = QByteArray(day) + ", 'SP' || (i % 500), '商品' || (i % 500), '台', "
                                  "(i % 7) - 1, ((i % 7) - 1) * (100 + i % 97 * 2.5), 'CG' || (i / 4)";
        fill(c, "cgfx", "rq,txm,ppgg,dw,sl,je,dh", ledger.constData(), n * 4 / 10);
        fill(c, "xsfx", "rq,txm,ppgg,dw,sl,je,dh", ledger.constData(), n * 4 / 10);
        fill(c, "rkfx", "rq,txm,ppgg,dw,sl,je,dh", ledger.constData(), n - 2 * (n * 4 / 10));
        fill(c, "sp", "lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje", "'冰箱', 'SP' || i, '商品' || i, '台', '总仓', i % 40, 100, (i % 40) * 100",
             qMax(1LL, n / 200));
        const QByteArray header = QByteArray(day) + ", CASE WHEN i % 7 = 0 THEN '未审核' ELSE '已审核' END, "
                                  "(i % 1000) * 1.25, (i % 1000) * 1.25 - (i % 3), i % 3";
        fill(c, "cgglz", "rq,shbj,yfe,sfe,qk", header.constData(), n / 10);
        fill(c, "xsglz", "rq,shbj,yse,sse,qk", header.constData(), n / 10);
        const QByteArray paid = QByteArray(day) + ", CASE WHEN i % 9 = 0 THEN '未审核' ELSE '已审核' END, 'CG' || i, (i % 500) * 0.5";
        fill(c, "fkfx", "rq,shbj,dh,je", paid.constData(), n / 10);
        fill(c, "skfx", "rq,shbj,dh,je", paid.constData(), n / 10);
        const QByteArray other = QByteArray(day) + ", CASE WHEN i % 2 THEN '收入' ELSE '支出' END, '房租', "
                                 "CASE WHEN i % 2 THEN i % 300 ELSE 0 END, CASE WHEN i % 2 THEN 0 ELSE i % 200 END, '张三'";
        fill(c, "szfx", "rq,lb,xm,se,ze,jsr", other.constData(), n / 50);
        tr.commit();
    }
    std::printf("generated %lld ledger rows and the rest of the shop in %.0f ms\n", n, ms(t));

    run(dm, "without a range", {});
    run(dm, "one month (2023-06-01 to 2023-06-30)", {.on = true, .from = QDate(2023, 6, 1), .to = QDate(2023, 6, 30)});
    return 0;
}

// The payables table over N purchase headers (default 1,000,000), one in a hundred open (an
// audited document with a debt, one in ten of those a refund due), the rest settled or held:
// the opening query (the signed sum of the debts, then the open items by id) three times, each
// beside the time SQLite alone takes to step through the same two statements; then the
// dialog's 查询 with nothing typed; last, for comparison, SQLite alone once the table has an
// index on the open items only.
//
//   ./build/bench/bench_open_items [headers]

#include "bench_support.h"

#include "finance/Ucxyffx1.h"
#include "finance/Uyffx1.h"

using bench::run;
using bench::timed;

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    sqlite3* db = shop.dm.ADOC1.handle();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    const double gen = timed([&] {
        run(db, "BEGIN");
        run(db, QStringLiteral(
                    "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
                    "INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
                    "SELECT 'CG' || printf('%08d', i) || '001', date('2020-01-01', '+' || (i % 1500) || ' days'), "
                    "date('2020-01-01', '+' || (i % 1500) || ' days'), "
                    "CASE WHEN i % 100 = 50 THEN '未审核' ELSE '已审核' END, '系统管理员', '总仓', "
                    "'供应商' || (i % 300), '员工' || (i % 20), '', 10, 1000, 0, 1000, "
                    "CASE WHEN i % 1000 = 0 THEN 1012.25 WHEN i % 100 = 0 THEN 749.5 WHEN i % 100 = 50 THEN 0 ELSE 1000 END, "
                    "CASE WHEN i % 1000 = 0 THEN -12.25 WHEN i % 100 = 0 THEN 250.5 WHEN i % 100 = 50 THEN 1000 ELSE 0 END "
                    "FROM k")
                    .arg(shop.size));
        run(db, "COMMIT");
    });
    std::printf("generated %lld purchase headers in %.0f ms\n", shop.size, gen);

    TFyffx1 w;
    const ListDescription& d = w.description();
    const QString sumSql = (QStringList{d.sumStatement} + d.openingLines).join('\n');
    const QString rowSql = (QStringList{d.rowStatement} + d.openingLines + QStringList{d.openingOrder}).join('\n');
    auto alone = [&](const char* what) {
        long long sumRows = 0, rows = 0;
        const double sum = sqliteAlone(db, sumSql, &sumRows), all = sqliteAlone(db, rowSql, &rows);
        std::printf("%s: sum %.0f ms + rows %.0f ms = %.0f ms (%lld rows)\n", what, sum, all, sum + all, rows);
    };
    long long rows = 0;
    sqliteAlone(db, d.rowStatement, &rows);   // warm the file cache once
    for (int round = 1; round <= 3; ++round) {
        const double window = timed([&] { w.runOpeningQuery(); });
        std::printf("round %d: opening query %.0f ms (%d rows, total %s)   ", round, window, w.query().recordCount(),
                    qPrintable(w.StatusBar1->panelText(2)));
        alone("SQLite alone");
    }

    TFcxyffx1 dlg(&w, &w);
    bench::listRounds(w, dlg, db);

    const double indexed = timed([&] { run(db, "CREATE INDEX ix_open_cgglz ON cgglz(id) WHERE qk<>0"); });
    std::printf("an index on the open items only, built in %.0f ms:\n", indexed);
    for (int round = 1; round <= 2; ++round)
        alone("  SQLite alone");
    return 0;
}

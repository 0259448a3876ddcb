// The purchase document list's empty-condition run (the dialog's 查询 with nothing typed)
// over a shop of N purchase headers (default 1,000,000), beside the time SQLite alone takes
// to step through the same two statements.
//
//   ./build/bench/bench_purchase_list [headers]

#include "data/Clock.h"
#include "data/DM1.h"
#include "queries/ConditionDialog.h"
#include "queries/Ucggl1.h"
#include "queries/Ucxcg1.h"
#include "bench_support.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    const long long n = shop.size;
    TDM1& dm = shop.dm;

    QElapsedTimer t;
    t.start();
    dm.ADOC1.exec(QStringLiteral(
        "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
        "INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
        "SELECT 'CG' || printf('%08d', i) || '001', date('2020-01-01', '+' || (i % 1500) || ' days'), "
        "date('2020-01-01', '+' || (i % 1500) || ' days'), CASE WHEN i % 7 = 0 THEN '未审核' ELSE '已审核' END, "
        "'系统管理员', '总仓', '供应商' || (i % 300), '员工' || (i % 20), '', i % 9 + 1, "
        "(i % 1000) * 1.25, 0, (i % 1000) * 1.25, (i % 1000) * 1.25 - (i % 3), i % 3 FROM k")
                         .arg(n));
    std::printf("generated %lld purchase headers in %.0f ms\n", n, ms(t));

    TFcggl1 w;
    TFcxcg1 dlg(&w, &w);
    dlg.reset();
    const QStringList clauses = dlg.clauses();
    const QString orderLine = dlg.description().orderLine;

    // Warm the file cache once, then measure.
    long long rows = 0;
    sqliteAlone(dm.ADOC1.handle(), QStringLiteral("SELECT * FROM cgglz"), &rows);

    for (int round = 1; round <= 3; ++round) {
        t.restart();
        w.runQuery(clauses, orderLine);
        const double window = ms(t);
        const int shown = dm.AQcgz1.recordCount();

        const QString sumSql = (QStringList{w.description().sumStatement} + clauses).join('\n');
        const QString rowSql = (QStringList{w.description().rowStatement} + clauses + QStringList{orderLine}).join('\n');
        long long sumRows = 0, rowRows = 0;
        const double sumAlone = sqliteAlone(dm.ADOC1.handle(), sumSql, &sumRows);
        const double rowAlone = sqliteAlone(dm.ADOC1.handle(), rowSql, &rowRows);
        std::printf("round %d: list run %.0f ms (%d rows, totals %s / %s)   SQLite alone: sum %.0f ms + rows %.0f ms = %.0f ms (%lld rows)\n",
                    round, window, shown, qPrintable(w.StatusBar1->panelText(2)),
                    qPrintable(w.StatusBar1->panelText(3)), sumAlone, rowAlone, sumAlone + rowAlone, rowRows);
    }
    return 0;
}

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
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Steps through a statement reading every column as SQLite gives it.
double sqliteAlone(sqlite3* db, const QString& sql, long long* rows)
{
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
        return -1;
    }
    long long n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int cols = sqlite3_column_count(st);
        for (int c = 0; c < cols; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(st, c);
            else
                (void)sqlite3_column_double(st, c);
        }
        ++n;
    }
    sqlite3_finalize(st);
    *rows = n;
    return ms(t);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    long long n = 1000000;
    if (argc > 1)
        n = std::atoll(argv[1]);
    int qtArgc = 1;
    ShopApplication app(qtArgc, argv);

    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("TRZData1.db")));
    DM1 = &dm;

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
    DM1 = nullptr;
    return 0;
}

// The payment list over N payment rows (default 200,000): its empty-condition run (the
// dialog's 查询 with nothing typed), then a payment saved from the entry dialog with every
// row shown (the row and its document in one transaction, then the list's total walked over
// the rows), each beside the time SQLite alone takes for the same statements.
//
//   ./build/bench/bench_payment_list [rows]

#include "data/DM1.h"
#include "finance/Ucxfkfx1.h"
#include "finance/Ufkfx1.h"
#include "finance/Utjfkfx1.h"
#include "finance/settlement.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

void run(sqlite3* db, const QString& sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string text = err ? err : "?";
        sqlite3_free(err);
        throw std::runtime_error(text);
    }
}

// Steps through a statement reading every column, as a static cursor does; returns the rows
// and the first row's column col as a double.
long long stepAll(sqlite3* db, const QString& sql, int col = -1, double* first = nullptr)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    long long n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0, cols = sqlite3_column_count(st); c < cols; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(st, c);
            else
                (void)sqlite3_column_double(st, c);
        }
        if (n == 0 && first && col >= 0)
            *first = sqlite3_column_double(st, col);
        ++n;
    }
    sqlite3_finalize(st);
    return n;
}

template <class F>
double timed(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return ms(t);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const long long n = argc > 1 ? std::atoll(argv[1]) : 200000;
    int qtArgc = 1;
    ShopApplication app(qtArgc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // A message would wait for a click: it is printed instead.
    setMessageHandler([](const MessageRequest& r) {
        std::printf("message [%s] %s\n", qPrintable(r.caption), qPrintable(r.text));
        return int(MbOk);
    });

    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("TRZData1.db")));
    DM1 = &dm;
    sqlite3* db = dm.ADOC1.handle();

    // 10,000 audited purchase headers, each owing 1000; N payment rows spread over them and
    // over four years, one in ten reversed, one in fifty a refund.
    const double gen = timed([&] {
        run(db, "BEGIN");
        run(db, "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<10000) "
                "INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
                "SELECT 'CG' || printf('%08d', i) || '001', date('2020-01-01', '+' || (i % 1500) || ' days'), "
                "date('2020-01-01', '+' || (i % 1500) || ' days'), '已审核', '系统管理员', '总仓', "
                "'供应商' || (i % 300), '员工' || (i % 20), '', 10, 1000, 0, 1000, 0, 1000 FROM k");
        run(db, QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
                               "INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) "
                               "SELECT CASE WHEN i % 10 = 0 THEN '未审核' ELSE '已审核' END, "
                               "date('2020-01-01', '+' || (i % 1500) || ' days'), "
                               "'CG' || printf('%08d', i % 10000 + 1) || '001', '供应商' || ((i % 10000 + 1) % 300), "
                               "CASE WHEN i % 50 = 0 THEN -12.5 ELSE (i % 97) + 0.25 END, '员工' || (i % 20), '' FROM k")
                     .arg(n));
        run(db, "COMMIT");
    });
    std::printf("generated 10000 purchase headers and %lld payment rows in %.0f ms\n", n, gen);

    TFfkfx1 w;
    TFcxfkfx1 dlg(&w, &w);
    dlg.reset();
    const QStringList clauses = dlg.clauses();
    const QString orderLine = dlg.description().orderLine;
    const QString sumSql = (QStringList{w.description().sumStatement} + clauses).join('\n');
    const QString rowSql = (QStringList{w.description().rowStatement} + clauses + QStringList{orderLine}).join('\n');
    stepAll(db, rowSql);   // the file cache warm once

    for (int round = 1; round <= 3; ++round) {
        const double window = timed([&] { w.runQuery(clauses, orderLine); });
        const double sumAlone = timed([&] { stepAll(db, sumSql); });
        long long rows = 0;
        const double rowAlone = timed([&] { rows = stepAll(db, rowSql); });
        std::printf("empty run %d: list %.1f ms (%d rows, total %s)   SQLite alone: sum %.1f + rows %.1f = %.1f ms (%lld rows)\n",
                    round, window, w.query().recordCount(), qPrintable(w.StatusBar1->panelText(2)), sumAlone,
                    rowAlone, sumAlone + rowAlone, rows);
    }

    // Saves from the dialog with every row shown, each on its own document.
    TFtjfkfx1 entry(&w, &w);
    entry.startNew();
    for (int round = 1; round <= 3; ++round) {
        const QString dh = QStringLiteral("CG%1").arg(round * 7, 8, 10, QLatin1Char('0')) + QStringLiteral("001");
        entry.dh->setText(dh);
        entry.amount->setText(QStringLiteral("12.5"));
        entry.jsr->setText(QStringLiteral("员工1"));
        const double rule = timed([&] {
            saveSettlement(dm, paymentSide(), {.rowId = 0, .date = QDate(2024, 5, 3), .dh = dh,
                                               .party = entry.party->text(), .amount = Money::parse("12.5"),
                                               .jsr = QStringLiteral("员工1"), .bz = QString()});
        });
        const double recount = timed([&] {
            ControlsDisabled still(w.query());
            w.recountTotals();
        });
        entry.dh->setText(dh);
        entry.amount->setText(QStringLiteral("12.5"));
        const double whole = timed([&] { entry.BitBtn1Click(); });

        // The same statements run directly: the header found, the row inserted and read back,
        // the header updated, in one transaction; then the total summed by SQLite.
        double paid = 0;
        const double direct = timed([&] {
            run(db, "BEGIN IMMEDIATE");
            stepAll(db, "SELECT * FROM cgglz\nwhere dh=" + sqlQuote(dh), 14, &paid);
            run(db, "INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) VALUES ('已审核','2024-05-03'," + sqlQuote(dh)
                        + ",'供应商1',12.5,'员工1','')");
            stepAll(db, "SELECT * FROM fkfx WHERE rowid=" + QString::number(sqlite3_last_insert_rowid(db)));
            run(db, "UPDATE cgglz SET sfe=" + QString::number(paid + 12.5) + ",qk=" + QString::number(1000 - paid - 12.5)
                        + " WHERE dh=" + sqlQuote(dh));
            run(db, "COMMIT");
        });
        const double sumAlone = timed([&] { stepAll(db, sumSql); });
        std::printf("save %d (%d rows shown): rule %.2f ms + total walked %.1f ms; from the dialog %.1f ms (total %s)"
                    "   SQLite alone: save %.2f ms + sum %.1f ms\n",
                    round, w.query().recordCount(), rule, recount, whole, qPrintable(w.StatusBar1->panelText(2)),
                    direct, sumAlone);
    }
    DM1 = nullptr;
    return 0;
}

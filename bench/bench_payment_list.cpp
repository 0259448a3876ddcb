// The payment list over N payment rows (default 200,000): its empty-condition run (the
// dialog's 查询 with nothing typed), then a payment saved from the entry dialog with every
// row shown (the row and its document in one transaction, then the list's total walked over
// the rows), each beside the time SQLite alone takes for the same statements.
//
//   ./build/bench/bench_payment_list [rows]

#include "bench_support.h"

#include "finance/Ucxfkfx1.h"
#include "finance/Ufkfx1.h"
#include "finance/Utjfkfx1.h"
#include "finance/settlement.h"
#include "ui/Messages.h"

#include <QLineEdit>

using bench::run;
using bench::timed;

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 200000);
    sqlite3* db = shop.dm.ADOC1.handle();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // A message would wait for a click: it is printed instead.
    setMessageHandler([](const MessageRequest& r) {
        std::printf("message [%s] %s\n", qPrintable(r.caption), qPrintable(r.text));
        return int(MbOk);
    });

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
                     .arg(shop.size));
        run(db, "COMMIT");
    });
    std::printf("generated 10000 purchase headers and %lld payment rows in %.0f ms\n", shop.size, gen);

    TFfkfx1 w;
    TFcxfkfx1 dlg(&w, &w);
    bench::listRounds(w, dlg, db);
    const QString sumSql = (QStringList{w.description().sumStatement} + dlg.clauses()).join('\n');

    // Saves with every row shown, each on its own document: the rule alone, the total walked,
    // and the whole save from the dialog.
    TFtjfkfx1 entry(&w, &w);
    entry.startNew();
    for (int round = 1; round <= 3; ++round) {
        const QString dh = QStringLiteral("CG%1").arg(round * 7, 8, 10, QLatin1Char('0')) + QStringLiteral("001");
        const double rule = timed([&] {
            saveSettlement(shop.dm, paymentSide(), {.rowId = 0, .date = QDate(2024, 5, 3), .dh = dh,
                                                    .party = QStringLiteral("供应商7"), .amount = Money::parse("12.5"),
                                                    .jsr = QStringLiteral("员工1"), .bz = QString()});
        });
        const double recount = timed([&] {
            ControlsDisabled still(w.query());
            w.recountTotals();
        });
        entry.dh->setText(dh);
        entry.amount->setText(QStringLiteral("12.5"));
        entry.jsr->setText(QStringLiteral("员工1"));
        const double whole = timed([&] { entry.BitBtn1Click(); });

        // The same statements run directly: the document found, the row inserted and read
        // back, the document updated, in one transaction; then the total summed by SQLite.
        const double direct = timed([&] {
            run(db, "BEGIN IMMEDIATE");
            bench::select(db, "SELECT * FROM cgglz\nwhere dh=" + sqlQuote(dh));
            run(db, "INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) VALUES ('已审核','2024-05-03'," + sqlQuote(dh)
                        + ",'供应商7',12.5,'员工1','')");
            bench::select(db, "SELECT * FROM fkfx WHERE rowid=" + QString::number(sqlite3_last_insert_rowid(db)));
            run(db, "UPDATE cgglz SET sfe=sfe+12.5,qk=yfe-sfe-12.5 WHERE dh=" + sqlQuote(dh));
            run(db, "COMMIT");
        });
        long long rows = 0;
        const double sumAlone = sqliteAlone(db, sumSql, &rows);
        std::printf("save %d (%d rows shown): rule %.2f ms + total walked %.1f ms; from the dialog %.1f ms (total %s)"
                    "   SQLite alone: save %.2f ms + sum %.1f ms\n",
                    round, w.query().recordCount(), rule, recount, whole, qPrintable(w.StatusBar1->panelText(2)),
                    direct, sumAlone);
    }
    return 0;
}

// Settling and un-auditing a 100-line purchase on a large shop, beside the time SQLite takes
// for the same statements run directly in one transaction.
//
//   ./build/bench/bench_unaudit [ledger rows, default 1000000] [goods rows, default 10000]

#include "data/DM1.h"
#include "documents/purchase_posting.h"
#include "queries/purchase_reversal.h"
#include "bench_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

using namespace bench;

const int kLines = 100;
const QString kDh = QStringLiteral("CG20991231001");
const QString kCk = QStringLiteral("主仓库");

QString goods(int i) { return QStringLiteral("G%1").arg(i, 5, 10, QLatin1Char('0')); }
QString name(int i) { return QStringLiteral("商品%1").arg(i, 5, 10, QLatin1Char('0')); }
QString num(Money m) { return m.plainText(); }

struct Line {
    QString txm, ppgg;
    Money sl, jg, je;
};

// The stock statements of one line, moving average, as the posting and un-audit run them.
void stockDirect(sqlite3* db, const Line& l, int sign, bool txmFirst)
{
    const QString a = "ppgg=" + sqlQuote(l.ppgg), b = "txm=" + sqlQuote(l.txm);
    const Selected r = select(db, "SELECT * FROM sp\nwhere " + (txmFirst ? b : a) + "\nand " + (txmFirst ? a : b)
                                      + "\nand dw='台'\nand ck=" + sqlQuote(kCk) + "\norder by id");
    const Money sl = sign > 0 ? l.sl : -l.sl, je = sign > 0 ? l.je : -l.je;
    if (!r.found()) {
        run(db, "INSERT INTO sp (ck,lb,txm,ppgg,dw,kcjg,kcsl,kcje) VALUES (" + sqlQuote(kCk) + ",'未知',"
                    + sqlQuote(l.txm) + "," + sqlQuote(l.ppgg) + ",'台'," + num(l.jg) + "," + num(sl) + ","
                    + num(je) + ")");
        return;
    }
    const Money kcsl = r.kcsl + sl;
    Money kcje = r.kcje + je, kcjg = r.kcjg;
    if (!kcsl.isZero() && !kcje.isZero()) kcjg = (kcje / kcsl).round2();
    else if (!kcsl.isZero()) kcje = (kcsl * kcjg).round2();
    if (kcsl.isZero()) kcje = Money();
    run(db, "UPDATE sp SET kcsl=" + num(kcsl) + ",kcje=" + num(kcje) + ",kcjg=" + num(kcjg)
                + " WHERE id=" + QString::number(r.id));
}

void postDirect(sqlite3* db, const std::vector<Line>& lines)
{
    for (const Line& l : lines) {
        run(db, "INSERT INTO cgfx (txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck,rq) VALUES (" + sqlQuote(l.txm) + ","
                    + sqlQuote(l.ppgg) + ",'台'," + num(l.sl) + "," + num(l.jg) + ",1," + num(l.je)
                    + ",'华南电器','李四'," + sqlQuote(kDh) + "," + sqlQuote(kCk) + ",'2099-12-31')");
        stockDirect(db, l, +1, false);
    }
    run(db, "INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) VALUES ('已审核','2099-12-31'," + sqlQuote(kDh)
                + ",'华南电器',100,'李四','')");
}

void unauditDirect(sqlite3* db, const std::vector<Line>& lines)
{
    select(db, "SELECT id,shbj,ck FROM cgglz\nwhere dh=" + sqlQuote(kDh) + "\norder by id");
    select(db, "SELECT * FROM cgglc\nwhere dh=" + sqlQuote(kDh) + "\norder by id");
    for (const Line& l : lines)
        stockDirect(db, l, -1, true);
    run(db, "delete from cgfx\nwhere dh=" + sqlQuote(kDh));
    run(db, "delete from fkfx\nwhere dh=" + sqlQuote(kDh));
    run(db, "update cgglz set shbj='未审核' where dh=" + sqlQuote(kDh));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int ledgerRows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int goodsRows = argc > 2 ? std::atoi(argv[2]) : 10000;
    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("TRZData1.db")));
    DM1 = &dm;
    sqlite3* db = dm.ADOC1.handle();

    const double genMs = timed([&] {
        run(db, "BEGIN");
        fillGoods(db, goodsRows);
        // Ledger: ten lines per document, one document in ten with a payment.
        run(db, QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i+1<%1) "
            "INSERT INTO cgfx (rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck) SELECT "
            "date('2015-01-01', '+'||(i/1000)||' days'), printf('G%05d',i%2500), printf('商品%05d',i%2500), '台', "
            "2, 3, 1, 6, '华南电器', '李四', printf('CG%08d%03d', 20150101+i/1000, (i/10)%1000), '主仓库' FROM n")
                    .arg(ledgerRows));
        run(db, "INSERT INTO fkfx (shbj,rq,dh,ghs,je,jsr,bz) SELECT '已审核', rq, dh, ghs, 60, jsr, '' "
                "FROM cgfx WHERE id%100=1");
        run(db, "COMMIT");
    });

    // The document: 100 lines, the last ten for goods new to the warehouse.
    std::vector<Line> lines;
    for (int i = 0; i < kLines; ++i) {
        const int g = i < 90 ? i * 7 : goodsRows + i;
        lines.push_back(Line{goods(g), name(g), Money::fromInt(1 + i % 5), Money::parse("3.25"),
                             Money::fromInt(1 + i % 5) * Money::parse("3.25")});
    }
    run(db, "INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) VALUES ("
                + sqlQuote(kDh) + ",'2099-12-31','2099-12-31','已审核','系统管理员','主仓库','华南电器','李四','',"
                "300,975,0,975,100,875)");
    for (const Line& l : lines)
        run(db, "INSERT INTO cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) VALUES (" + sqlQuote(kDh) + ",'yz',"
                    + sqlQuote(l.txm) + "," + sqlQuote(l.ppgg) + ",'台'," + num(l.sl) + "," + num(l.jg) + ",1,"
                    + num(l.je) + ")");
    auto openLines = [&] {
        dm.AQcgc1.close();
        dm.AQcgc1.setSql({"SELECT * FROM cgglc", "where dh=" + sqlQuote(kDh), "order by id"});
        dm.AQcgc1.open();
    };
    const PurchaseDocFields doc{kDh, kCk, QStringLiteral("华南电器"), QStringLiteral("李四"), QString(),
                                QStringLiteral("100"), QDate(2099, 12, 31)};

    std::printf("shop: %d ledger rows, %d goods rows (generated in %.0f ms); document of %d lines\n",
                ledgerRows, goodsRows, genMs, kLines);
    std::printf("AQcgfx1 holds: %s\n", qPrintable(dm.AQcgfx1.sqlText().replace('\n', ' ')));

    const double ledgerOpen = timed([&] { dm.AQcgfx1.open(); });
    dm.AQcgfx1.close();
    const double directPost = timedDirect(db, [&] { postDirect(db, lines); });
    openLines();
    const double postCold = timed([&] { postPurchase(dm, doc); });
    const int ledgerInHand = dm.AQcgfx1.recordCount();
    const double directUnaudit = timedDirect(db, [&] { unauditDirect(db, lines); });
    const double unaudit = timed([&] {
        if (unauditPurchase(dm, kDh) != ReversalResult::Done)
            throw std::runtime_error("un-audit refused");
    });
    run(db, "update cgglz set shbj='已审核' where dh=" + sqlQuote(kDh));
    openLines();
    const double postWarm = timed([&] { postPurchase(dm, doc); });
    const double unaudit2 = timed([&] { unauditPurchase(dm, kDh); });

    std::printf("%-58s %10s %10s\n", "", "program", "SQLite");
    std::printf("%-58s %8.1f ms %8.1f ms\n", "post, ledger query closed (opened on its SQL first)", postCold,
                directPost);
    std::printf("  (opening AQcgfx1 alone on that SQL takes %.1f ms; it then holds %d rows)\n", ledgerOpen,
                ledgerInHand);
    std::printf("%-58s %8.1f ms %8.1f ms\n", "un-audit", unaudit, directUnaudit);
    std::printf("%-58s %8.1f ms %8.1f ms\n", "post again, ledger query open (after the refresh)", postWarm,
                directPost);
    std::printf("%-58s %8.1f ms %8.1f ms\n", "un-audit again", unaudit2, directUnaudit);
    DM1 = nullptr;
    return 0;
}

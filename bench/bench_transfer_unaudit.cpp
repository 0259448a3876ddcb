// The un-audit of a 100-line transfer (two goods rows per line: 200 lookups and updates)
// over an rkfx of N rows (default 1,000,000), from the transfer list standing on its row,
// beside the time SQLite alone takes for the same statements; and the transfer list's
// empty-condition run over the N/10 transfer headers.
//
//   ./build/bench/bench_transfer_unaudit [rkfx rows] [goods rows, default 10000]

#include "bench_support.h"
#include "data/DM1.h"
#include "documents/postings.h"
#include "queries/Ucxdb1.h"
#include "queries/Udbgl1.h"

#include <vector>

namespace {

using namespace bench;

const int kLines = 100;
const QString kDh = QStringLiteral("DB20991231001");
const QString kFrom = QStringLiteral("主仓库"), kTo = QStringLiteral("一仓");

struct Line {
    QString txm, ppgg;
    Money sl, jg, je;
};

void unauditDirect(sqlite3* db, const std::vector<Line>& lines)
{
    const QString where = "\nwhere dh=" + sqlQuote(kDh);
    select(db, "SELECT * FROM dbglz" + where + "\norder by id");
    select(db, "SELECT * FROM dbglc" + where + "\norder by id");
    for (const Line& l : lines) {
        atCostDirect(db, l.txm, l.ppgg, kFrom, l.sl, l.jg, l.sl, l.je);
        atCostDirect(db, l.txm, l.ppgg, kTo, -l.sl, l.jg, -l.sl, -l.je);
    }
    run(db, "delete from rkfx" + where);
    run(db, "update dbglz set shbj='未审核' where dh=" + sqlQuote(kDh));
}

} // namespace

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    const long long ledgerRows = shop.size;
    const long long headers = std::max(1LL, ledgerRows / 10);
    const int goodsRows = argc > 2 ? std::atoi(argv[2]) : 10000;
    TDM1& dm = shop.dm;
    sqlite3* db = dm.ADOC1.handle();

    const double gen = timed([&] {
        run(db, "BEGIN");
        fillGoods(db, goodsRows);
        // Transfer headers, one in seven held; five lines each, so ten ledger rows apiece.
        run(db, QStringLiteral(
            "WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM k WHERE i+1<%1) "
            "INSERT INTO dbglz (dh,rq,kdrq,shbj,zhidan,ck1,ck2,jsr,bz,hjsl,hjje) "
            "SELECT printf('DB%08d%03d', 20150101+i/1000, i%1000), date('2015-01-01', '+'||(i/100)||' days'), "
            "date('2015-01-01', '+'||(i/100)||' days'), CASE WHEN i % 7 = 0 THEN '未审核' ELSE '已审核' END, "
            "'系统管理员', '主仓库', '一仓', '员工' || (i % 20), '', 10, 20 FROM k").arg(headers));
        run(db, QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i+1<%1) "
            "INSERT INTO rkfx (rq,txm,ppgg,dw,sl,jg,je,lx,jsr,dh,ck) SELECT "
            "date('2015-01-01', '+'||(i/1000)||' days'), printf('G%05d',(i/2)%2500), printf('商品%05d',(i/2)%2500), "
            "'台', CASE i%2 WHEN 0 THEN -2 ELSE 2 END, 2, CASE i%2 WHEN 0 THEN -4 ELSE 4 END, "
            "CASE i%2 WHEN 0 THEN '库存调出' ELSE '库存调入' END, '李四', "
            "printf('DB%08d%03d', 20150101+(i/10)/1000, (i/10)%1000), CASE i%2 WHEN 0 THEN '主仓库' ELSE '一仓' END "
            "FROM n").arg(ledgerRows));
        run(db, "COMMIT");
    });

    // The transfer: 100 lines from 主仓库 to 一仓 at cost 2, the last ten for goods neither
    // warehouse holds any more; posted as settling posts it.
    std::vector<Line> lines;
    Money hjsl, hjje;
    for (int i = 0; i < kLines; ++i) {
        const int g = i < 90 ? i * 7 : goodsRows + i;
        const Money sl = Money::fromInt(1 + i % 5), jg = Money::fromInt(2);
        lines.push_back(Line{QStringLiteral("G%1").arg(g, 5, 10, QLatin1Char('0')),
                             QStringLiteral("商品%1").arg(g, 5, 10, QLatin1Char('0')), sl, jg, sl * jg});
        hjsl += sl;
        hjje += sl * jg;
    }
    run(db, "INSERT INTO dbglz (dh,rq,kdrq,shbj,zhidan,ck1,ck2,jsr,bz,hjsl,hjje) VALUES (" + sqlQuote(kDh)
                + ",'2099-12-31','2099-12-31','已审核','系统管理员'," + sqlQuote(kFrom) + "," + sqlQuote(kTo)
                + ",'李四',''," + hjsl.plainText() + "," + hjje.plainText() + ")");
    for (const Line& l : lines)
        run(db, "INSERT INTO dbglc (dh,bj,txm,ppgg,dw,sl,jg,je) VALUES (" + sqlQuote(kDh) + ",'yz'," + sqlQuote(l.txm)
                    + "," + sqlQuote(l.ppgg) + ",'台'," + l.sl.plainText() + "," + l.jg.plainText() + ","
                    + l.je.plainText() + ")");
    auto post = [&] {
        postTransfer(dm, kDh);
        // The goods of the last ten lines are gone from both warehouses, so the un-audit creates them.
        run(db, "DELETE FROM sp WHERE lb='未知'");
    };
    post();
    std::printf("shop: %lld rkfx rows, %lld transfer headers, %d goods rows (generated in %.0f ms)\n",
                ledgerRows + 2 * kLines, headers + 1, goodsRows, gen);

    std::printf("\nthe transfer list, empty condition:\n");
    TFdbgl1 w;
    TFcxdb1 dlg(&w, &w);
    listRounds(w, dlg, db);

    std::printf("\nun-audit of a %d-line transfer (%d goods-row lookups and writes) from the list on its row:\n",
                kLines, 2 * kLines);
    unauditRounds(w, dm, transferDocuments(), kDh, [&] { unauditDirect(db, lines); }, post);
    std::printf("ledger rows of the transfer left after the un-audit: %lld\n",
                select(db, "SELECT * FROM rkfx WHERE dh=" + sqlQuote(kDh)).rows);
    return 0;
}

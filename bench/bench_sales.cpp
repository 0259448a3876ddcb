// The sales documents on a large shop: the sales list's empty-condition run over N sales
// headers (default 1,000,000), and the un-audit of a 100-line sale over an xsfx of M rows
// (default 1,000,000) from that list, each beside the time SQLite alone takes for the same
// statements.
//
//   ./build/bench/bench_sales [headers] [ledger rows] [goods rows, default 10000]

#include "bench_support.h"
#include "data/DM1.h"
#include "documents/postings.h"
#include "queries/Ucxxs1.h"
#include "queries/Uxsgl1.h"

#include <vector>

namespace {

using namespace bench;

const int kLines = 100;
const QString kDh = QStringLiteral("XS20991231001");
const QString kCk = QStringLiteral("主仓库");

struct Line {
    QString txm, ppgg;
    Money sl, cbjg;
};

// The un-audit's statements as the program runs them, one line after the other: the goods
// row of the line put back at its cost, or created at the line's cost.
void unauditDirect(sqlite3* db, const std::vector<Line>& lines)
{
    const QString where = "\nwhere dh=" + sqlQuote(kDh);
    select(db, "SELECT * FROM xsglz" + where + "\norder by id");
    select(db, "SELECT * FROM xsglc" + where + "\norder by id");
    for (const Line& l : lines)
        atCostDirect(db, l.txm, l.ppgg, kCk, l.sl, l.cbjg, l.sl, (l.sl * l.cbjg).round2());
    run(db, "delete from xsfx" + where);
    run(db, "delete from skfx" + where);
    run(db, "update xsglz set shbj='未审核' where dh=" + sqlQuote(kDh));
}

} // namespace

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    const long long headers = shop.size;
    const long long ledgerRows = argc > 2 ? std::atoll(argv[2]) : 1000000;
    const int goodsRows = argc > 3 ? std::atoi(argv[3]) : 10000;
    TDM1& dm = shop.dm;
    sqlite3* db = dm.ADOC1.handle();

    const double gen = timed([&] {
        run(db, "BEGIN");
        fillGoods(db, goodsRows);
        // Headers: retail and wholesale, one in seven held, one in three owing.
        run(db, QStringLiteral(
            "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
            "INSERT INTO xsglz (dh,rq,kdrq,shbj,zhidan,ck,kh,jsr,bz,hjsl,hjje,yhe,yse,sse,qk) "
            "SELECT CASE WHEN i % 2 THEN 'XS' ELSE 'PF' END || printf('%08d', i) || '001', "
            "date('2020-01-01', '+' || (i % 1500) || ' days'), date('2020-01-01', '+' || (i % 1500) || ' days'), "
            "CASE WHEN i % 7 = 0 THEN '未审核' ELSE '已审核' END, '系统管理员', '主仓库', "
            "CASE WHEN i % 2 THEN '' ELSE '客户' || (i % 300) END, '员工' || (i % 20), '', i % 9 + 1, "
            "(i % 1000) * 1.25, 0, (i % 1000) * 1.25, (i % 1000) * 1.25 - (i % 3), i % 3 FROM k").arg(headers));
        // Ledger: ten lines per document, one document in ten with a receipt.
        run(db, QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i+1<%1) "
            "INSERT INTO xsfx (rq,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli,kh,jsr,dh,ck) SELECT "
            "date('2015-01-01', '+'||(i/1000)||' days'), printf('G%05d',i%2500), printf('商品%05d',i%2500), '台', "
            "2, 3, 1, 6, 2, 4, 2, '', '李四', printf('XS%08d%03d', 20150101+i/1000, (i/10)%1000), '主仓库' FROM n")
                    .arg(ledgerRows));
        run(db, "INSERT INTO skfx (shbj,rq,dh,kh,je,jsr,bz) SELECT '已审核', rq, dh, kh, 60, jsr, '' "
                "FROM xsfx WHERE id%100=1");
        run(db, "COMMIT");
    });

    // The sale: 100 lines at cost 2, a return among every ten, the last ten for goods the
    // warehouse no longer holds; posted as settling posts it.
    std::vector<Line> lines;
    for (int i = 0; i < kLines; ++i) {
        const int g = i < 90 ? i * 7 : goodsRows + i;
        const Money sl = Money::fromInt(i % 10 == 9 ? -1 : 1 + i % 5);
        lines.push_back(Line{QStringLiteral("G%1").arg(g, 5, 10, QLatin1Char('0')),
                             QStringLiteral("商品%1").arg(g, 5, 10, QLatin1Char('0')), sl, Money::fromInt(2)});
    }
    run(db, "INSERT INTO xsglz (dh,rq,kdrq,shbj,zhidan,ck,kh,jsr,bz,hjsl,hjje,yhe,yse,sse,qk) VALUES (" + sqlQuote(kDh)
                + ",'2099-12-31','2099-12-31','已审核','系统管理员','主仓库','','李四','',260,845,0,845,800,45)");
    for (const Line& l : lines)
        run(db, "INSERT INTO xsglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli) VALUES (" + sqlQuote(kDh) + ",'yz',"
                    + sqlQuote(l.txm) + "," + sqlQuote(l.ppgg) + ",'台'," + l.sl.plainText() + ",3.25,1,"
                    + (l.sl * Money::parse("3.25")).plainText() + ",2," + (l.sl * l.cbjg).plainText() + ","
                    + (l.sl * Money::parse("1.25")).plainText() + ")");
    postSales(dm, kDh);
    // The goods of the last ten lines are gone from the warehouse, so the un-audit creates them.
    run(db, "DELETE FROM sp WHERE lb='未知'");
    std::printf("shop: %lld sales headers, %lld xsfx rows, %d goods rows (generated in %.0f ms)\n", headers,
                ledgerRows, goodsRows, gen);

    std::printf("\nthe sales list, empty condition:\n");
    TFxsgl1 w;
    TFcxxs1 dlg(&w, &w);
    listRounds(w, dlg, db);

    std::printf("\nun-audit of a %d-line sale from the list (standing on its row):\n", kLines);
    unauditRounds(w, dm, salesDocuments(), kDh, [&] { unauditDirect(db, lines); }, [&] {
        postSales(dm, kDh);
        run(db, "DELETE FROM sp WHERE lb='未知'");
    });
    return 0;
}

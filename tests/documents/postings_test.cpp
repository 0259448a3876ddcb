// The stock update service and the postings of every document kind.
#include "documents/posting_fixture.h"
#include "documents/postings.h"
#include "documents/purchase_posting.h"
#include "rules/stock_update.h"

namespace {

class Postings : public PostingShop {};
class StockUpdate : public PostingShop {};

TEST_F(Postings, PurchaseWritesLedgerStockAndPaymentWithQuotedNames)
{
    const QString tv = QStringLiteral("King's 32\" TV"), ck = QStringLiteral("Joe's 仓");
    addGoods("P1", "彩电", ck, "10", "2", "20");
    postPurchase(*dm, purchase("CG20240105001", {"P1|彩电|5|3|15", "K'2|" + tv + "|2|100|200", "K'2|" + tv + "|1|130|130"},
                                "50", ck, "O'Brien"));
    EXPECT_EQ(table("rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,ck", "cgfx", "CG20240105001"),
              (QStringList{"2024-01-05|P1|彩电|台|5|3|1|15|O'Brien|李四|" + ck,
                           "2024-01-05|K'2|" + tv + "|台|2|100|1|200|O'Brien|李四|" + ck,
                           "2024-01-05|K'2|" + tv + "|台|1|130|1|130|O'Brien|李四|" + ck}));
    EXPECT_EQ(stock("K'2", ck), "未知 3 330 110");   // created once, then averaged (the arithmetic: MovingAverageCases)
    EXPECT_EQ(table("shbj,rq,ghs,je,jsr,bz", "fkfx", "CG20240105001"),
              QStringList{"已审核|2024-01-05|O'Brien|50|李四|备注"});
    EXPECT_FALSE(dm->AQcgc1.controlsDisabled());

    // A payment row only for a paid amount that is not 0.
    postPurchase(*dm, purchase("CG20240105002", {"P1|彩电|1|3|3"}, "0", ck));
    postPurchase(*dm, purchase("CG20240105003", {"P1|彩电|-1|3|-3"}, "-40", ck));
    EXPECT_EQ(lines("SELECT dh,je FROM fkfx order by id"), (QStringList{"CG20240105001|50", "CG20240105003|-40"}));

    // A stock amount that would leave the program's range stops the posting: nothing is kept.
    addGoods("B1", "大件", ck, "1", "99999999999", "99999999999");
    const PurchaseDocFields big = purchase("CG20240105004", {"B1|大件|1|2|2"}, "2", ck);
    const QString before = dump();
    EXPECT_THROW(postPurchase(*dm, big), MoneyRangeError);
    EXPECT_EQ(dump(), before);
}

TEST_F(Postings, SalesPostLedgerStockAtCostAndReceipt)
{
    addGoods("S1", "彩电", "主仓库", "10", "2", "20");
    exec("insert into xsglz (dh,rq,kdrq,shbj,ck,kh,jsr,bz,sse) values "
        "('XS001','2024-02-03','2024-02-09','已审核','主仓库','张三','李四','备注',30),"
        "('XS002','2024-02-03','2024-02-09','已审核','主仓库','张三','李四','',0)");
    exec("insert into xsglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli) values "
        "('XS001','yz','S1','彩电','台',3,5,1,15,2,6,9),('XS001','yz','S2','风扇','台',-0.5,2,1,-1,1.25,-0.625,-0.375),"
        "('XS002','yz','S1','彩电','台',1,5,1,5,2,2,3)");
    postSales(*dm, "XS001");
    postSales(*dm, "XS002");
    EXPECT_EQ(table("rq,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli,kh,jsr,ck", "xsfx", "XS001"),
              (QStringList{"2024-02-03|S1|彩电|台|3|5|1|15|2|6|9|张三|李四|主仓库",
                           "2024-02-03|S2|风扇|台|-0.5|2|1|-1|1.25|-0.625|-0.375|张三|李四|主仓库"}));
    EXPECT_EQ(stock("S1"), "电视 6 12 2");
    EXPECT_EQ(stock("S2"), "未知 0.5 0.62 1.25");   // half-even
    EXPECT_EQ(lines("SELECT shbj,rq,dh,kh,je,jsr,bz FROM skfx"), QStringList{"已审核|2024-02-03|XS001|张三|30|李四|备注"});
}

TEST_F(Postings, MovementAndTransferPostRowsAndStock)
{
    addGoods("M1", "彩电", "主仓库", "10", "2", "20");
    exec("insert into rkglz (dh,rq,kdrq,shbj,ck,jsr,lx) values ('RK001','2024-03-01','2024-03-02','已审核','主仓库','李四','报损')");
    exec("insert into rkglc (dh,bj,txm,ppgg,dw,sl,jg,je) values "
        "('RK001','yz','M1','彩电','台',-2,2,-4),('RK001','yz','M2','音箱','台',3,1.5,4.5)");
    postMovement(*dm, "RK001");
    EXPECT_EQ(table("rq,txm,ppgg,dw,sl,jg,je,lx,jsr,ck", "rkfx", "RK001"),
              (QStringList{"2024-03-01|M1|彩电|台|-2|2|-4|报损|李四|主仓库", "2024-03-01|M2|音箱|台|3|1.5|4.5|报损|李四|主仓库"}));
    EXPECT_EQ(stock("M1"), "电视 8 16 2");
    EXPECT_EQ(stock("M2"), "未知 3 4.5 1.5");

    // A transfer: out of 一仓 and into 二仓, all or nothing.
    addGoods("T1", "彩电", "一仓", "10", "2", "20");
    exec("insert into dbglz (dh,rq,kdrq,shbj,ck1,ck2,jsr) values ('DB001','2024-04-01','2024-04-02','已审核','一仓','二仓','李四')");
    exec("insert into dbglc (dh,bj,txm,ppgg,dw,sl,jg,je) values "
        "('DB001','yz','T1','彩电','台',4,2,8),('DB001','yz','T2','音箱','台',1,3,3)");
    exec("CREATE TRIGGER boom BEFORE INSERT ON sp WHEN NEW.txm='T2' AND NEW.ck='二仓' BEGIN SELECT RAISE(ABORT,'boom'); END");
    const QString before = dump();
    EXPECT_ANY_THROW(postTransfer(*dm, "DB001"));
    EXPECT_EQ(dump(), before);
    exec("DROP TRIGGER boom");

    postTransfer(*dm, "DB001");
    EXPECT_EQ(table("rq,txm,sl,jg,je,lx,jsr,ck", "rkfx", "DB001"),
              (QStringList{"2024-04-01|T1|-4|2|-8|库存调出|李四|一仓", "2024-04-01|T1|4|2|8|库存调入|李四|二仓",
                           "2024-04-01|T2|-1|3|-3|库存调出|李四|一仓", "2024-04-01|T2|1|3|3|库存调入|李四|二仓"}));
    EXPECT_EQ(stock("T1", "一仓") + ", " + stock("T1", "二仓") + ", " + stock("T2", "一仓") + ", " + stock("T2", "二仓"),
              "电视 6 12 2, 未知 4 8 2, 未知 -1 -3 3, 未知 1 3 3");

    const QString after = dump();
    EXPECT_ANY_THROW(postMovement(*dm, "RK-none"));
    EXPECT_EQ(dump(), after);
}

TEST_F(StockUpdate, MovingAverageCases)
{
    struct Case {
        const char* name;
        const char *kcsl, *kcjg, *kcje;  // the row before
        const char *sl, *je, *jg;        // the line
        const char* want;                // kcsl kcje kcjg
    } cases[] = {
        {"purchase", "10", "2", "20", "5", "15", "3", "15 35 2.33"},
        {"return to zero keeps cost", "15", "2.33", "35", "-15", "-34.95", "2.33", "0 0 2.33"},
        {"free goods lower cost", "10", "2", "20", "10", "0", "0", "20 20 1"},
        {"no amount uses cost", "5", "4", "0", "3", "0", "0", "8 32 4"},
        {"half-even cost", "1", "10", "10", "1", "10.25", "10.25", "2 20.25 10.12"},
        {"amount is the exact sum", "3", "1.11", "3.33", "1", "1.125", "1.125", "4 4.455 1.11"},
        {"negative stock", "-2", "3", "-6", "-1", "-4", "4", "-3 -10 3.33"},
        {"empty values count as 0", "NULL", "NULL", "NULL", "2", "6", "3", "2 6 3"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString txm = QStringLiteral("G%1").arg(++n);
        addGoods(txm, "彩电" + txm, "主仓库", c.kcsl, c.kcjg, c.kcje);
        applyMovingAverage(*dm, StockKey{txm, "彩电" + txm, "台", "主仓库"}, m(c.sl), m(c.je), m(c.jg));
        EXPECT_EQ(stock(txm), QStringLiteral("电视 ") + QString::fromLatin1(c.want));
    }
}

TEST_F(StockUpdate, AtCostRoundsHalfEvenOnTheLowestIdAndCreatesMissingRows)
{
    addGoods("C1", "风扇", "主仓库", "1", "1.25", "1.25");
    addGoods("C1", "风扇", "主仓库", "9", "9", "81");
    applyAtCost(*dm, StockKey{"C1", "风扇", "台", "主仓库"}, m("-0.5"), NewStockRow{});
    EXPECT_EQ(stock("C1"), "电视 0.5 0.62 1.25; 电视 9 81 9");

    addGoods("G1", "冰箱", "二仓", "7", "1", "7");
    applyMovingAverage(*dm, StockKey{"G1", "冰箱", "台", "主仓库"}, m("-3"), m("-6"), m("2"));
    EXPECT_EQ(stock("G1"), "未知 -3 -6 2");
    EXPECT_EQ(stock("G1", "二仓"), "电视 7 7 1");   // the other warehouse's row is not touched
    EXPECT_EQ(lines("SELECT ppgg||dw||coalesce(jj,xjpf,xjls,slt,jet,'-')||ms||bz FROM sp where ck='主仓库' and txm='G1'"),
              QStringList{"冰箱台-"});
}

TEST_F(StockUpdate, LookupWordingAndQuotes)
{
    const QString name = QStringLiteral("O'Neil 32\" 电视'");
    addGoods("Q'1", name, "老'库", "1", "2", "2");
    const StockKey key{"Q'1", name, "台", "老'库"};

    applyMovingAverage(*dm, key, m("1"), m("4"), m("4"));
    EXPECT_EQ(dm->AQkcfx1.sqlLines(), (QStringList{"SELECT * FROM sp", "where ppgg='O''Neil 32\" 电视'''", "and txm='Q''1'",
                                                    "and dw='台'", "and ck='老''库'", "order by id"}));
    applyMovingAverage(*dm, key, m("-1"), m("-4"), m("4"), StockKeyOrder::TxmPpggDwCk);
    EXPECT_EQ(dm->AQkcfx1.sqlLines().mid(1, 3),
              (QStringList{"where txm='Q''1'", "and ppgg='O''Neil 32\" 电视'''", "and dw='台'"}));
    applyAtCost(*dm, key, m("1"), NewStockRow{}, StockKeyOrder::PpggDwTxmCk);
    EXPECT_EQ(dm->AQkcfx1.sqlLines().mid(1, 3),
              (QStringList{"where ppgg='O''Neil 32\" 电视'''", "and dw='台'", "and txm='Q''1'"}));
    EXPECT_EQ(stock("Q'1", "老'库"), "电视 2 4 2");
}

} // namespace

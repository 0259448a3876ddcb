#include "documents/posting_fixture.h"
#include "documents/postings.h"
#include "documents/purchase_posting.h"

namespace {

const QString kCk = QStringLiteral("主仓库");

class Postings : public PostingShop {};

TEST_F(Postings, PurchaseWritesLedgerStockAndPaymentOnTheDocumentDate)
{
    addGoods(QStringLiteral("P1"), QStringLiteral("彩电"), kCk, "10", "2", "20");
    postPurchase(dm(), purchase(QStringLiteral("CG20240105001"),
                                {"P1|彩电|5|3|15", "P2|冰箱|2|100|200", "P2|冰箱|1|130|130"}, "50"));
    EXPECT_EQ(table("rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,ck", "cgfx", "CG20240105001"),
              (QStringList{"2024-01-05|P1|彩电|台|5|3|1|15|华南电器|李四|主仓库",
                           "2024-01-05|P2|冰箱|台|2|100|1|200|华南电器|李四|主仓库",
                           "2024-01-05|P2|冰箱|台|1|130|1|130|华南电器|李四|主仓库"}));
    const Stock p1 = stock(QStringLiteral("P1"), kCk), p2 = stock(QStringLiteral("P2"), kCk);
    EXPECT_EQ(p1.kcsl.plainText() + " " + p1.kcje.format00() + " " + p1.kcjg.format00(), "15 35.00 2.33");
    EXPECT_EQ(p2.lb + " " + p2.kcsl.plainText() + " " + p2.kcje.format00() + " " + p2.kcjg.format00(),
              "未知 3 330.00 110.00");
    EXPECT_EQ(p2.rows, 1);
    EXPECT_EQ(table("shbj,rq,ghs,je,jsr,bz", "fkfx", "CG20240105001"),
              QStringList{"已审核|2024-01-05|华南电器|50|李四|备注"});
    EXPECT_FALSE(dm().AQcgc1.controlsDisabled());
    EXPECT_TRUE(dm().AQcgfx1.isOpen());
}

TEST_F(Postings, PurchasePaymentRowOnlyForANonZeroPaidAmount)
{
    postPurchase(dm(), purchase(QStringLiteral("CG20240105001"), {"P1|彩电|1|3|3"}, "0"));
    postPurchase(dm(), purchase(QStringLiteral("CG20240105002"), {"P1|彩电|-1|3|-3"}, "-40"));
    EXPECT_EQ(count("fkfx"), 1);
    EXPECT_EQ(table("je", "fkfx", "CG20240105002"), QStringList{"-40"});
}

TEST_F(Postings, PurchaseWithQuotesInNames)
{
    const QString name = QStringLiteral("King's 32\" TV"), ck = QStringLiteral("Joe's 仓");
    postPurchase(dm(), purchase(QStringLiteral("CG20240105001"), {"K'1|" + name + "|1|2|2", "K'1|" + name + "|1|4|4"},
                                "6", ck, QStringLiteral("O'Brien")));
    const Stock s = stock(QStringLiteral("K'1"), ck);
    EXPECT_EQ(s.rows, 1);
    EXPECT_EQ(s.kcsl.plainText() + " " + s.kcje.format00() + " " + s.kcjg.format00(), "2 6.00 3.00");
    EXPECT_EQ(table("ppgg,ghs", "cgfx", "CG20240105001").value(1), name + "|O'Brien");
    EXPECT_EQ(table("ghs", "fkfx", "CG20240105001"), QStringList{"O'Brien"});
}

TEST_F(Postings, FailedPurchaseLeavesTheDatabaseAsItWas)
{
    addGoods(QStringLiteral("P1"), QStringLiteral("彩电"), kCk, "10", "2", "20");
    postPurchase(dm(), purchase(QStringLiteral("CG20240105001"), {"P1|彩电|1|2|2"}, "2"));
    const PurchaseDocFields doc = purchase(QStringLiteral("CG20240105002"), {"P1|彩电|5|3|15", "P9|新品|1|1|1"}, "9");
    sql("CREATE TRIGGER boom BEFORE INSERT ON cgfx WHEN NEW.dh='CG20240105002' AND "
        "(SELECT count(*) FROM cgfx WHERE dh=NEW.dh)>=1 BEGIN SELECT RAISE(ABORT,'boom'); END");
    const QString before = dump();
    EXPECT_ANY_THROW(postPurchase(dm(), doc));
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(dm().AQcgc1.controlsDisabled());
    // The queries that wrote show the rows that were kept.
    EXPECT_TRUE(dm().AQcgfx1.isOpen());
    EXPECT_EQ(dm().AQcgfx1.recordCount(), rows(dm().AQcgfx1.sqlText()).recordCount());
    ASSERT_TRUE(dm().AQkcfx1.isOpen());
    EXPECT_EQ(dm().AQkcfx1.money("kcsl"), m("11"));

    PurchaseDocFields bad = doc;
    bad.sfe = QStringLiteral("1,5");
    EXPECT_THROW(postPurchase(dm(), bad), MoneyFormatError);
    EXPECT_EQ(dump(), before);
}

TEST_F(Postings, SalesPostLedgerStockAtCostAndReceipt)
{
    addGoods(QStringLiteral("S1"), QStringLiteral("彩电"), kCk, "10", "2", "20");
    sql("insert into xsglz (dh,rq,kdrq,shbj,ck,kh,jsr,bz,sse) values "
        "('XS20240203001','2024-02-03','2024-02-09','已审核','主仓库','张三','李四','备注',30),"
        "('XS20240203002','2024-02-03','2024-02-09','已审核','主仓库','张三','李四','',0)");
    sql("insert into xsglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli) values "
        "('XS20240203001','yz','S1','彩电','台',3,5,1,15,2,6,9),"
        "('XS20240203001','yz','S2','风扇','台',-0.5,2,1,-1,1.25,-0.625,-0.375),"
        "('XS20240203002','yz','S1','彩电','台',1,5,1,5,2,2,3)");
    postSales(dm(), QStringLiteral("XS20240203001"));
    postSales(dm(), QStringLiteral("XS20240203002"));
    EXPECT_EQ(table("rq,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli,kh,jsr,ck", "xsfx", "XS20240203001"),
              (QStringList{"2024-02-03|S1|彩电|台|3|5|1|15|2|6|9|张三|李四|主仓库",
                           "2024-02-03|S2|风扇|台|-0.5|2|1|-1|1.25|-0.625|-0.375|张三|李四|主仓库"}));
    const Stock s1 = stock(QStringLiteral("S1"), kCk), s2 = stock(QStringLiteral("S2"), kCk);
    EXPECT_EQ(s1.kcsl.plainText() + " " + s1.kcje.format00() + " " + s1.kcjg.format00(), "6 12.00 2.00");
    EXPECT_EQ(s2.lb + " " + s2.kcsl.plainText() + " " + s2.kcje.format00() + " " + s2.kcjg.format00(),
              "未知 0.5 0.62 1.25");
    EXPECT_EQ(table("shbj,rq,kh,je,jsr,bz", "skfx", "XS20240203001"),
              QStringList{"已审核|2024-02-03|张三|30|李四|备注"});
    EXPECT_EQ(count("skfx"), 1);
}

TEST_F(Postings, MovementPostsRowsAndStock)
{
    addGoods(QStringLiteral("M1"), QStringLiteral("彩电"), kCk, "10", "2", "20");
    sql("insert into rkglz (dh,rq,kdrq,shbj,ck,jsr,lx) values "
        "('RK20240301001','2024-03-01','2024-03-02','已审核','主仓库','李四','报损')");
    sql("insert into rkglc (dh,bj,txm,ppgg,dw,sl,jg,je) values "
        "('RK20240301001','yz','M1','彩电','台',-2,2,-4),('RK20240301001','yz','M2','音箱','台',3,1.5,4.5)");
    postMovement(dm(), QStringLiteral("RK20240301001"));
    EXPECT_EQ(table("rq,txm,ppgg,dw,sl,jg,je,lx,jsr,ck", "rkfx", "RK20240301001"),
              (QStringList{"2024-03-01|M1|彩电|台|-2|2|-4|报损|李四|主仓库",
                           "2024-03-01|M2|音箱|台|3|1.5|4.5|报损|李四|主仓库"}));
    const Stock m1 = stock(QStringLiteral("M1"), kCk), m2 = stock(QStringLiteral("M2"), kCk);
    EXPECT_EQ(m1.kcsl.plainText() + " " + m1.kcje.format00() + " " + m1.kcjg.format00(), "8 16.00 2.00");
    EXPECT_EQ(m2.lb + " " + m2.kcsl.plainText() + " " + m2.kcje.format00() + " " + m2.kcjg.format00(),
              "未知 3 4.50 1.50");
}

TEST_F(Postings, TransferMovesStockBetweenWarehousesAllOrNothing)
{
    const QString a = QStringLiteral("一仓"), b = QStringLiteral("二仓");
    addGoods(QStringLiteral("T1"), QStringLiteral("彩电"), a, "10", "2", "20");
    sql("insert into dbglz (dh,rq,kdrq,shbj,ck1,ck2,jsr) values "
        "('DB20240401001','2024-04-01','2024-04-02','已审核','一仓','二仓','李四')");
    sql("insert into dbglc (dh,bj,txm,ppgg,dw,sl,jg,je) values "
        "('DB20240401001','yz','T1','彩电','台',4,2,8),('DB20240401001','yz','T2','音箱','台',1,3,3)");

    sql("CREATE TRIGGER boom BEFORE INSERT ON sp WHEN NEW.txm='T2' AND NEW.ck='二仓' "
        "BEGIN SELECT RAISE(ABORT,'boom'); END");
    const QString before = dump();
    EXPECT_ANY_THROW(postTransfer(dm(), QStringLiteral("DB20240401001")));
    EXPECT_EQ(dump(), before);
    sql("DROP TRIGGER boom");

    postTransfer(dm(), QStringLiteral("DB20240401001"));
    EXPECT_EQ(table("rq,txm,sl,jg,je,lx,jsr,ck", "rkfx", "DB20240401001"),
              (QStringList{"2024-04-01|T1|-4|2|-8|库存调出|李四|一仓", "2024-04-01|T1|4|2|8|库存调入|李四|二仓",
                           "2024-04-01|T2|-1|3|-3|库存调出|李四|一仓", "2024-04-01|T2|1|3|3|库存调入|李四|二仓"}));
    QStringList got;
    for (const auto& [txm, ck] : {std::pair{"T1", a}, {"T1", b}, {"T2", a}, {"T2", b}}) {
        const Stock s = stock(QString::fromLatin1(txm), ck);
        got << s.lb + " " + s.kcsl.plainText() + " " + s.kcje.format00() + " " + s.kcjg.format00();
    }
    EXPECT_EQ(got, (QStringList{"电视 6 12.00 2.00", "未知 4 8.00 2.00", "未知 -1 -3.00 3.00", "未知 1 3.00 3.00"}));

    const QString after = dump();
    EXPECT_ANY_THROW(postMovement(dm(), QStringLiteral("RK-none")));
    EXPECT_EQ(dump(), after);
}

} // namespace

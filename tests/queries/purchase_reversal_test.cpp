#include "documents/posting_fixture.h"
#include "queries/purchase_reversal.h"

namespace {

const QString kCk = QStringLiteral("主仓库");
const QString kDoc = QStringLiteral("CG20240101001"), kOther = QStringLiteral("CG20240102001");

class PurchaseReversal : public PostingShop {
protected:
    // Two audited documents posted as the entry form posts them, and AQcgz1 open on both.
    void SetUp() override
    {
        PostingShop::SetUp();
        addGoods(QStringLiteral("G1"), QStringLiteral("彩电"), kCk, "10", "2", "20");
        addGoods(QStringLiteral("G2"), QStringLiteral("冰箱"), kCk, "2", "2.12", "4.25");
        for (const auto& [dh, lines] : {std::pair{kDoc, QStringList{"G1|彩电|5|3|15", "G2|冰箱|3|2|6", "G3|音箱|1|7|7"}},
                                        {kOther, QStringList{"G2|冰箱|1|1|1"}}}) {
            sql("insert into cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values ("
                + sqlQuote(dh) + ",'2024-01-05','2024-01-06','已审核','系统管理员','主仓库','华南电器','李四','',"
                "9,22,0,22,15,7)");
            postPurchase(dm(), purchase(dh, lines, "15"));
        }
        sql("delete from sp where txm='G3'");  // the goods row the un-audit finds missing
        dm().AQcgz1.close();
        dm().AQcgz1.setSql({"SELECT * FROM cgglz", "order by id"});
        dm().AQcgz1.open();
    }
    QString stockText(const QString& txm)
    {
        const Stock s = stock(txm, kCk);
        return s.lb + " " + s.kcsl.plainText() + " " + s.kcje.format00() + " " + s.kcjg.format00();
    }
};

TEST_F(PurchaseReversal, UnauditReversesStockAndRemovesLedgerAndPayments)
{
    ASSERT_EQ(stockText("G1"), "电视 15 35.00 2.33");
    ASSERT_EQ(stockText("G2"), "电视 6 11.25 1.88");
    dm().AQcgz1.moveTo(1);  // the list stands on the other document

    EXPECT_EQ(unauditPurchase(dm(), kDoc), ReversalResult::Done);
    EXPECT_EQ(stockText("G1"), "电视 10 20.00 2.00");
    EXPECT_EQ(stockText("G2"), "电视 3 5.25 1.75");
    EXPECT_EQ(stockText("G3"), "未知 -1 -7.00 7.00");
    EXPECT_TRUE(table("id", "cgfx", kDoc).isEmpty());
    EXPECT_TRUE(table("id", "fkfx", kDoc).isEmpty());
    EXPECT_EQ(table("je", "fkfx", kOther), QStringList{"15"});
    EXPECT_EQ(table("shbj,hjsl,hjje,yfe,sfe,qk", "cgglz", kDoc), QStringList{"未审核|9|22|22|15|7"});
    // The list's row in hand follows; its cursor stays where it was.
    EXPECT_EQ(dm().AQcgz1.recNo(), 1);
    EXPECT_EQ(dm().AQcgz1.cellText(0, dm().AQcgz1.fieldIndex("shbj")), "未审核");
    for (Query* q : {&dm().AQcgfx1, &dm().AQfkfx1}) {
        EXPECT_EQ(q->sqlLines().value(1), "where dh='刷新数据'");
        EXPECT_TRUE(q->isOpen() && q->isEmpty());
    }

    const QString after = dump();
    EXPECT_EQ(unauditPurchase(dm(), kDoc), ReversalResult::AlreadyHeld);
    EXPECT_EQ(unauditPurchase(dm(), QStringLiteral("CG20991231001")), ReversalResult::Missing);
    EXPECT_EQ(dump(), after);
}

TEST_F(PurchaseReversal, HalfEvenCostAndTheHeaderByStatement)
{
    sql("update sp set kcsl=5,kcje=10.25,kcjg=2.05 where txm='G2'");
    sql("delete from cgglc where dh=" + sqlQuote(kDoc) + " and txm<>'G2'");
    dm().AQcgz1.close();
    EXPECT_EQ(unauditPurchase(dm(), kDoc), ReversalResult::Done);
    EXPECT_EQ(stockText("G2"), "电视 2 4.25 2.12");
    EXPECT_EQ(text("SELECT shbj FROM cgglz where dh=" + sqlQuote(kDoc)), "未审核");
}

TEST_F(PurchaseReversal, FailedUnauditLeavesEverythingAsBefore)
{
    sql("CREATE TRIGGER boom BEFORE DELETE ON fkfx BEGIN SELECT RAISE(ABORT,'boom'); END");
    const QString before = dump();
    EXPECT_ANY_THROW(unauditPurchase(dm(), kDoc));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(dm().AQcgz1.text("shbj"), "已审核");
    ASSERT_TRUE(dm().AQkcfx1.isOpen());
    EXPECT_EQ(dm().AQkcfx1.recordCount(), rows(dm().AQkcfx1.sqlText()).recordCount());
    EXPECT_FALSE(dm().AQcgc1.controlsDisabled());
}

TEST_F(PurchaseReversal, DeleteRemovesDocumentLinesAndLedgerOnly)
{
    const QString stockBefore = stockText("G1") + stockText("G2");
    const int payments = count("fkfx");
    EXPECT_EQ(deletePurchaseDocument(dm(), kDoc), ReversalResult::Done);
    EXPECT_TRUE(table("id", "cgglz", kDoc).isEmpty());
    EXPECT_TRUE(table("id", "cgglc", kDoc).isEmpty());
    EXPECT_TRUE(table("id", "cgfx", kDoc).isEmpty());
    EXPECT_EQ(table("id", "cgfx", kOther).size(), 1);
    EXPECT_EQ(stockText("G1") + stockText("G2"), stockBefore);
    EXPECT_EQ(count("fkfx"), payments);
    ASSERT_EQ(dm().AQcgz1.recordCount(), 1);
    EXPECT_EQ(dm().AQcgz1.text("dh"), kOther);
    EXPECT_EQ(dm().AQcgfx1.sqlLines().value(1), "where dh='刷新数据'");

    dm().AQcgz1.close();
    EXPECT_EQ(deletePurchaseDocument(dm(), kOther), ReversalResult::Done);
    EXPECT_EQ(count("cgglz"), 0);
    EXPECT_EQ(deletePurchaseDocument(dm(), kOther), ReversalResult::Missing);
}

} // namespace

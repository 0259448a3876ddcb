#include "documents/posting_fixture.h"
#include "queries/purchase_reversal.h"

namespace {

const QString kDoc = QStringLiteral("CG20240101001"), kOther = QStringLiteral("CG20240102001");

class PurchaseReversal : public PostingShop {
protected:
    // Two audited documents posted as the entry form posts them, and AQcgz1 open on both.
    void SetUp() override
    {
        PostingShop::SetUp();
        addGoods("G1", "彩电", "主仓库", "10", "2", "20");
        addGoods("G2", "冰箱", "主仓库", "2", "2.12", "4.25");
        for (const auto& [dh, items] : {std::pair{kDoc, QStringList{"G1|彩电|5|3|15", "G2|冰箱|3|2|6", "G3|音箱|1|7|7", "G3|音箱|2|8|16"}},
                                        {kOther, QStringList{"G2|冰箱|1|1|1"}}}) {
            exec("insert into cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values (" + sqlQuote(dh)
                + ",'2024-01-05','2024-01-06','已审核','系统管理员','主仓库','华南电器','李四','',9,22,0,22,15,7)");
            postPurchase(*dm, purchase(dh, items, "15"));
        }
        // The goods row the un-audit finds missing: its first line creates it, the second finds it.
        exec("delete from sp where txm='G3'");
        dm->AQcgz1.close();
        dm->AQcgz1.setSql({"SELECT * FROM cgglz", "order by id"});
        dm->AQcgz1.open();
    }
};

TEST_F(PurchaseReversal, UnauditReversesStockAndRemovesLedgerAndPayments)
{
    ASSERT_EQ(stock("G1"), "电视 15 35 2.33");
    exec("update sp set kcsl=5,kcje=10.25,kcjg=2.05 where txm='G2'");   // reversed by 3 at 6.00
    dm->AQcgz1.moveTo(1);  // the list stands on the other document

    EXPECT_EQ(unauditPurchase(*dm, kDoc), ReversalResult::Done);
    EXPECT_EQ(stock("G1") + ", " + stock("G2") + ", " + stock("G3"), "电视 10 20 2, 电视 2 4.25 2.12, 未知 -3 -23 7.67");
    EXPECT_EQ(lines("SELECT dh FROM cgfx union all SELECT dh||' '||je FROM fkfx"), (QStringList{kOther, kOther + " 15"}));
    EXPECT_EQ(table("shbj,hjsl,hjje,yfe,sfe,qk", "cgglz", kDoc), QStringList{"未审核|9|22|22|15|7"});
    // The list's row in hand follows; its cursor stays where it was.
    EXPECT_EQ(dm->AQcgz1.recNo(), 1);
    EXPECT_EQ(dm->AQcgz1.cellText(0, dm->AQcgz1.fieldIndex("shbj")), "未审核");
    for (Query* q : {&dm->AQcgfx1, &dm->AQfkfx1})
        EXPECT_TRUE(q->sqlLines().value(1) == "where dh='刷新数据'" && q->isOpen() && q->isEmpty());

    const QString after = dump();
    EXPECT_EQ(unauditPurchase(*dm, kDoc), ReversalResult::AlreadyHeld);
    EXPECT_EQ(unauditPurchase(*dm, QStringLiteral("CG20991231001")), ReversalResult::Missing);
    EXPECT_EQ(dump(), after);

    // With the list closed the header is set back by a statement.
    dm->AQcgz1.close();
    EXPECT_EQ(unauditPurchase(*dm, kOther), ReversalResult::Done);
    EXPECT_EQ(table("shbj", "cgglz", kOther), QStringList{"未审核"});
}

TEST_F(PurchaseReversal, FailedUnauditLeavesEverythingAsBefore)
{
    exec("CREATE TRIGGER boom BEFORE DELETE ON fkfx BEGIN SELECT RAISE(ABORT,'boom'); END");
    const QString before = dump();
    EXPECT_ANY_THROW(unauditPurchase(*dm, kDoc));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(dm->AQcgz1.text("shbj"), "已审核");
    EXPECT_EQ(dm->AQkcfx1.recordCount(), rows(dm->AQkcfx1.sqlText()).recordCount());
    EXPECT_FALSE(dm->AQcgc1.controlsDisabled());
}

TEST_F(PurchaseReversal, DeleteRemovesDocumentLinesAndLedgerOnly)
{
    const QString stockBefore = stock("G1") + stock("G2");
    EXPECT_EQ(deletePurchaseDocument(*dm, kDoc), ReversalResult::Done);
    EXPECT_EQ(lines("SELECT dh FROM cgglz union all SELECT DISTINCT dh FROM cgglc union all SELECT dh FROM cgfx"),
              (QStringList{kOther, kOther, kOther}));
    EXPECT_EQ(count("fkfx"), 2);   // payments and stock stay
    EXPECT_EQ(stock("G1") + stock("G2"), stockBefore);
    ASSERT_EQ(dm->AQcgz1.recordCount(), 1);
    EXPECT_EQ(dm->AQcgz1.text("dh"), kOther);
    EXPECT_EQ(dm->AQcgfx1.sqlLines().value(1), "where dh='刷新数据'");

    dm->AQcgz1.close();   // the header deleted by a statement
    EXPECT_EQ(deletePurchaseDocument(*dm, kOther), ReversalResult::Done);
    EXPECT_EQ(count("cgglz"), 0);
    EXPECT_EQ(deletePurchaseDocument(*dm, kOther), ReversalResult::Missing);
}

} // namespace

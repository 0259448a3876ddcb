// The goods picker beside the purchase form (appending lines, recomputing the totals) and
// the goods picker of assembly and splitting (one warehouse, five fields, the code lookup
// handed back on close).

#include "picker_fixture.h"

#include "basic/Usp2.h"
#include "basic/Usp3.h"
#include "ui/DataGrid.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class PurchaseGoodsPicker : public PickerShop {
protected:
    void SetUp() override
    {
        PickerShop::SetUp();
        line("CG20260101001','BX01','冰箱 BCD-180',2,1200,1,2400");
        line("CG20260101002','BX02','other document',7,1,1,7");
        openLines("CG20260101001");
        field("tjcg", "dh", "CG20260101001");
        hjsl = field("tjcg", "hjsl", "2");
        hjje = field("tjcg", "hjje", "2400");
        openOn(dm->AQsp1, {"SELECT * FROM sp", "where ck='总仓'", "order by id"});
    }
    QLineEdit *hjsl = nullptr, *hjje = nullptr;
};

TEST_F(PurchaseGoodsPicker, ChoiceAppendsALineAtThePurchasePriceAndRecomputesTheTotals)
{
    auto* picker = new TFsp2;
    EXPECT_EQ(Fsp2, picker);
    picker->xzbj->setText("tjcg");
    picker->show();
    dm->AQsp1.moveTo(1);   // 空调 KFR-35 at 9.99
    click(picker->xuan);

    Query& c = dm->AQcgc1;
    ASSERT_EQ(c.recordCount(), 2);
    EXPECT_EQ(c.recNo(), 1);
    EXPECT_EQ(QStringList({c.text("dh"), c.text("bj"), c.text("txm"), c.text("ppgg"), c.text("dw")}),
              QStringList({"CG20260101001", "dz", "KT01", "空调 KFR-35", "台"}));
    EXPECT_EQ(QStringList({c.text("sl"), c.text("zk"), c.text("jg"), c.text("je")}),
              QStringList({"1", "1", "9.99", "9.99"}));
    EXPECT_EQ(hjsl->text(), "3");
    EXPECT_EQ(hjje->text(), "2409.99");

    doubleClickRow(picker->DBGrid1, 0);   // it stays open for further choices
    EXPECT_EQ(c.recordCount(), 3);
    EXPECT_EQ(hjsl->text(), "4");
    EXPECT_EQ(hjje->text(), "3609.99");
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc WHERE dh='CG20260101001' AND bj='dz'"), "3");
    delete picker;
    EXPECT_TRUE(Fsp2.isNull());
}

TEST_F(PurchaseGoodsPicker, NoGoodsIsRefused_AQuoteInTheNameIsStoredAsItIs)
{
    TFsp2 picker;
    picker.xzbj->setText("tjcg");
    openOn(dm->AQsp1, {"SELECT * FROM sp", "where ck='没有这个仓'"});
    click(picker.xuan);
    EXPECT_EQ(rec.texts(), QStringList{"没有商品可选择！"});
    EXPECT_EQ(rec.last().caption, "警告");
    EXPECT_EQ(dm->AQcgc1.recordCount(), 1);
    EXPECT_EQ(hjje->text(), "2400");

    openOn(dm->AQsp1, {"SELECT * FROM sp", "where txm='KT02'"});
    click(picker.xuan);
    EXPECT_EQ(scalar("SELECT ppgg FROM cgglc ORDER BY id DESC LIMIT 1"), "O'Neil 挂机");
    EXPECT_EQ(hjje->text(), "4500.5");
}

// Records every write of the caller, in order, as "field=value".
class AssemblyGoodsPicker : public PickerShop {
protected:
    void SetUp() override
    {
        PickerShop::SetUp();
        for (const char* tag : {"zu", "chai"})
            for (const char* f : {"txm1", "ppgg1", "dw1", "kcsl1", "spid1", "txm2", "ppgg2", "dw2", "kcsl2", "spid2", "sao"})
                PickerTargets::registerField(tag, f, &owner, [this, f](const QString& v) { writes << f + ("=" + v); });
    }
    int run(const char* tag, const std::function<void(TFsp3&)>& step)
    {
        writes.clear();
        TFsp3 dlg;
        dlg.xzbj->setText(tag);
        dlg.Edit2->setText("分仓");
        modal.next([&](QDialog&) { step(dlg); });
        return runModal(dlg);
    }
    QStringList warehouses()
    {
        QStringList out;
        for (int r = 0; r < dm->AQsp1.recordCount(); ++r)
            out << dm->AQsp1.cellText(r, dm->AQsp1.fieldIndex("ck"));
        return out;
    }
    QObject owner;
    QStringList writes;
};

TEST_F(AssemblyGoodsPicker, ListsOnlyItsWarehouseByTreeAndSearch)
{
    run("zu1", [&](TFsp3& d) {
        EXPECT_EQ(warehouses(), QStringList(3, "分仓"));
        QTreeWidgetItem* root = d.TreeView1->topLevelItem(0);
        ASSERT_EQ(root->text(0), "全部类别");
        ASSERT_EQ(root->childCount(), 2);
        d.TreeView1Click(root->child(0));   // 冰箱
        EXPECT_EQ(warehouses(), QStringList(2, "分仓"));
        d.Edit1->setText("BX01");           // also in 总仓
        EXPECT_EQ(warehouses(), QStringList{"分仓"});
        d.Edit1->setText("O'Neil");
        EXPECT_EQ(warehouses(), QStringList{"分仓"});
        d.Edit1->setText("KFR");            // only in 总仓
        click(d.xuan);
        EXPECT_EQ(rec.texts(), QStringList{"没有商品可选择！"});
        EXPECT_TRUE(d.isVisible());
        key(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(writes, QStringList{"sao=sao"});
}

TEST_F(AssemblyGoodsPicker, ChoiceWritesFiveFieldsInOrderThenHandsBackTheLookup)
{
    const QString id = scalar("SELECT id FROM sp WHERE txm='BX02'");
    for (const char* tag : {"zu1", "zu2", "chai1", "chai2"}) {
        run(tag, [&](TFsp3& d) {
            ASSERT_TRUE(dm->AQsp1.locate({"txm"}, {"BX02"}));
            key(d.DBGrid1, Qt::Key_Return);
        });
        const QString n = QString::fromLatin1(tag).right(1);
        EXPECT_EQ(writes, (QStringList{"txm" + n + "=BX02", "ppgg" + n + "=冰箱 BCD-210", "dw" + n + "=台",
                                       "kcsl" + n + "=5", "spid" + n + "=" + id, "sao=sao"}))
            << tag;
    }
    run("chai2", [&](TFsp3& d) {
        d.Edit1->setText("挂机");
        key(d.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(writes.first(), "txm2=KT02");
}

}

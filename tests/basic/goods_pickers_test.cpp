// The goods picker beside the purchase form (appending lines and recomputing the totals)
// and the goods picker of assembly and splitting (limited to one warehouse, writing five
// fields, and handing the code lookup back on close).

#include "picker_fixture.h"

#include "basic/Usp2.h"
#include "basic/Usp3.h"
#include "ui/DataGrid.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class GoodsPicker : public PickerShop {
protected:
    void SetUp() override
    {
        PickerShop::SetUp();
        line("CG20260101001", "BX01", "冰箱 BCD-180", "2", "1200", "1", "2400");
        line("CG20260101002", "BX02", "other document", "7", "1", "1", "7");
        openLines("CG20260101001");
        dh = field("tjcg", "dh", "CG20260101001");
        hjsl = field("tjcg", "hjsl", "2");
        hjje = field("tjcg", "hjje", "2400");
        openOn(dm->AQsp1, {"SELECT * FROM sp", "where ck='总仓'", "order by id"});
    }
    QLineEdit *dh = nullptr, *hjsl = nullptr, *hjje = nullptr;
};

TEST_F(GoodsPicker, ChoiceAppendsALineAtThePurchasePriceAndRecomputesTheTotals)
{
    auto* picker = new TFsp2;
    EXPECT_EQ(Fsp2, picker);
    picker->xzbj->setText("tjcg");
    picker->show();
    dm->AQsp1.moveTo(1);   // 空调 KFR-35 at 9.99
    click(picker->xuan);

    Query& c = dm->AQcgc1;
    ASSERT_EQ(c.recordCount(), 2);
    EXPECT_EQ(c.recNo(), 1);   // the appended line stays current
    EXPECT_EQ(c.text("dh"), "CG20260101001");
    EXPECT_EQ(c.text("bj"), "dz");
    EXPECT_EQ(c.text("txm"), "KT01");
    EXPECT_EQ(c.text("ppgg"), "空调 KFR-35");
    EXPECT_EQ(c.text("dw"), "台");
    EXPECT_EQ(c.money("sl"), Money::fromInt(1));
    EXPECT_EQ(c.money("zk"), Money::fromInt(1));
    EXPECT_EQ(c.money("jg"), Money::parse("9.99"));
    EXPECT_EQ(c.money("je"), Money::parse("9.99"));
    EXPECT_EQ(hjsl->text(), "3");
    EXPECT_EQ(hjje->text(), "2409.99");

    // It stays open: a double-click adds the first goods item as a further line.
    doubleClickRow(picker->DBGrid1, 0);
    EXPECT_EQ(c.recordCount(), 3);
    EXPECT_EQ(c.recNo(), 2);
    EXPECT_EQ(hjsl->text(), "4");
    EXPECT_EQ(hjje->text(), "3609.99");
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc WHERE dh='CG20260101001' AND bj='dz'"), "3");
    EXPECT_TRUE(rec.empty());
    picker->close();
    delete picker;
    EXPECT_TRUE(Fsp2.isNull());
}

TEST_F(GoodsPicker, NameWithAQuoteIsStoredAsItIs)
{
    openOn(dm->AQsp1, {"SELECT * FROM sp", "where ck='分仓'", "order by id"});
    ASSERT_TRUE(dm->AQsp1.locate({"txm"}, {"KT02"}));
    const PurchaseTotals t = appendPickedPurchaseLine(*dm, "CG20260101001");
    EXPECT_EQ(t.hjsl.plainText(), "3");
    EXPECT_EQ(t.hjje.plainText(), "4500.5");
    EXPECT_EQ(scalar("SELECT ppgg FROM cgglc ORDER BY id DESC LIMIT 1"), "O'Neil 挂机");
}

TEST_F(GoodsPicker, NoGoodsRefuses_OtherTagsAddNothing)
{
    TFsp2 picker;
    picker.xzbj->setText("tjcg");
    openOn(dm->AQsp1, {"SELECT * FROM sp", "where ck='没有这个仓'", "order by id"});
    click(picker.xuan);
    EXPECT_EQ(rec.texts(), QStringList{"没有商品可选择！"});
    EXPECT_EQ(rec.last().caption, "警告");
    EXPECT_EQ(dm->AQcgc1.recordCount(), 1);
    EXPECT_EQ(hjje->text(), "2400");

    openOn(dm->AQsp1, {"SELECT * FROM sp", "order by id"});
    picker.xzbj->setText("tjxs");
    click(picker.xuan);
    EXPECT_EQ(dm->AQcgc1.recordCount(), 1);
    EXPECT_EQ(rec.count(), 1);
}

// Every write of the caller, in order, as "field=value".
class AssemblyPicker : public PickerShop {
protected:
    void registerCaller(const QString& tag)
    {
        for (const char* f : {"txm1", "ppgg1", "dw1", "kcsl1", "spid1", "txm2", "ppgg2", "dw2", "kcsl2", "spid2",
                              "sao"}) {
            const QString name = QString::fromLatin1(f);
            PickerTargets::registerField(tag, name, &owner, [this, name](const QString& v) { writes << name + "=" + v; });
        }
    }
    QObject owner;
    QStringList writes;
};

TEST_F(AssemblyPicker, ListsOnlyTheWarehouseByTreeAndSearch)
{
    registerCaller("zu");
    TFsp3 dlg;
    dlg.xzbj->setText("zu1");
    dlg.Edit2->setText("分仓");
    modal.next([&](QDialog&) {
        Query& q = dm->AQsp1;
        auto warehouses = [&] {
            QStringList out;
            for (int r = 0; r < q.recordCount(); ++r)
                out << q.cellText(r, q.fieldIndex("ck"));
            return out;
        };
        EXPECT_EQ(warehouses(), (QStringList{"分仓", "分仓", "分仓"}));

        QTreeWidgetItem* root = dlg.TreeView1->topLevelItem(0);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->text(0), "全部类别");
        ASSERT_EQ(root->childCount(), 2);
        dlg.TreeView1Click(root->child(0));   // 冰箱
        EXPECT_EQ(warehouses(), (QStringList{"分仓", "分仓"}));
        dlg.TreeView1Click(root);
        EXPECT_EQ(q.recordCount(), 3);

        dlg.Edit1->setText("BX01");           // also in 总仓, listed only once here
        EXPECT_EQ(warehouses(), QStringList{"分仓"});
        dlg.Edit1->setText("O'Neil");
        EXPECT_EQ(warehouses(), QStringList{"分仓"});
        dlg.Edit1->setText("KFR");            // only in 总仓
        EXPECT_EQ(q.recordCount(), 0);
        click(dlg.xuan);
        EXPECT_EQ(rec.texts(), QStringList{"没有商品可选择！"});
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(writes.isEmpty());
        key(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(writes, QStringList{"sao=sao"});
}

TEST_F(AssemblyPicker, ChoiceWritesTheFiveFieldsInOrderThenHandsBackTheLookup)
{
    const struct {
        const char* tag;
        const char* caller;
        const char* n;
    } routes[] = {{"zu1", "zu", "1"}, {"zu2", "zu", "2"}, {"chai1", "chai", "1"}, {"chai2", "chai", "2"}};
    registerCaller("zu");
    registerCaller("chai");
    const QString id = scalar("SELECT id FROM sp WHERE txm='BX02'");
    for (const auto& r : routes) {
        SCOPED_TRACE(r.tag);
        writes.clear();
        TFsp3 dlg;
        dlg.xzbj->setText(QString::fromLatin1(r.tag));
        dlg.Edit2->setText("分仓");
        modal.next([&](QDialog&) {
            ASSERT_TRUE(dm->AQsp1.locate({"txm"}, {"BX02"}));
            key(dlg.DBGrid1, Qt::Key_Return);
        });
        EXPECT_EQ(runModal(dlg), QDialog::Accepted);
        const QString n = QString::fromLatin1(r.n);
        EXPECT_EQ(writes, (QStringList{"txm" + n + "=BX02", "ppgg" + n + "=冰箱 BCD-210", "dw" + n + "=台",
                                       "kcsl" + n + "=5", "spid" + n + "=" + id, "sao=sao"}));
    }
}

TEST_F(AssemblyPicker, EnterInTheSearchEditChoosesTheFirstMatch)
{
    registerCaller("chai");
    TFsp3 dlg;
    dlg.xzbj->setText("chai2");
    dlg.Edit2->setText("分仓");
    modal.next([&](QDialog&) {
        dlg.Edit1->setText("挂机");
        key(dlg.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    ASSERT_EQ(writes.size(), 6);
    EXPECT_EQ(writes.first(), "txm2=KT02");
    EXPECT_EQ(writes.last(), "sao=sao");
}

}

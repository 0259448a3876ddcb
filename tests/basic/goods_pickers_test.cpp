// The goods picker beside the purchase form (appending lines, recomputing the totals) and
// the goods picker of assembly and splitting (one warehouse, five fields, the code lookup
// handed back on close).

#include "picker_fixture.h"

#include "basic/Usp2.h"
#include "basic/Usp3.h"

#include <QTreeWidget>

namespace {

using GoodsPickers = PickerShop;

// Choosing by 选择 into the purchase form's own lines is checked through the form.
TEST_F(GoodsPickers, PurchaseChoiceAppendsALineAtThePurchasePriceAndRecomputesTheTotals)
{
    lines("CG1", {"'BX01','冰箱 BCD-180',2,1200,1,2400"});
    lines("CG2", {"'BX02','other document',7,1,1,7"});
    openLines("CG1");
    callers({"tjcg"}, {"dh", "hjsl", "hjje"});
    values["tjcg.dh"] = "CG1";
    TFsp2 picker;
    picker.xzbj->setText("tjcg");
    // Its numbers to the right, as in every grid.
    for (const char* number : {"kcsl", "jj", "xjpf", "xjls", "kcjg"}) {
        const GridColumn& col = picker.DBGrid1->column(picker.DBGrid1->columnOfField(number));
        EXPECT_TRUE(col.align & Qt::AlignRight) << number;
    }
    dm->AQsp1.reopen({"SELECT * FROM sp", "where txm='KT02'"});
    emit picker.DBGrid1->rowDoubleClicked(0);
    Query& c = dm->AQcgc1;
    EXPECT_EQ(c.recNo(), 1);
    EXPECT_EQ(QStringList({c.text("dh"), c.text("bj"), c.text("txm"), c.text("ppgg"), c.text("dw"), c.text("sl"),
                           c.text("zk"), c.text("jg"), c.text("je")}),
              QStringList({"CG1", "dz", "KT02", "O'Neil 挂机", "套", "1", "1", "2100.5", "2100.5"}));
    EXPECT_EQ(scalar("SELECT group_concat(ppgg,'|') FROM cgglc WHERE dh='CG1' AND bj='dz'"), "冰箱 BCD-180|O'Neil 挂机");
    EXPECT_EQ(writes, (QStringList{"tjcg.hjsl=3", "tjcg.hjje=4500.5"}));

    dm->AQsp1.reopen({"SELECT * FROM sp", "where ck='没有这个仓'"});
    picker.xuan->click();
    EXPECT_EQ(rec.texts(), QStringList{"没有商品可选择！"});
    EXPECT_EQ(rec.last().caption, "警告");
    EXPECT_EQ(c.recordCount(), 2);
}

TEST_F(GoodsPickers, AssemblyPickerListsOnlyItsWarehouseWritesFiveFieldsAndHandsBackTheLookup)
{
    callers({"zu", "chai"}, {"txm1", "ppgg1", "dw1", "kcsl1", "spid1", "txm2", "ppgg2", "dw2", "kcsl2", "spid2", "sao"});
    auto runIn = [&](const char* tag, const std::function<void(TFsp3&)>& step) {
        writes.clear();
        TFsp3 dlg;
        dlg.xzbj->setText(tag);
        dlg.Edit2->setText("分仓");
        return run(dlg, step);
    };
    EXPECT_EQ(runIn("chai1", [](TFsp3& d) { sendKey(&d, Qt::Key_Escape); }), QDialog::Rejected);
    EXPECT_EQ(writes, QStringList{"chai.sao=sao"});
    runIn("zu1", [&](TFsp3& d) {
        EXPECT_EQ(rows(dm->AQsp1), "BX01@分仓 KT02@分仓 BX02@分仓");
        QTreeWidgetItem* root = d.TreeView1->topLevelItem(0);
        ASSERT_EQ(root->text(0) + "/" + root->child(0)->text(0) + QString::number(root->childCount()), "全部类别/冰箱2");
        d.TreeView1Click(root->child(0));
        EXPECT_EQ(rows(dm->AQsp1), "BX01@分仓 BX02@分仓");
        d.Edit1->setText("BX01");   // also in 总仓
        EXPECT_EQ(rows(dm->AQsp1), "BX01@分仓");
        d.Edit1->setText("KFR");    // only in 总仓
        d.xuan->click();
        EXPECT_EQ(rec.texts(), QStringList{"没有商品可选择！"});
        d.Edit1->setText("O'Neil");
        EXPECT_EQ(rows(dm->AQsp1), "KT02@分仓");
        sendKey(d.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(writes.first() + " " + writes.last(), "zu.txm1=KT02 zu.sao=sao");
    const QString id = scalar("SELECT id FROM sp WHERE txm='BX02'");
    for (const char* tag : {"zu1", "zu2", "chai1", "chai2"}) {
        EXPECT_EQ(runIn(tag, [&](TFsp3& d) {
                      ASSERT_TRUE(dm->AQsp1.locate({"txm"}, {"BX02"}));
                      sendKey(d.DBGrid1, Qt::Key_Return);
                  }),
                  QDialog::Accepted);
        const QString to = QString::fromLatin1(tag).chopped(1) + ".", n = QString::fromLatin1(tag).right(1);
        EXPECT_EQ(writes, (QStringList{to + "txm" + n + "=BX02", to + "ppgg" + n + "=冰箱 BCD-210", to + "dw" + n + "=台",
                                       to + "kcsl" + n + "=5", to + "spid" + n + "=" + id, to + "sao=sao"}));
    }
}

}

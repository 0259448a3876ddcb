// The stock detail table: opening, the category tree, the goods query dialog, the red rows,
// the price and reset permissions, the reset of the rows shown, the two prints, export, and
// the assembly dialog it opens.
#include "basic/Ucxsp1.h"
#include "documents/Uzu1.h"
#include "queries/Udykcfx1.h"
#include "queries/Ukcfx1.h"
#include "shell/Umain1.h"
#include "support/PreviewTexts.h"
#include "support/ReadSheet.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Goods (lb, txm, ck, kcsl, kcjg, kcje): 1 风扇 A01 W1 5 21 105; 2 风扇 A01 W2 4 20 80;
// 3 小家电 B02 W2 2 35.5 71; 4 取暖 C03 W1 0 89.91 0; 5 未知 D04 W1 -1 15 -15.
class StockTable : public ShopTest {
protected:
    StockTable() : ShopTest(false) {}
    void SetUp() override
    {
        exec("UPDATE danwei SET mcdy='华强家电';"
             "INSERT INTO lb(lb) VALUES('风扇'),('小家电'),('取暖');"
             "INSERT INTO sp(lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje,xjpf,xjls) VALUES"
             " ('风扇','A01','落地扇','台','W1',5,21,105,30,35),('风扇','A01','落地扇','台','W2',4,20,80,30,35),"
             " ('小家电','B02','电水壶','个','W2',2,35.5,71,50,60),('取暖','C03','暖风机','台','W1',0,89.91,0,120,150),"
             " ('未知','D04','旧配件','个','W1',-1,15,-15,0,0);"
             "INSERT INTO rkfx(txm,sl,je,dh) VALUES('A01',5,105,'RK1')");
        main.show();   // its MDI area takes the table
        main.STkcjg->setText("显示价格");
        main.STkcsc->setText("归零");
        Fmain1 = &main;
    }
    void TearDown() override
    {
        if (Fkcfx1)
            Fkcfx1->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TFkcfx1& open()
    {
        openStockTable();
        return *Fkcfx1;
    }
    QString panels() const { return Fkcfx1->StatusBar1->panelText(2) + "|" + Fkcfx1->StatusBar1->panelText(4); }
    QStringList ids() const { return columnTexts(dm->AQkcfx1, "id"); }
    QString stock() { return scalar("SELECT group_concat(printf('%g/%g/%g',kcsl,kcjg,kcje),' ') FROM sp"); }
    void dialog(const QString& code, int stockIndex)
    {
        modal.drive<TFcxsp1>(Fkcfx1->SB77, [=](TFcxsp1& q) {
            q.Edit2->setText(code);
            q.ComboBox1->setCurrentIndex(stockIndex);
            q.BitBtn1->click();
        });
    }
    QTreeWidgetItem* node(int i) const
    {
        QTreeWidgetItem* root = Fkcfx1->TreeView1->topLevelItem(0);
        return i < 0 ? root : root->child(i);
    }
    void click(QTreeWidgetItem* n) { emit Fkcfx1->TreeView1->itemClicked(n, 0); }
    bool priceColumnsShown() const
    {
        DataGrid* g = Fkcfx1->DBGrid1;
        return g->isColumnVisible(g->columnOfField("kcjg")) && g->isColumnVisible(g->columnOfField("kcje"));
    }

    TFmain1 main;
};

TEST_F(StockTable, OpeningTreeRedRowsAndTheResetOfTheRowsShown)
{
    TFkcfx1& w = open();
    EXPECT_EQ(ids(), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(panels(), "10|241");
    QStringList red;
    for (int r = 0; r < 5; ++r)
        red << (w.DBGrid1->rowStyle(r).font == QColor(255, 0, 0) ? "red" : "-");
    EXPECT_EQ(red, (QStringList{"-", "-", "-", "red", "red"}));
    EXPECT_EQ(w.legendLabel->text(), "数量＜=0：不正常库存");

    // The tree: the root, then the categories in their order; a click filters by the node.
    QStringList nodes{node(-1)->text(0)};
    for (int i = 0; i < node(-1)->childCount(); ++i)
        nodes << node(i)->text(0);
    EXPECT_EQ(nodes, (QStringList{"全部类别", "风扇", "小家电", "取暖"}));
    click(node(0));
    EXPECT_EQ(ids(), (QStringList{"1", "2"}));
    EXPECT_EQ(dm->AQkcfx1.sqlLines(), (QStringList{"select * from sp", "where lb='风扇'"}));
    EXPECT_EQ(panels(), "9|185");
    EXPECT_EQ(dm->AQkcfx1.recNo(), 1);   // left on the last row

    // Cancel changes nothing; OK zeroes the rows shown, keeps their cost, nothing else moves.
    const QString before = dumpDatabase(*dm);
    rec.answer(MbCancel);
    w.SB55->click();
    EXPECT_EQ(dumpDatabase(*dm), before);
    EXPECT_EQ(rec.last().text, "确定要归零本批库存么？\r\r1、一旦归零，当前显示的这批库存会统一为0  \r\r"
                               "2、归零只对当前显示的这批库存操作，建议先查询后归零");
    EXPECT_EQ(rec.last().icon, MsgIcon::Question);
    w.SB55->click();
    EXPECT_EQ(stock(), "0/21/0 0/20/0 2/35.5/71 0/89.91/0 -1/15/-15");
    EXPECT_EQ(columnTexts(dm->AQkcfx1, "kcsl"), (QStringList{"0", "0"}));
    EXPECT_EQ(panels(), "0|0");
    EXPECT_EQ(count("rkfx"), 1);

    // The root lists every row; a click on no node does nothing.
    click(node(-1));
    EXPECT_EQ(dm->AQkcfx1.sqlLines(), QStringList{"select * from sp"});
    EXPECT_EQ(panels(), "1|56");
    click(nullptr);
    EXPECT_EQ(ids().size(), 5);
    // A 查询 lists what its conditions find: the category's node no longer stands highlighted.
    w.TreeView1->setCurrentItem(node(0));
    click(node(0));
    dialog(QString(), 0);
    EXPECT_EQ(ids().size(), 5);
    EXPECT_EQ(w.TreeView1->currentItem(), nullptr);
    EXPECT_TRUE(w.TreeView1->selectedItems().isEmpty());
}

TEST_F(StockTable, DialogRefusalsAndPermissions)
{
    TFkcfx1& w = open();
    dialog("", 3);   // 库存＜0
    EXPECT_EQ(ids(), QStringList{"5"});
    EXPECT_EQ(panels(), "-1|-15");
    dialog("ZZZ", 0);
    EXPECT_EQ(ids(), QStringList{});
    EXPECT_EQ(panels(), "0|0");
    rec.clear();
    w.SB55->click();
    w.N22->trigger();
    EXPECT_EQ(rec.texts(), (QStringList{"没有数据可归零，请先查询！", "没有数据可打印，请先查询！"}));

    // Without the reset permission: refused before anything else, even on a closed query.
    dm->AQkcfx1.close();
    main.STkcsc->setText("不归零");
    rec.clear();
    w.SB55->click();
    EXPECT_EQ(rec.texts(), QStringList{"你无权归零库存！"});
    EXPECT_EQ(rec.last().caption, "警告");
    // A closed query refuses the reset (with the permission), assembly, printing and export.
    main.STkcsc->setText("归零");
    rec.clear();
    w.SB55->click();
    w.SB44->click();
    w.N11->trigger();
    w.SB99->click();
    EXPECT_EQ(rec.texts(), QStringList(4, "数据表未打开，请先查询！"));
    EXPECT_EQ(modal.opened(), 2);   // the two query dialogs only
}

TEST_F(StockTable, HiddenPricesStayHiddenAfterEveryFill)
{
    main.STkcjg->setText("不显价格");
    TFkcfx1& w = open();
    const auto hidden = [&](const char* after) {
        EXPECT_FALSE(priceColumnsShown()) << after;
        EXPECT_EQ(w.StatusBar1->panelText(4), "") << after;
    };
    hidden("opening");
    click(node(1));
    hidden("tree");
    dialog("", 0);
    hidden("dialog");
    EXPECT_EQ(panels(), "10|");
    EXPECT_EQ(exportedSheet(w.SB99).value(0), (QStringList{"编码", "商品名称", "单位", "库存数量", "批发单价", "零售单价",
                                                          "商品描述", "备注", "类别", "仓库"}));
    // Assembly, splitting and the print with cost are refused; the print without cost works.
    rec.clear();
    w.SB44->click();
    w.SB33->click();
    w.N11->trigger();
    EXPECT_EQ(rec.texts(), (QStringList{"库存价格未显示，不可组装！", "库存价格未显示，不可拆零！", "库存价格未显示，不可打印！"}));
    modal.next([](QDialog&) {});
    w.N22->trigger();
    EXPECT_EQ(modal.classes(), (QStringList{"TFcxsp1", "TFdyPreview1"}));
    EXPECT_EQ(Fdykcfx2->total("e1")->Caption, "10");
    w.SB55->click();
    hidden("reset");
    EXPECT_EQ(panels(), "0|");
}

TEST_F(StockTable, TheTwoPrintsAndTheDropDown)
{
    TFkcfx1& w = open();
    // The click does nothing; releasing the mouse on 打印 drops its menu at the lower left.
    w.SB88->click();
    EXPECT_FALSE(w.dropDownMenu->isVisible());
    const QPointF inside(5, 5);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, w.SB88->mapToGlobal(inside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.SB88, &release);
    EXPECT_TRUE(w.dropDownMenu->isVisible());
    EXPECT_EQ(w.dropDownMenu->objectName(), "PopupMenu2");
    // At the lower left (moved left only as far as the screen's edge needs).
    const QPoint lowerLeft = w.SB88->mapToGlobal(QPoint(0, w.SB88->height()));
    EXPECT_EQ(w.dropDownMenu->pos().y(), lowerLeft.y());
    EXPECT_LE(w.dropDownMenu->pos().x(), lowerLeft.x());
    w.dropDownMenu->hide();

    // With cost, and with the wholesale and retail prices: the first row, then the summary.
    const QStringList names{"QRLdw", "QRD1", "QRD2", "QRD3", "QRD4", "QRD5", "QRD6", "QRLzj", "e1", "e2"};
    EXPECT_EQ(previewTexts(modal, reportForm(Fdykcfx1).QuickRep1, names, [&] { w.N11->trigger(); }).join(' '),
              "QRLdw=华强家电商品库存表 QRD1=A01|A01|B02|C03|D04 QRD2=落地扇|落地扇|电水壶|暖风机|旧配件 QRD3=台|台|个|台|个 "
              "QRD4=5|4|2|0|-1 QRD5=21|20|35.5|89.91|15 QRD6=105|80|71|0|-15 QRLzj=总计 e1=10 e2=241");
    EXPECT_EQ(previewTexts(modal, reportForm(Fdykcfx2).QuickRep1, names, [&] { w.N22->trigger(); }).mid(5).join(' '),
              "QRD5=30|30|50|120|0 QRD6=35|35|60|150|0 QRLzj=总计 e1=10 e2=");
}

// After an assembly the table shows the last goods row it moved, and totals of that row.
TEST_F(StockTable, AfterAnAssemblyTheTableShowsTheLastRowMovedAndItsTotals)
{
    exec("INSERT INTO sp(lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje) VALUES"
         " ('整机','W01','整机W','台','W1',4,100,400),('配件','P01','零件P','个','W1',10,2.5,25),"
         " ('配件','Q01','零件Q','个','W1',5,3.35,16.75);"
         "INSERT INTO zu(spid1,spid2,xs,sl) VALUES (6,7,2,0),(6,8,0.5,0)");
    TFkcfx1& w = open();
    const QString totals = panels();
    modal.next([](QDialog& d) {
        auto& zu = dynamic_cast<TFzu1&>(d);
        EXPECT_EQ(Fzu1, &zu);
        EXPECT_EQ(zu.parentWidget(), Fkcfx1);
        zu.ck1->setText("W1");
        zu.txm1->setText("W01");
        zu.zzsl->setText("3");
        zu.BitBtn1->click();
    });
    w.SB44->click();
    EXPECT_TRUE(Fzu1.isNull());
    EXPECT_EQ(columnTexts(dm->AQkcfx1, "txm"), QStringList{"Q01"});
    EXPECT_EQ(panels(), totals);   // until the assembly's handler is done
    QCoreApplication::processEvents();
    EXPECT_EQ(panels(), "3.5|11.72");
    w.SB55->click();
    EXPECT_EQ(scalar("SELECT group_concat(printf('%g %g',kcsl,kcje),' | ') FROM sp WHERE id>=6"), "7 700 | 4 10 | 0 0");
}

TEST_F(StockTable, AFailingRowLeavesTheWholeResetUndone)
{
    open();
    exec("CREATE TRIGGER fail BEFORE UPDATE ON sp WHEN old.id=5 BEGIN SELECT RAISE(ABORT,'forced'); END");
    const QString before = stock();
    rec.clear();
    Fkcfx1->SB55->click();
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);   // the error box
    EXPECT_EQ(stock(), before);
    EXPECT_EQ(columnTexts(dm->AQkcfx1, "kcsl"), (QStringList{"5", "4", "2", "0", "-1"}));
    EXPECT_FALSE(dm->AQkcfx1.controlsDisabled());
}

}

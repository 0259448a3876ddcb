// The goods query dialog of the stock table: the conditions on the shared stock query, the
// two total panels (the amount emptied while prices are hidden), and the grid's controls
// enabled again whatever happens.

#include "picker_fixture.h"

#include "basic/Ucxsp1.h"
#include "shell/Umain1.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class GoodsQuery : public PickerShop {
protected:
    void SetUp() override
    {
        PickerShop::SetUp();
        panel2 = field("kcfx", "panel2", "old");
        panel4 = field("kcfx", "panel4", "old");
    }
    // Runs the dialog in "kc" mode with category, code, name, warehouse and stock index;
    // returns the rows it leaves in the stock query as "code@warehouse".
    QStringList query(const char* lb, const char* txm, const char* ppgg, const char* ck, int stock)
    {
        TFcxsp1 dlg;
        dlg.ST1->setText("kc");
        modal.next([&](QDialog&) {
            for (auto [edit, text] : {std::pair{dlg.Edit1, lb}, {dlg.Edit2, txm}, {dlg.Edit3, ppgg}, {dlg.Edit4, ck}})
                edit->setText(text);
            dlg.ComboBox1->setCurrentIndex(stock);
            click(dlg.BitBtn1);
        });
        EXPECT_EQ(runModal(dlg), QDialog::Accepted);
        EXPECT_FALSE(dm->AQkcfx1.controlsDisabled());
        QStringList out;
        Query& q = dm->AQkcfx1;
        for (int r = 0; r < q.recordCount(); ++r)
            out << q.cellText(r, q.fieldIndex("txm")) + "@" + q.cellText(r, q.fieldIndex("ck"));
        return out;
    }
    QLineEdit *panel2 = nullptr, *panel4 = nullptr;
};

TEST_F(GoodsQuery, ConditionsFillTheStockQueryAndBothPanels)
{
    EXPECT_EQ(query("冰箱", "", "", "", 0), (QStringList{"BX01@总仓", "BX01@分仓", "BX02@分仓"}));
    EXPECT_EQ(panel2->text() + " " + panel4->text(), "18 23301.25");
    EXPECT_EQ(dm->AQkcfx1.sqlLines(), (QStringList{"SELECT * FROM sp", "where lb like '%冰箱%'", "and txm like '%%'",
                                                   "and ppgg like '%%'", "and ck  like '%%'", "order by id"}));
    EXPECT_EQ(query("", "", "O'Neil", "分", 0), QStringList{"KT02@分仓"});
    EXPECT_EQ(query("", "", "", "", 1), (QStringList{"BX01@总仓", "BX01@分仓", "BX02@分仓"}));
    EXPECT_EQ(dm->AQkcfx1.sqlLines().at(5), "and kcsl>0");
    EXPECT_EQ(query("", "", "", "", 2), QStringList{"KT02@分仓"});
    EXPECT_EQ(query("", "", "", "总", 3), QStringList{"KT01@总仓"});
    EXPECT_EQ(panel2->text() + " " + panel4->text(), "-2 -20");
    EXPECT_EQ(query("", "NOPE", "", "", 0), QStringList{});
    EXPECT_EQ(panel2->text() + " " + panel4->text(), "0 0");
}

TEST_F(GoodsQuery, HiddenPricesEmptyTheAmountPanel)
{
    TFmain1 main;
    Fmain1 = &main;
    main.STkcjg->setText("不显价格");
    query("冰箱", "", "", "", 0);
    EXPECT_EQ(panel2->text(), "18");
    EXPECT_EQ(panel4->text(), "");
    main.STkcjg->setText("显示价格");
    query("冰箱", "", "", "", 0);
    EXPECT_EQ(panel4->text(), "23301.25");
}

TEST_F(GoodsQuery, ShowResetsTheConditions_CloseAndEscRunNothing)
{
    TFcxsp1 dlg;
    EXPECT_EQ(dlg.windowTitle(), "按条件查询");
    dlg.ST1->setText("kc");
    dlg.Edit3->setText("stale");
    dlg.ComboBox1->setCurrentIndex(3);
    modal.next([&](QDialog&) {
        EXPECT_EQ(dlg.Edit3->text(), "");
        EXPECT_EQ(dlg.ComboBox1->currentText(), "全部");
        click(dlg.BitBtn2);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Rejected);
    modal.next([&](QDialog& d) { key(&d, Qt::Key_Escape); });
    EXPECT_EQ(runModal(dlg), QDialog::Rejected);
    EXPECT_FALSE(dm->AQkcfx1.isOpen());
    EXPECT_EQ(panel2->text(), "old");
}

TEST_F(GoodsQuery, FailedQueryEnablesTheControlsAgainAndLeavesThePanels)
{
    dm->ADOC1.exec("DROP TABLE sp");
    TFcxsp1 dlg;
    dlg.ST1->setText("kc");
    modal.next([&](QDialog&) {
        EXPECT_ANY_THROW(click(dlg.BitBtn1));
        EXPECT_TRUE(dlg.isVisible());
    });
    runModal(dlg);
    EXPECT_FALSE(dm->AQkcfx1.controlsDisabled());
    EXPECT_EQ(panel2->text(), "old");
}

}

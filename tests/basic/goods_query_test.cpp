// The goods query dialog of the stock table: the conditions on the shared stock query,
// the two total panels, and the grid's controls enabled again whatever happens.

#include "picker_fixture.h"

#include "basic/Ucxsp1.h"

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
    // Runs the dialog in "kc" mode with the conditions given.
    int query(const char* lb, const char* txm, const char* ppgg, const char* ck, int stock)
    {
        TFcxsp1 dlg;
        dlg.ST1->setText("kc");
        modal.next([&](QDialog&) {
            dlg.Edit1->setText(QString::fromUtf8(lb));
            dlg.Edit2->setText(QString::fromUtf8(txm));
            dlg.Edit3->setText(QString::fromUtf8(ppgg));
            dlg.Edit4->setText(QString::fromUtf8(ck));
            dlg.ComboBox1->setCurrentIndex(stock);
            click(dlg.BitBtn1);
        });
        return runModal(dlg);
    }
    QStringList codes()
    {
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
    EXPECT_EQ(query("冰箱", "", "", "", 0), QDialog::Accepted);
    EXPECT_EQ(codes(), (QStringList{"BX01@总仓", "BX01@分仓", "BX02@分仓"}));
    EXPECT_EQ(panel2->text(), "18");
    EXPECT_EQ(panel4->text(), "23301.25");
    EXPECT_EQ(dm->AQkcfx1.sqlLines(),
              (QStringList{"SELECT * FROM sp", "where lb like '%冰箱%'", "and txm like '%%'", "and ppgg like '%%'",
                           "and ck  like '%%'", "order by id"}));
    EXPECT_FALSE(dm->AQkcfx1.controlsDisabled());

    query("", "", "O'Neil", "分", 0);
    EXPECT_EQ(codes(), QStringList{"KT02@分仓"});
    EXPECT_EQ(panel2->text(), "0");
    EXPECT_EQ(panel4->text(), "0");
}

TEST_F(GoodsQuery, StockComboNarrowsBySign_NoRowsGiveZero)
{
    query("", "", "", "", 1);
    EXPECT_EQ(codes(), (QStringList{"BX01@总仓", "BX01@分仓", "BX02@分仓"}));
    EXPECT_EQ(dm->AQkcfx1.sqlLines().at(5), "and kcsl>0");
    query("", "", "", "", 2);
    EXPECT_EQ(codes(), QStringList{"KT02@分仓"});
    query("", "", "", "总", 3);
    EXPECT_EQ(codes(), QStringList{"KT01@总仓"});
    EXPECT_EQ(panel2->text(), "-2");
    EXPECT_EQ(panel4->text(), "-20");
    query("", "NOPE", "", "", 0);
    EXPECT_TRUE(codes().isEmpty());
    EXPECT_EQ(panel2->text(), "0");
    EXPECT_EQ(panel4->text(), "0");
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
        EXPECT_EQ(dlg.ComboBox1->currentIndex(), 0);
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

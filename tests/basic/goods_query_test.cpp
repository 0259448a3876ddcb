// The goods query dialog of the stock table: the conditions on the shared stock query, the
// two total panels (the amount emptied while prices are hidden), and the grid's controls
// enabled again whatever happens.

#include "picker_fixture.h"

#include "basic/Ucxsp1.h"

#include <QComboBox>

namespace {

class GoodsQuery : public PickerShop {
protected:
    // Runs the dialog in "kc" mode with category, code, name, warehouse and stock index;
    // returns the rows it leaves in the stock query ("code@warehouse") and the two panels.
    QString query(const QStringList& conditions, int stock)
    {
        TFcxsp1 dlg;
        dlg.ST1->setText("kc");
        EXPECT_EQ(run<TFcxsp1>(dlg, [&](TFcxsp1& d) {
                      for (int i = 0; i < 4; ++i)
                          QList<QLineEdit*>{d.Edit1, d.Edit2, d.Edit3, d.Edit4}[i]->setText(conditions[i]);
                      d.ComboBox1->setCurrentIndex(stock);
                      d.BitBtn1->click();
                  }),
                  QDialog::Accepted);
        EXPECT_FALSE(dm->AQkcfx1.controlsDisabled());
        return rows(dm->AQkcfx1) + " | " + values["kcfx.panel2"] + " " + values["kcfx.panel4"];
    }
    void SetUp() override
    {
        PickerShop::SetUp();
        callers({"kcfx"}, {"panel2", "panel4"});
    }
};

// The code filter, the stock below zero and the hidden amount are checked through the stock table.
TEST_F(GoodsQuery, ConditionsFillTheStockQueryAndBothPanels)
{
    EXPECT_EQ(query({"冰箱", "", "", ""}, 0), "BX01@总仓 BX01@分仓 BX02@分仓 | 18 23301.25");
    EXPECT_EQ(query({"", "", "O'Neil", "分"}, 0), "KT02@分仓 | 0 0");
    EXPECT_EQ(query({"", "", "", ""}, 1), "BX01@总仓 BX01@分仓 BX02@分仓 | 18 23301.25");
    EXPECT_EQ(query({"", "", "", ""}, 2), "KT02@分仓 | 0 0");
}

TEST_F(GoodsQuery, ShowResetsTheConditions_AFailureOrCloseWritesNothing)
{
    TFcxsp1 dlg;
    dlg.ST1->setText("kc");
    dlg.Edit3->setText("stale");
    dlg.ComboBox1->setCurrentIndex(3);
    dm->ADOC1.exec("DROP TABLE sp");
    EXPECT_EQ(run<TFcxsp1>(dlg, [&](TFcxsp1& d) {
                  EXPECT_EQ(d.Edit3->text() + d.ComboBox1->currentText(), "全部");
                  d.BitBtn1->click();   // the error is shown at the handler
                  EXPECT_EQ(rec.texts(), QStringList{"AQkcfx1: no such table: sp"});
                  EXPECT_TRUE(d.isVisible());
                  d.BitBtn2->click();
              }),
              QDialog::Rejected);
    EXPECT_FALSE(dm->AQkcfx1.controlsDisabled());
    EXPECT_TRUE(writes.isEmpty());
}

}

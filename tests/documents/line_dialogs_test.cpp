// The purchase line dialogs: editing one line (zero refusals, the rounded amount, the
// totals) and the whole-document discount over every line in one transaction.

#include "basic/picker_fixture.h"

#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"

#include <QLabel>
#include <QPushButton>

namespace {

class LineDialogs : public PickerShop {
protected:
    void SetUp() override
    {
        PickerShop::SetUp();
        line("CG20260101001", "BX01", "冰箱 BCD-180", "2", "1200", "1", "2400");
        line("CG20260101001", "KT01", "空调 KFR-35", "1", "9.99", "1", "9.99");
        line("CG20260101001", "KT02", "挂机", "-1", "100", "1", "-100");
        line("CG20260101002", "BX02", "other document", "7", "1", "1", "7");
        openLines("CG20260101001");
        hjsl = field("tjcg", "hjsl", "2");
        hjje = field("tjcg", "hjje", "2309.99");
    }
    // Opens the edit dialog on the current line as the purchase form does and runs step.
    int editCurrent(const std::function<void(TFxgmx1&)>& step)
    {
        Query& c = dm->AQcgc1;
        TFxgmx1 dlg;
        dlg.setWindowTitle("修改采购明细");
        dlg.ST1->setText("cgmx");
        QLineEdit* fields[] = {dlg.txm, dlg.ppgg, dlg.dw, dlg.sl, dlg.jg, dlg.zk, dlg.je};
        const char* names[] = {"txm", "ppgg", "dw", "sl", "jg", "zk", "je"};
        for (int i = 0; i < 7; ++i)
            fields[i]->setText(c.text(QString::fromLatin1(names[i])));
        modal.next([&](QDialog&) { step(dlg); });
        return runModal(dlg);
    }
    QString stored(int row, const char* col)
    {
        return scalar(QStringLiteral("SELECT %1 FROM cgglc WHERE dh='CG20260101001' ORDER BY id LIMIT 1 OFFSET %2")
                          .arg(QString::fromLatin1(col))
                          .arg(row));
    }
    Money num(int row, const char* col) { return Money::parse(stored(row, col)); }
    static Money m(const char* text) { return Money::parse(QString::fromLatin1(text)); }
    QLineEdit *hjsl = nullptr, *hjje = nullptr;
};

TEST_F(LineDialogs, EditWritesTheLineWithItsRoundedAmountAndTheTotals)
{
    dm->AQcgc1.moveTo(1);
    const int result = editCurrent([&](TFxgmx1& d) {
        d.sl->setText("3");
        d.jg->setText("9.99");
        d.zk->setText("0.85");
        click(d.BitBtn1);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(num(1, "je"), m("25.47"));   // 9.99 × 0.85 × 3 = 25.4745
    EXPECT_EQ(num(1, "sl"), m("3.0"));
    EXPECT_EQ(num(1, "zk"), m("0.85"));
    EXPECT_EQ(stored(1, "bj"), "dz");
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);
    EXPECT_EQ(dm->AQcgc1.money("je"), Money::parse("25.47"));
    EXPECT_EQ(hjsl->text(), "4");
    EXPECT_EQ(hjje->text(), "2325.47");
    EXPECT_TRUE(rec.empty());
}

TEST_F(LineDialogs, LongDecimalsAreRoundedBeforeTheyAreStored)
{
    editCurrent([&](TFxgmx1& d) {
        d.sl->setText("1.005");   // half to even: 1.00
        d.jg->setText("10.015");  // 10.02
        d.zk->setText("0.9");
        click(d.BitBtn1);
    });
    EXPECT_EQ(num(0, "sl"), m("1.0"));
    EXPECT_EQ(num(0, "jg"), m("10.02"));
    EXPECT_EQ(num(0, "je"), m("9.02"));   // 10.02 × 0.9 = 9.018
    EXPECT_EQ(hjsl->text(), "1");
    EXPECT_EQ(hjje->text(), "-80.99");
}

TEST_F(LineDialogs, ZeroQuantityOrRateIsRefusedAndNothingSaved)
{
    editCurrent([&](TFxgmx1& d) {
        d.sl->setText("0.001");   // 0.00 after rounding
        click(d.BitBtn1);
        ASSERT_EQ(rec.count(), 1);
        EXPECT_EQ(rec.last().text, "数量不可为零！");
        EXPECT_EQ(rec.last().caption, "提示");
        EXPECT_EQ(rec.last().icon, MsgIcon::Information);
        EXPECT_TRUE(d.isVisible());

        d.sl->setText("5");
        d.zk->setText("0");
        click(d.BitBtn1);
        EXPECT_EQ(rec.last().text, "折扣率不可为零！");
        EXPECT_EQ(rec.last().caption, "提示");
        EXPECT_TRUE(d.isVisible());
        key(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(num(0, "sl"), m("2.0"));
    EXPECT_EQ(num(0, "je"), m("2400.0"));
    EXPECT_EQ(hjje->text(), "2309.99");
}

TEST_F(LineDialogs, DiscountSetsTheRateOnEveryLineAndKeepsTheCurrentLine)
{
    dm->AQcgc1.moveTo(1);
    TFxgmx4 dlg;
    dlg.setWindowTitle("采购单折扣率");
    dlg.ST1->setText("cgmx");
    dlg.zk->setText("1");
    modal.next([&](QDialog&) {
        dlg.zk->setText("0.855");   // 0.86 (two decimals kept, half to even on the third)
        click(dlg.BitBtn1);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.zk->text(), "0.86");
    EXPECT_EQ(num(0, "je"), m("2064.0"));   // 2 × 1200 × 0.86
    EXPECT_EQ(num(1, "je"), m("8.59"));     // 9.99 × 0.86 = 8.5914
    EXPECT_EQ(num(2, "je"), m("-86.0"));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(num(r, "zk"), m("0.86"));
    EXPECT_EQ(Money::parse(scalar("SELECT zk FROM cgglc WHERE dh='CG20260101002'")), m("1"));   // not in hand
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);
    EXPECT_EQ(hjsl->text(), "2");
    EXPECT_EQ(hjje->text(), "1986.59");
}

TEST_F(LineDialogs, DiscountOfZeroIsRefused)
{
    TFxgmx4 dlg;
    dlg.ST1->setText("cgmx");
    modal.next([&](QDialog&) {
        dlg.zk->setText("0.004");
        click(dlg.BitBtn1);
        EXPECT_EQ(rec.texts(), QStringList{"折扣率不可为零！"});
        EXPECT_EQ(rec.last().caption, "提示");
        EXPECT_TRUE(dlg.isVisible());
    });
    runModal(dlg);
    EXPECT_EQ(num(0, "zk"), m("1.0"));
    EXPECT_EQ(hjje->text(), "2309.99");
}

TEST_F(LineDialogs, DiscountThatFailsMidWayChangesNoLine)
{
    const QString third = stored(2, "id");
    dm->ADOC1.exec("CREATE TRIGGER refuse BEFORE UPDATE ON cgglc WHEN NEW.id=" + third
                   + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_ANY_THROW(discountPurchaseLines(*dm, "0.5"));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(num(r, "zk"), m("1"));
    EXPECT_EQ(num(0, "je"), m("2400.0"));
    EXPECT_FALSE(dm->AQcgc1.controlsDisabled());
    EXPECT_EQ(hjje->text(), "2309.99");
}

TEST(LineAmount, PriceTimesRateTimesQuantityRoundedHalfEven)
{
    EXPECT_EQ(lineAmount(Money::parse("9.99"), Money::parse("0.85"), Money::fromInt(3)).format00(), "25.47");
    EXPECT_EQ(lineAmount(Money::parse("0.25"), Money::fromInt(1), Money::parse("0.5")).format00(), "0.12");
    EXPECT_EQ(lineAmount(Money::parse("0.35"), Money::fromInt(1), Money::parse("0.5")).format00(), "0.18");
    EXPECT_EQ(lineAmount(Money::parse("100"), Money::parse("0.9"), Money::fromInt(-2)).format00(), "-180.00");
}

}

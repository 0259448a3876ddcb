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
        line("CG20260101001','BX01','冰箱 BCD-180',2,1200,1,2400");
        line("CG20260101001','KT01','空调 KFR-35',1,9.99,1,9.99");
        line("CG20260101001','KT02','挂机',-1,100,1,-100");
        line("CG20260101002','BX02','other document',7,1,1,7");
        openLines("CG20260101001");
        hjsl = field("tjcg", "hjsl", "2");
        hjje = field("tjcg", "hjje", "2309.99");
    }
    // Opens the edit dialog on the current line as the purchase form does; step drives it.
    int editCurrent(const std::function<void(TFxgmx1&)>& step)
    {
        TFxgmx1 dlg;
        dlg.ST1->setText("cgmx");
        for (QLineEdit* e : {dlg.txm, dlg.ppgg, dlg.dw, dlg.sl, dlg.jg, dlg.zk, dlg.je})
            e->setText(dm->AQcgc1.text(e->objectName()));
        modal.next([&](QDialog&) { step(dlg); });
        return runModal(dlg);
    }
    // Numeric columns ("sl jg") of the document's stored line (0-based, in line order) as
    // one text with two decimals each.
    QString stored(int row, const char* cols)
    {
        QStringList parts;
        for (const QString& c : QString::fromLatin1(cols).split(' '))
            parts << "printf('%.2f'," + c + ")";
        return scalar(QStringLiteral("SELECT %1 FROM cgglc WHERE dh='CG20260101001' ORDER BY id LIMIT 1 OFFSET %2")
                          .arg(parts.join("||' '||"))
                          .arg(row));
    }
    QLineEdit *hjsl = nullptr, *hjje = nullptr;
};

TEST_F(LineDialogs, EditWritesTheLineWithItsRoundedAmountAndTheTotals)
{
    dm->AQcgc1.moveTo(1);
    EXPECT_EQ(editCurrent([&](TFxgmx1& d) {
                  d.sl->setText("3");
                  d.zk->setText("0.85");
                  click(d.BitBtn1);
              }),
              QDialog::Accepted);
    // 9.99 × 0.85 × 3 = 25.4745
    EXPECT_EQ(stored(1, "sl jg zk je"), "3.00 9.99 0.85 25.47");
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);
    EXPECT_EQ(hjsl->text() + " " + hjje->text(), "4 2325.47");

    editCurrent([&](TFxgmx1& d) {
        d.sl->setText("1.005");    // half to even: 1.00
        d.jg->setText("10.015");   // 10.02
        d.zk->setText("0.9");
        click(d.BitBtn1);
    });
    // 10.02 × 0.9 = 9.018
    EXPECT_EQ(stored(1, "sl jg je"), "1.00 10.02 9.02");
    EXPECT_EQ(hjsl->text() + " " + hjje->text(), "2 2309.02");
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), "dz,dz,dz,dz");   // marks untouched
    EXPECT_TRUE(rec.empty());
}

TEST_F(LineDialogs, ZeroQuantityOrRateIsRefusedAndNothingSaved)
{
    editCurrent([&](TFxgmx1& d) {
        d.sl->setText("0.001");   // 0.00 once rounded
        click(d.BitBtn1);
        EXPECT_TRUE(d.isVisible());
        d.sl->setText("5");
        d.zk->setText("0");
        click(d.BitBtn1);
        EXPECT_TRUE(d.isVisible());
        key(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(rec.texts(), (QStringList{"数量不可为零！", "折扣率不可为零！"}));
    for (const MessageRequest& m : rec.all())
        EXPECT_EQ(m.caption, "提示");
    EXPECT_EQ(stored(0, "sl zk je"), "2.00 1.00 2400.00");
    EXPECT_EQ(hjje->text(), "2309.99");

    TFxgmx4 dlg;
    dlg.ST1->setText("cgmx");
    modal.next([&](QDialog&) {
        dlg.zk->setText("0.004");
        click(dlg.BitBtn1);
        EXPECT_TRUE(dlg.isVisible());
    });
    runModal(dlg);
    EXPECT_EQ(rec.count(), 3);
    EXPECT_EQ(rec.last().text, "折扣率不可为零！");
    EXPECT_EQ(stored(0, "zk"), "1.00");
}

TEST_F(LineDialogs, DiscountSetsTheRateOnEveryLineAndKeepsTheCurrentLine)
{
    dm->AQcgc1.moveTo(1);
    TFxgmx4 dlg;
    dlg.ST1->setText("cgmx");
    dlg.zk->setText("1");
    modal.next([&](QDialog&) {
        dlg.zk->setText("0.855");   // 0.86
        click(dlg.BitBtn1);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    // 2 × 1200 × 0.86; 9.99 × 0.86 = 8.5914; −1 × 100 × 0.86
    EXPECT_EQ(stored(0, "zk je"), "0.86 2064.00");
    EXPECT_EQ(stored(1, "zk je"), "0.86 8.59");
    EXPECT_EQ(stored(2, "zk je"), "0.86 -86.00");
    EXPECT_EQ(scalar("SELECT printf('%.2f',zk) FROM cgglc WHERE dh='CG20260101002'"), "1.00");   // not in hand
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);
    EXPECT_EQ(hjsl->text() + " " + hjje->text(), "2 1986.59");
}

TEST_F(LineDialogs, DiscountThatFailsMidWayChangesNoLine)
{
    dm->ADOC1.exec("CREATE TRIGGER refuse BEFORE UPDATE ON cgglc WHEN NEW.txm='KT02'"
                   " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_ANY_THROW(discountPurchaseLines(*dm, "0.5"));
    EXPECT_EQ(scalar("SELECT group_concat(printf('%g/%g',zk,je),' ') FROM cgglc WHERE dh='CG20260101001'"),
              "1/2400 1/9.99 1/-100");
    EXPECT_FALSE(dm->AQcgc1.controlsDisabled());
    EXPECT_EQ(hjje->text(), "2309.99");
}

TEST(LineAmount, PriceTimesRateTimesQuantityRoundedHalfEven)
{
    EXPECT_EQ(lineAmount(Money::parse("9.99"), Money::parse("0.85"), Money::fromInt(3)).format00(), "25.47");
    EXPECT_EQ(lineAmount(Money::parse("0.25"), Money::fromInt(1), Money::parse("0.5")).format00(), "0.12");
    EXPECT_EQ(lineAmount(Money::parse("0.35"), Money::fromInt(1), Money::parse("0.5")).format00(), "0.18");
}

}

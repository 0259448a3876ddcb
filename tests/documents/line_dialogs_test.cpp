// The purchase line dialogs: editing one line (zero refusals, the rounded amount, the
// totals) and the whole-document discount over every line in one transaction.

#include "basic/picker_fixture.h"

#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"
#include "ui/Controls.h"

namespace {

class LineDialogs : public PickerShop {
protected:
    void SetUp() override
    {
        PickerShop::SetUp();
        lines("CG1", {"'BX01','冰箱 BCD-180',2,1200,1,2400", "'KT01','空调 KFR-35',1,9.99,1,9.99", "'KT02','挂机',-1,100,1,-100"});
        lines("CG2", {"'BX02','other document',7,1,1,7"});
        openLines("CG1");
        callers({"tjcg"}, {"hjsl", "hjje"});
    }
    // Runs a line dialog in mode "cgmx" as the purchase form does (the edit dialog filled
    // from the current line), types the fields given (name, text) and confirms.
    template <class D>
    int confirm(std::initializer_list<std::pair<const char*, const char*>> typed)
    {
        D dlg;
        dlg.ST1->setText("cgmx");
        for (QLineEdit* e : dlg.template findChildren<QLineEdit*>())
            e->setText(dm->AQcgc1.text(e->objectName()));
        return run<D>(dlg, [&](D& d) {
            for (auto [name, text] : typed)
                d.template findChild<QLineEdit*>(name)->setText(text);
            d.BitBtn1->click();
            if (d.isVisible())
                key(&d, Qt::Key_Escape);
        });
    }
    // Every stored line of CG1 as "sl jg zk je" (two decimals each) and the form's totals.
    QString state()
    {
        return scalar("SELECT group_concat(printf('%.2f %.2f %.2f %.2f',sl,jg,zk,je),' | ') FROM "
                      "(SELECT * FROM cgglc WHERE dh='CG1' ORDER BY id)")
            + " = " + values["tjcg.hjsl"] + " " + values["tjcg.hjje"];
    }
};

TEST_F(LineDialogs, EditWritesTheLineWithItsRoundedAmountAndTheTotalsAndRefusesZero)
{
    dm->AQcgc1.moveTo(1);
    EXPECT_EQ(confirm<TFxgmx1>({{"sl", "3"}, {"zk", "0.85"}}), QDialog::Accepted);   // 9.99 × 0.85 × 3 = 25.4745
    EXPECT_EQ(state(), "2.00 1200.00 1.00 2400.00 | 3.00 9.99 0.85 25.47 | -1.00 100.00 1.00 -100.00 = 4 2325.47");
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);
    // Typed texts rounded half to even: 1.005 gives 1.00, 10.015 gives 10.02; 10.02 × 0.9 = 9.018
    EXPECT_EQ(confirm<TFxgmx1>({{"sl", "1.005"}, {"jg", "10.015"}, {"zk", "0.9"}}), QDialog::Accepted);
    EXPECT_EQ(state(), "2.00 1200.00 1.00 2400.00 | 1.00 10.02 0.90 9.02 | -1.00 100.00 1.00 -100.00 = 2 2309.02");
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), "dz,dz,dz,dz");   // marks untouched
    EXPECT_TRUE(rec.empty());

    // A quantity or rate of zero once rounded is refused; nothing is saved.
    const QString before = state();
    EXPECT_EQ(confirm<TFxgmx1>({{"sl", "0.001"}}), QDialog::Rejected);   // 0.00 once rounded
    EXPECT_EQ(confirm<TFxgmx1>({{"sl", "5"}, {"zk", "0"}}), QDialog::Rejected);
    EXPECT_EQ(confirm<TFxgmx4>({{"zk", "0.004"}}), QDialog::Rejected);
    EXPECT_EQ(rec.texts(), (QStringList{"数量不可为零！", "折扣率不可为零！", "折扣率不可为零！"}));
    for (const MessageRequest& m : rec.all())
        EXPECT_EQ(m.caption, "提示");
    EXPECT_EQ(state(), before);

    // Letters in a number, or a price beyond the program's range: said in Chinese, nothing saved.
    rec.clear();
    EXPECT_EQ(confirm<TFxgmx1>({{"sl", "2x"}}), QDialog::Rejected);
    EXPECT_EQ(confirm<TFxgmx1>({{"jg", "99999999999999.99"}}), QDialog::Rejected);
    EXPECT_EQ(rec.texts(), (QStringList{"“2x”不是有效的数值！", "数值超出范围！"}));
    EXPECT_EQ(rec.last().caption, "错误");
    EXPECT_EQ(state(), before);
}

TEST_F(LineDialogs, DiscountSetsTheRateOnEveryLineInOneTransaction)
{
    dm->AQcgc1.moveTo(1);
    EXPECT_EQ(confirm<TFxgmx4>({{"zk", "0.855"}}), QDialog::Accepted);   // 0.86
    // 2 × 1200 × 0.86; 9.99 × 0.86 = 8.5914; −1 × 100 × 0.86
    EXPECT_EQ(state(), "2.00 1200.00 0.86 2064.00 | 1.00 9.99 0.86 8.59 | -1.00 100.00 0.86 -86.00 = 2 1986.59");
    EXPECT_EQ(scalar("SELECT zk FROM cgglc WHERE dh='CG2'"), "1");   // not in hand
    EXPECT_EQ(dm->AQcgc1.recNo(), 1);

    // Failing mid-way: no line changes.
    const QString before = state();
    dm->ADOC1.exec("CREATE TRIGGER refuse BEFORE UPDATE ON cgglc WHEN NEW.txm='KT02' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_ANY_THROW(discountPurchaseLines(*dm, "0.5"));
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(dm->AQcgc1.controlsDisabled());
}

// 修改采购明细 opens in its first field typed into, its shown fields read-only on the kit's
// read-only grey; Enter moves through the typed fields and confirms in the last. Enter confirms
// 采购单折扣率.
TEST_F(LineDialogs, FocusReadOnlyFieldsAndEnter)
{
    QLineEdit reference;
    greyReadOnly(&reference);
    const QColor grey = reference.palette().color(QPalette::Base);
    dm->AQcgc1.moveTo(1);
    TFxgmx1 edit;
    edit.ST1->setText("cgmx");
    EXPECT_EQ(run<TFxgmx1>(edit, [&](TFxgmx1& d) {
        EXPECT_EQ(QApplication::focusWidget(), d.sl);
        for (QLineEdit* shown : {d.txm, d.ppgg, d.dw, d.je}) {
            EXPECT_TRUE(shown->isReadOnly()) << shown->objectName().toStdString();
            EXPECT_EQ(shown->palette().color(QPalette::Base), grey) << shown->objectName().toStdString();
        }
        for (QLineEdit* typed : {d.sl, d.jg, d.zk}) {
            EXPECT_FALSE(typed->isReadOnly());
            EXPECT_NE(typed->palette().color(QPalette::Base), grey);
        }
        d.sl->setText("2");
        d.jg->setText("5");
        d.zk->setText("1");
        key(d.sl, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.jg);
        key(d.jg, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.zk);
        key(d.zk, Qt::Key_Return);
    }), QDialog::Accepted);
    TFxgmx4 discount;
    discount.ST1->setText("cgmx");
    EXPECT_EQ(run<TFxgmx4>(discount, [](TFxgmx4& d) {
        EXPECT_EQ(QApplication::focusWidget(), d.zk);
        d.zk->setText("0.5");
        key(d.zk, Qt::Key_Return);
    }), QDialog::Accepted);
    EXPECT_EQ(state(), "2.00 1200.00 0.50 1200.00 | 2.00 5.00 0.50 5.00 | -1.00 100.00 0.50 -50.00 = 3 1155");
    EXPECT_TRUE(rec.empty());
}

}

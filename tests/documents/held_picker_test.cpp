// The held purchase picker: what it lists, and what choosing and refusing leave
// in the purchase entry form and the shared queries.

#include "data/Clock.h"
#include "documents/Utjcgd1.h"
#include "documents/Uxzcg1.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString A = QStringLiteral("CG20240301001");
const QString B = QStringLiteral("CG20240315001");

class HeldPicker : public ShopTest {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
        // A and B held, C audited; A has two saved lines and two with pending marks.
        exec("insert into cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values "
             "('CG20240301001','2024-03-01','2024-03-01','未审核','系统管理员','一号仓库','华南电器','张三','A单',3,100,10,90,50,40),"
             "('CG20240310001','2024-03-10','2024-03-10','已审核','系统管理员','一号仓库','华南电器','张三','C单',1,20,0,20,20,0),"
             "('CG20240315001','2024-03-15','2024-03-15','未审核','系统管理员','二号仓库','华北电器','李四','B单',2,60,0,60,60,0)");
        exec("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values ('CG20240301001','yz','A01','冰箱','台',2,30,1,60),"
             "('CG20240301001','dz','A02','彩电','台',1,5,1,5),('CG20240301001','ds','A03','空调','台',1,7,1,7),"
             "('CG20240301001','yz','A04','风扇','台',1,40,1,40),('CG20240315001','yz','B01','洗衣机','台',2,30,1,60)");
    }

    void TearDown() override
    {
        picker.reset();
        delete Ftjcgd1.data();
        Clock::unpin();
    }

    int pendingLines() { return count("cgglc where txm='Z9'"); }

    // The picker as the form's 取单 shows it: the supplier text first, then the show queries.
    TFxzcg1* openPicker(const QString& supplier, QWidget* owner = nullptr)
    {
        picker = std::make_unique<TFxzcg1>(owner);
        picker->Edit2->setText(supplier);
        picker->show();
        QApplication::processEvents();
        return picker.get();
    }

    QString listed() const { return columnTexts(dm->AQcgz1, "dh").join(' '); }

    // Caption, mode, date and the ten loaded edits, joined by "|".
    static QString shown(const TFtjcgd1* f)
    {
        QStringList out{f->windowTitle(), f->ztbj->text(), f->DateTimePicker1->date().toString(Qt::ISODate)};
        for (const QLineEdit* e : std::initializer_list<const QLineEdit*>{f->dh, f->ghs, f->ck, f->jsr, f->bz, f->yhe, f->yfe, f->sfe, f->hjsl, f->hjje})
            out << e->text();
        return out.join(QLatin1Char('|'));
    }

    std::unique_ptr<TFxzcg1> picker;
};

TEST_F(HeldPicker, ListsHeldDocumentsOfTheSupplierAndDates)
{
    // Shown on 2024-03-31 with the form's supplier: the last month, the date box unticked.
    TFxzcg1* p = openPicker(QStringLiteral("华北"));
    EXPECT_EQ(p->windowTitle(), QStringLiteral("选择采购挂单（未审采购单）"));
    EXPECT_EQ(p->DateTimePicker1->date(), QDate(2024, 2, 29));
    EXPECT_EQ(p->DateTimePicker2->date(), QDate(2024, 3, 31));
    EXPECT_FALSE(p->CheckBox1->isChecked());
    EXPECT_EQ(listed(), B);

    // Enter in the supplier edit queries; the dates count only while the box is ticked. The
    // audited C never shows; the date bounds are included; a quote is text like any other.
    const QDate d1(2024, 3, 1), d15(2024, 3, 15), d20(2024, 3, 20);
    const struct { const char* supplier; bool dated; QDate from, to; QString listed; } cases[] = {
        {"华南", false, d15, d20, A}, {"", false, d15, d20, A + QLatin1Char(' ') + B},
        {"O'Neil", false, d1, d20, QString()}, {"电器", true, d15, d20, B}, {"电器", true, d1, d1, A},
    };
    for (const auto& c : cases) {
        p->Edit2->setText(QString::fromUtf8(c.supplier));
        p->CheckBox1->setChecked(c.dated);
        p->DateTimePicker1->setDate(c.from);
        p->DateTimePicker2->setDate(c.to);
        sendKey(p->Edit2, Qt::Key_Return);
        EXPECT_TRUE(dm->AQcgz1.isOpen()) << c.supplier;
        EXPECT_EQ(listed(), c.listed) << c.supplier;
    }
    EXPECT_EQ(dm->AQcgz1.sqlText(), QStringLiteral("SELECT * FROM cgglz\nwhere ghs like '%电器%'\n"
                                                   "and rq>='2024-03-01'and rq<='2024-03-01'\nand shbj='未审核'\norder by id"));
    EXPECT_TRUE(rec.empty());
}

TEST_F(HeldPicker, RefusalsLeaveTheFormAloneAndChoosingLoadsInModifyMode)
{
    // The entry form in new mode with a line added and not yet saved.
    TFtjcgd1* form = Ftjcgd1 = new TFtjcgd1;
    form->show();
    exec(QStringLiteral("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values (%1,'dz','Z9','待定','台',1,1,1,1)")
             .arg(sqlQuote(form->dh->text())));
    dm->AQcgc1.refresh();
    const QString before = shown(form);
    TFxzcg1* p = openPicker(QStringLiteral("无此厂商"), form);
    p->xuan->click();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, QStringLiteral("没有单据可选择！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Warning);

    // A stored date that does not parse is refused before anything in the form changes.
    exec(QStringLiteral("update cgglz set rq='2024-3-1x' where dh='CG20240315001'"));
    p->Edit2->setText(QStringLiteral("华北"));
    p->chaClick();
    p->xuanClick();
    ASSERT_EQ(rec.count(), 2);
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(shown(form), before);
    EXPECT_EQ(pendingLines(), 1);

    // Enter in the grid chooses: the stored fields as text, only the saved lines in line
    // order, the header query on the chosen row; the document in hand gave back its line.
    p->Edit2->setText(QStringLiteral("华南"));
    p->chaClick();
    sendKey(p->DBGrid1, Qt::Key_Return);
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(rec.count(), 2);
    EXPECT_EQ(shown(form), QStringLiteral("修改采购入库单|修改|2024-03-01|CG20240301001|华南电器|一号仓库|张三|A单|10|90|50|3|100"));
    EXPECT_EQ(dm->AQcgc1.sqlText(), QStringLiteral("SELECT * FROM cgglc\nwhere dh='CG20240301001'\nand bj='yz'\norder by id"));
    EXPECT_EQ(columnTexts(dm->AQcgc1, "txm"), (QStringList{"A01", "A04"}));
    EXPECT_EQ(dm->AQcgz1.text(QStringLiteral("dh")), A);
    EXPECT_EQ(pendingLines(), 0);
}

} // namespace

// The held purchase picker: what it lists, and what choosing, cancelling and refusing leave
// in the purchase entry form and the shared queries.

#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/Utjcgd1.h"
#include "documents/Uxzcg1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace {

class HeldPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
        dm = shop.dm.get();
        exec("insert into cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values "
             "('CG20240301001','2024-03-01','2024-03-01','未审核','系统管理员','一号仓库','华南电器','张三','A单',3,100,10,90,50,40),"
             "('CG20240310001','2024-03-10','2024-03-10','已审核','系统管理员','一号仓库','华南电器','张三','C单',1,20,0,20,20,0),"
             "('CG20240315001','2024-03-15','2024-03-15','未审核','系统管理员','二号仓库','华北电器','李四','B单',2,60,0,60,60,0)");
        exec("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values "
             "('CG20240301001','yz','A01','冰箱','台',2,30,1,60),"
             "('CG20240301001','dz','A02','彩电','台',1,5,1,5),"
             "('CG20240301001','ds','A03','空调','台',1,7,1,7),"
             "('CG20240301001','yz','A04','风扇','台',1,40,1,40),"
             "('CG20240315001','yz','B01','洗衣机','台',2,30,1,60)");
    }

    void TearDown() override
    {
        picker.reset();
        delete Ftjcgd1.data();
        Clock::unpin();
    }

    void exec(const char* sql) { dm->ADOC1.exec(QString::fromUtf8(sql)); }

    // The entry form in new mode, as the main window opens it.
    TFtjcgd1* openForm()
    {
        Ftjcgd1 = new TFtjcgd1;
        Ftjcgd1->show();
        QApplication::processEvents();
        return Ftjcgd1;
    }

    // The picker as the form's 取单 shows it: the supplier text first, then the show runs
    // the query.
    TFxzcg1* openPicker(const QString& supplier, QWidget* owner = nullptr)
    {
        picker = std::make_unique<TFxzcg1>(owner);
        picker->Edit2->setText(supplier);
        picker->show();
        QApplication::processEvents();
        return picker.get();
    }

    // A column of the rows in hand, in their order, joined by blanks.
    static QString rows(const Query& q, const char* field)
    {
        QStringList out;
        const int col = q.fieldIndex(QString::fromLatin1(field));
        for (int r = 0; q.isOpen() && r < q.recordCount(); ++r)
            out << q.cellText(r, col);
        return out.join(QLatin1Char(' '));
    }
    QString listed() const { return rows(dm->AQcgz1, "dh"); }
    QString lineCodes() const { return rows(dm->AQcgc1, "txm"); }

    // Caption, mode, date and the ten loaded edits, joined by "|".
    static QString shown(const TFtjcgd1* f)
    {
        QStringList out{f->windowTitle(), f->ztbj->text(), f->DateTimePicker1->date().toString(Qt::ISODate)};
        const std::initializer_list<const QLineEdit*> edits{f->dh, f->ghs, f->ck, f->jsr, f->bz,
                                                            f->yhe, f->yfe, f->sfe, f->hjsl, f->hjje};
        for (const QLineEdit* e : edits)
            out << e->text();
        return out.join(QLatin1Char('|'));
    }

    // A line added to the document in hand and not yet saved.
    void addPendingLine(const QString& number)
    {
        dm->ADOC1.exec(QStringLiteral("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values (%1,'dz','Z9','待定','台',1,1,1,1)")
                           .arg(sqlQuote(number)));
        if (dm->AQcgc1.isOpen())
            dm->AQcgc1.refresh();   // the form's line query holds it too
    }

    int lineCount(const char* where)
    {
        return dm->ADOC1.execute(QStringLiteral("select id from cgglc where ") + QString::fromUtf8(where)).recordCount();
    }

    static void key(QWidget* w, int k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }

    TempShop shop;
    TDM1* dm = nullptr;
    std::unique_ptr<TFxzcg1> picker;
    MessageRecorder rec;
};

const QString A = QStringLiteral("CG20240301001");
const QString B = QStringLiteral("CG20240315001");
const QString AB = A + QLatin1Char(' ') + B;

TEST_F(HeldPicker, ListsHeldDocumentsOfTheSupplierText)
{
    TFxzcg1* p = openPicker(QStringLiteral("华南"));
    EXPECT_EQ(listed(), A);   // the audited C of the same supplier never shows

    p->Edit2->clear();
    p->chaClick();
    EXPECT_EQ(listed(), AB);

    // The date range with both bounds included.
    p->Edit2->setText(QStringLiteral("电器"));
    p->CheckBox1->setChecked(true);
    p->DateTimePicker1->setDate(QDate(2024, 3, 15));
    p->DateTimePicker2->setDate(QDate(2024, 3, 20));
    p->chaClick();
    EXPECT_EQ(listed(), B);
    p->DateTimePicker1->setDate(QDate(2024, 3, 1));
    p->DateTimePicker2->setDate(QDate(2024, 3, 1));
    p->chaClick();
    EXPECT_EQ(listed(), A);
    EXPECT_EQ(dm->AQcgz1.sqlText(),
              QStringLiteral("SELECT * FROM cgglz\nwhere ghs like '%电器%'\n"
                             "and rq>='2024-03-01'and rq<='2024-03-01'\nand shbj='未审核'\norder by id"));

    // A supplier text with a quote is a text like any other.
    p->Edit2->setText(QStringLiteral("O'Neil"));
    p->chaClick();
    EXPECT_TRUE(dm->AQcgz1.isOpen());
    EXPECT_EQ(listed(), QString());
    EXPECT_TRUE(rec.empty());
    EXPECT_FALSE(dm->AQcgz1.controlsDisabled());
}

TEST_F(HeldPicker, OpensOnTheLastMonthWithTheDateBoxUnticked)
{
    TFxzcg1* p = openPicker(QString());
    EXPECT_EQ(p->windowTitle(), QStringLiteral("选择采购挂单（未审采购单）"));
    EXPECT_EQ(p->DateTimePicker2->date(), QDate(2024, 3, 31));
    EXPECT_EQ(p->DateTimePicker1->date(), QDate(2024, 2, 29));
    EXPECT_FALSE(p->CheckBox1->isChecked());

    // Closing the from-calendar on a date after the to-date carries the to-date along.
    p->DateTimePicker1->pickFromCalendar(QDate(2024, 4, 5));
    EXPECT_EQ(p->DateTimePicker2->date(), QDate(2024, 4, 5));

    // Enter in the supplier edit runs the query; a title click sorts the rows in hand.
    p->Edit2->setText(QStringLiteral("华北"));
    key(p->Edit2, Qt::Key_Return);
    EXPECT_EQ(listed(), B);
    p->Edit2->clear();
    p->chaClick();
    const QString before = dm->AQcgz1.sqlText();
    p->DBGrid1->clickTitle(p->DBGrid1->columnOfField(QStringLiteral("hjje")));
    EXPECT_EQ(dm->AQcgz1.sort(), QStringLiteral("hjje ASC"));
    EXPECT_EQ(listed(), B + QLatin1Char(' ') + A);
    EXPECT_EQ(dm->AQcgz1.sqlText(), before);
}

TEST_F(HeldPicker, ChoosingLoadsTheDocumentInModifyMode)
{
    TFtjcgd1* form = openForm();
    addPendingLine(form->dh->text());

    TFxzcg1* p = openPicker(QString(), form);
    ASSERT_EQ(listed(), AB);
    dm->AQcgz1.first();
    key(p->DBGrid1, Qt::Key_Return);   // Enter in the grid chooses

    EXPECT_TRUE(rec.empty()) << rec.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(shown(form), QStringLiteral("修改采购入库单|修改|2024-03-01|CG20240301001|华南电器|一号仓库|张三|A单|10|90|50|3|100"));

    // Only the saved lines, in line order; the header query stays on the chosen row.
    Query& c = dm->AQcgc1;
    EXPECT_EQ(c.sqlText(), QStringLiteral("SELECT * FROM cgglc\nwhere dh='CG20240301001'\nand bj='yz'\norder by id"));
    EXPECT_EQ(lineCodes(), QStringLiteral("A01 A04"));
    EXPECT_EQ(dm->AQcgz1.text(QStringLiteral("dh")), A);

    // The new document that was in hand gave back its pending line.
    EXPECT_EQ(lineCount("txm='Z9'"), 0);
}

TEST_F(HeldPicker, TakenThroughTheFormsButton)
{
    TFtjcgd1* form = openForm();
    form->ghs->setText(QStringLiteral("华北"));
    ModalScript modal;
    modal.next([&](QDialog& d) {
        auto* p = qobject_cast<TFxzcg1*>(&d);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Edit2->text(), QStringLiteral("华北"));
        EXPECT_EQ(listed(), B);
        p->xuan->click();
    });
    form->BB2->click();
    EXPECT_EQ(modal.opened(), 1);
    EXPECT_EQ(form->dh->text(), B);
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("修改"));
    EXPECT_EQ(lineCodes(), QStringLiteral("B01"));
    EXPECT_TRUE(rec.empty()) << rec.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(HeldPicker, RefusalsAndCancelLeaveTheFormAlone)
{
    TFtjcgd1* form = openForm();
    const QString before = shown(form);

    // Nothing to choose.
    TFxzcg1* p = openPicker(QStringLiteral("无此厂商"), form);
    p->xuanClick();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, QStringLiteral("没有单据可选择！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Warning);
    EXPECT_TRUE(p->isVisible());

    // A stored date that does not parse: refused before anything in the form changes, and
    // the document in hand keeps its pending line.
    exec("update cgglz set rq='2024-3-1x' where dh='CG20240301001'");
    addPendingLine(form->dh->text());
    p->Edit2->setText(QStringLiteral("华南"));
    p->chaClick();
    rec.clear();
    p->xuanClick();
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_EQ(shown(form), before);
    EXPECT_EQ(lineCount("txm='Z9'"), 1);

    // Esc closes without a load; the header query stays on the picker's rows.
    key(p->Edit2, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(shown(form), before);
    EXPECT_TRUE(dm->AQcgz1.isOpen());
    EXPECT_TRUE(dm->AQcgz1.sqlText().contains(QStringLiteral("and shbj='未审核'")));
    EXPECT_EQ(lineCount("txm='Z9'"), 1);
}

} // namespace

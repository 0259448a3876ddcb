// The purchase entry form driven offscreen: numbering, the code lookup, lines, the money
// chain, keys, the two modes, holding and settling.
#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/Utjcgd1.h"
#include "documents/purchase_save.h"
#include "Windows.h"
#include "shell/Umain1.h"
#include "support/Recorder.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#if __has_include("basic/Usp2.h") && __has_include("basic/Uck1.h") && __has_include("documents/Uxgmx1.h") \
    && __has_include("documents/Uxgmx4.h") && __has_include("documents/Uxzcg1.h")
#include "basic/Uck1.h"
#include "basic/Usp2.h"
#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"
#include "documents/Uxzcg1.h"
#define WITH_PICKERS 1
#endif
#if __has_include("documents/Udycgd1.h") && __has_include("documents/Udycgd2.h")
#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#define WITH_PRINT 1
#endif

#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

namespace {

const QDate kToday(2026, 12, 6);
const QString kNo1 = QStringLiteral("CG20261206001");

void key(QWidget* w, int k, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void type(QWidget* w, const QString& s)
{
    for (QChar c : s)
        key(w, c.toUpper().unicode(), QString(c));
}

class PurchaseForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(kToday, QTime(10, 0)));
        shop = std::make_unique<TempShop>(false);
        dm = shop->dm.get();
        exec("insert into ck(ck) values('一号库'),('二号库')");
        exec("insert into sp(lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) values"
             "('电视','T1','彩电','台','一号库',10,10,2,20),"
             "('冰箱','T2','冰箱','台','一号库',2000,0,0,0),"
             "('杂','D1','甲件','个','一号库',5,0,0,0),"
             "('杂','D1','乙件','个','一号库',6,0,0,0),"
             "('杂','X1','外库件','个','二号库',7,0,0,0),"
             "('杂','Q''1','O''Neil 机','台','一号库',3,0,0,0)");
    }
    void TearDown() override
    {
        if (form)
            form->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shop.reset();
        Clock::unpin();
    }
    void exec(const char* sql) { dm->ADOC1.exec(QString::fromUtf8(sql)); }
    QString scalar(const char* sql)
    {
        const RecordSet rs = dm->ADOC1.execute(QString::fromUtf8(sql));
        return rs.isEmpty() ? QStringLiteral("<none>") : rs.rows.front().front().toString();
    }
    QString dump()
    {
        QString out;
        for (const char* t : {"cgglz", "cgglc", "cgfx", "sp", "fkfx"}) {
            const RecordSet rs = dm->ADOC1.execute(QStringLiteral("SELECT * FROM %1 order by id").arg(QLatin1String(t)));
            for (const auto& row : rs.rows) {
                out += QLatin1String(t);
                for (const QVariant& v : row) out += QLatin1Char('|') + v.toString();
                out += QLatin1Char('\n');
            }
        }
        return out;
    }
    void open()
    {
        form = new TFtjcgd1();
        form->show();
        form->activateWindow();
        QApplication::processEvents();
    }
    bool closed()
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull();
    }
    void header(const char* warehouse = "一号库", const char* employee = "张三", const char* supplier = "甲厂")
    {
        form->ck->setText(QString::fromUtf8(warehouse));
        form->jsr->setText(QString::fromUtf8(employee));
        form->ghs->setText(QString::fromUtf8(supplier));
    }
    void addLine(const QString& code, const QString& qty, const QString& price = QString())
    {
        form->txm->setText(code);
        if (!price.isEmpty())
            form->jg->setText(price);
        form->sl->setText(qty);
        form->SB1->click();
    }
    // A held document as the held picker leaves it in the form.
    void loadHeld(const QString& dh)
    {
        const RecordSet rs = dm->ADOC1.execute(
            QStringLiteral("SELECT ghs,ck,jsr,bz,yhe,yfe,sfe,hjsl,hjje,rq FROM cgglz where dh=") + sqlQuote(dh));
        const QVariantList& r = rs.rows.front();
        form->setWindowTitle(QStringLiteral("修改采购入库单"));
        form->ztbj->setText(QStringLiteral("修改"));
        form->DateTimePicker1->setDate(QDate::fromString(r[9].toString(), QStringLiteral("yyyy-MM-dd")));
        form->dh->setText(dh);
        QLineEdit* edits[] = {form->ghs, form->ck, form->jsr, form->bz, form->yhe, form->yfe, form->sfe, form->hjsl, form->hjje};
        for (int i = 0; i < 9; ++i) edits[i]->setText(r[i].toString());
        DM1->AQcgz1.setSql({"SELECT * FROM cgglz", "where ghs like '%%'", "and shbj='未审核'", "order by id"});
        DM1->AQcgz1.open();
        DM1->AQcgz1.locate({"dh"}, {dh});
        DM1->AQcgc1.setSql({"SELECT * FROM cgglc", "where dh=" + sqlQuote(dh), "and bj='yz'", "order by id"});
        DM1->AQcgc1.open();
    }

    std::unique_ptr<TempShop> shop;
    TDM1* dm = nullptr;
    MessageRecorder rec;
    ModalScript modal;
    QPointer<TFtjcgd1> form;
};

TEST_F(PurchaseForm, OpensOnANewDocument)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("新增采购入库单"));
    EXPECT_EQ(form->size(), QSize(812, 523));
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
    EXPECT_EQ(form->shbj->text(), QStringLiteral("未审核"));
    EXPECT_EQ(form->dh->text(), kNo1);
    EXPECT_EQ(form->DateTimePicker1->date(), kToday);
    for (QLineEdit* e : {static_cast<QLineEdit*>(form->yhe), form->yfe, static_cast<QLineEdit*>(form->sfe),
                         static_cast<QLineEdit*>(form->sl), static_cast<QLineEdit*>(form->jg), form->hjsl, form->hjje})
        EXPECT_EQ(e->text(), QStringLiteral("0")) << e->objectName().toStdString();
    EXPECT_EQ(DM1->AQcgc1.sqlLines(), purchaseLinesStatement(kNo1, false));
    EXPECT_EQ(Ftjcgd1.data(), form.data());
    EXPECT_TRUE(rec.empty());
}

TEST_F(PurchaseForm, TheMenuOpensOneForm)
{
    TFmain1 main;
    setMdiArea(main.mdi);
    wireMenus(main);
    main.show();
    main.N301->trigger();
    ASSERT_FALSE(Ftjcgd1.isNull());
    form = Ftjcgd1.data();
    EXPECT_EQ(main.mdi->subWindowList().size(), 1);
    EXPECT_EQ(form->dh->text(), kNo1);
    main.N301->trigger();
    EXPECT_EQ(Ftjcgd1.data(), form.data());
    EXPECT_EQ(main.mdi->subWindowList().size(), 1);
    form->BB6->click();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(Ftjcgd1.isNull());
    EXPECT_TRUE(main.mdi->subWindowList().isEmpty());
    // Closing the frame closes the form, which discards its pending lines.
    main.N301->trigger();
    form = Ftjcgd1.data();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    main.mdi->subWindowList().front()->close();
    EXPECT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("0"));
    // The day's numbers used up: the form closes as it opens, frame and all.
    exec("insert into cgglz(dh,kdrq,shbj) values('CG20261206999','2026-12-06','已审核')");
    main.N301->trigger();
    form = Ftjcgd1.data();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(main.mdi->subWindowList().isEmpty());
    EXPECT_EQ(rec.texts(), QStringList{"每天录入不可超过999单！"});
    setMdiArea(nullptr);
}

TEST_F(PurchaseForm, TheDaysLastNumberClosesTheForm)
{
    exec("insert into cgglz(dh,kdrq,shbj) values('CG20261206999','2026-12-06','已审核')");
    open();
    EXPECT_EQ(rec.texts(), QStringList{"每天录入不可超过999单！"});
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_TRUE(closed());
}

TEST_F(PurchaseForm, CodeLookupInTheChosenWarehouse)
{
    open();
    header();
    form->txm->setText(QStringLiteral("T1"));
    EXPECT_EQ(form->ppgg->text(), QStringLiteral("彩电"));
    EXPECT_EQ(form->dw->text(), QStringLiteral("台"));
    EXPECT_EQ(form->jg->text(), QStringLiteral("10"));
    for (const char* code : {"D1", "X1", "T1 "}) {   // twice here, only elsewhere, untrimmed
        form->txm->setText(QStringLiteral("T1"));
        form->txm->setText(QString::fromUtf8(code));
        EXPECT_EQ(form->ppgg->text(), QString()) << code;
        EXPECT_EQ(form->dw->text(), QString());
        EXPECT_EQ(form->jg->text(), QStringLiteral("0"));
    }
    form->sl->setText(QStringLiteral("1"));
    form->SB1->click();
    EXPECT_EQ(rec.texts(), QStringList{"商品不可为空！"});
    EXPECT_EQ(QApplication::focusWidget(), form->txm);
    // A code with a quote looks up.
    form->txm->setText(QStringLiteral("Q'1"));
    EXPECT_EQ(form->ppgg->text(), QStringLiteral("O'Neil 机"));
    EXPECT_EQ(rec.count(), 1);
}

TEST_F(PurchaseForm, AddingALineRoundsStoresAndTotals)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("0"));
    EXPECT_EQ(rec.texts(), QStringList{"数量不可为零！"});
    EXPECT_EQ(QApplication::focusWidget(), form->sl);

    addLine(QStringLiteral("T1"), QStringLiteral("1.239"));
    EXPECT_EQ(scalar("SELECT printf('%s %s %g %g %g %.2f',dh,bj,sl,jg,zk,je) FROM cgglc"),
              QStringLiteral("CG20261206001 dz 1.24 10 1 12.40"));
    EXPECT_EQ(form->hjsl->text(), QStringLiteral("1.24"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("12.4"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("12.4"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("12.4"));
    EXPECT_EQ(form->txm->text(), QString());
    EXPECT_EQ(form->ppgg->text(), QString());
    EXPECT_EQ(form->dw->text(), QString());
    EXPECT_EQ(form->sl->text(), QStringLiteral("1.24"));
    EXPECT_EQ(QApplication::focusWidget(), form->txm);

    // Halves go to the even neighbour; a lone "-" is no quantity.
    addLine(QStringLiteral("T1"), QStringLiteral("1.005"));
    addLine(QStringLiteral("T1"), QStringLiteral("1.015"));
    addLine(QStringLiteral("T1"), QStringLiteral("-"));
    EXPECT_EQ(rec.count(), 2);
    EXPECT_EQ(rec.last().text, QStringLiteral("数量不可为零！"));
    EXPECT_EQ(scalar("SELECT group_concat(printf('%g',sl)) FROM cgglc"), QStringLiteral("1.24,1,1.02"));
    EXPECT_EQ(form->hjsl->text(), QStringLiteral("3.26"));
}

TEST_F(PurchaseForm, AReturnLineIsRedAndTheMoneyFollows)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("-2"), QStringLiteral("10"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("-20"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("-20"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("-20"));
    EXPECT_EQ(form->DBGrid1->rowStyle(0).font, QColor(Qt::red));
    addLine(QStringLiteral("T1"), QStringLiteral("3"));
    EXPECT_FALSE(form->DBGrid1->rowStyle(1).font.isValid());
}

TEST_F(PurchaseForm, MoneyChain)
{
    open();
    form->hjje->setText(QStringLiteral("100"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("100"));
    form->yhe->setText(QStringLiteral("10"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("90"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("90"));
    form->sfe->setText(QStringLiteral("50"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("90"));
    form->yhe->setText(QStringLiteral("20"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("80"));
    form->yhe->setText(QStringLiteral("-"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("100"));
    form->hjje->setText(QStringLiteral("60"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("60"));
    form->yhe->setText(QString());
    EXPECT_EQ(form->yhe->text(), QStringLiteral("0"));
    for (QLineEdit* e : {static_cast<QLineEdit*>(form->sfe), static_cast<QLineEdit*>(form->sl), static_cast<QLineEdit*>(form->jg)}) {
        e->setText(QStringLiteral(" "));
        EXPECT_EQ(e->text(), QStringLiteral("0"));
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(PurchaseForm, LeavingMoneyFieldsRoundsThem)
{
    open();
    header();
    form->yhe->setFocus();
    form->yhe->setText(QStringLiteral("1.239"));
    form->sfe->setFocus();
    EXPECT_EQ(form->yhe->text(), QStringLiteral("1.24"));
    form->sfe->setText(QStringLiteral("-"));
    form->sl->setFocus();
    EXPECT_EQ(form->sfe->text(), QStringLiteral("0"));
    form->sl->setText(QStringLiteral("2.5"));
    form->jg->setFocus();
    EXPECT_EQ(form->sl->text(), QStringLiteral("2.5"));
    form->jg->setText(QStringLiteral("3.333"));
    form->bz->setFocus();
    EXPECT_EQ(form->jg->text(), QStringLiteral("3.33"));
    // Leaving an empty warehouse is refused; opening a message does not count as leaving.
    form->ck->clear();
    form->ck->setFocus();
    form->jsr->setFocus();
    EXPECT_EQ(rec.texts(), QStringList{"仓库不可为空！"});
    EXPECT_EQ(QApplication::focusWidget(), form->ck);
}

TEST_F(PurchaseForm, KeyFiltersAndEnterChain)
{
    open();
    header();
    form->sl->setFocus();
    form->sl->selectAll();
    type(form->sl, QStringLiteral("1-2.."));
    EXPECT_EQ(form->sl->text(), QStringLiteral("1-2."));
    form->jg->setFocus();
    form->jg->selectAll();
    type(form->jg, QStringLiteral("-1.5.a"));
    EXPECT_EQ(form->jg->text(), QStringLiteral("1.5"));

    // Enter in the code with a goods found moves to the quantity; Enter there adds the line.
    form->txm->setFocus();
    type(form->txm, QStringLiteral("T1"));
    key(form->txm, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->sl);
    form->sl->setText(QStringLiteral("2"));
    key(form->sl, Qt::Key_Return);
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("1"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("20"));
    form->dh->setFocus();
    key(form->dh, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->ck);
    form->DateTimePicker1->setFocus();
    key(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->jsr);
    form->ck->setFocus();
    key(form->ck, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->jsr);
    key(form->jsr, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->ghs);
    key(form->ghs, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->txm);
    form->yhe->setFocus();
    key(form->yhe, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->bz);

    // F7 opens the print menu under its button.
    key(form->bz, Qt::Key_F7);
    EXPECT_TRUE(form->PM2->isVisible());
    form->PM2->hide();
    // Enter in the remark settles.
    key(form->bz, Qt::Key_Return);
    EXPECT_EQ(scalar("SELECT shbj FROM cgglz"), QStringLiteral("已审核"));
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206002"));
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
}

TEST_F(PurchaseForm, LineOperationsRefuseAnEmptyDocument)
{
    open();
    header();
    form->SB2->click();
    form->SB3->click();
    form->N2->trigger();
    EXPECT_EQ(rec.texts(), (QStringList{"没有明细可删除！", "没有明细可修改！", "没有明细可设置！"}));
    EXPECT_EQ(rec.all()[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(modal.opened(), 0);
}

TEST_F(PurchaseForm, DeletingInNewModeRemovesTheLine)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    addLine(QStringLiteral("T2"), QStringLiteral("1"));
    rec.answer(MbCancel);
    form->SB2->click();
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("2"));
    EXPECT_EQ(rec.last().text, QStringLiteral("确定要删除此明细么？"));
    EXPECT_EQ(rec.last().buttons, MbOk | MbCancel);
    DM1->AQcgc1.first();
    form->SB2->click();
    EXPECT_EQ(scalar("SELECT ppgg FROM cgglc"), QStringLiteral("冰箱"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("2000"));
}

TEST_F(PurchaseForm, DeletingInModifyModeMarksAndF5OrClosingRestores)
{
    exec("insert into cgglz(dh,kdrq,rq,shbj,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values"
         "('CG20261201003','2026-12-01','2026-12-01','未审核','一号库','甲厂','张三','',3,30,0,30,30,0)");
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values"
         "('CG20261201003','yz','T1','彩电','台',1,10,1,10),('CG20261201003','yz','T1','彩电','台',2,10,1,20)");
    for (int round = 0; round < 2; ++round) {
        open();
        loadHeld(QStringLiteral("CG20261201003"));
        DM1->AQcgc1.last();
        form->SB2->click();
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,ds"));
        EXPECT_EQ(DM1->AQcgc1.recordCount(), 1);
        EXPECT_EQ(form->hjje->text(), QStringLiteral("10"));
        // A line added during the change and deleted again goes at once.
        addLine(QStringLiteral("T2"), QStringLiteral("1"));
        EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where bj='dz'"), QStringLiteral("1"));
        DM1->AQcgc1.last();
        form->SB2->click();
        EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("2"));
        addLine(QStringLiteral("T2"), QStringLiteral("1"));
        if (round == 0) {
            form->BB1->click();
            EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
            EXPECT_EQ(form->dh->text(), kNo1);
            form->close();
        } else {
            form->close();
        }
        ASSERT_TRUE(closed());
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,yz")) << round;
    }
}

TEST_F(PurchaseForm, ClosingDiscardsOnlyThisDocumentsPendingLines)
{
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('CG20261205001','dz','T1','彩电','台',1,10,1,10)");
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB6->click();
    ASSERT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT group_concat(dh) FROM cgglc"), QStringLiteral("CG20261205001"));
}

TEST_F(PurchaseForm, TheFormWorksOnItsOwnLines)
{
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('CG20261205001','yz','T1','彩电','台',7,10,1,70)");
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    // Another window re-points the shared line query.
    DM1->AQcgc1.setSql({"SELECT * FROM cgglc", "order by id"});
    DM1->AQcgc1.open();
    addLine(QStringLiteral("T1"), QStringLiteral("2"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("30"));
    DM1->AQcgc1.setSql({"SELECT * FROM cgglc", "where dh='CG20261205001'"});
    DM1->AQcgc1.open();
    form->SB2->click();
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where dh='CG20261205001'"), QStringLiteral("1"));
    EXPECT_EQ(form->hjsl->text(), QStringLiteral("2"));
    DM1->AQcgc1.close();
    form->BB4->click();
    EXPECT_EQ(scalar("SELECT printf('%g',hjje) FROM cgglz"), QStringLiteral("20"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), QStringLiteral("1"));
}

TEST_F(PurchaseForm, SavingChecksFieldsLinesAndSigns)
{
    open();
    form->jsr->setText(QStringLiteral("张三"));
    form->BB5->click();
    EXPECT_EQ(rec.texts(), QStringList{"仓库不可为空！"});
    EXPECT_EQ(QApplication::focusWidget(), form->ck);
    rec.clear();
    header();
    form->BB5->click();
    EXPECT_EQ(rec.texts(), QStringList{"明细不可为空！"});
    addLine(QStringLiteral("T1"), QStringLiteral("10"));
    form->yhe->setText(QStringLiteral("10"));
    form->sfe->setText(QStringLiteral("95"));
    rec.clear();
    form->BB4->click();
    EXPECT_EQ(rec.texts(), QStringList{"付款单据，实付额不可大于应付额！"});
    EXPECT_EQ(rec.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglz"), QStringLiteral("0"));
    // A lone "-" in the discount counts as 0, and the money texts are rounded.
    form->yhe->setText(QStringLiteral("-"));
    form->sfe->setText(QStringLiteral("49.999"));
    form->BB4->click();
    EXPECT_EQ(rec.count(), 1);
    EXPECT_EQ(scalar("SELECT printf('%g %g %g %g',yhe,yfe,sfe,qk) FROM cgglz"), QStringLiteral("0 100 50 50"));
}

TEST_F(PurchaseForm, SettlingANewDocumentStartsTheNext)
{
    open();
    header();
    form->bz->setText(QStringLiteral("备注"));
    form->DateTimePicker1->setDate(QDate(2026, 12, 2));
    addLine(QStringLiteral("T1"), QStringLiteral("5"), QStringLiteral("20"));
    form->yhe->setText(QStringLiteral("10"));
    form->sfe->setText(QStringLiteral("50"));
    form->BB4->click();
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %s %g %g',shbj,zhidan,kdrq,rq,yfe,qk) FROM cgglz"),
              QStringLiteral("已审核 系统管理员 2026-12-06 2026-12-02 90 40"));
    EXPECT_EQ(scalar("SELECT printf('%g %s %s %s',je,shbj,rq,dh) FROM fkfx"),
              QStringLiteral("50 已审核 2026-12-02 CG20261206001"));
    EXPECT_EQ(scalar("SELECT bj FROM cgglc"), QStringLiteral("yz"));
    EXPECT_EQ(scalar("SELECT printf('%g %g',kcsl,kcje) FROM sp where txm='T1'"), QStringLiteral("15 120"));

    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206002"));
    EXPECT_EQ(form->ck->text(), QStringLiteral("一号库"));
    EXPECT_EQ(form->jsr->text(), QStringLiteral("张三"));
    EXPECT_EQ(form->bz->text(), QStringLiteral("备注"));
    EXPECT_EQ(form->DateTimePicker1->date(), QDate(2026, 12, 2));
    EXPECT_EQ(form->ghs->text(), QString());
    for (QLineEdit* e : {static_cast<QLineEdit*>(form->yhe), form->yfe, static_cast<QLineEdit*>(form->sfe), form->hjsl, form->hjje})
        EXPECT_EQ(e->text(), QStringLiteral("0"));
    EXPECT_EQ(DM1->AQcgc1.recordCount(), 0);
    EXPECT_EQ(QApplication::focusWidget(), form->ghs);

    // Holding with nothing paid writes no payment.
    form->ghs->setText(QStringLiteral("乙厂"));
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB5->click();
    EXPECT_EQ(scalar("SELECT shbj FROM cgglz where dh='CG20261206002'"), QStringLiteral("未审核"));
    EXPECT_EQ(scalar("SELECT count(*) FROM fkfx"), QStringLiteral("1"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), QStringLiteral("1"));
}

TEST_F(PurchaseForm, AHeldDocumentSavedAgainKeepsNumberAndEntryDate)
{
    exec("insert into cgglz(dh,kdrq,rq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values"
         "('CG20261201003','2026-12-01','2026-12-01','未审核','旧人','一号库','甲厂','张三','',3,30,0,30,30,0)");
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values"
         "('CG20261201003','yz','T1','彩电','台',1,10,1,10),('CG20261201003','yz','T1','彩电','台',2,10,1,20)");
    open();
    loadHeld(QStringLiteral("CG20261201003"));
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("修改"));
    DM1->AQcgc1.first();
    form->SB2->click();
    addLine(QStringLiteral("T2"), QStringLiteral("1"), QStringLiteral("5"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("25"));
    form->BB5->click();
    EXPECT_TRUE(rec.texts().size() == 1) << rec.texts().join(',').toStdString();   // the delete question
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %s %g',dh,kdrq,zhidan,shbj,hjje) FROM cgglz"),
              QStringLiteral("CG20261201003 2026-12-01 系统管理员 未审核 25"));
    EXPECT_EQ(scalar("SELECT group_concat(printf('%s:%g',bj,sl)) FROM cgglc"), QStringLiteral("yz:2,yz:1"));
    // The form is back on a blank new document.
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("新增采购入库单"));
    EXPECT_EQ(form->dh->text(), kNo1);
    EXPECT_EQ(form->ck->text(), QString());

    // Settled later from modify mode; an audited document cannot be saved over.
    loadHeld(QStringLiteral("CG20261201003"));
    exec("update cgglz set shbj='已审核'");
    form->BB4->click();
    EXPECT_EQ(rec.last().text, QStringLiteral("此挂单已不存在或已审核，不能再保存！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), QStringLiteral("0"));
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("修改"));
    exec("update cgglz set shbj='未审核'");
    form->BB4->click();
    EXPECT_EQ(scalar("SELECT shbj FROM cgglz"), QStringLiteral("已审核"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx where rq='2026-12-01'"), QStringLiteral("2"));
}

TEST_F(PurchaseForm, SavingTheDaysLastNumberClosesTheForm)
{
    exec("insert into cgglz(dh,kdrq,shbj) values('CG20261206998','2026-12-06','已审核')");
    open();
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206999"));
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB5->click();
    EXPECT_EQ(rec.texts(), QStringList{"每天录入不可超过999单！"});
    EXPECT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT bj FROM cgglc where dh='CG20261206999'"), QStringLiteral("yz"));
    EXPECT_EQ(scalar("SELECT shbj FROM cgglz where dh='CG20261206999'"), QStringLiteral("未审核"));
}

TEST_F(PurchaseForm, AcrossMidnightTheNextNumberTakesTheNewDate)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    Clock::pin(QDateTime(kToday.addDays(1), QTime(0, 1)));
    form->BB5->click();
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261207002"));
    // Today's last header (entered after midnight) still carries yesterday's date.
    form->BB1->click();
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261207002"));
    EXPECT_EQ(form->DateTimePicker1->date(), kToday.addDays(1));
}

TEST_F(PurchaseForm, AFailureMidSaveLeavesDatabaseAndForm)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("5"), QStringLiteral("3"));
    addLine(QStringLiteral("T2"), QStringLiteral("1"));
    form->sfe->setText(QStringLiteral("10"));
    exec("create trigger fail_pay before insert on fkfx begin select raise(abort, 'injected'); end");
    const QString before = dump();
    form->BB4->click();
    EXPECT_EQ(dump(), before);
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_TRUE(rec.last().text.contains(QStringLiteral("injected")));
    EXPECT_EQ(form->dh->text(), kNo1);
    EXPECT_EQ(form->ghs->text(), QStringLiteral("甲厂"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("10"));
    EXPECT_EQ(DM1->AQcgc1.recordCount(), 2);
    exec("drop trigger fail_pay");
    form->BB4->click();
    EXPECT_EQ(scalar("SELECT count(*) FROM fkfx"), QStringLiteral("1"));
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206002"));
}

TEST_F(PurchaseForm, ClosedHeaderQueryClosesTheForm)
{
    open();
    header();
    DM1->AQcgz1.close();
    form->txm->setText(QStringLiteral("T1"));
    form->sl->setText(QStringLiteral("1"));
    form->SB1->click();
    EXPECT_EQ(rec.texts(), QStringList{"采购数据未打开，关闭窗口后重新打开！"});
    EXPECT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("0"));
}

TEST_F(PurchaseForm, PrintChecksBeforeThePreview)
{
    open();
    header();
    form->N4->trigger();
    EXPECT_EQ(rec.texts(), QStringList{"明细不可为空！"});
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->sfe->setText(QStringLiteral("11"));
    form->N3->trigger();
    EXPECT_EQ(rec.last().text, QStringLiteral("付款单据，实付额不可大于应付额！"));
    EXPECT_EQ(rec.count(), 2);
    EXPECT_EQ(modal.opened(), 0);
#ifdef WITH_PRINT
    // A return document goes to the preview with the form's texts as they stand.
    addLine(QStringLiteral("T2"), QStringLiteral("-1"));
    form->N3->trigger();
    EXPECT_EQ(rec.count(), 2);
    EXPECT_EQ(modal.classes(), QStringList{"TFdyPreview1"});
    EXPECT_EQ(Fdycgd2->QRLdh2->Caption, kNo1);
    EXPECT_EQ(Fdycgd2->QRLghs2->Caption, QStringLiteral("甲厂"));
    EXPECT_EQ(Fdycgd2->e2->Caption, QStringLiteral("￥-1990"));
    EXPECT_TRUE(Fdycgd2->QRLdx->Caption.endsWith(QStringLiteral("(退)")));
    form->N4->trigger();
    EXPECT_EQ(modal.opened(), 2);
    EXPECT_EQ(Fdycgd1->QRLrq2->Caption, QStringLiteral("2026-12-06"));
#endif
}

TEST_F(PurchaseForm, ReleasingTheMouseOverPrintOpensItsMenu)
{
    open();
    const QPointF inside(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, inside, form->BB3->mapToGlobal(inside), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(form->BB3, &press);
    EXPECT_FALSE(form->PM2->isVisible());
    QMouseEvent release(QEvent::MouseButtonRelease, inside, form->BB3->mapToGlobal(inside), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->BB3, &release);
    EXPECT_TRUE(form->PM2->isVisible());
    EXPECT_EQ(form->PM2->actions().size(), 2);
    EXPECT_EQ(form->N3->text(), QStringLiteral("带编码打印"));
    EXPECT_EQ(form->N4->text(), QStringLiteral("不带编码打印"));
    form->PM2->hide();
}

#ifdef WITH_PICKERS
TEST_F(PurchaseForm, WarehousePickerAndGoodsPicker)
{
    open();
    form->SpeedButton3->click();
    EXPECT_EQ(rec.texts(), QStringList{"仓库不可为空！"});
    EXPECT_TRUE(Fsp2.isNull());

    modal.next([](QDialog& d) {
        auto& picker = dynamic_cast<TFck1&>(d);
        EXPECT_EQ(picker.xzbj->text(), QStringLiteral("tjcg"));
        ASSERT_TRUE(DM1->AQck1.locate({"ck"}, {QStringLiteral("一号库")}));
        picker.xuan->click();
    });
    form->SpeedButton4->click();
    EXPECT_EQ(form->ck->text(), QStringLiteral("一号库"));

    form->SpeedButton3->click();
    ASSERT_FALSE(Fsp2.isNull());
    EXPECT_EQ(Fsp2->xzbj->text(), QStringLiteral("tjcg"));
    EXPECT_EQ(Fsp2->Edit2->text(), QStringLiteral("一号库"));
    EXPECT_TRUE(Fsp2->DBGrid1->isColumnVisible(4));
    for (int c = 5; c <= 7; ++c) EXPECT_FALSE(Fsp2->DBGrid1->isColumnVisible(c));
    EXPECT_EQ(DM1->AQsp1.sqlLines(), (QStringList{"SELECT * FROM sp", "where ck='一号库'", "order by id"}));
    ASSERT_TRUE(DM1->AQsp1.locate({"txm"}, {QStringLiteral("T2")}));
    Fsp2->xuanClick();
    EXPECT_EQ(scalar("SELECT printf('%s %s %g %g',dh,bj,sl,je) FROM cgglc"), QStringLiteral("CG20261206001 dz 1 2000"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("2000"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("2000"));
    // Another window re-points the line query before the next choice: the form keeps its own total.
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('CG20261205001','yz','T1','彩电','台',7,10,1,70)");
    DM1->AQcgc1.setSql({"SELECT * FROM cgglc", "order by id"});
    DM1->AQcgc1.open();
    Fsp2->xuanClick();
    EXPECT_EQ(form->hjsl->text(), QStringLiteral("2"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("4000"));
    form->close();
    ASSERT_TRUE(closed());
    EXPECT_TRUE(Fsp2.isNull());
}

TEST_F(PurchaseForm, LineDialogs)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("2"));
    addLine(QStringLiteral("T2"), QStringLiteral("1"), QStringLiteral("100"));
    DM1->AQcgc1.first();
    modal.next([](QDialog& d) {
        auto& dlg = dynamic_cast<TFxgmx1&>(d);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("修改采购明细"));
        EXPECT_EQ(dlg.ST1->text(), QStringLiteral("cgmx"));
        EXPECT_EQ(dlg.txm->text(), QStringLiteral("T1"));
        EXPECT_EQ(dlg.ppgg->text(), QStringLiteral("彩电"));
        EXPECT_EQ(dlg.sl->text(), QStringLiteral("2"));
        EXPECT_EQ(dlg.jg->text(), QStringLiteral("10"));
        EXPECT_EQ(dlg.zk->text(), QStringLiteral("1"));
        EXPECT_EQ(dlg.je->text(), QStringLiteral("20"));
        dlg.sl->setText(QStringLiteral("3"));
        dlg.BitBtn1->click();
    });
    form->SB3->click();
    EXPECT_EQ(form->hjje->text(), QStringLiteral("130"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("130"));

    modal.next([](QDialog& d) {
        auto& dlg = dynamic_cast<TFxgmx4&>(d);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("采购单折扣率"));
        EXPECT_EQ(dlg.ST1->text(), QStringLiteral("cgmx"));
        EXPECT_EQ(dlg.zk->text(), QStringLiteral("1"));
        dlg.zk->setText(QStringLiteral("0.5"));
        dlg.BitBtn1->click();
    });
    form->N2->trigger();
    EXPECT_EQ(form->hjje->text(), QStringLiteral("65"));
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("dz,dz"));
    EXPECT_TRUE(rec.empty());
}

TEST_F(PurchaseForm, TakingAHeldDocumentGivesUpTheDocumentInHand)
{
    exec("insert into cgglz(dh,kdrq,rq,shbj,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values"
         "('CG20261201003','2026-12-01','2026-12-01','未审核','一号库','甲厂','张三','',2,20,0,20,20,0)");
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('CG20261201003','yz','T1','彩电','台',2,10,1,20)");
    open();
    header();
    addLine(QStringLiteral("T2"), QStringLiteral("1"));

    // Cancelled: nothing changes.
    modal.next([](QDialog& d) {
        auto& picker = dynamic_cast<TFxzcg1&>(d);
        EXPECT_EQ(picker.Edit2->text(), QStringLiteral("甲厂"));
        picker.guan->click();
    });
    form->BB2->click();
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where bj='dz'"), QStringLiteral("1"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("2000"));

    modal.next([](QDialog& d) { dynamic_cast<TFxzcg1&>(d).xuan->click(); });
    form->BB2->click();
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("修改"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("修改采购入库单"));
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261201003"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where bj='dz'"), QStringLiteral("0"));
    EXPECT_EQ(DM1->AQcgc1.sqlLines(), purchaseLinesStatement(QStringLiteral("CG20261201003"), true));
    addLine(QStringLiteral("T2"), QStringLiteral("1"), QStringLiteral("5"));
    form->BB4->click();
    EXPECT_EQ(scalar("SELECT printf('%s %g',shbj,hjje) FROM cgglz"), QStringLiteral("已审核 25"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), QStringLiteral("2"));
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
}
#endif

}

// The purchase entry form driven offscreen: numbering, the code lookup, lines, the money
// chain, keys, the two modes, holding and settling.
#include "Windows.h"
#include "basic/Uck1.h"
#include "basic/Usp2.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/Udycgd1.h"
#include "documents/Udycgd2.h"
#include "documents/Utjcgd1.h"
#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"
#include "documents/Uxzcg1.h"
#include "documents/purchase_save.h"
#include "shell/Umain1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

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
const QString kHeld = QStringLiteral("CG20261201003");

void key(QWidget* w, int k, const QString& text = QString())
{
    for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(t, k, Qt::NoModifier, text);
        QApplication::sendEvent(w, &e);
    }
}

void type(QWidget* w, const QString& s)
{
    for (QChar c : s)
        key(w, c.toUpper().unicode(), QString(c));
}

QWidget* focus() { return QApplication::focusWidget(); }

class PurchaseForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(kToday, QTime(10, 0)));
        shop = std::make_unique<TempShop>(false);
        dm = shop->dm.get();
        exec("insert into ck(ck) values('一号库'),('二号库')");
        exec("insert into sp(lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) values"
             "('电视','T1','彩电','台','一号库',10,10,2,20),('冰箱','T2','冰箱','台','一号库',2000,0,0,0),"
             "('杂','D1','甲件','个','一号库',5,0,0,0),('杂','D1','乙件','个','一号库',6,0,0,0),"
             "('杂','X1','外库件','个','二号库',7,0,0,0),('杂','Q''1','O''Neil 机','台','一号库',3,0,0,0)");
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
        for (const char* t : {"cgglz", "cgglc", "cgfx", "sp", "fkfx"})
            for (const QVariantList& row : dm->ADOC1.execute(QStringLiteral("SELECT * FROM %1 order by id").arg(QLatin1String(t))).rows)
                out += QLatin1String(t) + QLatin1Char('|') + QVariant(row).toStringList().join(QLatin1Char('|')) + QLatin1Char('\n');
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
    void header()
    {
        form->ck->setText(QStringLiteral("一号库"));
        form->jsr->setText(QStringLiteral("张三"));
        form->ghs->setText(QStringLiteral("甲厂"));
    }
    void addLine(const QString& code, const QString& qty, const QString& price = QString())
    {
        form->txm->setText(code);
        if (!price.isEmpty())
            form->jg->setText(price);
        form->sl->setText(qty);
        form->SB1->click();
    }
    // A held document of supplier 甲厂 with two saved lines: 1 and 2 at 10.
    void seedHeld()
    {
        exec("insert into cgglz(dh,kdrq,rq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) values"
             "('CG20261201003','2026-12-01','2026-12-01','未审核','旧人','一号库','甲厂','张三','',3,30,0,30,30,0)");
        exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values"
             "('CG20261201003','yz','T1','彩电','台',1,10,1,10),('CG20261201003','yz','T1','彩电','台',2,10,1,20)");
    }
    void takeHeld()
    {
        modal.next([](QDialog& d) { dynamic_cast<TFxzcg1&>(d).xuan->click(); });
        form->BB2->click();
    }

    std::unique_ptr<TempShop> shop;
    TDM1* dm = nullptr;
    MessageRecorder rec;
    ModalScript modal;
    QPointer<TFtjcgd1> form;
};

TEST_F(PurchaseForm, TheMenuOpensOneFormOnANewDocument)
{
    TFmain1 main;
    setMdiArea(main.mdi);
    wireMenus(main);
    main.show();
    main.N301->trigger();
    main.N301->trigger();
    ASSERT_FALSE(Ftjcgd1.isNull());
    form = Ftjcgd1.data();
    EXPECT_EQ(main.mdi->subWindowList().size(), 1);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("新增采购入库单"));
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
    EXPECT_EQ(form->dh->text(), kNo1);
    EXPECT_EQ(form->DateTimePicker1->date(), kToday);
    for (QLineEdit* e : {static_cast<QLineEdit*>(form->yhe), form->yfe, static_cast<QLineEdit*>(form->sfe),
                         static_cast<QLineEdit*>(form->sl), static_cast<QLineEdit*>(form->jg), form->hjsl, form->hjje})
        EXPECT_EQ(e->text(), QStringLiteral("0")) << e->objectName().toStdString();
    EXPECT_EQ(DM1->AQcgc1.sqlLines(), purchaseLinesStatement(kNo1, false));
    // Closed by its button or by its frame, the form goes with its frame and its pending lines.
    for (bool byFrame : {false, true}) {
        if (byFrame)
            main.N301->trigger();
        form = Ftjcgd1.data();
        header();
        addLine(QStringLiteral("T1"), QStringLiteral("1"));
        if (byFrame)
            main.mdi->subWindowList().front()->close();
        else
            form->BB6->click();
        EXPECT_TRUE(closed());
        EXPECT_TRUE(main.mdi->subWindowList().isEmpty());
        EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("0"));
    }
    // The day's numbers used up: the form closes as it opens, frame and all.
    exec("insert into cgglz(dh,kdrq,shbj) values('CG20261206999','2026-12-06','已审核')");
    main.N301->trigger();
    form = Ftjcgd1.data();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(main.mdi->subWindowList().isEmpty());
    EXPECT_EQ(rec.texts(), QStringList{"每天录入不可超过999单！"});
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    setMdiArea(nullptr);
}

TEST_F(PurchaseForm, CodeLookupAndAddingALine)
{
    open();
    header();
    form->txm->setText(QStringLiteral("T1"));
    EXPECT_EQ(QStringList({form->ppgg->text(), form->dw->text(), form->jg->text()}), QStringList({"彩电", "台", "10"}));
    for (const char* code : {"D1", "X1", "T1 "}) {   // twice here, only elsewhere, untrimmed
        form->txm->setText(QStringLiteral("T1"));
        form->txm->setText(QString::fromUtf8(code));
        EXPECT_EQ(QStringList({form->ppgg->text(), form->dw->text(), form->jg->text()}), QStringList({"", "", "0"})) << code;
    }
    form->sl->setText(QStringLiteral("1"));
    form->SB1->click();
    EXPECT_EQ(rec.texts(), QStringList{"商品不可为空！"});
    EXPECT_EQ(focus(), form->txm);
    form->txm->setText(QStringLiteral("Q'1"));   // a code with a quote looks up
    EXPECT_EQ(form->ppgg->text(), QStringLiteral("O'Neil 机"));
    addLine(QStringLiteral("T1"), QStringLiteral("0"));
    EXPECT_EQ(rec.last().text, QStringLiteral("数量不可为零！"));
    EXPECT_EQ(focus(), form->sl);

    addLine(QStringLiteral("T1"), QStringLiteral("1.239"));
    EXPECT_EQ(scalar("SELECT printf('%s %s %g %g %g %.2f',dh,bj,sl,jg,zk,je) FROM cgglc"),
              QStringLiteral("CG20261206001 dz 1.24 10 1 12.40"));
    EXPECT_EQ(QStringList({form->hjsl->text(), form->hjje->text(), form->yfe->text(), form->sfe->text()}),
              QStringList({"1.24", "12.4", "12.4", "12.4"}));
    EXPECT_EQ(form->txm->text() + form->ppgg->text() + form->dw->text(), QString());
    EXPECT_EQ(form->sl->text(), QStringLiteral("1.24"));
    EXPECT_EQ(focus(), form->txm);

    // Halves go to the even neighbour; a lone "-" is no quantity.
    addLine(QStringLiteral("T1"), QStringLiteral("1.005"));
    addLine(QStringLiteral("T1"), QStringLiteral("1.015"));
    addLine(QStringLiteral("T1"), QStringLiteral("-"));
    EXPECT_EQ(rec.count(), 3);
    EXPECT_EQ(rec.last().text, QStringLiteral("数量不可为零！"));
    EXPECT_EQ(scalar("SELECT group_concat(printf('%g',sl)) FROM cgglc"), QStringLiteral("1.24,1,1.02"));
    EXPECT_EQ(form->hjsl->text(), QStringLiteral("3.26"));
}

TEST_F(PurchaseForm, ReturnLinesAndTheMoneyChain)
{
    open();
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("-2"), QStringLiteral("10"));
    EXPECT_EQ(QStringList({form->hjje->text(), form->yfe->text(), form->sfe->text()}), QStringList({"-20", "-20", "-20"}));
    EXPECT_EQ(form->DBGrid1->rowStyle(0).font, QColor(Qt::red));
    addLine(QStringLiteral("T1"), QStringLiteral("3"));
    EXPECT_FALSE(form->DBGrid1->rowStyle(1).font.isValid());

    form->hjje->setText(QStringLiteral("100"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("100"));
    form->yhe->setText(QStringLiteral("10"));
    EXPECT_EQ(form->yfe->text() + form->sfe->text(), QStringLiteral("9090"));
    form->sfe->setText(QStringLiteral("50"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("90"));
    form->yhe->setText(QStringLiteral("20"));
    EXPECT_EQ(form->sfe->text(), QStringLiteral("80"));
    form->yhe->setText(QStringLiteral("-"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("100"));
    form->hjje->setText(QStringLiteral("60"));
    EXPECT_EQ(form->yfe->text(), QStringLiteral("60"));
    for (QLineEdit* e : {static_cast<QLineEdit*>(form->yhe), static_cast<QLineEdit*>(form->sfe),
                         static_cast<QLineEdit*>(form->sl), static_cast<QLineEdit*>(form->jg)}) {
        e->setText(QStringLiteral(" "));
        EXPECT_EQ(e->text(), QStringLiteral("0"));
    }

    // Leaving a money field rounds it; a lone "-" left there is 0.
    const struct { ExitEdit* field; const char* typed; const char* left; } leaving[] = {
        {form->yhe, "1.239", "1.24"}, {form->sfe, "-", "0"}, {form->sl, "2.5", "2.5"}, {form->jg, "3.333", "3.33"}};
    for (const auto& l : leaving) {
        l.field->setFocus();
        l.field->setText(QString::fromUtf8(l.typed));
        form->bz->setFocus();
        EXPECT_EQ(l.field->text(), QString::fromUtf8(l.left));
    }
    EXPECT_TRUE(rec.empty());
    // Leaving an empty warehouse is refused; opening a message does not count as leaving.
    form->ck->clear();
    form->ck->setFocus();
    form->jsr->setFocus();
    EXPECT_EQ(rec.texts(), QStringList{"仓库不可为空！"});
    EXPECT_EQ(focus(), form->ck);
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
    EXPECT_EQ(focus(), form->sl);
    form->sl->setText(QStringLiteral("2"));
    key(form->sl, Qt::Key_Return);
    EXPECT_EQ(form->hjje->text(), QStringLiteral("20"));
    const std::pair<QWidget*, QWidget*> chain[] = {{form->dh, form->ck},  {form->DateTimePicker1, form->jsr},
                                                   {form->ck, form->jsr}, {form->jsr, form->ghs},
                                                   {form->ghs, form->txm}, {form->yhe, form->bz}};
    for (const auto& [from, to] : chain) {
        from->setFocus();
        key(focus(), Qt::Key_Return);
        EXPECT_EQ(focus(), to) << from->objectName().toStdString();
    }

    // F7 opens the print menu under its button; Enter in the remark settles.
    key(form->bz, Qt::Key_F7);
    EXPECT_TRUE(form->PM2->isVisible());
    form->PM2->hide();
    key(form->bz, Qt::Key_Return);
    EXPECT_EQ(scalar("SELECT shbj FROM cgglz"), QStringLiteral("已审核"));
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206002"));
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
}

TEST_F(PurchaseForm, DeletingInNewModeRemovesTheLine)
{
    open();
    header();
    form->SB2->click();
    form->SB3->click();
    form->N2->trigger();
    EXPECT_EQ(rec.texts(), (QStringList{"没有明细可删除！", "没有明细可修改！", "没有明细可设置！"}));
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
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
    EXPECT_EQ(modal.opened(), 0);
}

TEST_F(PurchaseForm, DeletingInModifyModeMarksAndF5OrClosingRestores)
{
    seedHeld();
    for (bool byF5 : {true, false}) {
        open();
        takeHeld();
        DM1->AQcgc1.last();
        form->SB2->click();
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,ds"));
        EXPECT_EQ(DM1->AQcgc1.recordCount(), 1);
        EXPECT_EQ(form->hjje->text(), QStringLiteral("10"));
        // A line added during the change and deleted again goes at once.
        addLine(QStringLiteral("T2"), QStringLiteral("1"));
        DM1->AQcgc1.last();
        form->SB2->click();
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,ds"));
        addLine(QStringLiteral("T2"), QStringLiteral("1"));
        if (byF5) {
            key(form, Qt::Key_F5);
            EXPECT_EQ(form->ztbj->text() + form->dh->text(), QStringLiteral("新增") + kNo1);
            EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,yz"));
        }
        form->close();
        ASSERT_TRUE(closed());
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,yz")) << byF5;
    }
}

TEST_F(PurchaseForm, TheFormWorksOnItsOwnLinesAndMarks)
{
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values"
         "('CG20261205001','yz','T1','彩电','台',7,10,1,70),('CG20261205001','dz','T1','彩电','台',1,10,1,10)");
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
    EXPECT_EQ(form->hjsl->text(), QStringLiteral("2"));
    DM1->AQcgc1.close();
    form->BB4->click();
    EXPECT_EQ(scalar("SELECT printf('%g',hjje) FROM cgglz"), QStringLiteral("20"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), QStringLiteral("1"));
    // Saving and closing touch the marks of the document in hand only.
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB6->click();
    ASSERT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT group_concat(dh||':'||bj) FROM cgglc"),
              QStringLiteral("CG20261205001:yz,CG20261205001:dz,CG20261206001:yz"));
}

TEST_F(PurchaseForm, SavingChecksAndTheNextDocument)
{
    open();
    form->jsr->setText(QStringLiteral("张三"));
    form->BB5->click();
    EXPECT_EQ(rec.texts(), QStringList{"仓库不可为空！"});
    EXPECT_EQ(focus(), form->ck);
    header();
    form->BB5->click();
    EXPECT_EQ(rec.last().text, QStringLiteral("明细不可为空！"));
    form->bz->setText(QStringLiteral("备注"));
    form->DateTimePicker1->setDate(QDate(2026, 12, 2));
    addLine(QStringLiteral("T1"), QStringLiteral("5"), QStringLiteral("20"));
    form->yhe->setText(QStringLiteral("10"));
    form->sfe->setText(QStringLiteral("95"));
    form->BB4->click();
    EXPECT_EQ(rec.last().text, QStringLiteral("付款单据，实付额不可大于应付额！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglz"), QStringLiteral("0"));
    // A lone "-" in the discount counts as 0, and the money texts are rounded.
    form->yhe->setText(QStringLiteral("-"));
    form->sfe->setText(QStringLiteral("49.999"));
    form->BB4->click();
    EXPECT_EQ(rec.count(), 3);
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %s %g %g %g %g',shbj,zhidan,kdrq,rq,yhe,yfe,sfe,qk) FROM cgglz"),
              QStringLiteral("已审核 系统管理员 2026-12-06 2026-12-02 0 100 50 50"));
    EXPECT_EQ(scalar("SELECT printf('%g %s %s',je,rq,dh) FROM fkfx"), QStringLiteral("50 2026-12-02 CG20261206001"));

    // The next document keeps date, warehouse, employee and remark.
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206002"));
    EXPECT_EQ(QStringList({form->ck->text(), form->jsr->text(), form->bz->text(), form->ghs->text()}),
              QStringList({"一号库", "张三", "备注", ""}));
    EXPECT_EQ(form->DateTimePicker1->date(), QDate(2026, 12, 2));
    for (QLineEdit* e : {static_cast<QLineEdit*>(form->yhe), form->yfe, static_cast<QLineEdit*>(form->sfe), form->hjsl, form->hjje})
        EXPECT_EQ(e->text(), QStringLiteral("0"));
    EXPECT_EQ(DM1->AQcgc1.recordCount(), 0);
    EXPECT_EQ(focus(), form->ghs);
}

TEST_F(PurchaseForm, AHeldDocumentTakenChangedAndSavedAgain)
{
    seedHeld();
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
    EXPECT_EQ(form->hjje->text(), QStringLiteral("2000"));
    // Chosen: the document in hand gives up its pending line.
    takeHeld();
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("修改"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("修改采购入库单"));
    EXPECT_EQ(form->dh->text(), kHeld);
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where bj='dz'"), QStringLiteral("0"));
    EXPECT_EQ(DM1->AQcgc1.sqlLines(), purchaseLinesStatement(kHeld, true));
    DM1->AQcgc1.first();
    form->SB2->click();
    addLine(QStringLiteral("T2"), QStringLiteral("1"), QStringLiteral("5"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("25"));
    form->BB5->click();
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %s %g',dh,kdrq,zhidan,shbj,hjje) FROM cgglz"),
              QStringLiteral("CG20261201003 2026-12-01 系统管理员 未审核 25"));
    EXPECT_EQ(scalar("SELECT group_concat(printf('%s:%g',bj,sl)) FROM cgglc"), QStringLiteral("yz:2,yz:1"));
    // The form is back on a blank new document.
    EXPECT_EQ(QStringList({form->ztbj->text(), form->windowTitle(), form->dh->text(), form->ck->text()}),
              QStringList({"新增", "新增采购入库单", kNo1, ""}));

    // Settled later; a document audited meanwhile cannot be saved over.
    takeHeld();
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
    EXPECT_EQ(form->ztbj->text(), QStringLiteral("新增"));
}

TEST_F(PurchaseForm, NumbersAcrossMidnightAndTheDaysLast)
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
    // The day's last number saves, then the form warns and closes.
    exec("insert into cgglz(dh,kdrq,shbj) values('CG20261207998','2026-12-07','已审核')");
    form->BB1->click();
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261207999"));
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB5->click();
    EXPECT_EQ(rec.texts(), QStringList{"每天录入不可超过999单！"});
    EXPECT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT shbj||bj FROM cgglz join cgglc using(dh) where dh='CG20261207999'"), QStringLiteral("未审核yz"));
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
    EXPECT_EQ(QStringList({form->dh->text(), form->ghs->text(), form->sfe->text()}), QStringList({kNo1, "甲厂", "10"}));
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
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    EXPECT_EQ(rec.texts(), QStringList{"采购数据未打开，关闭窗口后重新打开！"});
    EXPECT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("0"));
}

TEST_F(PurchaseForm, PrintChecksBeforeThePreview)
{
    open();
    header();
    // Releasing a mouse button over the print button opens its menu.
    const QPointF inside(5, 5);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        EXPECT_FALSE(form->PM2->isVisible());
        QMouseEvent e(t, inside, form->BB3->mapToGlobal(inside), Qt::RightButton,
                      t == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form->BB3, &e);
    }
    EXPECT_TRUE(form->PM2->isVisible());
    form->PM2->hide();

    form->N4->trigger();
    EXPECT_EQ(rec.texts(), QStringList{"明细不可为空！"});
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->sfe->setText(QStringLiteral("11"));
    form->N3->trigger();
    EXPECT_EQ(rec.last().text, QStringLiteral("付款单据，实付额不可大于应付额！"));
    EXPECT_EQ(modal.opened(), 0);
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
}

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
    EXPECT_EQ(Fsp2->xzbj->text() + Fsp2->Edit2->text(), QStringLiteral("tjcg一号库"));
    for (int c = 4; c <= 7; ++c)
        EXPECT_EQ(Fsp2->DBGrid1->isColumnVisible(c), c == 4) << c;
    EXPECT_EQ(DM1->AQsp1.sqlLines(), (QStringList{"SELECT * FROM sp", "where ck='一号库'", "order by id"}));
    ASSERT_TRUE(DM1->AQsp1.locate({"txm"}, {QStringLiteral("T2")}));
    Fsp2->xuanClick();
    EXPECT_EQ(scalar("SELECT printf('%s %s %g %g',dh,bj,sl,je) FROM cgglc"), QStringLiteral("CG20261206001 dz 1 2000"));
    EXPECT_EQ(form->hjje->text() + form->sfe->text(), QStringLiteral("20002000"));
    // Another window re-points the line query before the next choice: the form keeps its own total.
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('CG20261205001','yz','T1','彩电','台',7,10,1,70)");
    DM1->AQcgc1.setSql({"SELECT * FROM cgglc", "order by id"});
    DM1->AQcgc1.open();
    Fsp2->xuanClick();
    EXPECT_EQ(form->hjsl->text() + " " + form->hjje->text(), QStringLiteral("2 4000"));
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
        EXPECT_EQ(QStringList({dlg.windowTitle(), dlg.ST1->text(), dlg.txm->text(), dlg.ppgg->text(), dlg.sl->text(),
                               dlg.jg->text(), dlg.zk->text(), dlg.je->text()}),
                  QStringList({"修改采购明细", "cgmx", "T1", "彩电", "2", "10", "1", "20"}));
        dlg.sl->setText(QStringLiteral("3"));
        dlg.BitBtn1->click();
    });
    form->SB3->click();
    EXPECT_EQ(form->hjje->text() + " " + form->yfe->text(), QStringLiteral("130 130"));
    modal.next([](QDialog& d) {
        auto& dlg = dynamic_cast<TFxgmx4&>(d);
        EXPECT_EQ(QStringList({dlg.windowTitle(), dlg.ST1->text(), dlg.zk->text()}), QStringList({"采购单折扣率", "cgmx", "1"}));
        dlg.zk->setText(QStringLiteral("0.5"));
        dlg.BitBtn1->click();
    });
    form->N2->trigger();
    EXPECT_EQ(form->hjje->text(), QStringLiteral("65"));
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("dz,dz"));
    EXPECT_TRUE(rec.empty());
}

}

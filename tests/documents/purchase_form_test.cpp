// The purchase entry form driven offscreen: numbering, the code lookup, lines, the money
// chain, keys, the two modes, holding and settling.
#include "Windows.h"
#include "basic/Uck1.h"
#include "basic/Usp2.h"
#include "data/Clock.h"
#include "documents/Udycgd2.h"
#include "documents/Utjcgd1.h"
#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"
#include "documents/Uxzcg1.h"
#include "documents/purchase_save.h"
#include "shell/Umain1.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <tuple>

namespace {

const QDate kToday(2026, 12, 6);
const QString kNo1 = QStringLiteral("CG20261206001");

QWidget* focus() { return QApplication::focusWidget(); }

// The fields' texts joined with "|".
QString texts(std::initializer_list<QLineEdit*> fields)
{
    QStringList out;
    for (QLineEdit* e : fields)
        out << e->text();
    return out.join(QLatin1Char('|'));
}

class PurchaseForm : public ShopTest {
protected:
    PurchaseForm() : ShopTest(false) {}
    void SetUp() override
    {
        Clock::pin(QDateTime(kToday, QTime(10, 0)));
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
        Clock::unpin();
    }
    void open(bool withHeader = true)
    {
        form = new TFtjcgd1();
        form->show();
        form->activateWindow();
        QApplication::processEvents();
        if (withHeader)
            header();
    }
    void header()
    {
        form->ck->setText(QStringLiteral("一号库"));
        form->jsr->setText(QStringLiteral("张三"));
        form->ghs->setText(QStringLiteral("甲厂"));
    }
    bool closed()
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull();
    }
    void addLine(const QString& code, const QString& qty, const QString& price = QString())
    {
        form->txm->setText(code);
        if (!price.isEmpty())
            form->jg->setText(price);
        form->sl->setText(qty);
        form->SB1->click();
    }
    // A held document CG20261201003 of supplier 甲厂 with two saved lines, 1 and 2 at 10.
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

    QPointer<TFtjcgd1> form;
};

TEST_F(PurchaseForm, InsideTheMainWindow)
{
    TFmain1 main;
    setMdiArea(main.mdi);
    wireMenus(main);
    main.show();
    main.activateWindow();
    QApplication::processEvents();
    // The menu opens one form, on a new document, the focus in the empty warehouse.
    main.N301->trigger();
    main.N301->trigger();
    form = Ftjcgd1.data();
    ASSERT_TRUE(form);
    auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    EXPECT_EQ(main.mdi->subWindowList().size(), 1);
    EXPECT_EQ(form->windowTitle() + form->ztbj->text() + form->dh->text(), QStringLiteral("新增采购入库单新增") + kNo1);
    ASSERT_EQ(focus(), form->ck);
    // The menu bringing the form to the front, another window taking the focus, or minimising
    // the form is no exit of the empty warehouse.
    auto* other = new QLineEdit;
    showMdiChild(other);
    main.mdi->setActiveSubWindow(frame);
    frame->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(frame->isMinimized());
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
    frame->showNormal();

    // Coming back to the form shows its own lines, whatever another window (the list's
    // un-audit) loaded into the line query meanwhile.
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("2"));
    form->BB4->click();
    main.mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->parentWidget()));
    DM1->AQcgc1.setSql({"SELECT * FROM cgglc", "where dh='CG20261206001'"});
    DM1->AQcgc1.open();
    main.mdi->setActiveSubWindow(frame);
    EXPECT_EQ(DM1->AQcgc1.sqlLines(), purchaseLinesStatement(QStringLiteral("CG20261206002"), false));
    EXPECT_EQ(form->DBGrid1->model()->rowCount(), 0);
    closeMdiForm(other);

    // The day's last number saves, then the form warns and closes, frame and all.
    exec("insert into cgglz(dh,kdrq,shbj) values('CG20261206998','2026-12-06','已审核')");
    form->BB1->click();
    EXPECT_EQ(form->dh->text(), QStringLiteral("CG20261206999"));
    header();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB5->click();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(main.mdi->subWindowList().isEmpty());
    EXPECT_EQ(rec.texts(), QStringList{"每天录入不可超过999单！"});
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    EXPECT_EQ(scalar("SELECT shbj||bj FROM cgglz join cgglc using(dh) where dh='CG20261206999'"), QStringLiteral("未审核yz"));
    setMdiArea(nullptr);
}

TEST_F(PurchaseForm, CodeLookupAndAddingALine)
{
    open();
    // code -> name|unit|price: found once here; twice here, only elsewhere, untrimmed; quoted
    const std::pair<const char*, const char*> lookups[] = {
        {"T1", "彩电|台|10"}, {"D1", "||0"}, {"X1", "||0"}, {"T1 ", "||0"}, {"Q'1", "O'Neil 机|台|3"}};
    for (const auto& [code, found] : lookups) {
        form->txm->setText(QString::fromUtf8(code));
        EXPECT_EQ(texts({form->ppgg, form->dw, form->jg}), QString::fromUtf8(found)) << code;
    }
    addLine(QStringLiteral("X1"), QStringLiteral("1"));
    EXPECT_EQ(rec.texts(), QStringList{"商品不可为空！"});
    EXPECT_EQ(focus(), form->txm);
    addLine(QStringLiteral("T1"), QStringLiteral("0"));
    EXPECT_EQ(rec.last().text, QStringLiteral("数量不可为零！"));
    EXPECT_EQ(focus(), form->sl);

    addLine(QStringLiteral("T1"), QStringLiteral("1.239"));
    EXPECT_EQ(scalar("SELECT printf('%s %s %g %g %g %.2f',dh,bj,sl,jg,zk,je) FROM cgglc"),
              QStringLiteral("CG20261206001 dz 1.24 10 1 12.40"));
    EXPECT_EQ(texts({form->hjsl, form->hjje, form->yfe, form->sfe, form->txm, form->ppgg, form->dw, form->sl}),
              QStringLiteral("1.24|12.4|12.4|12.4||||1.24"));
    EXPECT_EQ(focus(), form->txm);
    // A lone "-" is no quantity.
    addLine(QStringLiteral("T1"), QStringLiteral("-"));
    EXPECT_EQ(rec.count(), 3);
    EXPECT_EQ(rec.last().text, QStringLiteral("数量不可为零！"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc"), QStringLiteral("1"));
}

TEST_F(PurchaseForm, ReturnLinesTheMoneyChainAndLeavingFields)
{
    open();
    addLine(QStringLiteral("T1"), QStringLiteral("-2"), QStringLiteral("10"));
    EXPECT_EQ(texts({form->hjje, form->yfe, form->sfe}), QStringLiteral("-20|-20|-20"));
    EXPECT_EQ(form->DBGrid1->rowStyle(0).font, QColor(Qt::red));
    addLine(QStringLiteral("T1"), QStringLiteral("3"));
    EXPECT_FALSE(form->DBGrid1->rowStyle(1).font.isValid());

    // field typed -> payable|paid; then emptied fields read "0"
    const struct { QLineEdit* field; const char* typed; const char* after; } chain[] = {
        {form->hjje, "100", "100|100"}, {form->yhe, "10", "90|90"},   {form->sfe, "50", "90|50"},
        {form->yhe, "20", "80|80"},     {form->yhe, "-", "100|100"}, {form->hjje, "60", "60|60"},
        {form->yhe, " ", "60|60"},      {form->sfe, "", "60|0"}};
    for (const auto& c : chain) {
        c.field->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(texts({form->yfe, form->sfe}), QString::fromUtf8(c.after)) << c.typed;
    }
    EXPECT_EQ(form->yhe->text(), QStringLiteral("0"));
    // A discount that is no number: the change handler's error is shown there, nothing follows.
    form->yhe->setText(QStringLiteral("1-2"));
    EXPECT_EQ(rec.texts(), QStringList{"“1-2”不是有效的数值！"});
    EXPECT_EQ(texts({form->yfe, form->sfe}), QStringLiteral("60|0"));
    form->yhe->setText(QStringLiteral("0"));
    rec.clear();

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
    // keys typed -> text: "-" and "." once each in the quantity, no "-" in the price
    const std::tuple<QLineEdit*, const char*, const char*> typing[] = {
        {form->sl, "1-2..", "1-2."}, {form->jg, "-1.5.a", "1.5"}, {form->txm, "T1", "T1"}};
    for (const auto& [field, typed, want] : typing) {
        field->setFocus();
        field->selectAll();
        for (QChar c : QString::fromUtf8(typed))
            sendKey(field, c.toUpper().unicode(), QString(c));
        EXPECT_EQ(field->text(), QString::fromUtf8(want));
    }
    // An emptied quantity reads "0", and what is typed next replaces it.
    form->sl->setFocus();
    form->sl->selectAll();
    sendKey(form->sl, Qt::Key_Backspace);
    EXPECT_EQ(form->sl->text(), QStringLiteral("0"));
    sendKey(form->sl, '-', QStringLiteral("-"));
    sendKey(form->sl, '1', QStringLiteral("1"));
    EXPECT_EQ(form->sl->text(), QStringLiteral("-1"));
    // Enter in the code with a goods found moves to the quantity, its kept text selected, so
    // what is typed replaces it; Enter there adds the line.
    form->txm->setFocus();
    sendKey(form->txm, Qt::Key_Return);
    EXPECT_EQ(focus(), form->sl);
    sendKey(form->sl, '2', QStringLiteral("2"));
    EXPECT_EQ(form->sl->text(), QStringLiteral("2"));
    sendKey(form->sl, Qt::Key_Return);
    EXPECT_EQ(form->hjje->text(), QStringLiteral("20"));
    form->ghs->setFocus();   // Enter in a chosen field with a value moves on
    sendKey(form->ghs, Qt::Key_Return);
    EXPECT_EQ(focus(), form->txm);
    // F7 opens the print menu under its button; Enter in the remark settles.
    sendKey(form->bz, Qt::Key_F7);
    EXPECT_TRUE(form->PM2->isVisible());
    form->PM2->hide();
    sendKey(form->bz, Qt::Key_Return);
    EXPECT_EQ(scalar("SELECT shbj||printf('%g',qk) FROM cgglz") + form->dh->text(), QStringLiteral("已审核0CG20261206002"));
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
}

TEST_F(PurchaseForm, DeletingLinesInBothModes)
{
    seedHeld();
    open();
    form->SB2->click();
    form->SB3->click();
    form->N2->trigger();
    EXPECT_EQ(rec.texts(), (QStringList{"没有明细可删除！", "没有明细可修改！", "没有明细可设置！"}));
    EXPECT_EQ(rec.last().caption, QStringLiteral("警告"));
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    addLine(QStringLiteral("T2"), QStringLiteral("1"));
    rec.answer(MbCancel);
    form->SB2->click();
    EXPECT_EQ(rec.last().text, QStringLiteral("确定要删除此明细么？"));
    EXPECT_EQ(rec.last().buttons, MbOk | MbCancel);
    DM1->AQcgc1.first();
    form->SB2->click();
    EXPECT_EQ(scalar("SELECT group_concat(ppgg) FROM cgglc where bj='dz'") + form->hjje->text(), QStringLiteral("冰箱2000"));

    // Modify mode: a saved line is marked "ds" and hidden, one added during the change goes
    // at once; F5, or closing, gives the saved lines back.
    for (bool byF5 : {true, false}) {
        takeHeld();
        DM1->AQcgc1.last();
        form->SB2->click();
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,ds"));
        EXPECT_EQ(form->hjje->text() + form->hjsl->text(), QStringLiteral("101"));
        addLine(QStringLiteral("T2"), QStringLiteral("1"));
        DM1->AQcgc1.last();
        form->SB2->click();
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,ds"));
        addLine(QStringLiteral("T2"), QStringLiteral("1"));
        if (byF5)
            sendKey(form, Qt::Key_F5);
        else
            form->close();
        EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,yz")) << byF5;
    }
    EXPECT_TRUE(closed());
}

TEST_F(PurchaseForm, TheFormWorksOnItsOwnLinesAndMarks)
{
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values"
         "('CG20261205001','yz','T1','彩电','台',7,10,1,70),('CG20261205001','dz','T1','彩电','台',1,10,1,10)");
    open();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    // Other windows re-point or close the shared line query.
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
    EXPECT_EQ(scalar("SELECT printf('%g %d',hjje,(SELECT count(*) FROM cgfx)) FROM cgglz"), QStringLiteral("20 1"));
    // Saving and closing touch the marks of the document in hand only.
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->BB6->click();
    ASSERT_TRUE(closed());
    EXPECT_EQ(scalar("SELECT group_concat(dh||':'||bj) FROM cgglc"),
              QStringLiteral("CG20261205001:yz,CG20261205001:dz,CG20261206001:yz"));
}

TEST_F(PurchaseForm, SavingChecksAndTheNextDocument)
{
    open(false);
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
    EXPECT_EQ(rec.last().caption + rec.last().text, QStringLiteral("提示付款单据，实付额不可大于应付额！"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglz"), QStringLiteral("0"));
    // Held, with a lone "-" in the discount counting as 0 and the money texts rounded: the
    // header's fifteen columns, nothing posted.
    form->yhe->setText(QStringLiteral("-"));
    form->sfe->setText(QStringLiteral("49.999"));
    form->BB5->click();
    EXPECT_EQ(rec.count(), 3);
    EXPECT_EQ(scalar("SELECT printf('%s|%s|%s|%s|%s|%s|%s|%s|%g|%g|%g|%g|%g|%g|%s|%d',shbj,zhidan,kdrq,dh,rq,ck,ghs,jsr,hjsl,"
                     "hjje,yhe,yfe,sfe,qk,bz,(SELECT count(*) FROM cgfx)+(SELECT count(*) FROM fkfx)) FROM cgglz"),
              QStringLiteral("未审核|系统管理员|2026-12-06|CG20261206001|2026-12-02|一号库|甲厂|张三|5|100|0|100|50|50|备注|0"));
    // The next document keeps date, warehouse, employee and remark.
    EXPECT_EQ(texts({form->dh, form->ck, form->jsr, form->bz, form->ghs, form->yhe, form->yfe, form->sfe, form->hjsl, form->hjje}),
              QStringLiteral("CG20261206002|一号库|张三|备注||0|0|0|0|0"));
    EXPECT_EQ(form->DateTimePicker1->date(), QDate(2026, 12, 2));
    EXPECT_EQ(DM1->AQcgc1.recordCount(), 0);
    EXPECT_EQ(focus(), form->ghs);
}

TEST_F(PurchaseForm, TheHeldPickerListsHeldDocumentsOfTheSupplierAndDates)
{
    Clock::pin(QDateTime(QDate(2026, 12, 31), QTime(9, 0)));
    seedHeld();
    exec("insert into cgglz(dh,kdrq,rq,shbj,ck,ghs) values('CG20261115001','2026-11-15','2026-11-15','未审核','二号库','乙厂'),"
         "('CG20261110001','2026-11-10','2026-11-10','已审核','一号库','甲厂')");
    const QString a = QStringLiteral("CG20261201003"), b = QStringLiteral("CG20261115001");
    TFxzcg1 p(nullptr);
    p.Edit2->setText(QStringLiteral("乙"));   // the form's supplier, then shown
    p.show();
    const auto listed = [&] { return columnTexts(DM1->AQcgz1, "dh").join(' '); };
    // The last month, the date box unticked.
    EXPECT_EQ(p.windowTitle(), QStringLiteral("选择采购挂单（未审采购单）"));
    EXPECT_EQ(p.DateTimePicker1->date().toString(Qt::ISODate) + p.DateTimePicker2->date().toString(Qt::ISODate), "2026-11-302026-12-31");
    EXPECT_FALSE(p.CheckBox1->isChecked());
    EXPECT_EQ(listed(), b);

    // Enter in the supplier edit queries; the dates count only while the box is ticked. The
    // audited document never shows; the date bounds are included; a quote is text like any other.
    const QDate d1(2026, 12, 1), d15(2026, 11, 15), d20(2026, 11, 20);
    const struct { const char* supplier; bool dated; QDate from, to; QString listed; } cases[] = {
        {"甲", false, d15, d20, a}, {"", false, d15, d20, a + ' ' + b}, {"O'Neil", false, d15, d1, QString()},
        {"厂", true, d15, d20, b},  {"厂", true, d1, d1, a},
    };
    for (const auto& c : cases) {
        p.Edit2->setText(QString::fromUtf8(c.supplier));
        p.CheckBox1->setChecked(c.dated);
        p.DateTimePicker1->setDate(c.from);
        p.DateTimePicker2->setDate(c.to);
        sendKey(p.Edit2, Qt::Key_Return);
        EXPECT_EQ(listed(), c.listed) << c.supplier;
    }
    EXPECT_EQ(DM1->AQcgz1.sqlText(), QStringLiteral("SELECT * FROM cgglz\nwhere ghs like '%厂%'\n"
                                                    "and rq>='2026-12-01'and rq<='2026-12-01'\nand shbj='未审核'\norder by id"));
    EXPECT_TRUE(rec.empty());
}

TEST_F(PurchaseForm, AHeldDocumentRefusedOrTakenChangedAndSavedAgain)
{
    seedHeld();
    // Marks left on the held document by a change broken off: it is taken as saved.
    exec("update cgglc set bj='ds' where sl=2");
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('CG20261201003','dz','T1','彩电','台',9,10,1,90)");
    open();
    addLine(QStringLiteral("T2"), QStringLiteral("1"));   // pending in the document in hand
    // Refused: nothing held of the supplier; a stored date that does not parse. Then cancelled:
    // nothing in the form changes.
    modal.next([&](QDialog& d) {
        auto& p = dynamic_cast<TFxzcg1&>(d);
        EXPECT_EQ(p.Edit2->text(), QStringLiteral("甲厂"));   // the supplier in hand
        p.Edit2->setText(QStringLiteral("无此厂商"));
        p.chaClick();
        p.xuan->click();
        exec("update cgglz set rq='2026-12-1x'");
        p.Edit2->setText(QStringLiteral("甲"));
        p.chaClick();
        p.xuanClick();
        EXPECT_TRUE(p.isVisible());
        exec("update cgglz set rq='2026-12-01'");
        p.guan->click();
    });
    form->BB2->click();   // the pending line: asked first, answered OK
    EXPECT_EQ(rec.texts(), (QStringList{"当前单据的明细尚未保存，取单将放弃这些明细，是否继续？", "没有单据可选择！",
                                        "单据日期“2026-12-1x”无效，不能取单！"}));
    for (const MessageRequest& m : rec.all().mid(1)) {
        EXPECT_EQ(m.caption, QStringLiteral("警告"));
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }
    EXPECT_EQ(form->ztbj->text() + form->hjje->text() + scalar("SELECT count(*) FROM cgglc where bj='dz'"), QStringLiteral("新增20002"));

    // Enter in the picker's grid chooses: the stored fields as text, only the saved lines in
    // line order, the header query on the chosen row; the document in hand gave back its line.
    modal.next([](QDialog& d) { sendKey(dynamic_cast<TFxzcg1&>(d).DBGrid1, Qt::Key_Return); });
    form->BB2->click();
    EXPECT_EQ(form->windowTitle() + form->ztbj->text() + form->DateTimePicker1->date().toString(Qt::ISODate)
                  + texts({form->dh, form->ghs, form->ck, form->jsr, form->bz, form->yhe, form->yfe, form->sfe, form->hjsl, form->hjje}),
              QStringLiteral("修改采购入库单修改2026-12-01CG20261201003|甲厂|一号库|张三||0|30|30|3|30"));
    EXPECT_EQ(columnTexts(DM1->AQcgc1, "sl"), (QStringList{"1", "2"}));
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("yz,yz"));
    EXPECT_EQ(DM1->AQcgz1.text(QStringLiteral("dh")), QStringLiteral("CG20261201003"));

    // Changed and held again: back on a blank new document.
    DM1->AQcgc1.first();
    form->SB2->click();
    addLine(QStringLiteral("T2"), QStringLiteral("1"), QStringLiteral("5"));
    EXPECT_EQ(form->hjje->text(), QStringLiteral("25"));
    form->BB5->click();
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %s %g',dh,kdrq,zhidan,shbj,hjje) FROM cgglz"),
              QStringLiteral("CG20261201003 2026-12-01 系统管理员 未审核 25"));
    EXPECT_EQ(form->windowTitle() + form->ztbj->text() + texts({form->dh, form->ck}), QStringLiteral("新增采购入库单新增") + kNo1 + "|");

    // Settled later; a document audited meanwhile cannot be saved over.
    takeHeld();
    exec("update cgglz set shbj='已审核'");
    form->BB4->click();
    EXPECT_EQ(rec.last().caption + rec.last().text, QStringLiteral("警告此挂单已不存在或已审核，不能再保存！"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx") + form->ztbj->text(), QStringLiteral("0修改"));
    exec("update cgglz set shbj='未审核'");
    form->BB4->click();
    EXPECT_EQ(scalar("SELECT shbj||(SELECT count(*) FROM cgfx where rq='2026-12-01') FROM cgglz") + form->ztbj->text(),
              QStringLiteral("已审核2新增"));
}

TEST_F(PurchaseForm, NumbersAcrossMidnight)
{
    open();
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
    addLine(QStringLiteral("T1"), QStringLiteral("5"), QStringLiteral("3"));
    form->sfe->setText(QStringLiteral("10"));
    exec("create trigger fail_pay before insert on fkfx begin select raise(abort, 'injected'); end");
    sendKey(form->bz, Qt::Key_F8);   // through the event loop, which shows the error
    EXPECT_EQ(scalar("SELECT (SELECT count(*) FROM cgglz)||(SELECT count(*) FROM cgfx)||(SELECT group_concat(bj) FROM cgglc)"),
              QStringLiteral("00dz"));
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_TRUE(rec.last().text.contains(QStringLiteral("injected")));
    EXPECT_EQ(texts({form->dh, form->ghs, form->sfe, form->hjsl}), kNo1 + QStringLiteral("|甲厂|10|5"));
    exec("drop trigger fail_pay");
    // The hidden posting button settles through the same save: header, ledger and payment.
    form->shenhe->click();
    EXPECT_EQ(scalar("SELECT shbj||(SELECT count(*) FROM cgfx)||(SELECT count(*) FROM fkfx) FROM cgglz") + form->dh->text(),
              QStringLiteral("已审核11CG20261206002"));
    // The purchase list closes the header query when it closes: the document in hand goes on.
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    DM1->AQcgz1.close();
    addLine(QStringLiteral("T1"), QStringLiteral("2"));
    DM1->AQcgz1.close();
    header();
    form->BB5->click();
    EXPECT_EQ(rec.count(), 1);
    EXPECT_FALSE(closed());
    EXPECT_EQ(scalar("SELECT printf('%g',hjsl)||(SELECT group_concat(bj) FROM cgglc where dh=cgglz.dh) FROM cgglz where dh='CG20261206002'"),
              QStringLiteral("3yz,yz"));
}

// Every amount stays below 100 000 000 000: a typed price beyond it is refused on leaving, a
// line whose amount is beyond it is not added, and lines stored beyond it are not settled:
// their total no longer wraps round into a refund, and nothing is written.
TEST_F(PurchaseForm, AmountsBeyondTheRangeAreRefusedAndNothingIsWritten)
{
    open();
    form->jg->setFocus();
    form->jg->setText(QStringLiteral("99999999999999999999.999"));   // beyond 64 bits, to be rounded
    form->bz->setFocus();
    EXPECT_EQ(focus(), form->jg);
    EXPECT_EQ(rec.texts(), QStringList{"数值超出范围！"}) << "refused once";
    addLine(QStringLiteral("T1"), QStringLiteral("9"), QStringLiteral("99999999999.99"));
    EXPECT_EQ(count("cgglc"), 0);
    exec("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values"
         "('CG20261206001','dz','T1','彩电','台',9,99999999999999.99,1,899999999999999.91),"
         "('CG20261206001','dz','T1','彩电','台',9,99999999999999.99,1,899999999999999.91)");
    dm->AQcgc1.open();
    addLine(QStringLiteral("T1"), QStringLiteral("1"), QStringLiteral("10"));
    sendKey(form->bz, Qt::Key_F8);
    EXPECT_EQ(rec.texts(), QStringList(4, "数值超出范围！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("错误"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_EQ(scalar("SELECT (SELECT count(*) FROM cgglz)||(SELECT count(*) FROM cgfx)||(SELECT count(*) FROM fkfx)"
                     "||(SELECT group_concat(DISTINCT bj) FROM cgglc)||(SELECT kcje FROM sp where txm='T1')"),
              QStringLiteral("000dz20"));
}

TEST_F(PurchaseForm, PrintChecksBeforeThePreview)
{
    open();
    form->N4->trigger();
    addLine(QStringLiteral("T1"), QStringLiteral("1"));
    form->sfe->setText(QStringLiteral("11"));
    form->N3->trigger();
    EXPECT_EQ(rec.texts(), (QStringList{"明细不可为空！", "付款单据，实付额不可大于应付额！"}));
    EXPECT_EQ(modal.opened(), 0);
    // A return document goes to the preview with the form's texts as they stand; a lone "-"
    // left in the discount or the paid amount reads 0, as the save reads it.
    addLine(QStringLiteral("T2"), QStringLiteral("-1"));
    form->yhe->setText(QStringLiteral("-"));
    form->sfe->setText(QStringLiteral("-"));
    form->N3->trigger();
    EXPECT_EQ(rec.count(), 2);
    EXPECT_EQ(modal.classes(), QStringList{"TFdyPreview1"});
    EXPECT_EQ(Fdycgd2->QRLdh2->Caption + Fdycgd2->QRLghs2->Caption + Fdycgd2->e2->Caption, kNo1 + QStringLiteral("甲厂￥-1990"));
    EXPECT_EQ(texts({form->yhe, form->sfe}), QStringLiteral("-|-"));
}

TEST_F(PurchaseForm, PickersAnswerIntoTheFormAndItsOwnTotals)
{
    open(false);
    form->SpeedButton3->click();
    EXPECT_EQ(rec.texts(), QStringList{"仓库不可为空！"});
    modal.next([](QDialog& d) {
        ASSERT_TRUE(DM1->AQck1.locate({"ck"}, {QStringLiteral("一号库")}));
        dynamic_cast<TFck1&>(d).xuan->click();
    });
    form->SpeedButton4->click();
    form->SpeedButton3->click();
    ASSERT_FALSE(Fsp2.isNull());
    EXPECT_EQ(QStringList({form->ck->text(), Fsp2->xzbj->text(), Fsp2->Edit2->text()}), QStringList({"一号库", "tjcg", "一号库"}));
    EXPECT_EQ(DM1->AQsp1.sqlLines(), (QStringList{"SELECT * FROM sp", "where ck='一号库'", "order by id"}));
    ASSERT_TRUE(DM1->AQsp1.locate({"txm"}, {QStringLiteral("T1")}));
    Fsp2->xuanClick();
    // A browser closed the line query before the next choice: the choice goes to the form's
    // own lines all the same.
    DM1->AQcgc1.close();
    Fsp2->xuanClick();
    EXPECT_TRUE(rec.texts().size() == 1) << rec.texts().join(',').toStdString();
    EXPECT_EQ(texts({form->hjsl, form->hjje, form->sfe}), QStringLiteral("2|20|20"));
    EXPECT_EQ(DM1->AQcgc1.recordCount(), 2);
    // The line dialogs open in the purchase mode, the edit one on the current line.
    modal.next([](QDialog& d) {
        auto& dlg = dynamic_cast<TFxgmx1&>(d);
        EXPECT_EQ(dlg.ST1->text() + texts({dlg.txm, dlg.sl, dlg.jg, dlg.je}), QStringLiteral("cgmxT1|1|10|10"));
    });
    modal.next([](QDialog& d) { EXPECT_EQ(dynamic_cast<TFxgmx4&>(d).ST1->text(), QStringLiteral("cgmx")); });
    form->SB3->click();
    form->N2->trigger();
    EXPECT_EQ(modal.opened(), 3);
    form->close();
    ASSERT_TRUE(closed());
    EXPECT_TRUE(Fsp2.isNull());
}

// The form can always be left: its 关闭 button and its frame's close box close it while the
// empty warehouse has the focus; only a move to another field is refused.
TEST_F(PurchaseForm, TheFormCanAlwaysBeLeft)
{
    open(false);
    ASSERT_EQ(focus(), form->ck);
    // A click on 关闭: the press gives it the focus, the release clicks it.
    form->BB6->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(focus(), form->BB6);
    form->BB6->click();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();

    TFmain1 main;
    setMdiArea(main.mdi);
    main.show();
    main.activateWindow();
    form = openOrActivate(Ftjcgd1);
    QApplication::processEvents();
    ASSERT_EQ(focus(), form->ck);
    qobject_cast<QMdiSubWindow*>(form->parentWidget())->close();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
    setMdiArea(nullptr);
}

// F6 on a document with lines not yet saved asks first; Cancel keeps the lines and the
// document, OK goes on to the held-document picker. A document with none is not asked about.
TEST_F(PurchaseForm, TakingAHeldDocumentAsksBeforeDroppingUnsavedLines)
{
    seedHeld();
    open();
    form->BB2->click();   // nothing pending: no question
    EXPECT_TRUE(rec.empty());
    EXPECT_EQ(modal.opened(), 1);

    addLine(QStringLiteral("T1"), QStringLiteral("2"));
    const QString before = form->dh->text() + form->ztbj->text() + form->hjje->text();
    rec.answer(MbCancel);
    sendKey(form->txm, Qt::Key_F6);
    ASSERT_EQ(rec.count(), 1);
    const MessageRequest& q = rec.last();
    EXPECT_EQ(q.text, QStringLiteral("当前单据的明细尚未保存，取单将放弃这些明细，是否继续？"));
    EXPECT_EQ(q.caption, QStringLiteral("提示"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MbOk | MbCancel);
    EXPECT_EQ(modal.opened(), 1) << "Cancel opens no picker";
    EXPECT_EQ(form->dh->text() + form->ztbj->text() + form->hjje->text(), before);
    EXPECT_EQ(scalar("SELECT group_concat(printf('%s%g',bj,sl)) FROM cgglc where dh='" + kNo1 + "'"), QStringLiteral("dz2"));

    // OK: the picker; the held document taken, the pending line given up.
    takeHeld();
    EXPECT_EQ(rec.count(), 2);
    EXPECT_EQ(form->ztbj->text() + form->dh->text(), QStringLiteral("修改CG20261201003"));
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where dh='" + kNo1 + "'"), QStringLiteral("0"));
    // In modify mode a line deleted and not yet saved is pending too.
    DM1->AQcgc1.first();
    form->SB2->click();
    rec.answer(MbOk);
    rec.answer(MbCancel);
    form->BB2->click();
    EXPECT_EQ(rec.last().text, QStringLiteral("当前单据的明细尚未保存，取单将放弃这些明细，是否继续？"));
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc"), QStringLiteral("ds,yz"));
}
}

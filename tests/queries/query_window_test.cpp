// The common list window and condition dialog, driven through the purchase document list.

#include "list_shop.h"

#include "queries/ConditionDialog.h"
#include "queries/Ucxcg1.h"
#include "support/Recorder.h"
#include "ui/DataGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QStringList panels(TFcggl1& w)
{
    return {w.StatusBar1->panelText(2), w.StatusBar1->panelText(3), w.StatusBar1->panelText(5),
            w.StatusBar1->panelText(6), w.StatusBar1->panelText(7)};
}

QStringList column(Query& q, const QString& field)
{
    QStringList out;
    const int c = q.fieldIndex(field);
    for (int r = 0; r < q.recordCount(); ++r)
        out << q.cellText(r, c);
    return out;
}

void press(QWidget* w, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

// Opens the dialog through SB77 and hands it to step.
void withDialog(TFcggl1& w, ModalScript& modal, std::function<void(TFcxcg1&)> step)
{
    modal.next([step](QDialog& d) { step(static_cast<TFcxcg1&>(d)); });
    w.SB77->click();
}

ConditionValues emptyValues()
{
    ConditionValues v;
    v.edits = {QString(), QString(), QString()};
    v.combos = {0};
    return v;
}

} // namespace

TEST(QueryWindow, OpensOnHeldDocumentsOrderedByNumber)
{
    ListShop shop;
    MessageRecorder rec;
    TFcggl1& w = shop.list();
    Query& q = DM1->AQcgz1;
    ASSERT_TRUE(q.isOpen());
    EXPECT_EQ(column(q, "dh"), QStringList{"CG20240102001"});
    EXPECT_EQ(panels(w), (QStringList{"2", "50.25", "50.25", "20", "30.25"}));
    EXPECT_EQ(w.StatusBar1->panelText(0), "总计");
    EXPECT_EQ(q.sqlText(), "SELECT * FROM cgglz\nwhere shbj='未审核'\norder by dh");
    EXPECT_EQ(w.windowTitle(), "采购单据");
    EXPECT_FALSE(q.controlsDisabled());
    EXPECT_TRUE(rec.empty());
    // The legend and the tool buttons, left to right.
    ASSERT_NE(w.Shape1, nullptr);
    EXPECT_EQ(w.Shape1->palette().color(QPalette::Window), QColor(225, 255, 225));
    EXPECT_EQ(w.legendLabel->text(), "未审核单据");
    QStringList captions;
    for (auto* b : {w.SB44, w.SB55, w.SB66, w.SB77, w.SB88, w.SB99, w.SB100})
        captions << b->text();
    EXPECT_EQ(captions, (QStringList{"反审", "查单", "删除", "查询", "打印", "导出", "关闭"}));
    EXPECT_EQ(w.DBGrid1->column(4).title, "合计金额");
    EXPECT_EQ(w.DBGrid1->column(4).tint, QColor(254, 253, 222));
}

TEST(QueryWindow, OpeningAgainBringsTheSameWindowWithoutRequerying)
{
    ListShop shop;
    MessageRecorder rec;
    TFcggl1& w = shop.list();
    DM1->AQcgz1.setSort("dh DESC");
    shop.exec("UPDATE cgglz SET shbj='未审核'");
    openPurchaseList();
    EXPECT_EQ(Fcggl1.data(), &w);
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 1);
    EXPECT_EQ(DM1->AQcgz1.sort(), "dh DESC");
}

TEST(QueryWindow, EmptyDialogRunShowsEveryRowByIdAndClosesTheDialog)
{
    ListShop shop;
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    int result = -1;
    withDialog(w, modal, [&](TFcxcg1& d) {
        EXPECT_EQ(d.windowTitle(), "按条件查询");
        d.BitBtn1->click();
        result = d.result();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    Query& q = DM1->AQcgz1;
    EXPECT_EQ(column(q, "dh"), (QStringList{"CG20240101001", "CG20240102001"}));
    EXPECT_EQ(panels(w), (QStringList{"5", "150.5", "150.5", "120.25", "30.25"}));
    EXPECT_EQ(q.sqlLines(), (QStringList{"SELECT * FROM cgglz", "where ghs like '%%'", "and jsr like '%%'",
                                         "and dh like '%%'", "order by id"}));
    EXPECT_EQ(Fcxcg1.data(), nullptr);   // freed after its run
    EXPECT_TRUE(rec.empty());
}

TEST(QueryWindow, ClausesFollowTheDialogInOrder)
{
    const ConditionSpec s = TFcxcg1::describe();
    ConditionValues v = emptyValues();
    v.edits = {"华南", "张", "0101"};
    v.combos = {2};
    v.dateOn = true;
    v.from = QDate(2024, 1, 1);
    v.to = QDate(2024, 1, 31);
    v.checkBox2 = true;
    EXPECT_EQ(buildConditionClauses(s, v),
              (QStringList{"where ghs like '%华南%'", "and jsr like '%张%'", "and dh like '%0101%'",
                           "and shbj='已审核'", "and rq>='2024-01-01'and rq<='2024-01-31'", "and qk<>0"}));
    v.combos = {1};
    v.dateOn = false;
    v.checkBox2 = false;
    v.edits = {"O'Neil", "", ""};
    EXPECT_EQ(buildConditionClauses(s, v),
              (QStringList{"where ghs like '%O''Neil%'", "and jsr like '%%'", "and dh like '%%'",
                           "and shbj='未审核'"}));
}

TEST(QueryWindow, DialogConditionsSelectRows)
{
    ListShop shop;
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    Query& q = DM1->AQcgz1;

    // Only debts.
    withDialog(w, modal, [](TFcxcg1& d) { d.CheckBox2->setChecked(true); d.BitBtn1->click(); });
    EXPECT_EQ(column(q, "dh"), QStringList{"CG20240102001"});
    EXPECT_EQ(q.sqlLines().last(2), (QStringList{"and qk<>0", "order by id"}));

    // Audited only.
    withDialog(w, modal, [](TFcxcg1& d) { d.ComboBox1->setCurrentIndex(2); d.BitBtn1->click(); });
    EXPECT_EQ(column(q, "dh"), QStringList{"CG20240101001"});
    EXPECT_EQ(panels(w), (QStringList{"3", "100.25", "100.25", "100.25", "0"}));

    // One day, both ends included.
    withDialog(w, modal, [](TFcxcg1& d) {
        d.CheckBox1->setChecked(true);
        d.DateTimePicker1->setDate(QDate(2024, 1, 2));
        d.DateTimePicker2->setDate(QDate(2024, 1, 2));
        d.BitBtn1->click();
    });
    EXPECT_EQ(column(q, "dh"), QStringList{"CG20240102001"});
    EXPECT_TRUE(q.sqlLines().contains("and rq>='2024-01-02'and rq<='2024-01-02'"));

    // A supplier with a quote finds nothing and fails nothing; totals over no rows are "0".
    withDialog(w, modal, [](TFcxcg1& d) { d.Edit1->setText("O'Neil"); d.BitBtn1->click(); });
    EXPECT_TRUE(q.isOpen());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(panels(w), (QStringList{"0", "0", "0", "0", "0"}));
    EXPECT_TRUE(rec.empty());
}

TEST(QueryWindow, DialogShowForgetsThePreviousQuery)
{
    ListShop shop;
    Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    withDialog(w, modal, [](TFcxcg1& d) {
        d.Edit1->setText("北方");
        d.Edit3->setText("CG");
        d.ComboBox1->setCurrentIndex(1);
        d.CheckBox1->setChecked(true);
        d.CheckBox2->setChecked(true);
        d.BitBtn1->click();
    });
    withDialog(w, modal, [](TFcxcg1& d) {
        EXPECT_EQ(d.Edit1->text(), "");
        EXPECT_EQ(d.Edit3->text(), "");
        EXPECT_EQ(d.ComboBox1->currentIndex(), 0);
        EXPECT_EQ(d.ComboBox1->count(), 3);
        EXPECT_FALSE(d.CheckBox1->isChecked());
        EXPECT_FALSE(d.CheckBox2->isChecked());
        EXPECT_EQ(d.CheckBox2->text(), "只显示欠款单据");
        EXPECT_EQ(d.DateTimePicker2->date(), QDate(2024, 3, 31));
        EXPECT_EQ(d.DateTimePicker1->date(), QDate(2024, 2, 29));
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
    });
}

TEST(QueryWindow, DialogKeys)
{
    ListShop shop;
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    const QString sqlBefore = DM1->AQcgz1.sqlText();
    const QStringList panelsBefore = panels(w);

    // Enter walks CheckBox1 -> pickers -> combo -> edits; Esc closes without a run.
    withDialog(w, modal, [](TFcxcg1& d) {
        d.CheckBox1->setFocus();
        press(d.CheckBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.DateTimePicker1);
        d.ComboBox1->setFocus();
        press(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        press(d.Edit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit2);
        d.Edit1->setText("华南");
        press(d.Edit2, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(DM1->AQcgz1.sqlText(), sqlBefore);
    EXPECT_EQ(panels(w), panelsBefore);
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 1);

    // Enter in Edit3 runs the query.
    withDialog(w, modal, [](TFcxcg1& d) {
        d.Edit3->setFocus();
        press(d.Edit3, Qt::Key_Return);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 2);
}

TEST(QueryWindow, TitleClicksSortTheRowsInHand)
{
    ListShop shop;
    shop.header("CG20240103001", "2024-01-03", "东方家电", "已审核", "1", "75", "75", "75", "0");
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    withDialog(w, modal, [](TFcxcg1& d) { d.BitBtn1->click(); });
    Query& q = DM1->AQcgz1;
    // Any statement from here on would fail.
    shop.exec("ALTER TABLE cgglz RENAME TO cgglz_gone");

    const int amount = w.DBGrid1->columnOfField("hjje");
    w.DBGrid1->clickTitle(amount);
    EXPECT_EQ(q.sort(), "hjje ASC");
    EXPECT_EQ(column(q, "hjje"), (QStringList{"50.25", "75", "100.25"}));
    w.DBGrid1->clickTitle(amount);
    EXPECT_EQ(q.sort(), "hjje DESC");
    EXPECT_EQ(column(q, "hjje"), (QStringList{"100.25", "75", "50.25"}));
    w.DBGrid1->clickTitle(amount);
    EXPECT_EQ(q.sort(), "hjje ASC");
    for (int c = 0; c < w.DBGrid1->columnCountAll(); ++c)
        EXPECT_EQ(w.DBGrid1->isTitleBold(c), c == amount) << c;

    const int number = w.DBGrid1->columnOfField("dh");
    w.DBGrid1->clickTitle(number);
    EXPECT_EQ(q.sort(), "dh ASC");
    EXPECT_TRUE(w.DBGrid1->isTitleBold(number));
    EXPECT_FALSE(w.DBGrid1->isTitleBold(amount));
    EXPECT_TRUE(rec.empty());
    shop.exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

TEST(QueryWindow, RowColours)
{
    ListShop shop;
    shop.header("CG20240103001", "2024-01-03", "东方家电", "已审核", "1", "75", "75", "70", "5");
    shop.header("CG20240104001", "2024-01-04", "西部电器", "未审核", "1", "9", "9", "9", "0");
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    withDialog(w, modal, [](TFcxcg1& d) { d.BitBtn1->click(); });
    const QColor red(255, 0, 0), pale(225, 255, 225);
    RowStyle audited = w.DBGrid1->rowStyle(0);     // settled, audited
    EXPECT_FALSE(audited.font.isValid());
    EXPECT_FALSE(audited.brush.isValid());
    RowStyle heldDebt = w.DBGrid1->rowStyle(1);    // held with a debt
    EXPECT_EQ(heldDebt.font, red);
    EXPECT_EQ(heldDebt.brush, pale);
    RowStyle auditedDebt = w.DBGrid1->rowStyle(2);
    EXPECT_EQ(auditedDebt.font, red);
    EXPECT_FALSE(auditedDebt.brush.isValid());
    RowStyle heldPaid = w.DBGrid1->rowStyle(3);
    EXPECT_FALSE(heldPaid.font.isValid());
    EXPECT_EQ(heldPaid.brush, pale);
}

TEST(QueryWindow, ClosedQueryRefusesViewDeleteUnauditPrintExport)
{
    ListShop shop;
    MessageRecorder rec;
    TFcggl1& w = shop.list();
    DM1->AQcgz1.close();
    for (auto* b : {w.SB55, w.SB66, w.SB44, w.SB88, w.SB99})
        b->click();
    ASSERT_EQ(rec.count(), 5);
    for (const MessageRequest& m : rec.all()) {
        EXPECT_EQ(m.text, "数据表未打开，请先查询！");
        EXPECT_EQ(m.caption, "警告");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
        EXPECT_EQ(m.buttons, MbOk);
    }
    EXPECT_EQ(shop.count("cgglz"), 2);
}

TEST(QueryWindow, FailedStatementReEnablesControlsAndKeepsTheDialog)
{
    ListShop shop;
    MessageRecorder rec;
    ModalScript modal;
    TFcggl1& w = shop.list();
    shop.exec("ALTER TABLE cgglz RENAME TO cgglz_gone");
    withDialog(w, modal, [&](TFcxcg1& d) {
        d.BitBtn1->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_NE(d.result(), QDialog::Accepted);
    });
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_FALSE(DM1->AQcgz1.controlsDisabled());
    EXPECT_FALSE(DM1->AQcgz1.isOpen());
    shop.exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

TEST(QueryWindow, EscClosesTheWindowAndItsQuery)
{
    ListShop shop;
    MessageRecorder rec;
    TFcggl1& w = shop.list();
    press(w.DBGrid1, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Fcggl1.data(), nullptr);
    EXPECT_FALSE(DM1->AQcgz1.isOpen());
}

TEST(QueryWindow, RefreshLeavesTheTableQueryEmpty)
{
    ListShop shop;
    shop.exec("INSERT INTO cgfx (rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck) VALUES "
              "('2024-01-01','T1','电视','台',1,10,1,10,'华南电器','张三','CG20240101001','总仓')");
    QueryWindow::refreshTable(DM1->AQcgfx1, "cgfx");
    EXPECT_TRUE(DM1->AQcgfx1.isOpen());
    EXPECT_EQ(DM1->AQcgfx1.recordCount(), 0);
    EXPECT_EQ(DM1->AQcgfx1.sqlText(), "SELECT * FROM cgfx\nwhere dh='刷新数据'");
}

// The common list window and condition dialog, driven through the purchase document list.

#include "list_shop.h"

#include "queries/ConditionDialog.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>

TEST(QueryWindow, OpensOnHeldDocumentsAndOnlyOnce)
{
    ListShop s;
    TFcggl1& w = s.list();
    Query& q = DM1->AQcgz1;
    EXPECT_EQ(s.column("dh"), QStringList{"CG20240102001"});
    EXPECT_EQ(s.panels(), (QStringList{"2", "50.25", "50.25", "20", "30.25"}));
    EXPECT_EQ(w.StatusBar1->panelText(0), "总计");
    EXPECT_EQ(q.sqlText(), "SELECT * FROM cgglz\nwhere shbj='未审核'\norder by dh");
    EXPECT_FALSE(q.controlsDisabled());
    // Opening it again brings the same window without a new query.
    s.exec("UPDATE cgglz SET shbj='未审核'");
    openPurchaseList();
    EXPECT_EQ(Fcggl1.data(), &w);
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_TRUE(s.rec.empty());
}

TEST(QueryWindow, EmptyDialogRunShowsEveryRowByIdAndClosesTheDialog)
{
    ListShop s;
    s.list();
    int result = -1;
    s.dialog([&](TFcxcg1& d) {
        EXPECT_EQ(d.windowTitle(), "按条件查询");
        d.BitBtn1->click();
        result = d.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(s.column("dh"), (QStringList{"CG20240101001", "CG20240102001"}));
    EXPECT_EQ(s.panels(), (QStringList{"5", "150.5", "150.5", "120.25", "30.25"}));
    EXPECT_EQ(DM1->AQcgz1.sqlLines(), (QStringList{"SELECT * FROM cgglz", "where ghs like '%%'", "and jsr like '%%'",
                                                   "and dh like '%%'", "order by id"}));
    EXPECT_EQ(Fcxcg1.data(), nullptr);   // freed after its run
    EXPECT_TRUE(s.rec.empty());
}

TEST(QueryWindow, ClausesFollowTheDialogInOrder)
{
    ConditionValues v;
    v.edits = {"华南", "张", "0101"};
    v.combos = {2};
    v.dateOn = true;
    v.from = QDate(2024, 1, 1);
    v.to = QDate(2024, 1, 31);
    v.checkBox2 = true;
    EXPECT_EQ(buildConditionClauses(TFcxcg1::describe(), v),
              (QStringList{"where ghs like '%华南%'", "and jsr like '%张%'", "and dh like '%0101%'",
                           "and shbj='已审核'", "and rq>='2024-01-01'and rq<='2024-01-31'", "and qk<>0"}));
    v = ConditionValues{{"O'Neil", "", ""}, {1}, false, {}, {}, false};
    EXPECT_EQ(buildConditionClauses(TFcxcg1::describe(), v),
              (QStringList{"where ghs like '%O''Neil%'", "and jsr like '%%'", "and dh like '%%'", "and shbj='未审核'"}));
}

TEST(QueryWindow, DialogConditionsSelectRows)
{
    ListShop s;
    s.list();
    s.dialog([](TFcxcg1& d) { d.CheckBox2->setChecked(true); d.BitBtn1->click(); });
    EXPECT_EQ(s.column("dh"), QStringList{"CG20240102001"});

    s.dialog([](TFcxcg1& d) { d.ComboBox1->setCurrentIndex(2); d.BitBtn1->click(); });
    EXPECT_EQ(s.column("dh"), QStringList{"CG20240101001"});
    EXPECT_EQ(s.panels(), (QStringList{"3", "100.25", "100.25", "100.25", "0"}));

    // One day, both ends included.
    s.dialog([](TFcxcg1& d) {
        d.CheckBox1->setChecked(true);
        d.DateTimePicker1->setDate(QDate(2024, 1, 2));
        d.DateTimePicker2->setDate(QDate(2024, 1, 2));
        d.BitBtn1->click();
    });
    EXPECT_EQ(s.column("dh"), QStringList{"CG20240102001"});

    // A supplier with a quote finds nothing and breaks nothing; totals over no rows are "0".
    s.dialog([](TFcxcg1& d) { d.Edit1->setText("O'Neil"); d.BitBtn1->click(); });
    EXPECT_TRUE(DM1->AQcgz1.isOpen());
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 0);
    EXPECT_EQ(s.panels(), (QStringList{"0", "0", "0", "0", "0"}));
    EXPECT_TRUE(s.rec.empty());
}

TEST(QueryWindow, DialogShowForgetsThePreviousQueryAndEnterWalksTheFields)
{
    ListShop s;
    Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
    s.list();
    s.dialog([](TFcxcg1& d) {
        d.Edit1->setText("北方");
        d.ComboBox1->setCurrentIndex(1);
        d.CheckBox1->setChecked(true);
        d.CheckBox2->setChecked(true);
        d.BitBtn1->click();
    });
    s.dialog([](TFcxcg1& d) {
        EXPECT_EQ(d.Edit1->text(), "");
        EXPECT_EQ(d.ComboBox1->currentIndex(), 0);
        EXPECT_FALSE(d.CheckBox1->isChecked());
        EXPECT_FALSE(d.CheckBox2->isChecked());
        EXPECT_EQ(d.DateTimePicker2->date(), QDate(2024, 3, 31));
        EXPECT_EQ(d.DateTimePicker1->date(), QDate(2024, 2, 29));
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);

        press(d.CheckBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.DateTimePicker1);
        press(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        press(d.Edit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit2);
        press(d.Edit3, Qt::Key_Return);   // runs
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 2);
}

TEST(QueryWindow, EscInTheDialogLeavesTheListAsItWas)
{
    ListShop s;
    s.list();
    const QString sql = DM1->AQcgz1.sqlText();
    const QStringList totals = s.panels();
    s.dialog([](TFcxcg1& d) {
        d.Edit1->setText("华南");
        press(d.Edit1, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(DM1->AQcgz1.sqlText(), sql);
    EXPECT_EQ(s.panels(), totals);
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 1);
}

TEST(QueryWindow, TitleClicksSortTheRowsInHand)
{
    ListShop s;
    s.header("CG20240103001", "2024-01-03", "东方家电", "已审核", "1", "75", "75");
    TFcggl1& w = s.listAll();
    Query& q = DM1->AQcgz1;
    s.exec("ALTER TABLE cgglz RENAME TO cgglz_gone");   // any statement from here on fails

    const int amount = w.DBGrid1->columnOfField("hjje");
    QStringList sorts;
    for (int i = 0; i < 3; ++i) {
        w.DBGrid1->clickTitle(amount);
        sorts << q.sort();
    }
    EXPECT_EQ(sorts, (QStringList{"hjje ASC", "hjje DESC", "hjje ASC"}));
    EXPECT_EQ(s.column("hjje"), (QStringList{"50.25", "75", "100.25"}));
    for (int c = 0; c < w.DBGrid1->columnCountAll(); ++c)
        EXPECT_EQ(w.DBGrid1->isTitleBold(c), c == amount) << c;
    w.DBGrid1->clickTitle(w.DBGrid1->columnOfField("dh"));
    EXPECT_FALSE(w.DBGrid1->isTitleBold(amount));
    EXPECT_TRUE(s.rec.empty());
    s.exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

TEST(QueryWindow, RowColours)
{
    ListShop s;
    s.header("CG20240103001", "2024-01-03", "东方家电", "已审核", "1", "75", "70");
    s.header("CG20240104001", "2024-01-04", "西部电器", "未审核", "1", "9", "9");
    TFcggl1& w = s.listAll();
    const QColor red(255, 0, 0), pale(225, 255, 225), none;
    const QVector<QPair<QColor, QColor>> expected{{none, none}, {red, pale}, {red, none}, {none, pale}};
    for (int r = 0; r < expected.size(); ++r) {
        EXPECT_EQ(w.DBGrid1->rowStyle(r).font, expected[r].first) << r;
        EXPECT_EQ(w.DBGrid1->rowStyle(r).brush, expected[r].second) << r;
    }
}

TEST(QueryWindow, ClosedQueryRefusesViewDeleteUnauditPrintExport)
{
    ListShop s;
    TFcggl1& w = s.list();
    DM1->AQcgz1.close();
    for (auto* b : {w.SB55, w.SB66, w.SB44, w.SB88, w.SB99})
        b->click();
    ASSERT_EQ(s.rec.count(), 5);
    for (const MessageRequest& m : s.rec.all()) {
        EXPECT_EQ(m.text, "数据表未打开，请先查询！");
        EXPECT_EQ(m.caption, "警告");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }
    EXPECT_EQ(s.count("cgglz"), 2);
    EXPECT_EQ(s.modal.opened(), 0);
}

TEST(QueryWindow, FailedStatementReEnablesControlsAndKeepsTheDialog)
{
    ListShop s;
    s.list();
    s.exec("ALTER TABLE cgglz RENAME TO cgglz_gone");
    s.dialog([](TFcxcg1& d) {
        d.BitBtn1->click();
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(s.rec.count(), 1);
    EXPECT_EQ(s.rec.last().icon, MsgIcon::Error);
    EXPECT_FALSE(DM1->AQcgz1.controlsDisabled());
    s.exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

TEST(QueryWindow, EscClosesTheWindowItsFrameAndItsQuery)
{
    ListShop s;
    QMdiArea area;
    setMdiArea(&area);
    press(s.list().DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(Fcggl1.data(), nullptr);
    EXPECT_FALSE(DM1->AQcgz1.isOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    setMdiArea(nullptr);
}

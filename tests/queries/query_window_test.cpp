// The common list window and condition dialog, driven through the purchase document list.

#include "list_shop.h"

#include "queries/ConditionDialog.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace {
const QStringList kHeldTotals{"2", "50.25", "50.25", "20", "30.25"};
}

TEST(QueryWindow, OpensOnHeldDocumentsOnlyOnceAndEscapes)
{
    ListShop s;
    TFcggl1& w = s.list();
    Query& q = DM1->AQcgz1;
    EXPECT_EQ(s.column("dh"), QStringList{"CG20240102001"});
    EXPECT_EQ(s.panels(), kHeldTotals);
    EXPECT_EQ(q.sqlText(), "SELECT * FROM cgglz\nwhere shbj='未审核'\norder by dh");
    EXPECT_FALSE(q.controlsDisabled());
    // Esc in the condition dialog leaves the list as it was.
    s.dialog([](TFcxcg1& d) {
        d.Edit1->setText("华南");
        sendKey(d.Edit1, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(s.panels(), kHeldTotals);
    // Opening it again brings the same window without a new query.
    s.exec("UPDATE cgglz SET shbj='未审核'");
    openPurchaseList();
    EXPECT_EQ(Fcggl1.data(), &w);
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_TRUE(s.rec.empty());

    sendKey(w.DBGrid1, Qt::Key_Escape);   // closes the window and its query
    EXPECT_EQ(Fcggl1.data(), nullptr);
    EXPECT_FALSE(q.isOpen());
}

TEST(QueryWindow, ClausesFollowTheDialogInOrder)
{
    ConditionValues v{{"O'Neil", "", "0101"}, {2}, true, QDate(2024, 1, 1), QDate(2024, 1, 31), true};
    EXPECT_EQ(buildConditionClauses(TFcxcg1::describe(), v),
              (QStringList{"where ghs like '%O''Neil%'", "and jsr like '%%'", "and dh like '%0101%'",
                           "and shbj='已审核'", "and rq>='2024-01-01'and rq<='2024-01-31'", "and qk<>0"}));
}

TEST(QueryWindow, DialogStartsAfreshRunsSelectRowsFillTheTotalsAndClose)
{
    const QStringList both{"CG20240101001", "CG20240102001"}, held{"CG20240102001"};
    const struct {
        const char* what;
        std::function<void(TFcxcg1&)> set;
        QStringList rows, totals;
    } cases[] = {
        {"nothing set", [](TFcxcg1&) {}, both, {"5", "150.5", "150.5", "120.25", "30.25"}},
        {"only debts", [](TFcxcg1& d) { d.CheckBox2->setChecked(true); }, held, kHeldTotals},
        {"audited", [](TFcxcg1& d) { d.ComboBox1->setCurrentIndex(2); }, {"CG20240101001"}, {"3", "100.25", "100.25", "100.25", "0"}},
        {"one day, both ends included",
         [](TFcxcg1& d) {
             d.CheckBox1->setChecked(true);
             d.DateTimePicker1->setDate(QDate(2024, 1, 2));
             d.DateTimePicker2->setDate(QDate(2024, 1, 2));
         },
         held, kHeldTotals},
        {"a quote finds nothing",
         [](TFcxcg1& d) { d.Edit1->setText("O'Neil"); d.ComboBox1->setCurrentIndex(1); }, {}, {"0", "0", "0", "0", "0"}},
    };
    ListShop s;
    Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
    s.list();
    // Show starts afresh; Enter walks the fields and in the last edit runs.
    s.dialog([](TFcxcg1& d) {
        EXPECT_EQ(d.DateTimePicker2->date(), QDate(2024, 3, 31));
        EXPECT_EQ(d.DateTimePicker1->date(), QDate(2024, 2, 29));
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        sendKey(d.CheckBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.DateTimePicker1);
        sendKey(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        sendKey(d.Edit3, Qt::Key_Return);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_EQ(DM1->AQcgz1.recordCount(), 2);
    for (const auto& c : cases) {
        int result = -1;
        s.dialog([&](TFcxcg1& d) { c.set(d); d.BitBtn1->click(); result = d.result(); });
        EXPECT_EQ(result, QDialog::Accepted) << c.what;
        EXPECT_EQ(s.column("dh"), c.rows) << c.what;
        EXPECT_EQ(s.panels(), c.totals) << c.what;
    }
    EXPECT_EQ(DM1->AQcgz1.sqlLines().last(), "order by id");
    EXPECT_EQ(Fcxcg1.data(), nullptr);   // freed after its run
    EXPECT_TRUE(s.rec.empty());

    // A failed statement is shown, the dialog stays and the controls are enabled again.
    s.exec("ALTER TABLE cgglz RENAME TO cgglz_gone");
    s.dialog([](TFcxcg1& d) {
        sendKey(d.Edit3, Qt::Key_Return);   // runs
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(s.rec.count(), 1);
    EXPECT_EQ(s.rec.last().icon, MsgIcon::Error);
    EXPECT_FALSE(DM1->AQcgz1.controlsDisabled());
    s.exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

// Held and audited rows, debts in red (the picture is saved to be looked at); title clicks
// sort the rows in hand.
TEST(QueryWindow, RowColoursScreenshotAndTitleSort)
{
    ListShop s;
    s.header("CG20240103001", "2024-01-03", "东方家电", "已审核", "4", "880", "800");
    s.header("CG20240104001", "2024-01-04", "西部电器", "未审核", "1", "199.5", "199.5");
    TFcggl1& w = s.listAll();
    const QColor red(255, 0, 0), pale(225, 255, 225), none;
    const QVector<QPair<QColor, QColor>> expected{{none, none}, {red, pale}, {red, none}, {none, pale}};
    for (int r = 0; r < expected.size(); ++r) {
        EXPECT_EQ(w.DBGrid1->rowStyle(r).font, expected[r].first) << r;
        EXPECT_EQ(w.DBGrid1->rowStyle(r).brush, expected[r].second) << r;
    }
    DM1->AQcgz1.first();
    const QDir dir(qEnvironmentVariable("SHOP_SCREENSHOTS", QDir::tempPath()));
    EXPECT_TRUE(w.grab().save(dir.filePath("purchase_list.png")));
    s.dialog([&](TFcxcg1& d) { EXPECT_TRUE(d.grab().save(dir.filePath("purchase_list_dialog.png"))); });

    s.exec("ALTER TABLE cgglz RENAME TO cgglz_gone");   // any statement from here on fails
    const int amount = w.DBGrid1->columnOfField("hjje");
    QStringList sorts;
    for (int i = 0; i < 3; ++i) {
        w.DBGrid1->clickTitle(amount);
        sorts << DM1->AQcgz1.sort();
    }
    EXPECT_EQ(sorts, (QStringList{"hjje ASC", "hjje DESC", "hjje ASC"}));
    EXPECT_EQ(s.column("hjje"), (QStringList{"50.25", "100.25", "199.5", "880"}));
    for (int c = 0; c < w.DBGrid1->columnCountAll(); ++c)
        EXPECT_EQ(w.DBGrid1->isTitleBold(c), c == amount) << c;
    EXPECT_TRUE(s.rec.empty());
    s.exec("ALTER TABLE cgglz_gone RENAME TO cgglz");
}

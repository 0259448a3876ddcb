// Other income and expense: the entry dialog (new, modify, its checks and keys), delete, the
// list's totals after a save, a delete and a query, the red expense rows, the print.

#include "finance_shop.h"

#include "finance/Udyszfx1.h"
#include "finance/other_income.h"
#include "support/PreviewTexts.h"
#include "ui/DataGrid.h"

TEST_F(FinanceShop, NewEntriesWalkByEnterKeepTheDialogAndRecountTheTotals)
{
    TFszfx1& w = list();
    EXPECT_EQ(panels(), (QStringList{"0", "0", "0"}));
    entryDialog(w.SB44, [&](TFtjszfx1& d) {
        EXPECT_EQ(d.windowTitle() + d.ST1->text(), "新增其他收支新增");
        EXPECT_EQ(d.DateTimePicker1->date(), QDate(2024, 5, 3));
        EXPECT_EQ(QStringList({d.ComboBox1->currentText(), d.xm->text(), d.je->text(), d.jsr->text()}),
                  (QStringList{"支出", "", "0", ""}));
        EXPECT_EQ(d.focusWidget(), d.ComboBox1);

        // Enter walks; in an empty chosen field it opens the field's picker, as a double-click
        // does (closed here without a choice).
        sendKey(d.DateTimePicker1, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.ComboBox1);
        sendKey(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.xm);
        sendKey(d.xm, Qt::Key_Return);
        sendKey(d.jsr, Qt::Key_Return);
        emit d.xm->doubleClicked();
        EXPECT_EQ(modal.classes().mid(1), (QStringList{"TFszxm1", "TFyg2", "TFszxm1"}));

        d.ComboBox1->setCurrentIndex(0);
        pickItem(d, 0);
        sendKey(d.xm, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.je);
        d.je->setText("100");
        sendKey(d.je, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.jsr);
        pickEmployee(d, "张");
        sendKey(d.jsr, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.bz);
        d.bz->setText("五月");
        d.BitBtn1->click();
        EXPECT_EQ(rows(), QStringList{"2024-05-03 收入 房租收入 100 0 张三"});
        EXPECT_EQ(QStringList({d.ComboBox1->currentText(), d.xm->text(), d.je->text(), d.jsr->text(), d.bz->text()}),
                  (QStringList{"收入", "", "0", "张三", "五月"}));
        EXPECT_EQ(d.focusWidget(), d.xm);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(panels(), (QStringList{"100", "0", "100"}));

        d.ComboBox1->setCurrentIndex(1);
        pickItem(d, 1);
        d.je->setText("30.5");
        sendKey(d.bz, Qt::Key_Return);   // saves
        EXPECT_EQ(panels(), (QStringList{"100", "30.5", "69.5"}));
        sendKey(d.je, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(rows().value(1), "2024-05-03 支出 水电费 0 30.5 张三");
    // Expense rows red, income rows plain.
    EXPECT_EQ(w.DBGrid1->rowStyle(0).font, QColor());
    EXPECT_EQ(w.DBGrid1->rowStyle(1).font, QColor(255, 0, 0));
    EXPECT_EQ(w.legendLabel->text(), "支出费用");
    EXPECT_TRUE(rec.empty());
}

TEST_F(FinanceShop, EditAndDeleteThroughTheList)
{
    entry("2024-05-03", "支出", "水电费", "0", "30.5", "张三");
    TFszfx1& w = list();
    entryDialog(w.SB55, [](TFtjszfx1& d) {
        EXPECT_EQ(d.windowTitle(), "修改其他收支");
        EXPECT_EQ(QStringList({d.ComboBox1->currentText(), d.xm->text(), d.je->text(), d.jsr->text()}),
                  (QStringList{"支出", "水电费", "30.5", "张三"}));
        d.ComboBox1->setEditText(" 收入 ");
        d.je->setText("45");
        d.BitBtn1->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(rows(), QStringList{"2024-05-03 收入 水电费 45 0 张三"});
    EXPECT_EQ(panels(), (QStringList{"45", "0", "45"}));
    // An income entry shows its income amount.
    entryDialog(w.SB55, [](TFtjszfx1& d) { EXPECT_EQ(d.je->text(), "45"); });

    entry("2024-05-03", "收入", "房租收入", "100", "0", "李四");
    query();
    EXPECT_EQ(panels(), (QStringList{"145", "0", "145"}));
    rec.answer(MbCancel);
    w.SB66->click();
    EXPECT_EQ(count("szfx"), 2);
    w.N1->trigger();   // the pop-up 删除 clicks SB66
    w.SB66->click();
    EXPECT_EQ(rec.texts(), QStringList(3, "确定要删除此收支么？"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Question);
    EXPECT_EQ(count("szfx"), 0);
    EXPECT_EQ(panels(), (QStringList{"0", "0", "0"}));

    rec.clear();
    w.SB55->click();
    w.SB66->click();
    DM1->AQszfx1.close();
    for (auto* b : {w.SB55, w.SB66, w.SB88, w.SB99})
        b->click();
    EXPECT_EQ(rec.texts(), QStringList({"没有收支可修改！", "没有收支可删除！"}) + QStringList(4, "收支表未打开，请先查询！"));
    // 新增 opens a closed query on the statement it holds.
    entryDialog(w.SB44, [](TFtjszfx1&) {});
    EXPECT_TRUE(DM1->AQszfx1.isOpen());
}

TEST_F(FinanceShop, SaveChecksInOrderAndWritesNothingOnARefusal)
{
    const struct {
        const char *lb, *xm, *je, *jsr, *refusal;
        EntryField field;
    } cases[] = {
        {" ", "", "0", "", "类别不可为空！", EntryField::Category},
        {"其他", "", "0", "", "类别只能是收入或支出！", EntryField::Category},
        {"收入", " ", "0", "", "项目不可为空！", EntryField::Item},
        {"收入", "房租收入", "0.001", "", "金额不可为零！", EntryField::Amount},
        {"支出", "水电费", "5", " ", "经办人不可为空！", EntryField::Handler},
    };
    for (const auto& c : cases) {
        const auto r = checkOtherIncome({.rq = QDate(2024, 5, 3), .lb = c.lb, .xm = c.xm, .je = c.je, .jsr = c.jsr, .bz = {}});
        ASSERT_TRUE(r) << c.refusal;
        EXPECT_EQ(r->text, c.refusal);
        EXPECT_EQ(r->field, c.field) << c.refusal;
    }
    EXPECT_FALSE(checkOtherIncome({.rq = {}, .lb = " 收入", .xm = "x", .je = "1", .jsr = "张三", .bz = {}}));

    // Through the dialog: the message and the focus on the field; then the rounding of the
    // amount, a lone "." (the error box) and the amount filter.
    TFszfx1& w = list();
    entryDialog(w.SB44, [&](TFtjszfx1& d) {
        d.ComboBox1->setEditText("其他");
        d.BitBtn1->click();
        EXPECT_EQ(d.focusWidget(), d.ComboBox1);
        d.ComboBox1->setEditText("支出");
        pickItem(d, 1);
        d.BitBtn1->click();
        EXPECT_EQ(d.focusWidget(), d.je);
        d.je->setText("12.3456");
        d.BitBtn1->click();
        EXPECT_EQ(d.focusWidget(), d.jsr);
        EXPECT_EQ(d.je->text(), "12.35");
        EXPECT_EQ(rec.texts(), (QStringList{"类别只能是收入或支出！", "金额不可为零！", "经办人不可为空！"}));
        EXPECT_EQ(count("szfx"), 0);

        pickEmployee(d, "李");
        d.je->setText(".");
        sendKey(d.BitBtn1, Qt::Key_Space);   // the error reaches the error box
        EXPECT_EQ(rec.last().icon, MsgIcon::Error);
        EXPECT_EQ(count("szfx"), 0);
        d.je->clear();
        EXPECT_EQ(d.je->text(), "0");
        d.je->setCursorPosition(1);
        for (const char* typed : {"-", "1", "a", ".", "5", "."})
            sendKey(d.je, 0, typed);
        EXPECT_EQ(d.je->text(), "01.5");
        d.je->setText("12.3456");
        d.BitBtn1->click();
    });
    EXPECT_EQ(rows(), QStringList{"2024-05-03 支出 水电费 0 12.35 李四"});
}

TEST_F(FinanceShop, ListOpensOnTodayQueriesByConditionAndPrints)
{
    entry("2024-05-01", "收入", "房租收入", "100", "0", "张三");
    entry("2024-05-02", "支出", "水电费", "0", "30", "李四");
    entry("2024-05-03", "支出", "水电费", "0", "12.5", "张三");
    entry("2024-04-30", "收入", "O'Neil", "1", "0", "王五");
    TFszfx1& w = list();
    EXPECT_EQ(DM1->AQszfx1.sqlLines(), (QStringList{"SELECT * FROM szfx", "where rq='2024-05-03'", "order by id"}));
    EXPECT_EQ(panels(), (QStringList{"0", "12.5", "-12.5"}));
    const struct {
        const char* what;
        std::function<void(TConditionDialog&)> set;
        QStringList totals;
    } cases[] = {
        {"nothing set", {}, {"101", "42.5", "58.5"}},
        {"expense", [](TConditionDialog& d) { d.ComboBox1->setCurrentIndex(2); }, {"0", "42.5", "-42.5"}},
        {"employee", [](TConditionDialog& d) { d.Edit2->setText("李"); }, {"0", "30", "-30"}},
        {"a quote", [](TConditionDialog& d) { d.Edit1->setText("O'Neil"); }, {"1", "0", "1"}},
        {"dates",
         [](TConditionDialog& d) {
             d.CheckBox1->setChecked(true);
             d.DateTimePicker1->setDate(QDate(2024, 5, 1));
             d.DateTimePicker2->setDate(QDate(2024, 5, 2));
         },
         {"100", "30", "70"}},
    };
    for (const auto& c : cases) {
        query(c.set);
        EXPECT_EQ(panels(), c.totals) << c.what;
    }
    EXPECT_EQ(DM1->AQszfx1.sqlLines(),
              (QStringList{"SELECT * FROM szfx", "where xm like '%%'", "and jsr like '%%'",
                           "and rq>='2024-05-01'and rq<='2024-05-02'", "order by id"}));
    // Esc leaves this dialog open. Its rows are printed.
    query([](TConditionDialog& d) {
        d.Edit2->setText("张");
        sendKey(d.Edit2, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(panels(), (QStringList{"100", "12.5", "87.5"}));

    const QStringList names{"QRLdw", "QRL4", "QRL5", "QRD1", "QRD2", "QRD4", "QRD5", "QRD6", "e1", "e2"};
    EXPECT_EQ(previewTexts(modal, reportForm(Fdyszfx1).QuickRep1, names, [&w] { w.SB88->click(); }),
              (QStringList{"QRLdw=禾岚家电其他收支明细表", "QRL4=收入额", "QRL5=支出额", "QRD1=2024-05-01|2024-05-03",
                           "QRD2=收入|支出", "QRD4=100|0", "QRD5=0|12.5", "QRD6=张三|张三", "e1=100", "e2=12.5"}));
    EXPECT_TRUE(standsUnder(Fdyszfx1->QuickRep1, "e1", "QRL4"));
    EXPECT_TRUE(standsUnder(Fdyszfx1->QuickRep1, "e2", "QRL5"));
    EXPECT_TRUE(rec.empty());
}

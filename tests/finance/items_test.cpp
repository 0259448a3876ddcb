// Income and expense items: the picker's list and choice, adding with the uniqueness test,
// deleting, and the refusals while nothing is listed.

#include "finance_shop.h"

#include "finance/Utjszxm1.h"
#include "ui/DataGrid.h"

namespace {
QStringList items(const Query& q)
{
    QStringList out;
    for (int r = 0; r < q.recordCount(); ++r)
        out << q.cellText(r, q.fieldIndex("lb")) + q.cellText(r, q.fieldIndex("xm"));
    return out;
}
}

TEST_F(FinanceShop, ItemsAreAddedOnceEachPairTrimmedAndCaseBlind)
{
    exec("DELETE FROM szxm");
    entry("2024-05-03", "收入", "租金", "100", "0", "张三");
    TFszfx1& w = list();
    entryDialog(w.SB44, [&](TFtjszfx1& entryDlg) {   // an expense entry: every item is listed
        modal.next([&](QDialog& dlg) {
            auto& p = static_cast<TFszxm1&>(dlg);
            Query& q = *p.DBGrid1->query();
            EXPECT_EQ(p.windowTitle(), "收支项目设置");
            EXPECT_EQ(q.sqlLines(), (QStringList{"SELECT * FROM szxm", "order by id"}));
            p.xuan->click();   // nothing listed: neither a choice nor a delete
            p.chu->click();
            EXPECT_TRUE(p.isVisible());
            modal.next([&](QDialog& add) {
                auto& a = static_cast<TFtjszxm1&>(add);
                EXPECT_EQ(a.windowTitle(), "新增收支项目");
                EXPECT_EQ(a.ComboBox1->currentText(), "收入");
                EXPECT_EQ(a.focusWidget(), a.Edit1);
                // Typed name, then what follows: added (true) or refused.
                const std::pair<const char*, bool> names[] = {
                    {"租金", true}, {"  租金 ", false}, {"Rent", true}, {"rent", false}, {"O'Neil", true}, {"", false}};
                for (const auto& [name, added] : names) {
                    const int before = q.recordCount();
                    a.Edit1->setText(name);
                    sendKey(a.Edit1, Qt::Key_Return);
                    EXPECT_EQ(q.recordCount(), before + (added ? 1 : 0)) << name;
                    EXPECT_EQ(a.Edit1->text(), added ? "" : name) << name;
                    EXPECT_EQ(a.focusWidget(), a.Edit1) << name;
                }
                EXPECT_EQ(a.ComboBox1->currentText(), "收入");
                sendKey(a.ComboBox1, Qt::Key_Down);
                sendKey(a.ComboBox1, Qt::Key_Return);
                EXPECT_EQ(a.focusWidget(), a.Edit1);
                a.Edit1->setText("租金");
                a.BitBtn1->click();
                sendKey(a.Edit1, Qt::Key_Escape);
                EXPECT_FALSE(a.isVisible());
            });
            p.xin->click();
            EXPECT_EQ(items(q), (QStringList{"收入租金", "收入Rent", "收入O'Neil", "支出租金"}));
            QStringList said;
            for (const MessageRequest& m : rec.all())
                said << m.caption + m.text;
            EXPECT_EQ(said, (QStringList{"警告没有项目可选择！", "警告没有项目可删除！", "警告项目不可重复！", "警告项目不可重复！",
                                         "提示项目不可为空！"}));

            // Deleting the first item asks; the entry that uses it stays. The choice is the
            // current row's name, whatever its category.
            q.first();
            rec.answer(MbCancel);
            p.chu->click();
            EXPECT_EQ(q.recordCount(), 4);
            p.chu->click();
            EXPECT_EQ(rec.texts().mid(5), QStringList(2, "确定要删除此项目么？"));
            q.moveTo(1);
            emit p.DBGrid1->rowDoubleClicked(1);
        });
        entryDlg.SpeedButton1->click();
        EXPECT_EQ(entryDlg.xm->text(), "O'Neil");
    });
    EXPECT_EQ(scalar("SELECT group_concat(lb||xm,',') FROM szxm"), "收入Rent,收入O'Neil,支出租金");
    EXPECT_EQ(rows(), QStringList{"2024-05-03 收入 租金 100 0 张三"});
}

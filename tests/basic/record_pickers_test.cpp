// The warehouse, supplier and employee pickers: the choice written into the caller for
// each tag, the keys that choose, the refusal of an empty list, closing without writing,
// and the employee name filter.

#include "picker_fixture.h"

#include "basic/Uck1.h"
#include "basic/Ughs2.h"
#include "basic/Uyg2.h"
#include "ui/DataGrid.h"

#include <QLabel>
#include <QPushButton>

namespace {

class RecordPickers : public PickerShop {
protected:
    // Runs picker P told tag; step drives it while it is open.
    template <class P>
    int run(const QString& tag, const std::function<void(P&)>& step)
    {
        P dlg;
        dlg.xzbj->setText(tag);
        modal.next([&](QDialog&) { step(dlg); });
        return runModal(dlg);
    }
};

TEST_F(RecordPickers, WarehouseGoesToTheFieldOfEachTagAndNowhereElse)
{
    const char* routes[][3] = {{"tjcg", "tjcg", "ck"}, {"zu1", "zu", "ck1"}, {"zu2", "zu", "ck2"},
                               {"chai1", "chai", "ck1"}, {"chai2", "chai", "ck2"}};
    for (const auto& r : routes) {
        SCOPED_TRACE(r[0]);
        QHash<QString, QLineEdit*> all;
        for (const auto& t : routes)
            all[t[0]] = field(t[1], t[2]);
        EXPECT_EQ(run<TFck1>(r[0], [&](TFck1& d) {
                      EXPECT_EQ(dm->AQck1.sqlLines(), (QStringList{"SELECT * FROM ck", "order by id"}));
                      dm->AQck1.moveTo(1);
                      click(d.xuan);
                  }),
                  QDialog::Accepted);
        for (auto it = all.begin(); it != all.end(); ++it)
            EXPECT_EQ(it.value()->text(), it.key() == r[0] ? "分仓" : "") << qPrintable(it.key());
        stand.clear();
    }
}

TEST_F(RecordPickers, SupplierAndEmployeeGoToTheirFields)
{
    QLineEdit* ghs = field("tjcg", "ghs");
    run<TFghs2>("tjcg", [&](TFghs2& d) {
        dm->AQghs1.moveTo(1);
        click(d.xuan);
    });
    EXPECT_EQ(ghs->text(), "O'Neil家电");
    for (const char* tag : {"tjcg", "tjfkfx", "tjskfx", "tjszfx"}) {
        QLineEdit* jsr = field(tag, "jsr");
        run<TFyg2>(tag, [&](TFyg2& d) {
            EXPECT_EQ(d.windowTitle(), "选择员工资料");
            dm->AQyg1.moveTo(1);
            click(d.xuan);
        });
        EXPECT_EQ(jsr->text(), "李四") << tag;
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(RecordPickers, EnterAndDoubleClickInTheGridChoose)
{
    QLineEdit* ck = field("tjcg", "ck");
    QLineEdit* ghs = field("tjcg", "ghs");
    QLineEdit* jsr = field("tjcg", "jsr");
    EXPECT_EQ(run<TFck1>("tjcg", [&](TFck1& d) { key(d.DBGrid1, Qt::Key_Return); }), QDialog::Accepted);
    EXPECT_EQ(run<TFghs2>("tjcg", [&](TFghs2& d) { doubleClickRow(d.DBGrid1, 1); }), QDialog::Accepted);
    EXPECT_EQ(run<TFyg2>("tjcg", [&](TFyg2& d) { doubleClickRow(d.DBGrid1, 2); }), QDialog::Accepted);
    EXPECT_EQ(ck->text(), "总仓");
    EXPECT_EQ(ghs->text(), "O'Neil家电");
    EXPECT_EQ(jsr->text(), "张小明");
}

TEST_F(RecordPickers, EmptyListsAreRefusedAndEscOrCloseWriteNothing)
{
    QLineEdit* ck = field("zu", "ck1", "old");
    QLineEdit* ghs = field("tjcg", "ghs", "old");
    QLineEdit* jsr = field("tjskfx", "jsr", "old");
    dm->ADOC1.exec("DELETE FROM ck; DELETE FROM ghs");
    auto refuseThenEsc = [&](QDialog& d, QAbstractButton* xuan) {
        click(xuan);
        EXPECT_TRUE(d.isVisible());
        key(&d, Qt::Key_Escape);
    };
    EXPECT_EQ(run<TFck1>("zu1", [&](TFck1& d) { refuseThenEsc(d, d.xuan); }), QDialog::Rejected);
    EXPECT_EQ(run<TFghs2>("tjcg", [&](TFghs2& d) { refuseThenEsc(d, d.xuan); }), QDialog::Rejected);
    EXPECT_EQ(run<TFyg2>("tjskfx", [&](TFyg2& d) {
                  d.Edit1->setText("王");
                  refuseThenEsc(d, d.xuan);
              }),
              QDialog::Rejected);
    EXPECT_EQ(rec.texts(), (QStringList{"没有仓库可选择！", "没有厂商可选择！", "没有员工可选择！"}));
    for (const MessageRequest& m : rec.all()) {
        EXPECT_EQ(m.caption, "警告");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }

    dm->ADOC1.exec("INSERT INTO ck(ck) VALUES('三号仓'); INSERT INTO ghs(mc) VALUES('海尔')");
    run<TFck1>("zu1", [&](TFck1& d) { click(d.guan); });
    run<TFghs2>("tjcg", [&](TFghs2& d) { click(d.guan); });
    run<TFyg2>("tjskfx", [&](TFyg2& d) { click(d.guan); });
    EXPECT_EQ(ck->text() + ghs->text() + jsr->text(), "oldoldold");
}

TEST_F(RecordPickers, EmployeeFilterListsAgainOnEveryChange)
{
    QLineEdit* jsr = field("tjcg", "jsr");
    TFyg2 dlg;
    dlg.xzbj->setText("tjcg");
    dlg.Edit1->setText("leftover");   // emptied on show
    modal.next([&](QDialog&) {
        EXPECT_EQ(dlg.Edit1->text(), "");
        EXPECT_EQ(dm->AQyg1.recordCount(), 4);
        dlg.Edit1->setText("张");
        EXPECT_EQ(dm->AQyg1.sqlLines(), (QStringList{"SELECT * FROM yg", "where xm like '%张%'", "order by id"}));
        EXPECT_EQ(dm->AQyg1.recordCount(), 2);
        dlg.Edit1->setText("O'B");   // the quote is a character of the name
        EXPECT_EQ(dm->AQyg1.recordCount(), 1);
        key(dlg.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(jsr->text(), "O'Brien");
}

}

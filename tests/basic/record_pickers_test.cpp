// The warehouse, supplier and employee pickers: the choice written into the caller for
// each tag, the refusal of an empty list, and closing without writing.

#include "picker_fixture.h"

#include "basic/Uck1.h"
#include "basic/Ughs2.h"
#include "basic/Uyg2.h"
#include "ui/DataGrid.h"

#include <QLabel>
#include <QPushButton>

namespace {

struct Route {
    const char* tag;      // written into xzbj
    const char* caller;   // tag the caller registers
    const char* field;
};

using WarehousePicker = PickerShop;

TEST_F(WarehousePicker, ChoiceWritesTheWarehouseIntoTheFieldOfEachTag)
{
    const Route routes[] = {{"tjcg", "tjcg", "ck"},
                            {"zu1", "zu", "ck1"},
                            {"zu2", "zu", "ck2"},
                            {"chai1", "chai", "ck1"},
                            {"chai2", "chai", "ck2"}};
    for (const Route& r : routes) {
        SCOPED_TRACE(r.tag);
        // Every possible target, so a write into the wrong one shows.
        QHash<QString, QLineEdit*> all;
        for (const Route& t : routes)
            all[QString::fromLatin1(t.tag)] = field(QString::fromLatin1(t.caller), QString::fromLatin1(t.field));

        TFck1 dlg;
        dlg.xzbj->setText(QString::fromLatin1(r.tag));
        modal.next([&](QDialog&) {
            ASSERT_EQ(dm->AQck1.recordCount(), 2);
            EXPECT_EQ(dm->AQck1.sqlLines(), (QStringList{"SELECT * FROM ck", "order by id"}));
            dm->AQck1.moveTo(1);
            click(dlg.xuan);
        });
        EXPECT_EQ(runModal(dlg), QDialog::Accepted);
        for (auto it = all.begin(); it != all.end(); ++it)
            EXPECT_EQ(it.value()->text(), it.key() == QLatin1String(r.tag) ? QStringLiteral("分仓") : QString())
                << qPrintable(it.key());
        stand.clear();
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(WarehousePicker, EnterAndDoubleClickInTheGridChoose)
{
    QLineEdit* ck = field("tjcg", "ck");
    TFck1 enter;
    enter.xzbj->setText("tjcg");
    modal.next([&](QDialog&) { key(enter.DBGrid1, Qt::Key_Return); });
    EXPECT_EQ(runModal(enter), QDialog::Accepted);
    EXPECT_EQ(ck->text(), "总仓");

    ck->clear();
    TFck1 dbl;
    dbl.xzbj->setText("tjcg");
    modal.next([&](QDialog&) { doubleClickRow(dbl.DBGrid1, 1); });
    EXPECT_EQ(runModal(dbl), QDialog::Accepted);
    EXPECT_EQ(ck->text(), "分仓");
}

TEST_F(WarehousePicker, EmptyListRefusesAndStaysOpen_EscAndCloseWriteNothing)
{
    QLineEdit* ck = field("tjcg", "ck", "old");
    dm->ADOC1.exec("DELETE FROM ck");
    TFck1 dlg;
    dlg.xzbj->setText("tjcg");
    modal.next([&](QDialog&) {
        click(dlg.xuan);
        ASSERT_EQ(rec.count(), 1);
        EXPECT_EQ(rec.last().text, "没有仓库可选择！");
        EXPECT_EQ(rec.last().caption, "警告");
        EXPECT_EQ(rec.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(dlg.isVisible());
        key(&dlg, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(ck->text(), "old");

    dm->ADOC1.exec("INSERT INTO ck(ck) VALUES('三号仓')");
    TFck1 closed;
    closed.xzbj->setText("tjcg");
    modal.next([&](QDialog&) { click(closed.guan); });
    EXPECT_EQ(runModal(closed), QDialog::Rejected);
    EXPECT_EQ(ck->text(), "old");
}

using SupplierPicker = PickerShop;

TEST_F(SupplierPicker, ChoiceWritesTheSupplierName_EmptyAndEscWriteNothing)
{
    QLineEdit* ghs = field("tjcg", "ghs");
    TFghs2 dlg;
    dlg.xzbj->setText("tjcg");
    modal.next([&](QDialog&) {
        EXPECT_EQ(dm->AQghs1.recordCount(), 2);
        dm->AQghs1.moveTo(1);
        click(dlg.xuan);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(ghs->text(), "O'Neil家电");

    ghs->setText("old");
    TFghs2 esc;
    esc.xzbj->setText("tjcg");
    modal.next([&](QDialog&) { key(&esc, Qt::Key_Escape); });
    EXPECT_EQ(runModal(esc), QDialog::Rejected);
    EXPECT_EQ(ghs->text(), "old");

    dm->ADOC1.exec("DELETE FROM ghs");
    TFghs2 empty;
    empty.xzbj->setText("tjcg");
    modal.next([&](QDialog&) {
        key(empty.DBGrid1, Qt::Key_Return);
        EXPECT_TRUE(empty.isVisible());
        click(empty.guan);
    });
    EXPECT_EQ(runModal(empty), QDialog::Rejected);
    EXPECT_EQ(rec.texts(), QStringList{"没有厂商可选择！"});
    EXPECT_EQ(rec.last().caption, "警告");
    EXPECT_EQ(ghs->text(), "old");
}

using EmployeePicker = PickerShop;

TEST_F(EmployeePicker, ChoiceWritesTheNameIntoJsrOfEachTag)
{
    for (const char* tag : {"tjcg", "tjfkfx", "tjskfx", "tjszfx"}) {
        SCOPED_TRACE(tag);
        QLineEdit* jsr = field(QString::fromLatin1(tag), "jsr");
        TFyg2 dlg;
        EXPECT_EQ(dlg.windowTitle(), "选择员工资料");
        dlg.xzbj->setText(QString::fromLatin1(tag));
        modal.next([&](QDialog&) {
            dm->AQyg1.moveTo(1);
            click(dlg.xuan);
        });
        EXPECT_EQ(runModal(dlg), QDialog::Accepted);
        EXPECT_EQ(jsr->text(), "李四");
    }
}

TEST_F(EmployeePicker, NameFilterListsAgainOnEveryChange)
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
        ASSERT_EQ(dm->AQyg1.recordCount(), 2);
        EXPECT_EQ(dm->AQyg1.text("xm"), "张三");
        dlg.Edit1->setText("O'B");   // a quote in the filter is a character, not SQL
        ASSERT_EQ(dm->AQyg1.recordCount(), 1);
        key(dlg.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(jsr->text(), "O'Brien");
    EXPECT_TRUE(rec.empty());
}

TEST_F(EmployeePicker, FilterWithNoMatchRefuses_GridChoiceAndEsc)
{
    QLineEdit* jsr = field("tjszfx", "jsr", "old");
    TFyg2 dlg;
    dlg.xzbj->setText("tjszfx");
    modal.next([&](QDialog&) {
        dlg.Edit1->setText("王");
        click(dlg.xuan);
        EXPECT_EQ(rec.texts(), QStringList{"没有员工可选择！"});
        EXPECT_EQ(rec.last().caption, "警告");
        EXPECT_TRUE(dlg.isVisible());
        key(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(jsr->text(), "old");

    TFyg2 dbl;
    dbl.xzbj->setText("tjszfx");
    modal.next([&](QDialog&) { doubleClickRow(dbl.DBGrid1, 2); });
    EXPECT_EQ(runModal(dbl), QDialog::Accepted);
    EXPECT_EQ(jsr->text(), "张小明");
}

}

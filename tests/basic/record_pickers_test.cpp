// The warehouse, supplier and employee pickers: the list each shows, the choice written
// into the caller for each tag by each way of choosing, the refusal of an empty list,
// closing without writing, and the employee name filter.

#include "picker_fixture.h"

#include "basic/Uck1.h"
#include "basic/Ughs2.h"
#include "basic/Uyg2.h"

namespace {

using Make = std::function<std::unique_ptr<RecordPicker>()>;
template <class P>
Make make()
{
    return [] { return std::make_unique<P>(); };
}

class RecordPickers : public PickerShop {
protected:
    int runPicker(const Make& m, const QString& tag, const std::function<void(RecordPicker&)>& step)
    {
        writes.clear();
        auto p = m();
        modal.next([&](QDialog&) { step(*p); });
        return p->runFor(tag);
    }
};

TEST_F(RecordPickers, ChoiceGoesToTheFieldOfItsTagAndNowhereElse)
{
    callers({"tjcg", "zu", "chai"}, {"ck", "ck1", "ck2", "ghs", "jsr"});
    // The purchase form's warehouse, the whole item's warehouse and the employee of the
    // payment, receipt and other income dialogs are checked through those windows.
    const std::tuple<Make, const char*, const char*> routes[] = {
        {make<TFck1>(), "zu2", "zu.ck2=分仓"}, {make<TFck1>(), "chai2", "chai.ck2=分仓"},
        {make<TFghs2>(), "tjcg", "tjcg.ghs=O'Neil家电"}, {make<TFyg2>(), "tjcg", "tjcg.jsr=李四"},
    };
    int way = 0;
    for (const auto& [m, tag, write] : routes) {
        EXPECT_EQ(runPicker(m, tag, [&](RecordPicker& d) {
                      d.DBGrid1->query()->moveTo(1);
                      switch (way++ % 3) {   // xuan, Enter in the grid, a double-click in the grid
                      case 0: d.xuan->click(); break;
                      case 1: sendKey(d.DBGrid1, Qt::Key_Return); break;
                      default: emit d.DBGrid1->rowDoubleClicked(1);
                      }
                  }),
                  QDialog::Accepted);
        EXPECT_EQ(writes, QStringList{write});
    }
    EXPECT_TRUE(rec.empty());
}

TEST_F(RecordPickers, EmptyListIsRefusedAndEscOrCloseWriteNothing)
{
    callers({"tjcg", "zu", "tjskfx"}, {"ck1", "ghs", "jsr"});
    const std::pair<Make, const char*> pickers[] = {{make<TFck1>(), "zu1"}, {make<TFghs2>(), "tjcg"}, {make<TFyg2>(), "tjskfx"}};
    dm->ADOC1.exec("DELETE FROM ck; DELETE FROM ghs; DELETE FROM yg");
    for (const auto& [m, tag] : pickers) {
        EXPECT_EQ(runPicker(m, tag, [&](RecordPicker& d) {
                      d.xuan->click();
                      EXPECT_TRUE(d.isVisible());
                      sendKey(&d, Qt::Key_Escape);
                  }),
                  QDialog::Rejected);
    }
    EXPECT_EQ(rec.texts(), (QStringList{"没有仓库可选择！", "没有厂商可选择！", "没有员工可选择！"}));
    for (const MessageRequest& m : rec.all()) {
        EXPECT_EQ(m.caption, "警告");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
    }
    dm->ADOC1.exec("INSERT INTO ck(ck) VALUES('三号仓'); INSERT INTO ghs(mc) VALUES('海尔'); INSERT INTO yg(xm) VALUES('王五')");
    for (const auto& [m, tag] : pickers)
        EXPECT_EQ(runPicker(m, tag, [](RecordPicker& d) { d.guan->click(); }), QDialog::Rejected);
    EXPECT_TRUE(writes.isEmpty());
}

TEST_F(RecordPickers, EmployeeFilterListsAgainOnEveryChange)
{
    callers({"tjcg"}, {"jsr"});
    TFyg2 dlg;
    dlg.xzbj->setText("tjcg");
    dlg.Edit1->setText("leftover");   // emptied on show
    EXPECT_EQ(run<TFyg2>(dlg, [&](TFyg2& d) {
                  EXPECT_EQ(d.Edit1->text(), "");
                  EXPECT_EQ(columnTexts(dm->AQyg1, "xm"), (QStringList{"张三", "李四", "张小明", "O'Brien"}));
                  d.Edit1->setText("张");
                  EXPECT_EQ(columnTexts(dm->AQyg1, "xm"), (QStringList{"张三", "张小明"}));
                  d.Edit1->setText("O'B");   // the quote is a character of the name
                  EXPECT_EQ(dm->AQyg1.recordCount(), 1);
                  // Restored from the task bar, it keeps the name typed and the list.
                  d.setWindowState(Qt::WindowMinimized);
                  QApplication::processEvents();
                  d.setWindowState(Qt::WindowNoState);
                  QApplication::processEvents();
                  EXPECT_EQ(d.Edit1->text(), "O'B");
                  sendKey(d.Edit1, Qt::Key_Return);
              }),
              QDialog::Accepted);
    EXPECT_EQ(writes, QStringList{"tjcg.jsr=O'Brien"});
}

}

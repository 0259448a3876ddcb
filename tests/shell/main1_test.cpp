#include "data/Clock.h"
#include "data/DM1.h"
#include "shell/Umain1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

namespace {
// A child whose close handling still needs the database.
class Child : public QWidget {
public:
    bool* sawDatabase;
    explicit Child(bool* flag) : sawDatabase(flag) {}
protected:
    void closeEvent(QCloseEvent* e) override
    {
        *sawDatabase = DM1 && !DM1->ADOC1.execute(QStringLiteral("SELECT 1")).isEmpty();
        e->accept();
    }
};
}

// The gates fail closed: permissions that cannot be read leave both shut and say so once; the
// built-in operator keeps every right only while the operators' table confirms it.
TEST(MainWindow, HiddenLabelsFollowTheOperatorsPermissions)
{
    EXPECT_EQ(stockPriceMode(), QStringLiteral("显示价格")) << "without a main window: every permission";
    TempShop shop;
    MessageRecorder rec;
    DM1->ADOC1.exec(QStringLiteral("INSERT INTO quanxian (yhm, qxmc) VALUES "
                                   "('张三', '显示价格'), ('张三', '库存归零'), ('李四', '采购'), ('王五', '库存归零')"));
    const struct {
        const char *op, *prices, *reset, *before = "";
    } cases[] = {{"系统管理员", "显示价格", "归零"}, {"张三", "显示价格", "归零"},
                 {"李四", "不显价格", "不归零"}, {"王五", "不显价格", "归零"},
                 {"张三", "不显价格", "不归零", "ALTER TABLE quanxian RENAME COLUMN qxmc TO x"},
                 {"系统管理员", "显示价格", "归零"},
                 {"系统管理员", "不显价格", "不归零", "DELETE FROM yhsz"}};
    for (const auto& c : cases) {
        DM1->ADOC1.exec(QString::fromUtf8(c.before));
        TFmain1 main;
        main.setOperator(QString::fromUtf8(c.op));
        main.show();
        EXPECT_FALSE(main.STyhm1->isVisible());
        EXPECT_EQ(currentOperatorName(), QString::fromUtf8(c.op));
        EXPECT_EQ(main.StatusBar1->panelText(0), QStringLiteral("操作员：") + QString::fromUtf8(c.op));
        EXPECT_EQ(stockPriceMode(), QString::fromUtf8(c.prices)) << c.op;
        EXPECT_EQ(stockResetMode(), QString::fromUtf8(c.reset)) << c.op;
    }
    EXPECT_EQ(rec.texts(), QStringList(2, "无法读取操作员权限，库存价格不显示、库存不可归零！"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("错误"));
}

TEST(MainWindow, MenuItemsStayDisabledUntilWiredTheToolbarClicksThemAndClosingAsks)
{
    Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(14, 5, 6)));
    TempShop shop;
    TFmain1 main;
    Clock::unpin();
    EXPECT_EQ(main.StatusBar1->panelText(1), QStringLiteral("现在时刻：2024-03-31 星期日 14:05:06"));
    // Every item after 系统 stays disabled until the window it opens is wired.
    QStringList menus;
    for (QAction* m : main.menuBar()->actions()) {
        menus << m->text();
        for (QAction* a : m->menu()->actions())
            EXPECT_TRUE(m->text() == "系统" || a->isSeparator() || !a->isEnabled()) << a->text().toStdString();
    }
    EXPECT_EQ(menus, QStringList({"系统", "日常业务", "查询统计", "财务管理"}));

    int purchases = 0, stock = 0;
    main.setOpener(main.N301, [&] { ++purchases; });
    main.setOpener(main.N414, [&] { ++stock; });
    main.ToolButtonCg->trigger();
    main.ToolButtonKc->trigger();
    main.N414->setEnabled(false);
    main.ToolButtonKc->trigger();   // disabled item: nothing
    EXPECT_EQ(purchases, 1);
    EXPECT_EQ(stock, 1);

    // Closing asks, and closes the children first.
    MessageRecorder rec;
    main.show();
    bool sawDatabase = false;
    QPointer<Child> child = new Child(&sawDatabase);
    showMdiChild(child);

    rec.answer(MbCancel);
    EXPECT_FALSE(main.close());
    ASSERT_TRUE(child) << "Cancel keeps everything open";
    EXPECT_TRUE(child->isVisible());
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, QStringLiteral("确定要退出本系统吗？"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Question);
    EXPECT_EQ(rec.last().buttons, MbOk | MbCancel);

    main.Nexit->trigger();   // 退出, answered OK
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(sawDatabase) << "the child closed while the connection was there";

    // Closed outside the message loop, it leaves later loops (dialogs, tests) running.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), 7);
}

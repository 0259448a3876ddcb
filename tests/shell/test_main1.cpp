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
#include <QMdiArea>
#include <QMenuBar>
#include <QTimer>

namespace {
void grant(const QString& name, const QString& perm)
{
    DM1->ADOC1.exec(QStringLiteral("INSERT INTO quanxian (yhm, qxmc) VALUES (") + sqlQuote(name) + QStringLiteral(", ")
                    + sqlQuote(perm) + QStringLiteral(")"));
}

struct Labels {
    QString name, prices, reset, panel;
};

Labels shownAs(const QString& op)
{
    TFmain1 main;
    main.setOperator(op);
    main.show();
    Labels l{main.STyhm1->text(), main.STkcjg->text(), main.STkcsc->text(), main.StatusBar1->panelText(0)};
    EXPECT_FALSE(main.STyhm1->isVisible());
    EXPECT_EQ(currentOperatorName(), l.name);
    EXPECT_EQ(stockPriceMode(), l.prices);
    EXPECT_EQ(stockResetMode(), l.reset);
    main.hide();
    return l;
}

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

TEST(MainWindow, HiddenLabelsFollowTheOperatorsPermissions)
{
    TempShop shop;
    grant(QStringLiteral("张三"), QStringLiteral("显示价格"));
    grant(QStringLiteral("张三"), QStringLiteral("库存归零"));
    grant(QStringLiteral("李四"), QStringLiteral("采购"));
    grant(QStringLiteral("王五"), QStringLiteral("库存归零"));

    Labels admin = shownAs(QStringLiteral("系统管理员"));
    EXPECT_EQ(admin.name, QStringLiteral("系统管理员"));
    EXPECT_EQ(admin.prices, QStringLiteral("显示价格"));
    EXPECT_EQ(admin.reset, QStringLiteral("归零"));
    EXPECT_EQ(admin.panel, QStringLiteral("操作员：系统管理员"));

    Labels both = shownAs(QStringLiteral("张三"));
    EXPECT_EQ(both.prices, QStringLiteral("显示价格"));
    EXPECT_EQ(both.reset, QStringLiteral("归零"));

    Labels none = shownAs(QStringLiteral("李四"));
    EXPECT_EQ(none.name, QStringLiteral("李四"));
    EXPECT_EQ(none.prices, QStringLiteral("不显价格"));
    EXPECT_EQ(none.reset, QStringLiteral("不归零"));

    Labels resetOnly = shownAs(QStringLiteral("王五"));
    EXPECT_EQ(resetOnly.prices, QStringLiteral("不显价格"));
    EXPECT_EQ(resetOnly.reset, QStringLiteral("归零"));
}

TEST(MainWindow, DefaultsWithoutAMainWindow)
{
    ASSERT_TRUE(Fmain1.isNull());
    EXPECT_EQ(currentOperatorName(), QStringLiteral("系统管理员"));
    EXPECT_EQ(stockPriceMode(), QStringLiteral("显示价格"));
    EXPECT_EQ(stockResetMode(), QStringLiteral("归零"));
}

TEST(MainWindow, MenuItemsStayDisabledUntilWiredAndTheToolbarClicksThem)
{
    TempShop shop;
    TFmain1 main;
    const QStringList names = {"N301", "N401", "N402", "N403", "N405", "N406", "N407", "N408", "N410", "N411",
                               "N412", "N414", "N415", "N420", "N601", "N602", "N603", "N604", "N606", "N607"};
    for (const QString& n : names) {
        auto* a = main.findChild<QAction*>(n);
        ASSERT_NE(a, nullptr) << n.toStdString();
        EXPECT_FALSE(a->isEnabled()) << n.toStdString();
    }
    EXPECT_EQ(main.N414->text(), QStringLiteral("商品库存明细表"));
    QStringList menus;
    for (QAction* a : main.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"系统", "日常业务", "查询统计", "财务管理"}));

    int purchases = 0, stock = 0;
    main.ToolButtonCg->trigger();   // disabled item: nothing
    EXPECT_EQ(purchases, 0);
    main.setOpener(main.N301, [&] { ++purchases; });
    main.setOpener(main.N414, [&] { ++stock; });
    EXPECT_TRUE(main.N301->isEnabled());
    main.ToolButtonCg->trigger();
    main.N301->trigger();
    main.ToolButtonKc->trigger();
    EXPECT_EQ(purchases, 2);
    EXPECT_EQ(stock, 1);
    main.N414->setEnabled(false);
    main.ToolButtonKc->trigger();
    EXPECT_EQ(stock, 1);
}

TEST(MainWindow, ClockPanel)
{
    Clock::pin(QDateTime(QDate(2024, 3, 31), QTime(14, 5, 6)));
    {
        TFmain1 main;
        EXPECT_EQ(main.StatusBar1->panelText(1), QStringLiteral("现在时刻：2024-03-31 星期日 14:05:06"));
        EXPECT_EQ(main.Timer1->interval(), 1000);
        EXPECT_TRUE(main.Timer1->isActive());
    }
    Clock::unpin();
}

TEST(MainWindow, ClosingAsksAndClosesTheChildrenFirst)
{
    TempShop shop;
    MessageRecorder rec;
    TFmain1 main;
    main.show();
    bool sawDatabase = false;
    QPointer<Child> child = new Child(&sawDatabase);
    showMdiChild(child);

    rec.answer(MbCancel);
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(child && child->isVisible()) << "Cancel keeps everything open";
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, QStringLiteral("确定要退出本系统吗？"));
    EXPECT_EQ(rec.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(rec.last().icon, MsgIcon::Question);
    EXPECT_EQ(rec.last().buttons, MbOk | MbCancel);

    main.Nexit->trigger();   // 退出, answered OK
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(sawDatabase) << "the child closed while the connection was there";
    EXPECT_EQ(rec.count(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(child.isNull());

    // Closed outside the message loop, it leaves later loops (dialogs, tests) running.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), 7);
}

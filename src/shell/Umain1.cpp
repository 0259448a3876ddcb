#include "Umain1.h"

#include "data/Clock.h"
#include "data/DM1.h"
#include "data/Schema.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

#include <QCloseEvent>
#include <algorithm>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

QPointer<TFmain1> Fmain1;

namespace {
QString builtIn() { return QString::fromUtf8(Schema::builtInOperator()); }

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(false);   // enabled by the window that it opens (setOpener)
    return a;
}

QLabel* hiddenLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->hide();
    return l;
}
}

TFmain1::TFmain1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Fmain1"));
    setWindowTitle(ShopApplication::title());
    resize(1024, 720);

    mdi = new QMdiArea(this);
    mdi->setObjectName(QStringLiteral("mdi"));
    mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi);
    setMdiArea(mdi);

    // Menus.
    QMenu* mSys = menuBar()->addMenu(QStringLiteral("系统"));
    Nexit = mSys->addAction(QStringLiteral("退出"));
    Nexit->setObjectName(QStringLiteral("Nexit"));
    connect(Nexit, &QAction::triggered, this, &QWidget::close);

    QMenu* mDaily = menuBar()->addMenu(QStringLiteral("日常业务"));
    N301 = item(mDaily, "N301", QStringLiteral("采购"));

    QMenu* mQuery = menuBar()->addMenu(QStringLiteral("查询统计"));
    N401 = item(mQuery, "N401", QStringLiteral("采购单据"));
    N402 = item(mQuery, "N402", QStringLiteral("采购明细表"));
    N403 = item(mQuery, "N403", QStringLiteral("采购统计表"));
    mQuery->addSeparator();
    N405 = item(mQuery, "N405", QStringLiteral("销售单据"));
    N406 = item(mQuery, "N406", QStringLiteral("销售明细表"));
    N407 = item(mQuery, "N407", QStringLiteral("销售统计表"));
    N408 = item(mQuery, "N408", QStringLiteral("员工提成表"));
    mQuery->addSeparator();
    N410 = item(mQuery, "N410", QStringLiteral("异动单据"));
    N411 = item(mQuery, "N411", QStringLiteral("变动明细表"));
    N412 = item(mQuery, "N412", QStringLiteral("变动统计表"));
    mQuery->addSeparator();
    N414 = item(mQuery, "N414", QStringLiteral("商品库存明细表"));
    N415 = item(mQuery, "N415", QStringLiteral("商品进销存统计表"));
    mQuery->addSeparator();
    N420 = item(mQuery, "N420", QStringLiteral("调拨单据"));

    QMenu* mFin = menuBar()->addMenu(QStringLiteral("财务管理"));
    N601 = item(mFin, "N601", QStringLiteral("采购应付明细表"));
    N602 = item(mFin, "N602", QStringLiteral("销售应收明细表"));
    N603 = item(mFin, "N603", QStringLiteral("采购付款明细表"));
    N604 = item(mFin, "N604", QStringLiteral("销售收款明细表"));
    mFin->addSeparator();
    N606 = item(mFin, "N606", QStringLiteral("其他收支明细表"));
    N607 = item(mFin, "N607", QStringLiteral("进销存财综合统计表"));

    // Toolbar: its buttons click the menu items, so a disabled item makes them do nothing.
    QToolBar* tb = addToolBar(QStringLiteral("ToolBar1"));
    tb->setObjectName(QStringLiteral("ToolBar1"));
    tb->setMovable(false);
    tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolButtonCg = tb->addAction(QStringLiteral("采购"));
    ToolButtonCg->setObjectName(QStringLiteral("ToolButtonCg"));
    ToolButtonKc = tb->addAction(QStringLiteral("商品库存明细表"));
    ToolButtonKc->setObjectName(QStringLiteral("ToolButtonKc"));
    connect(ToolButtonCg, &QAction::triggered, this, [this] {
        if (N301->isEnabled()) N301->trigger();
    });
    connect(ToolButtonKc, &QAction::triggered, this, [this] {
        if (N414->isEnabled()) N414->trigger();
    });

    // Status bar: operator, clock.
    StatusBar1 = new PanelBar(this);
    StatusBar1->addPanel(200, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("操作员："));
    StatusBar1->addPanel(320, Qt::AlignLeft | Qt::AlignVCenter);
    StatusBar1->addPanel(0);
    setStatusBar(StatusBar1);

    STyhm1 = hiddenLabel(this, "STyhm1");
    STkcjg = hiddenLabel(this, "STkcjg");
    STkcsc = hiddenLabel(this, "STkcsc");

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFmain1::tick);
    tick();
    Timer1->start();

    Fmain1 = this;
}

TFmain1::~TFmain1()
{
    if (mdiArea() == mdi)
        setMdiArea(nullptr);
}

void TFmain1::setOperator(const QString& name) { operator_ = name; }

void TFmain1::setOpener(QAction* item, std::function<void()> open)
{
    if (!item)
        return;
    disconnect(item, &QAction::triggered, nullptr, nullptr);
    connect(item, &QAction::triggered, this, [open = std::move(open)] { open(); });
    item->setEnabled(true);
}

QString TFmain1::clockText(const QDateTime& t)
{
    static const char* const days[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    return QStringLiteral("现在时刻：") + t.toString(QStringLiteral("yyyy-MM-dd ")) +
           QString::fromUtf8(days[t.date().dayOfWeek() - 1]) + t.toString(QStringLiteral(" hh:mm:ss"));
}

void TFmain1::tick() { StatusBar1->setPanelText(1, clockText(Clock::now())); }

void TFmain1::applyOperator()
{
    const QString name = operator_.isEmpty() ? builtIn() : operator_;
    STyhm1->setText(name);
    StatusBar1->setPanelText(0, QStringLiteral("操作员：") + name);

    bool prices = true, reset = true;
    if (name != builtIn()) {
        prices = reset = false;
        if (DM1) {
            const RecordSet rs = DM1->ADOC1.execute(
                QStringLiteral("SELECT qxmc FROM quanxian WHERE yhm=") + sqlQuote(name));
            for (const QVariantList& row : rs.rows) {
                const QString perm = row.value(0).toString();
                if (perm == QString::fromUtf8(Schema::permShowPrices())) prices = true;
                if (perm == QString::fromUtf8(Schema::permResetStock())) reset = true;
            }
        }
    }
    STkcjg->setText(prices ? QStringLiteral("显示价格") : QStringLiteral("不显价格"));
    STkcsc->setText(reset ? QStringLiteral("归零") : QStringLiteral("不归零"));
}

void TFmain1::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        applyOperator();
    }
}

void TFmain1::closeEvent(QCloseEvent* e)
{
    if (!confirmBox(QStringLiteral("确定要退出本系统吗？"))) {
        e->ignore();
        return;
    }
    // The children close first, while the connection is still there for their own
    // close handling; the connection is closed after the loop ends.
    mdi->closeAllSubWindows();
    const auto left = mdi->subWindowList();
    if (std::any_of(left.begin(), left.end(), [](QMdiSubWindow* w) { return w->isVisible(); })) {
        e->ignore();   // a child refused to close
        return;
    }
    e->accept();
    // The program ends (also with other top-level windows left). Only a running loop is told:
    // outside one, exit() would make the next loop return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

QString currentOperatorName()
{
    if (Fmain1 && !Fmain1->STyhm1->text().isEmpty())
        return Fmain1->STyhm1->text();
    return builtIn();
}

QString stockPriceMode()
{
    if (Fmain1 && !Fmain1->STkcjg->text().isEmpty())
        return Fmain1->STkcjg->text();
    return QStringLiteral("显示价格");
}

QString stockResetMode()
{
    if (Fmain1 && !Fmain1->STkcsc->text().isEmpty())
        return Fmain1->STkcsc->text();
    return QStringLiteral("归零");
}

#include "moc_Umain1.cpp"

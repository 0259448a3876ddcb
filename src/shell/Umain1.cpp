#include "Umain1.h"

#include "data/Clock.h"
#include "data/DM1.h"
#include "data/Schema.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
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

// The menu items after 系统, in order; an entry without a name is a separator. Every item
// stays disabled until the window it opens enables it (setOpener).
struct MenuItem {
    const char* menu;
    const char* name;
    const char* caption;
    QAction* TFmain1::*slot;
};
const MenuItem kMenuItems[] = {
    {"日常业务", "N301", "采购", &TFmain1::N301},
    {"查询统计", "N401", "采购单据", &TFmain1::N401},
    {"查询统计", "N402", "采购明细表", &TFmain1::N402},
    {"查询统计", "N403", "采购统计表", &TFmain1::N403},
    {"查询统计", nullptr, nullptr, nullptr},
    {"查询统计", "N405", "销售单据", &TFmain1::N405},
    {"查询统计", "N406", "销售明细表", &TFmain1::N406},
    {"查询统计", "N407", "销售统计表", &TFmain1::N407},
    {"查询统计", "N408", "员工提成表", &TFmain1::N408},
    {"查询统计", nullptr, nullptr, nullptr},
    {"查询统计", "N410", "异动单据", &TFmain1::N410},
    {"查询统计", "N411", "变动明细表", &TFmain1::N411},
    {"查询统计", "N412", "变动统计表", &TFmain1::N412},
    {"查询统计", nullptr, nullptr, nullptr},
    {"查询统计", "N414", "商品库存明细表", &TFmain1::N414},
    {"查询统计", "N415", "商品进销存统计表", &TFmain1::N415},
    {"查询统计", nullptr, nullptr, nullptr},
    {"查询统计", "N420", "调拨单据", &TFmain1::N420},
    {"财务管理", "N601", "采购应付明细表", &TFmain1::N601},
    {"财务管理", "N602", "销售应收明细表", &TFmain1::N602},
    {"财务管理", "N603", "采购付款明细表", &TFmain1::N603},
    {"财务管理", "N604", "销售收款明细表", &TFmain1::N604},
    {"财务管理", nullptr, nullptr, nullptr},
    {"财务管理", "N606", "其他收支明细表", &TFmain1::N606},
    {"财务管理", "N607", "进销存财综合统计表", &TFmain1::N607},
};

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
    connectHandler(Nexit, &QAction::triggered, this, &QWidget::close);

    QMenu* menu = nullptr;
    for (const MenuItem& m : kMenuItems) {
        if (!menu || menu->title() != QString::fromUtf8(m.menu))
            menu = menuBar()->addMenu(QString::fromUtf8(m.menu));
        if (!m.name) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(QString::fromUtf8(m.caption));
        a->setObjectName(QString::fromLatin1(m.name));
        a->setEnabled(false);
        this->*m.slot = a;
    }

    // Toolbar: its buttons click the menu items, so a disabled item makes them do nothing.
    QToolBar* tb = addToolBar(QStringLiteral("ToolBar1"));
    tb->setObjectName(QStringLiteral("ToolBar1"));
    tb->setMovable(false);
    tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto toolButton = [&](const char* name, const QString& caption, QAction* item) {
        QAction* button = tb->addAction(caption);
        button->setObjectName(QString::fromLatin1(name));
        connectHandler(button, &QAction::triggered, this, [item] {
            if (item->isEnabled()) item->trigger();
        });
        return button;
    };
    ToolButtonCg = toolButton("ToolButtonCg", QStringLiteral("采购"), N301);
    ToolButtonKc = toolButton("ToolButtonKc", QStringLiteral("商品库存明细表"), N414);

    // Status bar: operator, clock.
    StatusBar1 = new PanelBar(this);
    StatusBar1->addPanel(200, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("操作员："));
    StatusBar1->addPanel(320, Qt::AlignLeft | Qt::AlignVCenter);
    StatusBar1->addPanel(0);
    setStatusBar(StatusBar1);

    STyhm1 = hiddenLabel(this, "STyhm1");
    STkcjg = hiddenLabel(this, "STkcjg");
    STkcsc = hiddenLabel(this, "STkcsc");
    STkcjg->setText(QStringLiteral("不显价格"));   // closed until the operator's rights are read
    STkcsc->setText(QStringLiteral("不归零"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connectHandler(Timer1, &QTimer::timeout, this, &TFmain1::tick);
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
    connectHandler(item, &QAction::triggered, this, [open = std::move(open)] { open(); });
    item->setEnabled(true);
}

QString TFmain1::clockText(const QDateTime& t)
{
    static const char* const days[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    return QStringLiteral("现在时刻：") + t.toString(QStringLiteral("yyyy-MM-dd ")) +
           QString::fromUtf8(days[t.date().dayOfWeek() - 1]) + t.toString(QStringLiteral(" hh:mm:ss"));
}

void TFmain1::tick() { StatusBar1->setPanelText(1, clockText(Clock::now())); }

namespace {
struct OperatorRights {
    bool showPrices = false, resetStock = false;
};

// The rights of the operator who logged in. The built-in operator has every right once the
// operators' table confirms it; anyone else has those of the permissions' table. Throws when
// either table cannot be read.
OperatorRights readOperatorRights(TDM1* dm, const QString& name)
{
    if (!dm)
        throw DbError(QStringLiteral("no database"));
    const QString who = sqlQuote(name);
    if (name == Schema::builtInOperator()
        && !dm->ADOC1.execute(QStringLiteral("SELECT yhm FROM yhsz WHERE yhm=") + who).isEmpty())
        return {true, true};
    OperatorRights r;
    for (const QVariantList& row : dm->ADOC1.execute(QStringLiteral("SELECT qxmc FROM quanxian WHERE yhm=") + who).rows) {
        const QString perm = row.value(0).toString();
        r.showPrices = r.showPrices || perm == Schema::permShowPrices();
        r.resetStock = r.resetStock || perm == Schema::permResetStock();
    }
    return r;
}
}

void TFmain1::applyOperator()
{
    const QString name = operator_.isEmpty() ? Schema::builtInOperator() : operator_;
    STyhm1->setText(name);
    StatusBar1->setPanelText(0, QStringLiteral("操作员：") + name);

    // The gates stay closed (as the labels start) unless the rights are read.
    OperatorRights rights;
    try {
        rights = readOperatorRights(DM1, name);
    } catch (const std::exception&) {
        showMessage(QStringLiteral("无法读取操作员权限，库存价格不显示、库存不可归零！"), QStringLiteral("错误"), MsgIcon::Error);
    }
    STkcjg->setText(rights.showPrices ? QStringLiteral("显示价格") : QStringLiteral("不显价格"));
    STkcsc->setText(rights.resetStock ? QStringLiteral("归零") : QStringLiteral("不归零"));
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

namespace {
QString labelOr(QLabel* TFmain1::*label, const QString& fallback)
{
    if (Fmain1 && !(Fmain1->*label)->text().isEmpty())
        return (Fmain1->*label)->text();
    return fallback;
}
}

QString currentOperatorName() { return labelOr(&TFmain1::STyhm1, Schema::builtInOperator()); }
QString stockPriceMode() { return labelOr(&TFmain1::STkcjg, QStringLiteral("显示价格")); }
QString stockResetMode() { return labelOr(&TFmain1::STkcsc, QStringLiteral("归零")); }

#include "moc_Umain1.cpp"

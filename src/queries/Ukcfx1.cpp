#include "Ukcfx1.h"

#include "Udykcfx1.h"
#include "basic/PickerTargets.h"
#include "basic/Ucxsp1.h"
#include "data/DM1.h"
#include "documents/Uchai1.h"
#include "documents/Uzu1.h"
#include "rules/stock_update.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QAction>
#include <QLabel>
#include <QTreeWidget>
#include <memory>

QPointer<TFkcfx1> Fkcfx1;

namespace {
const QString kShowPrices = QStringLiteral("显示价格");
const QString kNoReset = QStringLiteral("不归零");
const QString kTag = QStringLiteral("kcfx");
const QString kNothingToPrint = QStringLiteral("没有数据可打印，请先查询！");
const int kQuantityPanel = 2, kAmountPanel = 4;

// The stock print with cost (库存单价, 库存金额 and both totals) or with the selling prices.
ListPrint stockPrint(bool withCost)
{
    ListPrint p;
    if (withCost)
        p.report = []() -> QuickRep* { return &reportForm(Fdykcfx1).QuickRep1; };
    else
        p.report = []() -> QuickRep* { return &reportForm(Fdykcfx2).QuickRep1; };
    p.reportName = QStringLiteral("商品库存表");
    p.fields = {{"QRD1", "txm"}, {"QRD2", "ppgg"}, {"QRD3", "dw"}, {"QRD4", "kcsl"},
                {"QRD5", withCost ? "kcjg" : "xjpf"}, {"QRD6", withCost ? "kcje" : "xjls"}};
    p.totals = {{"e1", kQuantityPanel}};
    if (withCost)
        p.totals << QPair<QString, int>{"e2", kAmountPanel};
    return p;
}

// Runs a parts dialog modally with the table as owner, kept in its global meanwhile.
template <class Dialog>
void runPartsDialog(QPointer<Dialog>& global, QWidget* owner)
{
    std::unique_ptr<Dialog> dlg(new Dialog(owner));
    global = dlg.get();
    runModal(*dlg);
    global = nullptr;
}
}

ListDescription TFkcfx1::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFkcfx1");
    s.caption = QStringLiteral("库存明细表");
    s.clientSize = QSize(900, 520);
    s.query = &TDM1::AQkcfx1;
    s.sumStatement = QStringLiteral("SELECT sum(kcsl),sum(kcje) FROM sp");
    s.rowStatement = QStringLiteral("SELECT * FROM sp");
    s.openingOrder = QStringLiteral("order by id");
    s.sumPanels = {kQuantityPanel, kAmountPanel};
    s.totalFields = {"kcsl", "kcje"};
    s.columns = {
        {.field = "txm", .title = "编码", .width = 90},
        {.field = "ppgg", .title = "商品名称", .width = 180},
        {.field = "dw", .title = "单位", .width = 40, .centred = true},
        {.field = "kcsl", .title = "库存数量", .width = 70, .tinted = true, .numeric = true},
        {.field = "kcjg", .title = "库存单价", .width = 70, .numeric = true},
        {.field = "kcje", .title = "库存金额", .width = 80, .tinted = true, .numeric = true},
        {.field = "xjpf", .title = "批发单价", .width = 70, .numeric = true},
        {.field = "xjls", .title = "零售单价", .width = 70, .numeric = true},
        {.field = "ms", .title = "商品描述", .width = 120},
        {.field = "bz", .title = "备注", .width = 100},
        {.field = "lb", .title = "类别", .width = 70},
        {.field = "ck", .title = "仓库", .width = 70},
    };
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"}, {.width = 300},
                {.width = 90, .align = right, .text = "0", .under = "kcsl"}, {.width = 120},
                {.width = 90, .align = right, .text = "0", .under = "kcje"}, {.width = 50}};
    s.buttons = {{"SB33", "拆零"}, {"SB44", "组装"}, {"SB55", "归零"}, {"SB77", "查询"},
                 {"SB88", "打印"}, {"SB99", "导出"}, {"SB100", "关闭"}};
    // 查询 runs the goods query dialog and 打印 only drops its menu down: both are wired here.
    s.queryButton.clear();
    s.printButton.clear();
    s.dropDown = {.button = "SB88", .menu = "PopupMenu2",
                  .items = {{"N11", "1、带库存价格打印"}, {"N22", "2、不带库存价格打印"}}};
    s.colouring.redWhenNotPositive = QStringLiteral("kcsl");
    s.legendText = QStringLiteral("数量＜=0：不正常库存");
    s.legendColour = ListColours::red();
    s.tree = {.shown = true, .rowStatement = "select * from sp", .field = "lb"};
    return s;
}

TFkcfx1::TFkcfx1(QWidget* parent) : QueryWindow(describe(), parent)
{
    takeButtons({&SB33, &SB44, &SB55, &SB77, &SB88, &SB99, &SB100});
    N11 = popupItem(QStringLiteral("N11"));
    N22 = popupItem(QStringLiteral("N22"));
    connectHandler(SB33, &QAbstractButton::clicked, this, &TFkcfx1::SB33Click);
    connectHandler(SB44, &QAbstractButton::clicked, this, &TFkcfx1::SB44Click);
    connectHandler(SB55, &QAbstractButton::clicked, this, &TFkcfx1::SB55Click);
    connectHandler(SB77, &QAbstractButton::clicked, this, &TFkcfx1::SB77Click);
    connectHandler(N11, &QAction::triggered, this, &TFkcfx1::N11Click);
    connectHandler(N22, &QAction::triggered, this, &TFkcfx1::N22Click);

    // The goods query dialog writes its totals into panels 2 and 4 through the tag.
    for (const int panel : {kQuantityPanel, kAmountPanel})
        PickerTargets::registerField(
            kTag, QStringLiteral("panel%1").arg(panel), this,
            [this, panel](const QString& v) { StatusBar1->setPanelText(panel, v); },
            [this, panel] { return StatusBar1->panelText(panel); });
}

bool TFkcfx1::pricesShown() const { return stockPriceMode() == kShowPrices; }

void TFkcfx1::afterRun()
{
    const bool shown = pricesShown();
    for (const char* field : {"kcjg", "kcje"})
        DBGrid1->setColumnVisible(DBGrid1->columnOfField(QString::fromLatin1(field)), shown);
    if (!shown)
        StatusBar1->setPanelText(kAmountPanel, QString());
}

void TFkcfx1::SB77Click()
{
    TFcxsp1 dlg(this);
    dlg.ST1->setText(QStringLiteral("kc"));
    // The rows listed now are the conditions', not a category's: no node stays highlighted.
    if (runModal(dlg) == QDialog::Accepted) {
        TreeView1->clearSelection();
        TreeView1->setCurrentItem(nullptr);
    }
}

void TFkcfx1::SB55Click()
{
    if (stockResetMode() == kNoReset) {
        warnBox(QStringLiteral("你无权归零库存！"));
        return;
    }
    if (!requireRows(QStringLiteral("没有数据可归零，请先查询！")))
        return;
    const QChar cr(u'\r');
    const QString question = QStringLiteral("确定要归零本批库存么？") + cr + cr
        + QStringLiteral("1、一旦归零，当前显示的这批库存会统一为0  ") + cr + cr
        + QStringLiteral("2、归零只对当前显示的这批库存操作，建议先查询后归零");
    if (!confirmBox(question))
        return;
    resetShownStock(*DM1);
    StatusBar1->setPanelText(kQuantityPanel, QStringLiteral("0"));
    if (pricesShown())
        StatusBar1->setPanelText(kAmountPanel, QStringLiteral("0"));
}

bool TFkcfx1::mayOpenPartsDialog(const QString& hiddenRefusal) const
{
    if (!pricesShown()) {
        warnBox(hiddenRefusal);
        return false;
    }
    return requireOpen();
}

void TFkcfx1::SB44Click()
{
    if (mayOpenPartsDialog(QStringLiteral("库存价格未显示，不可组装！")))
        runPartsDialog(Fzu1, this);
}

void TFkcfx1::SB33Click()
{
    if (mayOpenPartsDialog(QStringLiteral("库存价格未显示，不可拆零！")))
        runPartsDialog(Fchai1, this);
}

void TFkcfx1::N11Click()
{
    if (!pricesShown()) {
        warnBox(QStringLiteral("库存价格未显示，不可打印！"));
        return;
    }
    if (requireRows(kNothingToPrint))
        print(stockPrint(true));
}

void TFkcfx1::N22Click()
{
    if (requireRows(kNothingToPrint))
        print(stockPrint(false));
}

void openStockTable() { openOrActivate(Fkcfx1); }

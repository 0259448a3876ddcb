#include "Uszfx1.h"

#include "Ucxszfx1.h"
#include "Udyszfx1.h"
#include "Utjszfx1.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QAction>

QPointer<TFszfx1> Fszfx1;

ListDescription TFszfx1::describe()
{
    ListDescription s;
    s.objectName = QStringLiteral("TFszfx1");
    s.caption = QStringLiteral("其他收支明细表");
    s.clientSize = QSize(792, 473);
    s.query = &TDM1::AQszfx1;
    s.sumStatement = QStringLiteral("SELECT sum(se),sum(ze),sum(se-ze) FROM szfx");
    s.rowStatement = QStringLiteral("SELECT * FROM szfx");
    s.openingLines = {QStringLiteral("where rq=") + sqlQuote(Clock::today().toString(QStringLiteral("yyyy-MM-dd")))};
    s.openingOrder = QStringLiteral("order by id");
    s.sumPanels = {2, 3, 4};
    s.totalFields = {"se", "ze"};
    s.difference = {.panel = 4, .of = 0, .less = 1};
    s.columns = {{.field = "rq", .title = "日期", .width = 80, .centred = true},
                 {.field = "lb", .title = "类别", .width = 60, .centred = true},
                 {.field = "xm", .title = "项目", .width = 170},
                 {.field = "se", .title = "收入额", .width = 90, .tinted = true, .numeric = true},
                 {.field = "ze", .title = "支出额", .width = 90, .tinted = true, .numeric = true},
                 {.field = "jsr", .title = "经办人", .width = 80},
                 {.field = "bz", .title = "备注", .width = 182}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"},
                {.width = 260},
                {.width = 91, .align = right, .text = "0", .under = "se"},
                {.width = 91, .align = right, .text = "0", .under = "ze"},
                {.width = 91, .align = right, .text = "0"},
                {.width = 50}};
    s.buttons = {{.name = "SB44", .caption = "新增"}, {.name = "SB55", .caption = "修改"},
                 {.name = "SB66", .caption = "删除"}, {.name = "SB77", .caption = "查询"},
                 {.name = "SB88", .caption = "打印"}, {.name = "SB99", .caption = "导出"},
                 {.name = "SB100", .caption = "关闭"}};
    s.popup = {{.name = "N1", .caption = "删除", .clicks = "SB66"}};
    s.doubleClickClicks = QStringLiteral("SB55");
    s.colouring.redWhenPositive = QStringLiteral("ze");
    s.legendText = QStringLiteral("支出费用");
    s.legendColour = ListColours::red();
    s.closedRefusal = QStringLiteral("收支表未打开，请先查询！");

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdyszfx1).QuickRep1; };
    p.reportName = QStringLiteral("其他收支明细表");
    p.fields = {{.name = "QRD1", .field = "rq"}, {.name = "QRD2", .field = "lb"}, {.name = "QRD3", .field = "xm"},
                {.name = "QRD4", .field = "se"}, {.name = "QRD5", .field = "ze"}, {.name = "QRD6", .field = "jsr"}};
    p.totals = {{"e1", 2}, {"e2", 3}};
    return s;
}

TFszfx1::TFszfx1(QWidget* parent) : QueryWindow(describe(), parent)
{
    takeButtons({&SB44, &SB55, &SB66, &SB77, &SB88, &SB99, &SB100});
    N1 = popupItem(QStringLiteral("N1"));
    connectHandler(SB44, &QAbstractButton::clicked, this, &TFszfx1::addEntry);
    connectHandler(SB55, &QAbstractButton::clicked, this, &TFszfx1::editEntry);
    connectHandler(SB66, &QAbstractButton::clicked, this, &TFszfx1::removeEntry);
}

TConditionDialog* TFszfx1::createConditionDialog() { return new TFcxszfx1(this, this); }

void TFszfx1::addEntry()
{
    Query& q = query();
    if (!q.isOpen())
        q.open();
    runEntryDialog(this, false);
}

void TFszfx1::editEntry()
{
    if (requireRows(QStringLiteral("没有收支可修改！")))
        runEntryDialog(this, true);
}

void TFszfx1::removeEntry()
{
    if (!requireRows(QStringLiteral("没有收支可删除！")) || !confirmBox(QStringLiteral("确定要删除此收支么？")))
        return;
    Query& q = query();
    const ControlsDisabled still(q);
    q.deleteRow();
    recountTotals();
}

void openOtherIncomeList() { openOrActivate(Fszfx1); }

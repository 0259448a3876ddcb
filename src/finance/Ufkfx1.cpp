#include "Ufkfx1.h"

#include "Ucxfkfx1.h"
#include "Udyfkfx1.h"
#include "Utjfkfx1.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "finance/settlement.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Forms.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QAction>
#include <memory>

QPointer<TFfkfx1> Ffkfx1;
QPointer<TFskfx1> Fskfx1;

namespace {
const QString kAlreadyReversed = QStringLiteral("数据已经反审！");
const QString kNoRowToReverse = QStringLiteral("没有数据可反审，请先查询！");
const QString kNoRowToDelete = QStringLiteral("没有数据可删除！");
const QString kAppliedDelete = QStringLiteral("审核数据不可删除，请先反审核！");
}

ListDescription TSettlementList::describe(const SettlementSide& side)
{
    ListDescription s;
    s.objectName = side.listName;
    s.caption = side.listCaption;
    s.clientSize = QSize(780, 460);
    s.queryName = side.rowQuery;
    s.sumStatement = QStringLiteral("SELECT sum(je) FROM ") + side.rowTable;
    s.rowStatement = QStringLiteral("SELECT * FROM ") + side.rowTable;
    s.openingLines = {QStringLiteral("where rq=") + sqlQuote(Clock::today().toString(QStringLiteral("yyyy-MM-dd")))};
    s.openingOrder = QStringLiteral("order by id");
    s.sumPanels = {2};
    s.totalFields = {QStringLiteral("je")};
    s.columns = {{.field = "rq", .title = "日期", .width = 80, .centred = true},
                 {.field = "dh", .title = "单号", .width = 110, .centred = true},
                 {.field = side.partyColumn, .title = side.partyLabel, .width = 150},
                 {.field = "je", .title = side.amountTitle, .width = 90, .tinted = true, .numeric = true},
                 {.field = "jsr", .title = "经办人", .width = 80, .centred = true},
                 {.field = "bz", .title = "备注", .width = 182},
                 {.field = "shbj", .title = "审核", .width = 60, .centred = true}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"}, {.width = 292},
                {.width = 91, .align = right, .text = "0"}, {.width = 300}};
    s.buttons = {{.name = "SB33", .caption = "反审"}, {.name = "SB44", .caption = "新增"},
                 {.name = "SB55", .caption = "修改"}, {.name = "SB66", .caption = "删除"},
                 {.name = "SB77", .caption = "查询"}, {.name = "SB88", .caption = "打印"},
                 {.name = "SB99", .caption = "导出"}, {.name = "SB100", .caption = "关闭"}};
    s.popup = {{.name = "N1", .caption = "删除", .clicks = "SB66"}, {.name = "N2", .caption = "反审核", .clicks = "SB33"}};
    s.doubleClickClicks = QStringLiteral("SB55");
    s.colouring.redWhenNegative = QStringLiteral("je");
    s.colouring.heldBrush = QStringLiteral("shbj");
    s.legendText = side.legend;
    s.legendColour = ListColours::red();

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdyfkfx1).QuickRep1; };
    p.reportName = side.reportName;
    p.labels = {{"QRL3", side.partyLabel}, {"QRL4", side.amountTitle}};
    p.fields = {{"QRD1", "rq"}, {"QRD2", "dh"}, {"QRD3", side.partyColumn}, {"QRD4", "je"}, {"QRD5", "jsr"}};
    p.totals = {{"e1", 2}};
    return s;
}

TSettlementList::TSettlementList(const SettlementSide& side, QWidget* parent)
    : QueryWindow(describe(side), parent), side_(side)
{
    SpeedButton** named[] = {&SB33, &SB44, &SB55, &SB66, &SB77, &SB88, &SB99, &SB100};
    for (int i = 0; i < description().buttons.size(); ++i)
        *named[i] = button(description().buttons[i].name);
    N1 = popupItem(QStringLiteral("N1"));
    N2 = popupItem(QStringLiteral("N2"));
    connectHandler(SB33, &QAbstractButton::clicked, this, &TSettlementList::reverse);
    connectHandler(SB44, &QAbstractButton::clicked, this, &TSettlementList::add);
    connectHandler(SB55, &QAbstractButton::clicked, this, &TSettlementList::modify);
    connectHandler(SB66, &QAbstractButton::clicked, this, &TSettlementList::remove);
}

void TSettlementList::add()
{
    Query& q = query();
    if (!q.isOpen())
        q.open();
    std::unique_ptr<TSettlementEntry> dlg(createEntry());
    dlg->startNew();
    runModal(*dlg);
}

void TSettlementList::modify()
{
    if (!requireRows(QStringLiteral("没有数据可修改！")))
        return;
    Query& q = query();
    if (q.text(QStringLiteral("shbj")) == appliedState()) {
        warnBox(QStringLiteral("审核数据不可修改，请先反审核！"));
        return;
    }
    std::unique_ptr<TSettlementEntry> dlg(createEntry());
    dlg->startModify(q);
    runModal(*dlg);
}

void TSettlementList::reverse()
{
    if (!requireRows(kNoRowToReverse))
        return;
    Query& q = query();
    if (q.text(QStringLiteral("shbj")) == reversedState()) {
        warnBox(kAlreadyReversed);
        return;
    }
    if (!confirmBox(QStringLiteral("确定要反审么？")))
        return;
    // The total stays: the amounts are unchanged.
    const SettlementResult r = reverseSettlement(*DM1, side_, q.integer(QStringLiteral("id")));
    if (r == SettlementResult::Reversed)
        warnBox(kAlreadyReversed);
    else if (r == SettlementResult::Missing)
        warnBox(kNoRowToReverse);
}

void TSettlementList::remove()
{
    if (!requireRows(kNoRowToDelete))
        return;
    Query& q = query();
    // An applied row's amount is inside its document's paid amount: it is reversed first.
    if (q.text(QStringLiteral("shbj")) == appliedState()) {
        warnBox(kAppliedDelete);
        return;
    }
    if (!confirmBox(QStringLiteral("确定要删除此记录么？")))
        return;
    SettlementResult r;
    {
        ControlsDisabled still(q);
        r = deleteSettlement(*DM1, side_, q.integer(QStringLiteral("id")));
        if (r == SettlementResult::Done)
            recountTotals();
    }
    if (r == SettlementResult::Applied)
        warnBox(kAppliedDelete);
    else if (r == SettlementResult::Missing)
        warnBox(kNoRowToDelete);
}

TFfkfx1::TFfkfx1(QWidget* parent) : TSettlementList(paymentSide(), parent) {}

TConditionDialog* TFfkfx1::createConditionDialog() { return new TFcxfkfx1(this, this); }

TSettlementEntry* TFfkfx1::createEntry() { return new TFtjfkfx1(this, this); }

void TFfkfx1::formClosed()
{
    if (Ffkfx1 == this)
        Ffkfx1 = nullptr;
}

TFskfx1::TFskfx1(QWidget* parent) : TSettlementList(receiptSide(), parent) {}

TConditionDialog* TFskfx1::createConditionDialog() { return new TFcxskfx1(this, this); }

TSettlementEntry* TFskfx1::createEntry() { return new TFtjskfx1(this, this); }

void TFskfx1::formClosed()
{
    if (Fskfx1 == this)
        Fskfx1 = nullptr;
}

void openPaymentList()
{
    if (ActivateIfOpen(Ffkfx1))
        return;
    Ffkfx1 = new TFfkfx1(nullptr);
    showMdiChild(Ffkfx1);
}

void openReceiptList()
{
    if (ActivateIfOpen(Fskfx1))
        return;
    Fskfx1 = new TFskfx1(nullptr);
    showMdiChild(Fskfx1);
}

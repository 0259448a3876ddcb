#include "Ufkfx1.h"

#include "Ucxfkfx1.h"
#include "Udyfkfx1.h"
#include "Utjfkfx1.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "data/DocumentState.h"
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
// The list's actions on its current row: the refusals, in the order they are checked.
const TSettlementList::Action kModify{.noRow = QStringLiteral("没有数据可修改！"),
                                     .refusedState = DocumentState::audited(),
                                     .refusal = QStringLiteral("审核数据不可修改，请先反审核！")};
const TSettlementList::Action kReverse{.noRow = QStringLiteral("没有数据可反审，请先查询！"),
                                      .refusedState = DocumentState::held(),
                                      .refusal = QStringLiteral("数据已经反审！"),
                                      .question = QStringLiteral("确定要反审么？")};
const TSettlementList::Action kDelete{.noRow = QStringLiteral("没有数据可删除！"),
                                     .refusedState = DocumentState::audited(),
                                     .refusal = QStringLiteral("审核数据不可删除，请先反审核！"),
                                     .question = QStringLiteral("确定要删除此记录么？")};
}

ListDescription TSettlementList::describe(const SettlementSide& side)
{
    ListDescription s;
    s.objectName = side.listName;
    s.caption = side.listCaption;
    s.clientSize = QSize(780, 460);
    s.query = side.rowQuery;
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
                {.width = 91, .align = right, .text = "0", .under = "je"}, {.width = 300}};
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
    takeButtons({&SB33, &SB44, &SB55, &SB66, &SB77, &SB88, &SB99, &SB100});
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

const TSettlementList::Action& TSettlementList::modifying() { return kModify; }

bool TSettlementList::rowAllows(const Action& a) const
{
    if (!requireRows(a.noRow))
        return false;
    if (query().text(QStringLiteral("shbj")) == a.refusedState) {
        warnBox(a.refusal);
        return false;
    }
    return a.question.isEmpty() || confirmBox(a.question);
}

void TSettlementList::modify()
{
    if (!rowAllows(kModify))
        return;
    std::unique_ptr<TSettlementEntry> dlg(createEntry());
    dlg->startModify(query());
    runModal(*dlg);
}

void TSettlementList::reverse()
{
    if (!rowAllows(kReverse))
        return;
    // The total stays: the amounts are unchanged.
    warnRefusal(reverseSettlement(*DM1, side_, query().integer(QStringLiteral("id"))), kReverse.noRow, kReverse.refusal);
}

void TSettlementList::remove()
{
    // An applied row's amount is inside its document's paid amount: it is reversed first.
    if (!rowAllows(kDelete))
        return;
    Query& q = query();
    ControlsDisabled still(q);
    if (!warnRefusal(deleteSettlement(*DM1, side_, q.integer(QStringLiteral("id"))), kDelete.noRow, kDelete.refusal))
        recountTotals();
}

TFfkfx1::TFfkfx1(QWidget* parent) : TSettlementList(paymentSide(), parent) {}

TConditionDialog* TFfkfx1::createConditionDialog() { return new TFcxfkfx1(this, this); }

TSettlementEntry* TFfkfx1::createEntry() { return new TFtjfkfx1(this, this); }

TFskfx1::TFskfx1(QWidget* parent) : TSettlementList(receiptSide(), parent) {}

TConditionDialog* TFskfx1::createConditionDialog() { return new TFcxskfx1(this, this); }

TSettlementEntry* TFskfx1::createEntry() { return new TFtjskfx1(this, this); }

bool warnRefusal(SettlementResult r, const QString& missing, const QString& refused)
{
    if (r == SettlementResult::Done)
        return false;
    warnBox(r == SettlementResult::Missing ? missing : refused);
    return true;
}

void openPaymentList() { openOrActivate(Ffkfx1); }
void openReceiptList() { openOrActivate(Fskfx1); }

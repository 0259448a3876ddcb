#include "Uyffx1.h"

#include "Ucxyffx1.h"
#include "Udyyffx1.h"
#include "data/DM1.h"
#include "data/DocumentState.h"
#include "finance/settlement.h"
#include "bases/DocumentList.h"
#include "queries/Ullcgd1.h"
#include "queries/Ullxsd1.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"

QPointer<TFyffx1> Fyffx1;
QPointer<TFysfx1> Fysfx1;

const OpenItemsSide& payablesSide()
{
    static const OpenItemsSide s{
        .settlement = paymentSide(),
        .windowName = QStringLiteral("TFyffx1"),
        .caption = QStringLiteral("采购应付明细表"),
        .legend = QStringLiteral("欠款＜0：采购应退款（厂商欠本店的款）"),
        .dialogName = QStringLiteral("TFcxyffx1"),
        .typeItems = {QStringLiteral("全部"), QStringLiteral("采购应付"), QStringLiteral("采购应退")},
        .noRowsRefusal = QStringLiteral("没有单据可查阅！"),
        .reportName = QStringLiteral("应付明细表"),
        .showBrowser = [](TDM1& dm) { showPurchaseBrowser(dm); },
    };
    return s;
}

const OpenItemsSide& receivablesSide()
{
    static const OpenItemsSide s{
        .settlement = receiptSide(),
        .windowName = QStringLiteral("TFysfx1"),
        .caption = QStringLiteral("销售应收明细表"),
        .legend = QStringLiteral("欠款＜0：销售应退款（本店欠客户的款）"),
        .dialogName = QStringLiteral("TFcxysfx1"),
        .typeItems = {QStringLiteral("全部"), QStringLiteral("销售应收"), QStringLiteral("销售应退")},
        .noRowsRefusal = QStringLiteral("没有明细可查阅！"),
        .reportName = QStringLiteral("应收明细表"),
        .showBrowser = [](TDM1& dm) { showSalesBrowser(dm); },
    };
    return s;
}

ListDescription TOpenItemsTable::describe(const OpenItemsSide& side)
{
    const SettlementSide& settled = side.settlement;
    ListDescription s;
    s.objectName = side.windowName;
    s.caption = side.caption;
    s.clientSize = QSize(980, 473);
    s.query = settled.docQuery;
    s.sumStatement = QStringLiteral("SELECT sum(qk) FROM ") + settled.docTable;
    s.rowStatement = QStringLiteral("SELECT * FROM ") + settled.docTable;
    // Every open item, oldest first.
    s.openingLines = {QStringLiteral("where shbj=") + sqlQuote(DocumentState::audited()), QStringLiteral("and qk<>0")};
    s.openingOrder = QStringLiteral("order by id");
    s.sumPanels = {2};
    s.columns = {{.field = "rq", .title = "日期", .width = 92, .centred = true},
                 {.field = "dh", .title = "单号", .width = 120, .centred = true},
                 {.field = settled.partyColumn, .title = settled.partyLabel, .width = 190},
                 {.field = settled.dueColumn, .title = settled.dueTitle, .width = 90, .numeric = true},
                 {.field = settled.paidColumn, .title = settled.paidTitle, .width = 90, .numeric = true},
                 {.field = "qk", .title = "欠款", .width = 90, .tinted = true, .numeric = true},
                 {.field = "jsr", .title = "经办人", .width = 80, .centred = true},
                 {.field = "bz", .title = "备注", .width = 200}};
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    s.panels = {{.width = 63, .align = Qt::AlignCenter, .text = "总计"},
                {.width = 535},
                {.width = 91, .align = right, .text = "0", .under = "qk"},
                {.width = 100},
                // The last panel takes the rest of the bar, so its fixed text shows whole.
                {.width = 0, .align = right, .text = "默认显示全部数据"}};
    s.buttons = {{.name = "SB66", .caption = "查单"}, {.name = "SB77", .caption = "查询"},
                 {.name = "SB88", .caption = "打印"}, {.name = "SB99", .caption = "导出"},
                 {.name = "SB100", .caption = "关闭"}};
    s.doubleClickClicks = QStringLiteral("SB66");
    // Esc prints (the preview, or the refusal while the query is closed); it never closes.
    s.escClicks = QStringLiteral("SB88");
    s.colouring.redWhenNegative = QStringLiteral("qk");
    s.legendText = side.legend;
    s.legendColour = ListColours::red();

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdyyffx1).QuickRep1; };
    p.reportName = side.reportName;
    p.labels = {{"QRL3", settled.partyLabel}, {"QRL4", settled.dueTitle}, {"QRL5", settled.paidTitle}};
    p.fields = {{"QRD1", "rq"}, {"QRD2", "dh"}, {"QRD3", settled.partyColumn},
                {"QRD4", settled.dueColumn}, {"QRD5", settled.paidColumn}, {"QRD6", "qk"}};
    p.totals = {{"e1", 2}};
    return s;
}

TOpenItemsTable::TOpenItemsTable(const OpenItemsSide& side, QWidget* parent)
    : QueryWindow(describe(side), parent), side_(side)
{
    takeButtons({&SB66, &SB77, &SB88, &SB99, &SB100});
    connectHandler(SB66, &QAbstractButton::clicked, this, &TOpenItemsTable::view);
}

void TOpenItemsTable::view()
{
    if (requireRows(side_.noRowsRefusal))
        side_.showBrowser(*DM1);
}

TFyffx1::TFyffx1(QWidget* parent) : TOpenItemsTable(payablesSide(), parent) {}

TConditionDialog* TFyffx1::createConditionDialog() { return new TFcxyffx1(this, this); }

TFysfx1::TFysfx1(QWidget* parent) : TOpenItemsTable(receivablesSide(), parent) {}

TConditionDialog* TFysfx1::createConditionDialog() { return new TFcxysfx1(this, this); }

void openPayablesTable() { openOrActivate(Fyffx1); }
void openReceivablesTable() { openOrActivate(Fysfx1); }

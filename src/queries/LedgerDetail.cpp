#include "LedgerDetail.h"

#include "Udycgfx1.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "data/Schema.h"
#include "data/Sql.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <QGridLayout>
#include <QLayoutItem>

QPointer<TFcgfx1> Fcgfx1;
QPointer<TFxsfx1> Fxsfx1;
QPointer<TFrkfx1> Frkfx1;
QPointer<TFcxcgfx1> Fcxcgfx1;
QPointer<TFcxxsfx1> Fcxxsfx1;
QPointer<TFcxrkfx1> Fcxrkfx1;

namespace {

// The grid columns of a detail table.
QVector<ListColumn> detailColumns(Ledger ledger)
{
    const LedgerKind& k = ledgerKind(ledger);
    if (ledger == Ledger::StockChange)
        return {{.field = "rq", .title = "日期", .width = 90, .centred = true},
                {.field = "txm", .title = "编码", .width = 110, .centred = true},
                {.field = "ppgg", .title = "商品名称", .width = 260},
                {.field = "dw", .title = "单位", .width = 53, .centred = true},
                {.field = "sl", .title = "数量", .width = 70, .tinted = true, .numeric = true},
                {.field = "jg", .title = "单价", .width = 80, .numeric = true},
                {.field = "je", .title = "金额", .width = 90, .tinted = true, .numeric = true},
                {.field = "lx", .title = k.partyTitle, .width = 150},
                {.field = "jsr", .title = "经办人", .width = 80, .centred = true},
                {.field = "dh", .title = "单号", .width = 120, .centred = true},
                {.field = "ck", .title = "仓库", .width = 100}};
    QVector<ListColumn> cols{{.field = "rq", .title = "日期", .width = 80, .centred = true},
                             {.field = "txm", .title = "编码", .width = 110, .centred = true},
                             {.field = "ppgg", .title = "商品名称", .width = 230},
                             {.field = "dw", .title = "单位", .width = 53, .centred = true},
                             {.field = "sl", .title = "数量", .width = 70, .tinted = true, .numeric = true},
                             {.field = "jg", .title = "单价", .width = 80, .numeric = true},
                             {.field = "zk", .title = "折扣", .width = 40, .numeric = true},
                             {.field = "je", .title = "金额", .width = 90, .tinted = true, .numeric = true}};
    if (k.costs)
        cols << ListColumn{.field = "cbje", .title = "成本额", .width = 80, .tinted = true, .numeric = true}
             << ListColumn{.field = "maoli", .title = "毛利润", .width = 80, .tinted = true, .numeric = true};
    cols << ListColumn{.field = k.partyColumn, .title = k.partyTitle, .width = 150}
         << ListColumn{.field = "jsr", .title = "经办人", .width = 80, .centred = true}
         << ListColumn{.field = "dh", .title = "单号", .width = 120, .centred = true}
         << ListColumn{.field = "ck", .title = "仓库", .width = 100};
    return cols;
}

// The status panels: "总计", the quantity in 2 and the amount in 4 (sales: cost in 5 and
// gross profit in 6), each under its column.
QVector<ListPanel> detailPanels(Ledger ledger)
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const ListPanel total{.width = 63, .align = Qt::AlignCenter, .text = "总计"};
    const ListPanel quantity{.width = 71, .align = right, .text = "0", .under = "sl"},
        amount{.width = 91, .align = right, .text = "0", .under = "je"};
    switch (ledger) {
    case Ledger::Sales:
        return {total, {.width = 425, .align = Qt::AlignCenter}, quantity, {.width = 121}, amount,
                {.width = 81, .align = right, .text = "0", .under = "cbje"},
                {.width = 81, .align = right, .text = "0", .under = "maoli"}, {.width = 50}};
    case Ledger::StockChange:
        return {total, {.width = 465}, quantity, {.width = 81}, amount, {.width = 50}};
    case Ledger::Purchase:
        break;
    }
    return {total, {.width = 425}, quantity, {.width = 121}, amount, {.width = 50}};
}

// Cost and profit columns and panels of the sales table.
const QStringList kCostFields{QStringLiteral("cbje"), QStringLiteral("maoli")};
const QVector<int> kCostPanels{5, 6};

} // namespace

bool operatorSeesCosts() { return currentOperatorName() == Schema::builtInOperator(); }

ListDescription TLedgerDetail::describe(Ledger ledger)
{
    const LedgerKind& k = ledgerKind(ledger);
    static const char* const classes[] = {"TFcgfx1", "TFxsfx1", "TFrkfx1"};
    ListDescription s;
    s.objectName = QString::fromLatin1(classes[static_cast<int>(ledger)]);
    s.caption = k.detailCaption;
    s.query = k.detailQuery;
    s.sumStatement = ledgerSumStatement(ledger);
    s.rowStatement = ledgerRowStatement(ledger);
    // Today is read when the window is created.
    s.openingLines = {QStringLiteral("where rq=") + sqlQuote(Clock::today().toString(QStringLiteral("yyyy-MM-dd")))};
    s.openingOrder = QStringLiteral("order by id");
    s.sumPanels = k.costs ? QVector<int>{2, 4, 5, 6} : QVector<int>{2, 4};
    s.columns = detailColumns(ledger);
    s.panels = detailPanels(ledger);
    s.greyGrid = true;
    s.buttons = {{"SB77", "查询"}, {"SB88", "打印"}, {"SB99", "导出"}, {"SB100", "关闭"}};
    s.colouring.redWhenNegative = QStringLiteral("sl");
    s.legendText = k.legend;
    s.legendColour = ListColours::red();

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdycgfx1).QuickRep1; };
    p.reportName = k.detailCaption;
    p.fields = {{"QRD1", "rq"}, {"QRD2", "txm"}, {"QRD3", "ppgg"}, {"QRD4", "dw"},
                {"QRD5", "sl"}, {"QRD6", "jg"}, {"QRD7", "je"}};
    p.totals = {{"e1", 2}, {"e2", 4}};
    return s;
}

TLedgerDetail::TLedgerDetail(Ledger ledger, QWidget* parent) : QueryWindow(describe(ledger), parent), ledger_(ledger)
{
    takeButtons({&SB77, &SB88, &SB99, &SB100});
    // The administrator gate, when the window opens: the cost and profit columns.
    if (ledgerKind(ledger).costs)
        for (const QString& f : kCostFields)
            DBGrid1->setColumnVisible(DBGrid1->columnOfField(f), operatorSeesCosts());
}

void TLedgerDetail::afterRun()
{
    if (ledgerKind(ledger_).costs && !operatorSeesCosts())
        for (int panel : kCostPanels)
            StatusBar1->setPanelText(panel, QString());
}

TConditionDialog* TLedgerDetail::createConditionDialog()
{
    switch (ledger_) {
    case Ledger::Purchase:
        return new TFcxcgfx1(this, this);
    case Ledger::Sales:
        return new TFcxxsfx1(this, this);
    case Ledger::StockChange:
        break;
    }
    return new TFcxrkfx1(this, this);
}

TLedgerDetail* openLedgerDetail(Ledger ledger)
{
    switch (ledger) {
    case Ledger::Purchase:
        return openOrActivate(Fcgfx1);
    case Ledger::Sales:
        return openOrActivate(Fxsfx1);
    case Ledger::StockChange:
        break;
    }
    return openOrActivate(Frkfx1);
}

ConditionDescription ledgerConditions(Ledger ledger, bool warehouse)
{
    const LedgerKind& k = ledgerKind(ledger);
    ConditionDescription s;
    s.combos = {{.label = QStringLiteral("类　型"),
                 .items = k.typeItems,
                 .clauses = {QString(), QStringLiteral("and sl>0"), QStringLiteral("and sl<0")}}};
    s.edits = {{.label = k.partyLabel, .column = k.partyColumn},
               {.label = QStringLiteral("员　　工"), .column = QStringLiteral("jsr")},
               {.label = QStringLiteral("商品编码"), .column = QStringLiteral("txm")},
               {.label = QStringLiteral("商品名称"), .column = QStringLiteral("ppgg")}};
    if (warehouse)
        s.edits << ConditionEdit{.label = QStringLiteral("仓　　库"), .column = QStringLiteral("ck")};
    return s;
}

void placePartyEdit(QGridLayout* grid, bool wide)
{
    // The dialog base puts every edit in the right column (label in 2, edit in 3).
    QVector<QPair<QWidget*, QWidget*>> edits;
    for (int row = 0;; ++row) {
        QLayoutItem* label = grid->itemAtPosition(row, 2);
        QLayoutItem* edit = grid->itemAtPosition(row, 3);
        if (!label || !edit)
            break;
        edits.append(qMakePair(label->widget(), edit->widget()));
    }
    if (edits.isEmpty())
        return;
    for (const auto& [label, edit] : edits) {
        grid->removeWidget(label);
        grid->removeWidget(edit);
    }
    const int partyRow = 3;   // under 日期从, 至 and 类型
    grid->addWidget(edits[0].first, partyRow, 0, Qt::AlignRight);
    grid->addWidget(edits[0].second, partyRow, 1, 1, wide ? 3 : 1);
    for (int i = 1; i < edits.size(); ++i) {
        grid->addWidget(edits[i].first, i - 1, 2, Qt::AlignRight);
        grid->addWidget(edits[i].second, i - 1, 3);
    }
}

ConditionDescription TLedgerDetailDialog::describe(Ledger ledger)
{
    static const char* const classes[] = {"TFcxcgfx1", "TFcxxsfx1", "TFcxrkfx1"};
    ConditionDescription s = ledgerConditions(ledger);
    s.objectName = QString::fromLatin1(classes[static_cast<int>(ledger)]);
    // The sales dialog lets a from-date after the to-date stand.
    s.keepDateOrder = ledger != Ledger::Sales;
    return s;
}

TLedgerDetailDialog::TLedgerDetailDialog(Ledger ledger, QueryWindow* list, QWidget* owner)
    : TConditionDialog(describe(ledger), list, owner)
{
    placePartyEdit(conditionGrid(), false);
}

TFcxcgfx1::TFcxcgfx1(QueryWindow* list, QWidget* owner) : TLedgerDetailDialog(Ledger::Purchase, list, owner)
{
    Fcxcgfx1 = this;
}

TFcxxsfx1::TFcxxsfx1(QueryWindow* list, QWidget* owner) : TLedgerDetailDialog(Ledger::Sales, list, owner)
{
    Fcxxsfx1 = this;
}

TFcxrkfx1::TFcxrkfx1(QueryWindow* list, QWidget* owner) : TLedgerDetailDialog(Ledger::StockChange, list, owner)
{
    Fcxrkfx1 = this;
}

#include "LedgerStatistics.h"

#include "LedgerDetail.h"
#include "Udycghz1.h"
#include "data/DM1.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLineEdit>
#include <QRadioButton>

QPointer<TFcghz1> Fcghz1;
QPointer<TFxshz1> Fxshz1;
QPointer<TFrkhz1> Frkhz1;
QPointer<TFcxcghz1> Fcxcghz1;
QPointer<TFcxxshz1> Fcxxshz1;
QPointer<TFcxrkhz1> Fcxrkhz1;

namespace {

const QString kGroupField = QStringLiteral("fenzu");
const QStringList kCostFields{QStringLiteral("zcb"), QStringLiteral("zmaoli")};
const QVector<int> kCostPanels{4, 5};

QVector<ListColumn> statisticsColumns(Ledger ledger)
{
    const bool stock = ledger == Ledger::StockChange;
    QVector<ListColumn> cols{{.field = "txm", .title = "编码", .width = stock ? 120 : 110, .centred = true},
                             {.field = "ppgg", .title = "商品名称", .width = 230},
                             {.field = "dw", .title = "单位", .width = stock ? 62 : 53, .centred = true},
                             {.field = "zsl", .title = "数量", .width = 90, .tinted = true, .numeric = true},
                             {.field = "zje", .title = "金额", .width = 90, .tinted = true, .numeric = true}};
    if (ledgerKind(ledger).costs)
        cols << ListColumn{.field = "zcb", .title = "成本额", .width = 90, .tinted = true, .numeric = true}
             << ListColumn{.field = "zmaoli", .title = "毛利润", .width = 90, .tinted = true, .numeric = true};
    cols << ListColumn{.field = kGroupField, .title = "分组", .width = stock ? 160 : 180};
    return cols;
}

QVector<ListPanel> statisticsPanels(Ledger ledger)
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const ListPanel total{.width = 63, .align = Qt::AlignCenter, .text = "总计"};
    const auto sum = [right](const char* column) {
        return ListPanel{.width = 91, .align = right, .text = "0", .under = QString::fromLatin1(column)};
    };
    if (ledgerKind(ledger).costs)
        return {total, {.width = 345}, sum("zsl"), sum("zje"), sum("zcb"), sum("zmaoli"), {.width = 50}};
    return {total, {.width = ledger == Ledger::StockChange ? 365 : 345}, sum("zsl"), sum("zje"), {.width = 50}};
}

} // namespace

ListDescription TLedgerStatistics::describe(Ledger ledger)
{
    const LedgerKind& k = ledgerKind(ledger);
    static const char* const classes[] = {"TFcghz1", "TFxshz1", "TFrkhz1"};
    ListDescription s;
    s.objectName = QString::fromLatin1(classes[static_cast<int>(ledger)]);
    s.caption = k.statisticsCaption;
    s.query = k.statisticsQuery;
    s.runOnShow = false;
    s.sumPanels = k.costs ? QVector<int>{2, 3, 4, 5} : QVector<int>{2, 3};
    s.totalFields = k.costs ? QStringList{"zsl", "zje", "zcb", "zmaoli"} : QStringList{"zsl", "zje"};
    s.columns = statisticsColumns(ledger);
    s.panels = statisticsPanels(ledger);
    s.greyGrid = true;
    s.buttons = {{"SB66", "明细"}, {"SB77", "统计"}, {"SB88", "打印"}, {"SB99", "导出"}, {"SB100", "关闭"}};
    s.doubleClickClicks = QStringLiteral("SB66");
    s.colouring.redWhenNegative = QStringLiteral("zsl");
    s.legendText = k.legend;
    s.legendColour = ListColours::red();
    s.closedRefusal = QStringLiteral("数据表未打开，请先统计！");

    ListPrint& p = s.print;
    p.report = []() -> QuickRep* { return &reportForm(Fdycghz1).QuickRep1; };
    p.reportName = k.statisticsCaption;
    p.fields = {{"QRD1", "txm"}, {"QRD2", "ppgg"}, {"QRD3", "dw"}, {"QRD4", "zsl"}, {"QRD5", "zje"}};
    p.totals = {{"e1", 2}, {"e2", 3}};
    return s;
}

TLedgerStatistics::TLedgerStatistics(Ledger ledger, QWidget* parent)
    : QueryWindow(describe(ledger), parent), ledger_(ledger)
{
    takeButtons({&SB66, &SB77, &SB88, &SB99, &SB100});
    connectHandler(SB66, &QAbstractButton::clicked, this, &TLedgerStatistics::drillDown);
    // Opens with no statement run: reset totals, no group column; the administrator gate
    // of the cost and profit columns.
    resetTotals();
    DBGrid1->setColumnVisible(groupColumn(), false);
    if (ledgerKind(ledger).costs)
        for (const QString& f : kCostFields)
            DBGrid1->setColumnVisible(DBGrid1->columnOfField(f), operatorSeesCosts());
}

int TLedgerStatistics::groupColumn() const { return DBGrid1->columnOfField(kGroupField); }

void TLedgerStatistics::resetTotals()
{
    // Sales: empty texts; the others "0".
    const QString reset = ledgerKind(ledger_).costs ? QString() : QStringLiteral("0");
    for (int panel : description().sumPanels)
        StatusBar1->setPanelText(panel, reset);
}

void TLedgerStatistics::setGrouping(Grouping grouping)
{
    query().close();
    resetTotals();
    const int col = groupColumn();
    DBGrid1->setColumnVisible(col, grouping != Grouping::None);
    if (grouping != Grouping::None)
        DBGrid1->setColumnTitle(col, groupTitle(ledger_, grouping));
}

Grouping TLedgerStatistics::grouping() const
{
    const int col = groupColumn();
    if (!DBGrid1->isColumnVisible(col))
        return Grouping::None;
    return groupingOfTitle(ledger_, DBGrid1->column(col).title);
}

void TLedgerStatistics::runStatistics(Grouping grouping, const QStringList& clauses)
{
    runAndRecount(statisticsStatement(ledger_, grouping, clauses));
}

void TLedgerStatistics::afterRun()
{
    if (!ledgerKind(ledger_).costs || operatorSeesCosts())
        return;
    for (const QString& f : kCostFields)
        DBGrid1->setColumnVisible(DBGrid1->columnOfField(f), false);
    for (int panel : kCostPanels)
        StatusBar1->setPanelText(panel, QString());
}

void TLedgerStatistics::drillDown()
{
    if (!requireRows(QStringLiteral("没有数据可查阅！")))
        return;
    // The row's goods item and group key, compared exactly; the run's conditions are not
    // carried over.
    const Query& q = query();
    const Grouping g = grouping();
    const QStringList clauses = drillDownClauses(ledger_, q.text(QStringLiteral("ppgg")), q.text(QStringLiteral("txm")),
                                                 q.text(QStringLiteral("dw")), g,
                                                 g == Grouping::None ? QString() : q.text(kGroupField));
    openLedgerDetail(ledger_)->runQuery(clauses, QStringLiteral("order by id"));
}

TConditionDialog* TLedgerStatistics::createConditionDialog()
{
    switch (ledger_) {
    case Ledger::Purchase:
        return new TFcxcghz1(this, this);
    case Ledger::Sales:
        return new TFcxxshz1(this, this);
    case Ledger::StockChange:
        break;
    }
    return new TFcxrkhz1(this, this);
}

TLedgerStatistics* openLedgerStatistics(Ledger ledger)
{
    switch (ledger) {
    case Ledger::Purchase:
        return openOrActivate(Fcghz1);
    case Ledger::Sales:
        return openOrActivate(Fxshz1);
    case Ledger::StockChange:
        break;
    }
    return openOrActivate(Frkhz1);
}

ConditionDescription TLedgerStatisticsDialog::describe(Ledger ledger)
{
    static const char* const classes[] = {"TFcxcghz1", "TFcxxshz1", "TFcxrkhz1"};
    const LedgerKind& k = ledgerKind(ledger);
    ConditionDescription s = ledgerConditions(ledger, ledger != Ledger::StockChange);
    s.objectName = QString::fromLatin1(classes[static_cast<int>(ledger)]);
    s.caption = QStringLiteral("按条件统计");
    s.runCaption = QStringLiteral("统计");
    s.clientSize = QSize(482, 263);
    // No blank between "like" and the quote in the first line.
    s.edits[0].lead = QStringLiteral("where ") + k.partyColumn + QStringLiteral(" like");
    return s;
}

TLedgerStatisticsDialog::TLedgerStatisticsDialog(Ledger ledger, TLedgerStatistics* table, QWidget* owner)
    : TConditionDialog(describe(ledger), table, owner), ledger_(ledger), table_(table)
{
    QGridLayout* grid = conditionGrid();
    placePartyEdit(grid, ledger == Ledger::StockChange);

    // A rule and the three grouping radios in a row under the conditions.
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, 4, 0, 1, 4);
    auto* radios = new QHBoxLayout;
    const QString captions[] = {QStringLiteral("不分组统计"), ledgerKind(ledger).partyGroup + QStringLiteral("分组统计"),
                                QStringLiteral("员工分组统计")};
    QRadioButton** named[] = {&RB1, &RB2, &RB3};
    const Grouping groupings[] = {Grouping::None, Grouping::ByParty, Grouping::ByEmployee};
    QWidget* before = Edit5 ? Edit5 : Edit4;
    for (int i = 0; i < 3; ++i) {
        auto* rb = *named[i] = new QRadioButton(captions[i], this);
        rb->setObjectName(QStringLiteral("RB%1").arg(i + 1));
        radios->addWidget(rb);
        connectHandler(rb, &QRadioButton::toggled, this, [this, g = groupings[i]](bool on) {
            if (on && table_)
                table_->setGrouping(g);
        });
        keyPreview()->enterMovesTo(rb, Edit1);
        setTabOrder(before, rb);
        before = rb;
    }
    setTabOrder(before, BitBtn1);
    RB1->setChecked(true);
    radios->addStretch(1);
    grid->addLayout(radios, 5, 0, 1, 4);
}

Grouping TLedgerStatisticsDialog::grouping() const
{
    return RB2->isChecked() ? Grouping::ByParty : RB3->isChecked() ? Grouping::ByEmployee : Grouping::None;
}

void TLedgerStatisticsDialog::showEvent(QShowEvent* e)
{
    TConditionDialog::showEvent(e);
    // Every show starts ungrouped and clears the table's last result, also when the dialog
    // is then closed without a run.
    RB1->setChecked(true);
    if (table_)
        table_->setGrouping(Grouping::None);
}

void TLedgerStatisticsDialog::run()
{
    if (table_)
        table_->runStatistics(grouping(), clauses());
    infoBox(QStringLiteral("统计完毕！"));
    accept();
}

TFcxcghz1::TFcxcghz1(TLedgerStatistics* table, QWidget* owner) : TLedgerStatisticsDialog(Ledger::Purchase, table, owner)
{
    Fcxcghz1 = this;
}

TFcxxshz1::TFcxxshz1(TLedgerStatistics* table, QWidget* owner) : TLedgerStatisticsDialog(Ledger::Sales, table, owner)
{
    Fcxxshz1 = this;
}

TFcxrkhz1::TFcxrkhz1(TLedgerStatistics* table, QWidget* owner) : TLedgerStatisticsDialog(Ledger::StockChange, table, owner)
{
    Fcxrkhz1 = this;
}

#pragma once
// The three ledgers as the detail and statistics tables read them (purchase cgfx, sales xsfx
// with cost and gross profit, stock changes rkfx) and the statements built over them: the
// detail tables' sum and row statements, the statistics' select, group and order lines by
// grouping, and the exact-match lines that pick one statistics row's ledger rows.

#include <QString>
#include <QStringList>

class Query;
class TDM1;

enum class Ledger { Purchase, Sales, StockChange };

// How a statistics run groups its rows: per goods item only, or also per party (supplier,
// customer or change reason) or per handling employee.
enum class Grouping { None, ByParty, ByEmployee };

// What tells the three ledgers' windows apart.
struct LedgerKind {
    QString table;             // "cgfx"
    QString partyColumn;       // "ghs", "kh", "lx"
    QString partyTitle;        // the party's column title: "厂商", "客户", "变动原因"
    QString partyGroup;        // the group column's title when grouped by party: "厂商", "客户", "异动原因"
    QString partyLabel;        // the dialogs' label of the party edit: "厂　商"
    QStringList typeItems;     // the type combo: "全部", "采购入库", "采购退货"
    QString detailCaption;     // "采购明细表" (also the report name)
    QString statisticsCaption; // "采购统计表" (also the report name)
    QString legend;            // "数量＜0：采购退货"
    Query TDM1::*detailQuery;  // &TDM1::AQcgfx1
    Query TDM1::*statisticsQuery; // &TDM1::AQcghz1
    bool costs = false;        // cbje and maoli: the sales ledger
};

const LedgerKind& ledgerKind(Ledger ledger);

// The detail table's statements: "SELECT sum(sl),sum(je) FROM cgfx" (sales also the sums of
// cbje and maoli) and "SELECT * FROM cgfx".
QString ledgerSumStatement(Ledger ledger);
QString ledgerRowStatement(Ledger ledger);

// The statistics statement's first and last two lines.
struct StatisticsLines {
    QString select;            // "select txm,ppgg,dw,sum(sl)as zsl,sum(je)as zje from cgfx"
    QString group;             // "group by txm,ppgg,dw"
    QString order;             // "order by txm"
};
StatisticsLines statisticsLines(Ledger ledger, Grouping grouping);
// A statistics run's whole statement with the dialog's clauses: the select line, the clauses,
// the group and order lines.
QStringList statisticsDefinition(Ledger ledger, Grouping grouping, const QStringList& clauses);
// The statement the window runs: the definition, except grouped by employee, where the ledger's
// rows are first added up per goods item, party and employee in the order of its goods index
// and those sums then per employee and goods item: the same rows in the same order, without
// sorting the whole ledger (a test holds the two equal).
QStringList statisticsStatement(Ledger ledger, Grouping grouping, const QStringList& clauses);

// The title of the group column (fenzu) for a grouping; the grouping a title stands for
// (None for any other title).
QString groupTitle(Ledger ledger, Grouping grouping);
Grouping groupingOfTitle(Ledger ledger, const QString& title);

// The lines that pick the ledger rows behind one statistics row: goods name, code and unit
// compared exactly, and the group key when the run was grouped. Every value is quoted.
QStringList drillDownClauses(Ledger ledger, const QString& ppgg, const QString& txm, const QString& dw,
                             Grouping grouping = Grouping::None, const QString& groupKey = QString());

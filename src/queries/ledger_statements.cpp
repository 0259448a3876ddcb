#include "ledger_statements.h"

#include "data/DM1.h"
#include "data/Sql.h"

namespace {
const QString kEmployeeColumn = QStringLiteral("jsr");
const QString kEmployeeTitle = QStringLiteral("经办人");
}

const LedgerKind& ledgerKind(Ledger ledger)
{
    static const LedgerKind kinds[] = {
        {.table = QStringLiteral("cgfx"),
         .partyColumn = QStringLiteral("ghs"),
         .partyTitle = QStringLiteral("厂商"),
         .partyGroup = QStringLiteral("厂商"),
         .partyLabel = QStringLiteral("厂　商"),
         .typeItems = {QStringLiteral("全部"), QStringLiteral("采购入库"), QStringLiteral("采购退货")},
         .detailCaption = QStringLiteral("采购明细表"),
         .statisticsCaption = QStringLiteral("采购统计表"),
         .legend = QStringLiteral("数量＜0：采购退货"),
         .detailQuery = &TDM1::AQcgfx1,
         .statisticsQuery = &TDM1::AQcghz1},
        {.table = QStringLiteral("xsfx"),
         .partyColumn = QStringLiteral("kh"),
         .partyTitle = QStringLiteral("客户"),
         .partyGroup = QStringLiteral("客户"),
         .partyLabel = QStringLiteral("客　户"),
         .typeItems = {QStringLiteral("全部"), QStringLiteral("销售出库"), QStringLiteral("销售退货")},
         .detailCaption = QStringLiteral("销售明细表"),
         .statisticsCaption = QStringLiteral("销售统计表"),
         .legend = QStringLiteral("数量＜0：销售退货"),
         .detailQuery = &TDM1::AQxsfx1,
         .statisticsQuery = &TDM1::AQxshz1,
         .costs = true},
        {.table = QStringLiteral("rkfx"),
         .partyColumn = QStringLiteral("lx"),
         .partyTitle = QStringLiteral("变动原因"),
         .partyGroup = QStringLiteral("异动原因"),
         .partyLabel = QStringLiteral("原　因"),
         .typeItems = {QStringLiteral("全部"), QStringLiteral("异动入库"), QStringLiteral("异动出库")},
         .detailCaption = QStringLiteral("库存变动明细表"),
         .statisticsCaption = QStringLiteral("库存变动统计表"),
         .legend = QStringLiteral("数量＜0：变动出库"),
         .detailQuery = &TDM1::AQrkfx1,
         .statisticsQuery = &TDM1::AQrkhz1},
    };
    return kinds[static_cast<int>(ledger)];
}

QString ledgerSumStatement(Ledger ledger)
{
    const LedgerKind& k = ledgerKind(ledger);
    return QStringLiteral("SELECT sum(sl),sum(je)") + (k.costs ? QStringLiteral(",sum(cbje),sum(maoli)") : QString())
        + QStringLiteral(" FROM ") + k.table;
}

QString ledgerRowStatement(Ledger ledger) { return QStringLiteral("SELECT * FROM ") + ledgerKind(ledger).table; }

namespace {
// The column a grouping groups by; empty for none.
QString groupColumn(const LedgerKind& k, Grouping grouping)
{
    switch (grouping) {
    case Grouping::ByParty:
        return k.partyColumn;
    case Grouping::ByEmployee:
        return kEmployeeColumn;
    case Grouping::None:
        break;
    }
    return QString();
}
}

StatisticsLines statisticsLines(Ledger ledger, Grouping grouping)
{
    const LedgerKind& k = ledgerKind(ledger);
    const QString key = groupColumn(k, grouping);
    const QString sums = QStringLiteral("txm,ppgg,dw,sum(sl)as zsl,sum(je)as zje")
        + (k.costs ? QStringLiteral(",sum(cbje)as zcb,sum(maoli)as zmaoli") : QString());
    if (key.isEmpty())
        return {QStringLiteral("select ") + sums + QStringLiteral(" from ") + k.table,
                QStringLiteral("group by txm,ppgg,dw"), QStringLiteral("order by txm")};
    return {QStringLiteral("select ") + key + QStringLiteral(" as fenzu,") + sums + QStringLiteral(" from ") + k.table,
            QStringLiteral("group by ") + key + QStringLiteral(",txm,ppgg,dw"), QStringLiteral("order by ") + key};
}

QStringList statisticsDefinition(Ledger ledger, Grouping grouping, const QStringList& clauses)
{
    const StatisticsLines lines = statisticsLines(ledger, grouping);
    return QStringList{lines.select} + clauses + QStringList{lines.group, lines.order};
}

QStringList statisticsStatement(Ledger ledger, Grouping grouping, const QStringList& clauses)
{
    if (grouping != Grouping::ByEmployee)
        return statisticsDefinition(ledger, grouping, clauses);
    const LedgerKind& k = ledgerKind(ledger);
    const QString sums = k.costs ? QStringLiteral("sum(zsl)as zsl,sum(zje)as zje,sum(zcb)as zcb,sum(zmaoli)as zmaoli")
                                 : QStringLiteral("sum(zsl)as zsl,sum(zje)as zje");
    const QString inner = k.costs ? QStringLiteral("sum(sl)as zsl,sum(je)as zje,sum(cbje)as zcb,sum(maoli)as zmaoli")
                                  : QStringLiteral("sum(sl)as zsl,sum(je)as zje");
    const StatisticsLines lines = statisticsLines(ledger, grouping);
    return QStringList{QStringLiteral("select jsr as fenzu,txm,ppgg,dw,") + sums
                           + QStringLiteral(" from (select jsr,txm,ppgg,dw,") + inner + QStringLiteral(" from ")
                           + k.table}
        + clauses
        + QStringList{QStringLiteral("group by txm,ppgg,dw,") + k.partyColumn + QStringLiteral(",jsr)"), lines.group,
                      lines.order};
}

QString groupTitle(Ledger ledger, Grouping grouping)
{
    switch (grouping) {
    case Grouping::ByParty:
        return ledgerKind(ledger).partyGroup;
    case Grouping::ByEmployee:
        return kEmployeeTitle;
    case Grouping::None:
        break;
    }
    return QString();
}

Grouping groupingOfTitle(Ledger ledger, const QString& title)
{
    for (Grouping g : {Grouping::ByParty, Grouping::ByEmployee})
        if (title == groupTitle(ledger, g))
            return g;
    return Grouping::None;
}

QStringList drillDownClauses(Ledger ledger, const QString& ppgg, const QString& txm, const QString& dw,
                             Grouping grouping, const QString& groupKey)
{
    QStringList lines{QStringLiteral("where ppgg=") + sqlQuote(ppgg), QStringLiteral("and txm=") + sqlQuote(txm),
                      QStringLiteral("and dw=") + sqlQuote(dw)};
    const QString key = groupColumn(ledgerKind(ledger), grouping);
    if (!key.isEmpty())
        lines << QStringLiteral("and ") + key + QLatin1Char('=') + sqlQuote(groupKey);
    return lines;
}

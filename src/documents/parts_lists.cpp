#include "documents/parts_lists.h"

#include "data/DM1.h"
#include "rules/stock_update.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

QString quotedId(qint64 id) { return sqlQuote(QString::number(id)); }

// The list's own query on the rows of spid1 (and of one part when spid2 is given), in the
// order they were added.
Query& listRows(TDM1& dm, const PartsKind& k, qint64 spid1, std::optional<qint64> spid2 = std::nullopt)
{
    Query& z = dm.*k.query;
    QStringList lines{QStringLiteral("select * from ") + k.table, QStringLiteral("where spid1=") + quotedId(spid1)};
    if (spid2)
        lines << QStringLiteral("and spid2=") + quotedId(*spid2);
    z.reopen(lines << QStringLiteral("order by rowid"));
    return z;
}

// sl := xs × count on every row z holds.
void rewriteCounts(Query& z, Money count)
{
    for (z.first(); !z.eof(); z.next()) {
        z.edit();
        z.setMoney(QStringLiteral("sl"), z.money(QStringLiteral("xs")) * count);
        z.post();
    }
}

} // namespace

const PartsKind& assemblyParts()
{
    static const PartsKind k{QStringLiteral("zu"), &TDM1::AQzu1, +1};
    return k;
}

const PartsKind& splittingParts()
{
    static const PartsKind k{QStringLiteral("chai"), &TDM1::AQchai1, -1};
    return k;
}

void loadPartsList(TDM1& dm, const PartsKind& k, qint64 spid1)
{
    const QString& t = k.table;
    const ControlsDisabled still(dm.AQ1);
    dm.AQ1.reopen({QStringLiteral("select sp.txm,sp.ppgg,sp.dw,sp.ck,sp.kcsl as kc ,%1.xs,%1.sl,%1.spid2 "
                                  "from %1 left join sp on sp.id=%1.spid2").arg(t),
                   QStringLiteral("where %1.spid1=").arg(t) + quotedId(spid1),
                   QStringLiteral("order by %1.rowid").arg(t)});
}

bool applyPartsCount(TDM1& dm, const PartsKind& k, qint64 spid1, Money count)
{
    Query& z = listRows(dm, k, spid1);
    if (z.isEmpty())
        return false;
    Transaction tr(dm.ADOC1);
    rewriteCounts(z, count);
    tr.commit();
    return true;
}

void addPart(TDM1& dm, const PartsKind& k, qint64 spid1, qint64 spid2, Money xs, Money count)
{
    Query& z = dm.*k.query;
    if (!z.isOpen())
        z.openForAppend();
    z.append();
    z.setInteger(QStringLiteral("spid1"), spid1);
    z.setInteger(QStringLiteral("spid2"), spid2);
    z.setMoney(QStringLiteral("xs"), xs);
    z.setMoney(QStringLiteral("sl"), xs * count);
    z.post();
}

bool deletePart(TDM1& dm, const PartsKind& k, qint64 spid1, qint64 spid2)
{
    Query& z = listRows(dm, k, spid1, spid2);
    if (z.isEmpty())
        return false;
    z.first();
    z.deleteRow();
    return true;
}

void confirmParts(TDM1& dm, const PartsKind& k, qint64 spid1, Money count)
{
    Transaction tr(dm.ADOC1);
    Query& z = listRows(dm, k, spid1);
    rewriteCounts(z, count);
    std::vector<std::pair<qint64, Money>> parts;
    for (z.first(); !z.eof(); z.next())
        parts.emplace_back(z.integer(QStringLiteral("spid2")), z.money(QStringLiteral("sl")));
    const Money sign = Money::fromInt(k.wholeSign);
    applyAtCostById(dm, spid1, sign * count);
    for (const auto& [spid2, sl] : parts)
        applyAtCostById(dm, spid2, -(sign * sl));
    tr.commit();
}

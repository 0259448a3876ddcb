#include "purchase_numbering.h"

#include "data/DM1.h"

namespace {
constexpr int MaxSequence = 999;

// A number is taken while any header, line, ledger or payment row names it: deleting a
// document keeps its payment rows, which a new document under the same number would inherit.
bool numberExists(TDM1& dm, const QString& dh)
{
    const QString q = sqlQuote(dh);
    QStringList named;
    for (const char* table : {"cgglz", "cgglc", "cgfx", "fkfx"})
        named << QStringLiteral("SELECT 1 FROM %1 where dh=%2").arg(QLatin1String(table), q);
    return !dm.ADOC1.execute(named.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" LIMIT 1")).isEmpty();
}

// The first free number from sequence `from` on, or nullopt past the day's limit.
std::optional<QString> firstFreeFrom(TDM1& dm, const QDate& today, int from)
{
    for (int seq = from; seq <= MaxSequence; ++seq) {
        const QString dh = purchaseNumber(today, seq);
        if (!numberExists(dm, dh))
            return dh;
    }
    return std::nullopt;
}
}

int purchaseSequence(const QString& dh)
{
    if (dh.size() < 13)
        return -1;
    int n = 0;
    for (int i = 10; i < 13; ++i) {
        const QChar c = dh.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

QString purchaseNumber(const QDate& day, int sequence)
{
    return QStringLiteral("CG") + day.toString(QStringLiteral("yyyyMMdd"))
        + QStringLiteral("%1").arg(sequence, 3, 10, QLatin1Char('0'));
}

QStringList purchaseHeadersOfDay(const QDate& day)
{
    return {QStringLiteral("SELECT * FROM cgglz"),
            QStringLiteral("where kdrq=") + sqlQuote(day.toString(QStringLiteral("yyyy-MM-dd"))),
            QStringLiteral("order by dh")};
}

std::optional<QString> nextPurchaseNumber(TDM1& dm, const QDate& today)
{
    Query& q = dm.AQcgz1;
    int last = 0;
    {
        const ControlsDisabled still(q);
        q.setSql(purchaseHeadersOfDay(today));
        q.open();
        const int col = q.fieldIndex(QStringLiteral("dh"));
        for (int row = q.recordCount() - 1; row >= 0; --row) {
            const int seq = purchaseSequence(q.cellText(row, col));
            if (seq >= 0) {
                last = seq;
                break;
            }
        }
    }
    if (last >= MaxSequence)
        return std::nullopt;
    return firstFreeFrom(dm, today, last + 1);
}

std::optional<QString> nextPurchaseNumberAfter(TDM1& dm, const QString& inHand, const QDate& today)
{
    const int seq = purchaseSequence(inHand);
    if (seq < 0)
        return nextPurchaseNumber(dm, today);
    if (seq >= MaxSequence)
        return std::nullopt;
    return firstFreeFrom(dm, today, seq + 1);
}

#include "queries/purchase_reversal.h"

#include "data/DM1.h"
#include "documents/stock_update.h"

namespace {

QString whereDh(const QString& dh)
{
    return QStringLiteral("where dh=") + sqlQuote(dh);
}

struct Header {
    bool found = false;
    qint64 id = 0;
    QString shbj, ck;
};

// The header as the database holds it now (not as a window's rows show it).
Header readHeader(TDM1& dm, const QString& dh)
{
    Query q(dm.ADOC1, QStringLiteral("purchaseHeader"));
    q.addSql(QStringLiteral("SELECT id,shbj,ck FROM cgglz"));
    q.addSql(whereDh(dh));
    q.addSql(QStringLiteral("order by id"));
    q.open();
    Header h;
    if (q.isEmpty())
        return h;
    q.first();
    h.found = true;
    h.id = q.integer(QStringLiteral("id"));
    h.shbj = q.text(QStringLiteral("shbj"));
    h.ck = q.text(QStringLiteral("ck"));
    return h;
}

// The row of AQcgz1 in hand that is the header with this id; -1 when it holds none.
int headerRowInHand(Query& q, qint64 id)
{
    if (!q.isOpen())
        return -1;
    const int col = q.fieldIndex(QStringLiteral("id"));
    if (col < 0)
        return -1;
    const QString key = QString::number(id);
    if (q.recNo() >= 0 && q.cellText(q.recNo(), col) == key)
        return q.recNo();
    for (int r = 0, n = q.recordCount(); r < n; ++r)
        if (q.cellText(r, col) == key)
            return r;
    return -1;
}

// Re-points q at the rows of dh in table (in line order when ordered) and opens it.
void reopenByDh(Query& q, const QString& table, const QString& dh, bool ordered)
{
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM ") + table);
    q.addSql(whereDh(dh));
    if (ordered)
        q.addSql(QStringLiteral("order by id"));
    q.open();
}

// Leaves a ledger or payment query empty on its table, so no window shows deleted rows.
void refreshEmpty(Query& q, const QString& table)
{
    reopenByDh(q, table, QStringLiteral("刷新数据"), false);
}

} // namespace

ReversalResult unauditPurchase(TDM1& dm, const QString& dh)
{
    {
        Transaction tx(dm.ADOC1);
        const Header h = readHeader(dm, dh);
        if (!h.found)
            return ReversalResult::Missing;
        if (h.shbj == QStringLiteral("未审核"))
            return ReversalResult::AlreadyHeld;

        Query& lines = dm.AQcgc1;
        {
            ControlsDisabled still(lines);
            reopenByDh(lines, QStringLiteral("cgglc"), dh, true);
            lines.first();
            for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next()) {
                applyMovingAverage(dm,
                                   StockKey{lines.text(QStringLiteral("txm")), lines.text(QStringLiteral("ppgg")),
                                            lines.text(QStringLiteral("dw")), h.ck},
                                   -lines.money(QStringLiteral("sl")),
                                   -lines.money(QStringLiteral("je")),
                                   lines.money(QStringLiteral("jg")),
                                   StockKeyOrder::TxmPpggDwCk);
            }
        }

        // The deletes run on the connection, so no shared query is left holding a delete
        // statement that a later reopen would run again.
        dm.ADOC1.exec(QStringLiteral("delete from cgfx\n") + whereDh(dh));
        dm.ADOC1.exec(QStringLiteral("delete from fkfx\n") + whereDh(dh));

        Query& headers = dm.AQcgz1;
        const int row = headerRowInHand(headers, h.id);
        if (row >= 0) {
            const int current = headers.recNo();
            if (row != current)
                headers.moveTo(row);
            headers.edit();
            headers.setText(QStringLiteral("shbj"), QStringLiteral("未审核"));
            headers.post();
            if (row != current)
                headers.moveTo(current);
        } else {
            dm.ADOC1.exec(QStringLiteral("update cgglz set shbj='未审核' where id=")
                          + sqlQuote(QString::number(h.id)));
        }
        tx.commit();
    }
    refreshEmpty(dm.AQcgfx1, QStringLiteral("cgfx"));
    refreshEmpty(dm.AQfkfx1, QStringLiteral("fkfx"));
    return ReversalResult::Done;
}

ReversalResult deletePurchaseDocument(TDM1& dm, const QString& dh)
{
    {
        Transaction tx(dm.ADOC1);
        const Header h = readHeader(dm, dh);
        if (!h.found)
            return ReversalResult::Missing;

        dm.ADOC1.exec(QStringLiteral("delete from cgglc\n") + whereDh(dh));
        dm.ADOC1.exec(QStringLiteral("delete from cgfx\n") + whereDh(dh));

        Query& headers = dm.AQcgz1;
        const int row = headerRowInHand(headers, h.id);
        if (row >= 0) {
            ControlsDisabled still(headers);
            const int current = headers.recNo();
            if (row != current)
                headers.moveTo(row);
            headers.deleteRow();
            if (row != current && headers.recordCount() > 0)
                headers.moveTo(row < current ? current - 1 : current);
        } else {
            dm.ADOC1.exec(QStringLiteral("delete from cgglz where id=")
                          + sqlQuote(QString::number(h.id)));
        }
        tx.commit();
    }
    refreshEmpty(dm.AQcgfx1, QStringLiteral("cgfx"));
    return ReversalResult::Done;
}

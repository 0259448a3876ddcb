#include "document_reversal.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "stock_update.h"

namespace {

QString whereDh(const QString& dh)
{
    return QStringLiteral("where dh=") + sqlQuote(dh);
}

// Re-points q at the rows of dh in table (in line order when ordered) and opens it.
void reopenByDh(Query& q, const QString& table, const QString& dh, bool ordered)
{
    QStringList lines{QStringLiteral("SELECT * FROM ") + table, whereDh(dh)};
    if (ordered)
        lines << QStringLiteral("order by id");
    q.reopen(lines);
}

// The header as the database holds it now (not as a window's rows show it), in a query of
// its own: empty when there is no such document.
struct Header {
    Query row;
    Header(TDM1& dm, const DocumentKind& kind, const QString& dh) : row(dm.ADOC1, kind.headerTable)
    {
        reopenByDh(row, kind.headerTable, dh, true);
        row.first();
    }
    bool found() const { return !row.isEmpty(); }
    qint64 id() const { return row.integer(QStringLiteral("id")); }
};

// The row of the header query in hand that is the header with this id; -1 when it holds none.
int headerRowInHand(const Query& q, qint64 id)
{
    // Rows not read yet will be read as the database then holds them.
    if (!q.isOpen() || q.rowsDeferred())
        return -1;
    const int col = q.fieldIndex(QStringLiteral("id"));
    if (col < 0)
        return -1;
    if (q.recNo() >= 0 && q.cellInteger(q.recNo(), col) == id)
        return q.recNo();
    for (int r = 0, n = q.recordCount(); r < n; ++r)
        if (q.cellInteger(r, col) == id)
            return r;
    return -1;
}

// Leaves the posted queries empty on their tables, so no window shows deleted rows.
void refreshPosted(TDM1& dm, const DocumentKind& kind, bool deleting)
{
    for (const PostedRows& p : kind.posted)
        if (!(deleting && p.keptOnDelete))
            reopenByDh(dm.*p.query, p.table, QStringLiteral("刷新数据"), false);
}

// The deletes run on the connection, so no shared query is left holding a delete statement
// that a later reopen would run again.
void deleteByDh(TDM1& dm, const QString& table, const QString& dh)
{
    dm.ADOC1.exec(QStringLiteral("delete from ") + table + QLatin1Char('\n') + whereDh(dh));
}

StockKey keyIn(const Query& line, const QString& ck)
{
    return StockKey{line.text(QStringLiteral("txm")), line.text(QStringLiteral("ppgg")),
                    line.text(QStringLiteral("dw")), ck};
}

} // namespace

ReversalResult unauditDocument(TDM1& dm, const DocumentKind& kind, const QString& dh)
{
    {
        Transaction tx(dm.ADOC1);
        const Header h(dm, kind, dh);
        if (!h.found())
            return ReversalResult::Missing;
        if (h.row.text(QStringLiteral("shbj")) == DocumentState::held())
            return ReversalResult::AlreadyHeld;

        Query& lines = dm.*kind.lines;
        {
            ControlsDisabled still(lines);
            reopenByDh(lines, kind.lineTable, dh, true);
            lines.first();
            for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next())
                kind.reverseLine(dm, h.row, lines);
        }
        for (const PostedRows& p : kind.posted)
            deleteByDh(dm, p.table, dh);

        Query& headers = dm.*kind.headers;
        const int row = headerRowInHand(headers, h.id());
        if (row >= 0) {
            const int current = headers.recNo();
            if (row != current)
                headers.moveTo(row);
            headers.edit();
            headers.setText(QStringLiteral("shbj"), DocumentState::held());
            headers.post();
            if (row != current)
                headers.moveTo(current);
        } else {
            dm.ADOC1.exec(QStringLiteral("update ") + kind.headerTable + QStringLiteral(" set shbj=")
                          + sqlQuote(DocumentState::held()) + QStringLiteral(" where id=")
                          + sqlQuote(QString::number(h.id())));
        }
        tx.commit();
    }
    refreshPosted(dm, kind, false);
    return ReversalResult::Done;
}

ReversalResult deleteDocument(TDM1& dm, const DocumentKind& kind, const QString& dh)
{
    {
        Transaction tx(dm.ADOC1);
        const Header h(dm, kind, dh);
        if (!h.found())
            return ReversalResult::Missing;

        deleteByDh(dm, kind.lineTable, dh);
        for (const PostedRows& p : kind.posted)
            if (!p.keptOnDelete)
                deleteByDh(dm, p.table, dh);

        Query& headers = dm.*kind.headers;
        const int row = headerRowInHand(headers, h.id());
        if (row >= 0) {
            ControlsDisabled still(headers);
            const int current = headers.recNo();
            if (row != current)
                headers.moveTo(row);
            headers.deleteRow();
            if (row != current && headers.recordCount() > 0)
                headers.moveTo(row < current ? current - 1 : current);
        } else {
            dm.ADOC1.exec(QStringLiteral("delete from ") + kind.headerTable + QStringLiteral(" where id=")
                          + sqlQuote(QString::number(h.id())));
        }
        tx.commit();
    }
    (dm.*kind.lines).close();
    refreshPosted(dm, kind, true);
    return ReversalResult::Done;
}

const DocumentKind& purchaseDocuments()
{
    static const DocumentKind kind{
        .headerTable = QStringLiteral("cgglz"),
        .lineTable = QStringLiteral("cgglc"),
        .headers = &TDM1::AQcgz1,
        .lines = &TDM1::AQcgc1,
        .posted = {{.table = QStringLiteral("cgfx"), .query = &TDM1::AQcgfx1},
                   {.table = QStringLiteral("fkfx"), .query = &TDM1::AQfkfx1, .keptOnDelete = true}},
        .reverseLine =
            [](TDM1& dm, const Query& header, const Query& line) {
                applyMovingAverage(dm, keyIn(line, header.text(QStringLiteral("ck"))),
                                   -line.money(QStringLiteral("sl")), -line.money(QStringLiteral("je")),
                                   line.money(QStringLiteral("jg")), StockKeyOrder::TxmPpggDwCk);
            },
    };
    return kind;
}

const DocumentKind& salesDocuments()
{
    static const DocumentKind kind{
        .headerTable = QStringLiteral("xsglz"),
        .lineTable = QStringLiteral("xsglc"),
        .headers = &TDM1::AQxsz1,
        .lines = &TDM1::AQxsc1,
        .posted = {{.table = QStringLiteral("xsfx"), .query = &TDM1::AQxsfx1},
                   {.table = QStringLiteral("skfx"), .query = &TDM1::AQskfx1, .keptOnDelete = true}},
        .reverseLine =
            [](TDM1& dm, const Query& header, const Query& line) {
                // The sale took the quantity out at the row's cost; it goes back at that cost.
                const Money sl = line.money(QStringLiteral("sl"));
                const Money cbjg = line.money(QStringLiteral("cbjg"));
                applyAtCost(dm, keyIn(line, header.text(QStringLiteral("ck"))), sl,
                            NewStockRow{.kcjg = cbjg, .kcsl = sl, .kcje = (sl * cbjg).round2()},
                            StockKeyOrder::TxmPpggDwCk);
            },
    };
    return kind;
}

const DocumentKind& movementDocuments()
{
    static const DocumentKind kind{
        .headerTable = QStringLiteral("rkglz"),
        .lineTable = QStringLiteral("rkglc"),
        .headers = &TDM1::AQrkz1,
        .lines = &TDM1::AQrkc1,
        .posted = {{.table = QStringLiteral("rkfx"), .query = &TDM1::AQrkfx1}},
        .reverseLine =
            [](TDM1& dm, const Query& header, const Query& line) {
                const Money sl = line.money(QStringLiteral("sl"));
                applyAtCost(dm, keyIn(line, header.text(QStringLiteral("ck"))), -sl,
                            NewStockRow{.kcjg = line.money(QStringLiteral("jg")), .kcsl = -sl,
                                        .kcje = -line.money(QStringLiteral("je"))},
                            StockKeyOrder::TxmPpggDwCk);
            },
    };
    return kind;
}

const DocumentKind& transferDocuments()
{
    static const DocumentKind kind{
        .headerTable = QStringLiteral("dbglz"),
        .lineTable = QStringLiteral("dbglc"),
        .headers = &TDM1::AQdbz1,
        .lines = &TDM1::AQdbc1,
        .posted = {{.table = QStringLiteral("rkfx"), .query = &TDM1::AQrkfx1}},
        .reverseLine =
            [](TDM1& dm, const Query& header, const Query& line) {
                const Money sl = line.money(QStringLiteral("sl"));
                const Money jg = line.money(QStringLiteral("jg"));
                const Money je = line.money(QStringLiteral("je"));
                // Back into the warehouse it left, then out of the one it entered.
                applyAtCost(dm, keyIn(line, header.text(QStringLiteral("ck1"))), sl,
                            NewStockRow{.kcjg = jg, .kcsl = sl, .kcje = je}, StockKeyOrder::TxmPpggDwCk);
                applyAtCost(dm, keyIn(line, header.text(QStringLiteral("ck2"))), -sl,
                            NewStockRow{.kcjg = jg, .kcsl = -sl, .kcje = -je}, StockKeyOrder::TxmPpggDwCk);
            },
    };
    return kind;
}

#include "documents/postings.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "rules/stock_update.h"

#include <functional>

namespace {

// A saved document read into queries of its own, so no window's rows move: its header
// and its lines in line order.
struct SavedDocument {
    Query header, lines;
    SavedDocument(TDM1& dm, const char* headerTable, const char* lineTable, const QString& dh)
        : header(dm.ADOC1, QLatin1String(headerTable)), lines(dm.ADOC1, QLatin1String(lineTable))
    {
        openByDh(header, headerTable, dh);
        if (header.isEmpty())
            throw DbError(QStringLiteral("单据") + dh + QStringLiteral("不存在！"));
        openByDh(lines, lineTable, dh);
    }
    // One ledger row per line from the line's and the header's fields, each followed by its
    // stock change.
    void postLines(Query& ledger, const char* const* lineFields, const char* const* headerFields,
                   const std::function<void(const Query& line)>& stockChange);
    static void openByDh(Query& q, const char* table, const QString& dh)
    {
        q.addSql(QStringLiteral("SELECT * FROM ") + QLatin1String(table));
        q.addSql(QStringLiteral("where dh=") + sqlQuote(dh));
        q.addSql(QStringLiteral("order by id"));
        q.open();
        q.first();
    }
};

void copyText(Query& to, const Query& from, const char* const* fields)
{
    for (; *fields; ++fields) {
        const QString f = QString::fromLatin1(*fields);
        to.setText(f, from.text(f));
    }
}

// The goods key of the current line in warehouse ck.
StockKey keyOf(const Query& lines, const QString& ck)
{
    return StockKey{lines.text(QStringLiteral("txm")), lines.text(QStringLiteral("ppgg")),
                    lines.text(QStringLiteral("dw")), ck};
}

void SavedDocument::postLines(Query& ledger, const char* const* lineFields, const char* const* headerFields,
                              const std::function<void(const Query& line)>& stockChange)
{
    ledger.openForAppend();
    for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next()) {
        ledger.append();
        copyText(ledger, lines, lineFields);
        copyText(ledger, header, headerFields);
        ledger.post();
        stockChange(lines);
    }
}

} // namespace

void postSales(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    SavedDocument doc(dm, "xsglz", "xsglc", dh);
    const Query& header = doc.header;
    const QString ck = header.text(QStringLiteral("ck"));

    static const char* const lineFields[] = {"txm", "ppgg", "dw", "sl", "jg", "zk", "je",
                                             "cbjg", "cbje", "maoli", nullptr};
    static const char* const headerFields[] = {"kh", "jsr", "dh", "ck", "rq", nullptr};
    doc.postLines(dm.AQxsfx1, lineFields, headerFields, [&](const Query& line) {
        const Money kcsl = -line.money(QStringLiteral("sl"));
        const Money cbjg = line.money(QStringLiteral("cbjg"));
        applyAtCost(dm, keyOf(line, ck), kcsl, NewStockRow{cbjg, kcsl, (kcsl * cbjg).round2()},
                    StockKeyOrder::PpggTxmDwCk);
    });

    if (!header.money(QStringLiteral("sse")).isZero()) {
        Query& receipts = dm.AQskfx1;
        receipts.openForAppend();
        receipts.append();
        receipts.setText(QStringLiteral("shbj"), DocumentState::audited());
        static const char* const receiptFields[] = {"rq", "dh", "kh", "jsr", "bz", nullptr};
        copyText(receipts, header, receiptFields);
        receipts.setText(QStringLiteral("je"), header.text(QStringLiteral("sse")));
        receipts.post();
    }
    tx.commit();
}

void postMovement(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    SavedDocument doc(dm, "rkglz", "rkglc", dh);
    const QString ck = doc.header.text(QStringLiteral("ck"));

    static const char* const lineFields[] = {"txm", "ppgg", "dw", "jg", "sl", "je", nullptr};
    static const char* const headerFields[] = {"lx", "jsr", "dh", "ck", "rq", nullptr};
    doc.postLines(dm.AQrkfx1, lineFields, headerFields, [&](const Query& line) {
        const Money sl = line.money(QStringLiteral("sl"));
        applyAtCost(dm, keyOf(line, ck), sl,
                    NewStockRow{line.money(QStringLiteral("jg")), sl, line.money(QStringLiteral("je"))},
                    StockKeyOrder::PpggDwTxmCk);
    });
    tx.commit();
}

void postTransfer(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    SavedDocument doc(dm, "dbglz", "dbglc", dh);
    Query &header = doc.header, &lines = doc.lines;
    const QString ck1 = header.text(QStringLiteral("ck1"));
    const QString ck2 = header.text(QStringLiteral("ck2"));

    Query& ledger = dm.AQrkfx1;
    ledger.openForAppend();
    static const char* const lineFields[] = {"txm", "ppgg", "dw", "jg", nullptr};
    static const char* const headerFields[] = {"jsr", "dh", "rq", nullptr};
    for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next()) {
        const Money sl = lines.money(QStringLiteral("sl"));
        const Money je = lines.money(QStringLiteral("je"));
        const Money jg = lines.money(QStringLiteral("jg"));
        // One ledger row and one stock change out of ck1, then into ck2.
        auto move = [&](const char* lx, const QString& ck, Money rowSl, Money rowJe) {
            ledger.append();
            copyText(ledger, lines, lineFields);
            copyText(ledger, header, headerFields);
            ledger.setText(QStringLiteral("lx"), QString::fromUtf8(lx));
            ledger.setText(QStringLiteral("ck"), ck);
            ledger.setMoney(QStringLiteral("sl"), rowSl);
            ledger.setMoney(QStringLiteral("je"), rowJe);
            ledger.post();
            applyAtCost(dm, keyOf(lines, ck), rowSl, NewStockRow{jg, rowSl, rowJe},
                        StockKeyOrder::PpggTxmDwCk);
        };
        move("库存调出", ck1, -sl, -je);
        move("库存调入", ck2, sl, je);
    }
    tx.commit();
}

#include "documents/postings.h"

#include "data/DM1.h"
#include "documents/stock_update.h"

namespace {

// The saved header of a document, read into a query of its own so no window's rows move.
void openHeader(Query& q, const QString& table, const QString& dh)
{
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM ") + table);
    q.addSql(QStringLiteral("where dh=") + sqlQuote(dh));
    q.addSql(QStringLiteral("order by id"));
    q.open();
    if (q.isEmpty())
        throw DbError(QStringLiteral("单据") + dh + QStringLiteral("不存在！"));
    q.first();
}

// The document's lines in line order.
void openLines(Query& q, const QString& table, const QString& dh)
{
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM ") + table);
    q.addSql(QStringLiteral("where dh=") + sqlQuote(dh));
    q.addSql(QStringLiteral("order by id"));
    q.open();
    q.first();
}

void copyText(Query& to, const Query& from, const char* const* fields)
{
    for (; *fields; ++fields) {
        const QString f = QString::fromLatin1(*fields);
        to.setText(f, from.text(f));
    }
}

} // namespace

void postSales(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    Query header(dm.ADOC1, QStringLiteral("salesHeader"));
    Query lines(dm.ADOC1, QStringLiteral("salesLines"));
    openHeader(header, QStringLiteral("xsglz"), dh);
    openLines(lines, QStringLiteral("xsglc"), dh);
    const QString ck = header.text(QStringLiteral("ck"));

    Query& ledger = dm.AQxsfx1;
    ledger.openForAppend();
    static const char* const lineFields[] = {"txm", "ppgg", "dw", "sl", "jg", "zk", "je",
                                             "cbjg", "cbje", "maoli", nullptr};
    static const char* const headerFields[] = {"kh", "jsr", "dh", "ck", nullptr};
    for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next()) {
        ledger.append();
        copyText(ledger, lines, lineFields);
        copyText(ledger, header, headerFields);
        ledger.setText(QStringLiteral("rq"), header.text(QStringLiteral("rq")));
        ledger.post();

        const Money sl = lines.money(QStringLiteral("sl"));
        const Money cbjg = lines.money(QStringLiteral("cbjg"));
        const Money kcsl = -sl;
        applyAtCost(dm,
                    StockKey{lines.text(QStringLiteral("txm")), lines.text(QStringLiteral("ppgg")),
                             lines.text(QStringLiteral("dw")), ck},
                    -sl, NewStockRow{cbjg, kcsl, (kcsl * cbjg).round2()},
                    StockKeyOrder::PpggTxmDwCk);
    }

    if (!header.money(QStringLiteral("sse")).isZero()) {
        Query& receipts = dm.AQskfx1;
        receipts.openForAppend();
        receipts.append();
        receipts.setText(QStringLiteral("shbj"), QStringLiteral("已审核"));
        receipts.setText(QStringLiteral("rq"), header.text(QStringLiteral("rq")));
        static const char* const receiptFields[] = {"dh", "kh", nullptr};
        copyText(receipts, header, receiptFields);
        receipts.setText(QStringLiteral("je"), header.text(QStringLiteral("sse")));
        static const char* const tail[] = {"jsr", "bz", nullptr};
        copyText(receipts, header, tail);
        receipts.post();
    }
    tx.commit();
}

void postMovement(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    Query header(dm.ADOC1, QStringLiteral("movementHeader"));
    Query lines(dm.ADOC1, QStringLiteral("movementLines"));
    openHeader(header, QStringLiteral("rkglz"), dh);
    openLines(lines, QStringLiteral("rkglc"), dh);
    const QString ck = header.text(QStringLiteral("ck"));

    Query& ledger = dm.AQrkfx1;
    ledger.openForAppend();
    static const char* const lineFields[] = {"txm", "ppgg", "dw", "jg", "sl", "je", nullptr};
    for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next()) {
        ledger.append();
        copyText(ledger, lines, lineFields);
        ledger.setText(QStringLiteral("lx"), header.text(QStringLiteral("lx")));
        ledger.setText(QStringLiteral("jsr"), header.text(QStringLiteral("jsr")));
        ledger.setText(QStringLiteral("dh"), header.text(QStringLiteral("dh")));
        ledger.setText(QStringLiteral("ck"), ck);
        ledger.setText(QStringLiteral("rq"), header.text(QStringLiteral("rq")));
        ledger.post();

        const Money sl = lines.money(QStringLiteral("sl"));
        applyAtCost(dm,
                    StockKey{lines.text(QStringLiteral("txm")), lines.text(QStringLiteral("ppgg")),
                             lines.text(QStringLiteral("dw")), ck},
                    sl,
                    NewStockRow{lines.money(QStringLiteral("jg")), sl,
                                lines.money(QStringLiteral("je"))},
                    StockKeyOrder::PpggDwTxmCk);
    }
    tx.commit();
}

void postTransfer(TDM1& dm, const QString& dh)
{
    Transaction tx(dm.ADOC1);
    Query header(dm.ADOC1, QStringLiteral("transferHeader"));
    Query lines(dm.ADOC1, QStringLiteral("transferLines"));
    openHeader(header, QStringLiteral("dbglz"), dh);
    openLines(lines, QStringLiteral("dbglc"), dh);
    const QString ck1 = header.text(QStringLiteral("ck1"));
    const QString ck2 = header.text(QStringLiteral("ck2"));

    Query& ledger = dm.AQrkfx1;
    ledger.openForAppend();
    for (int i = 0, n = lines.recordCount(); i < n; ++i, lines.next()) {
        const Money sl = lines.money(QStringLiteral("sl"));
        const Money je = lines.money(QStringLiteral("je"));
        const Money jg = lines.money(QStringLiteral("jg"));
        const StockKey out{lines.text(QStringLiteral("txm")), lines.text(QStringLiteral("ppgg")),
                           lines.text(QStringLiteral("dw")), ck1};
        StockKey in = out;
        in.ck = ck2;

        auto append = [&](const QString& lx, const QString& ck, Money rowSl, Money rowJe) {
            ledger.append();
            ledger.setText(QStringLiteral("txm"), out.txm);
            ledger.setText(QStringLiteral("ppgg"), out.ppgg);
            ledger.setText(QStringLiteral("dw"), out.dw);
            ledger.setMoney(QStringLiteral("jg"), jg);
            ledger.setText(QStringLiteral("jsr"), header.text(QStringLiteral("jsr")));
            ledger.setText(QStringLiteral("dh"), header.text(QStringLiteral("dh")));
            ledger.setText(QStringLiteral("rq"), header.text(QStringLiteral("rq")));
            ledger.setText(QStringLiteral("lx"), lx);
            ledger.setText(QStringLiteral("ck"), ck);
            ledger.setMoney(QStringLiteral("sl"), rowSl);
            ledger.setMoney(QStringLiteral("je"), rowJe);
            ledger.post();
        };
        append(QStringLiteral("库存调出"), ck1, -sl, -je);
        append(QStringLiteral("库存调入"), ck2, sl, je);

        applyAtCost(dm, out, -sl, NewStockRow{jg, -sl, -je}, StockKeyOrder::PpggTxmDwCk);
        applyAtCost(dm, in, sl, NewStockRow{jg, sl, je}, StockKeyOrder::PpggTxmDwCk);
    }
    tx.commit();
}

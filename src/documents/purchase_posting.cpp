#include "documents/purchase_posting.h"

#include "data/DM1.h"
#include "data/DocumentState.h"
#include "rules/stock_update.h"

void postPurchase(TDM1& dm, const PurchaseDocFields& doc)
{
    const QString rq = doc.rq.toString(QStringLiteral("yyyy-MM-dd"));
    // A paid amount that is not a number stops the posting before anything is written.
    const Money paid = Money::parse(doc.sfe);

    Transaction tx(dm.ADOC1);
    Query& ledger = dm.AQcgfx1;
    ledger.openForAppend();

    {
        Query& lines = dm.AQcgc1;
        ControlsDisabled still(lines);
        lines.first();
        const int n = lines.recordCount();
        for (int i = 0; i < n; ++i) {
            ledger.append();
            for (const char* f : {"txm", "ppgg", "dw", "sl", "jg", "zk", "je"})
                ledger.setText(QLatin1String(f), lines.text(QLatin1String(f)));
            ledger.setText(QStringLiteral("ghs"), doc.ghs);
            ledger.setText(QStringLiteral("jsr"), doc.jsr);
            ledger.setText(QStringLiteral("dh"), doc.dh);
            ledger.setText(QStringLiteral("ck"), doc.ck);
            ledger.setText(QStringLiteral("rq"), rq);
            ledger.post();

            applyMovingAverage(dm,
                               StockKey{lines.text(QStringLiteral("txm")), lines.text(QStringLiteral("ppgg")),
                                        lines.text(QStringLiteral("dw")), doc.ck},
                               lines.money(QStringLiteral("sl")),
                               lines.money(QStringLiteral("je")),
                               lines.money(QStringLiteral("jg")),
                               StockKeyOrder::PpggTxmDwCk);
            lines.next();
        }
    }

    if (!paid.isZero()) {
        Query& payments = dm.AQfkfx1;
        payments.openForAppend();
        payments.append();
        payments.setText(QStringLiteral("shbj"), DocumentState::audited());
        payments.setText(QStringLiteral("rq"), rq);
        payments.setText(QStringLiteral("dh"), doc.dh);
        payments.setText(QStringLiteral("ghs"), doc.ghs);
        payments.setMoney(QStringLiteral("je"), paid);
        payments.setText(QStringLiteral("jsr"), doc.jsr);
        payments.setText(QStringLiteral("bz"), doc.bz);
        payments.post();
    }
    tx.commit();
}

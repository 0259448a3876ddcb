#include "documents/purchase_posting.h"

#include "data/DM1.h"
#include "documents/stock_update.h"

namespace {

// Keeps a query's grids still for a walk and lets them follow again however it ends.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Query& q) : q_(q) { q_.disableControls(); }
    ~ControlsDisabled() { q_.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;
private:
    Query& q_;
};

} // namespace

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
            const QString txm = lines.text(QStringLiteral("txm"));
            const QString ppgg = lines.text(QStringLiteral("ppgg"));
            const QString dw = lines.text(QStringLiteral("dw"));

            ledger.append();
            ledger.setText(QStringLiteral("txm"), txm);
            ledger.setText(QStringLiteral("ppgg"), ppgg);
            ledger.setText(QStringLiteral("dw"), dw);
            ledger.setText(QStringLiteral("sl"), lines.text(QStringLiteral("sl")));
            ledger.setText(QStringLiteral("jg"), lines.text(QStringLiteral("jg")));
            ledger.setText(QStringLiteral("zk"), lines.text(QStringLiteral("zk")));
            ledger.setText(QStringLiteral("je"), lines.text(QStringLiteral("je")));
            ledger.setText(QStringLiteral("ghs"), doc.ghs);
            ledger.setText(QStringLiteral("jsr"), doc.jsr);
            ledger.setText(QStringLiteral("dh"), doc.dh);
            ledger.setText(QStringLiteral("ck"), doc.ck);
            ledger.setText(QStringLiteral("rq"), rq);
            ledger.post();

            applyMovingAverage(dm, StockKey{txm, ppgg, dw, doc.ck},
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
        payments.setText(QStringLiteral("shbj"), QStringLiteral("已审核"));
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

#include "stock_update.h"

#include "data/DM1.h"

namespace {

// Re-points AQkcfx1 at the goods rows of the key, lowest id first, and opens it.
Query& findStockRow(TDM1& dm, const StockKey& key, StockKeyOrder order)
{
    const QString ppgg = QStringLiteral("ppgg=") + sqlQuote(key.ppgg);
    const QString txm = QStringLiteral("txm=") + sqlQuote(key.txm);
    const QString dw = QStringLiteral("dw=") + sqlQuote(key.dw);
    QStringList keys;
    switch (order) {
    case StockKeyOrder::PpggTxmDwCk: keys = {ppgg, txm, dw}; break;
    case StockKeyOrder::TxmPpggDwCk: keys = {txm, ppgg, dw}; break;
    case StockKeyOrder::PpggDwTxmCk: keys = {ppgg, dw, txm}; break;
    }

    Query& q = dm.AQkcfx1;
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM sp"));
    q.addSql(QStringLiteral("where ") + keys[0]);
    q.addSql(QStringLiteral("and ") + keys[1]);
    q.addSql(QStringLiteral("and ") + keys[2]);
    q.addSql(QStringLiteral("and ck=") + sqlQuote(key.ck));
    q.addSql(QStringLiteral("order by id"));
    q.open();
    return q;
}

// Appends the goods row a posting creates when the warehouse has none for the key.
void appendStockRow(Query& q, const StockKey& key, const NewStockRow& row)
{
    q.append();
    q.setText(QStringLiteral("ck"), key.ck);
    q.setText(QStringLiteral("lb"), QStringLiteral("未知"));
    q.setText(QStringLiteral("txm"), key.txm);
    q.setText(QStringLiteral("ppgg"), key.ppgg);
    q.setText(QStringLiteral("dw"), key.dw);
    q.setMoney(QStringLiteral("kcjg"), row.kcjg);
    q.setMoney(QStringLiteral("kcsl"), row.kcsl);
    q.setMoney(QStringLiteral("kcje"), row.kcje);
    q.post();
}

// The goods row of the key ready to edit, or nullptr when none existed and the created
// row was appended instead.
Query* editStockRow(TDM1& dm, const StockKey& key, StockKeyOrder order, const NewStockRow& created)
{
    Query& q = findStockRow(dm, key, order);
    if (q.isEmpty()) {
        appendStockRow(q, key, created);
        return nullptr;
    }
    q.first();
    q.edit();
    return &q;
}

// The at-cost rule on q's current row, in edit: kcsl += delta; kcje := kcsl * kcjg rounded.
void moveAtCost(Query& q, Money delta)
{
    const Money kcsl = q.money(QStringLiteral("kcsl")) + delta;
    const Money kcjg = q.money(QStringLiteral("kcjg"));
    q.setMoney(QStringLiteral("kcsl"), kcsl);
    q.setMoney(QStringLiteral("kcje"), (kcsl * kcjg).round2());
    q.post();
}

} // namespace

void applyMovingAverage(TDM1& dm, const StockKey& key, Money sl, Money je, Money jg,
                        StockKeyOrder order)
{
    Query* row = editStockRow(dm, key, order, NewStockRow{jg, sl, je});
    if (!row)
        return;
    Query& q = *row;
    const Money kcsl = q.money(QStringLiteral("kcsl")) + sl;
    Money kcje = q.money(QStringLiteral("kcje")) + je;
    Money kcjg = q.money(QStringLiteral("kcjg"));
    if (!kcsl.isZero() && !kcje.isZero())
        kcjg = (kcje / kcsl).round2();
    else if (!kcsl.isZero() && kcje.isZero())
        kcje = (kcsl * kcjg).round2();
    if (kcsl.isZero())
        kcje = Money();
    q.setMoney(QStringLiteral("kcsl"), kcsl);
    q.setMoney(QStringLiteral("kcje"), kcje);
    q.setMoney(QStringLiteral("kcjg"), kcjg);
    q.post();
}

void applyAtCost(TDM1& dm, const StockKey& key, Money delta, const NewStockRow& created,
                 StockKeyOrder order)
{
    if (Query* row = editStockRow(dm, key, order, created))
        moveAtCost(*row, delta);
}

void applyMovingAverage(TDM1& dm, const StockKey& key, Money sl, Money je, Money jg)
{
    applyMovingAverage(dm, key, sl, je, jg, StockKeyOrder::PpggTxmDwCk);
}

void applyAtCost(TDM1& dm, const StockKey& key, Money delta, const NewStockRow& created)
{
    applyAtCost(dm, key, delta, created, StockKeyOrder::PpggTxmDwCk);
}

bool applyAtCostById(TDM1& dm, qint64 id, Money delta)
{
    Query& q = dm.AQkcfx1;
    q.close();
    q.setSql({QStringLiteral("SELECT * FROM sp"), QStringLiteral("where id=") + sqlQuote(QString::number(id))});
    q.open();
    if (q.isEmpty())
        return false;
    q.first();
    q.edit();
    moveAtCost(q, delta);
    return true;
}

int resetShownStock(TDM1& dm)
{
    Query& q = dm.AQkcfx1;
    if (!q.isOpen())
        return 0;
    const ControlsDisabled still(q);
    Transaction tr(dm.ADOC1);
    const int n = q.recordCount();
    for (int r = 0; r < n; ++r) {
        q.moveTo(r);
        q.edit();
        try {
            q.setMoney(QStringLiteral("kcsl"), Money());
            q.setMoney(QStringLiteral("kcje"), Money());
            q.post();
        } catch (...) {
            q.cancel();
            throw;
        }
    }
    tr.commit();
    return n;
}

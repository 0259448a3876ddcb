#pragma once
// The one stock update service of every posting and reversal. It finds the goods row of
// (txm, ppgg, dw, ck) through DM1.AQkcfx1 (the lowest id when several match), and applies
// one of the two stock rules; a missing row is appended with category "未知".
// NULL stock values count as 0.

#include "data/Money.h"

#include <QString>

class TDM1;

struct StockKey {
    QString txm, ppgg, dw, ck;
};

// Values of a goods row that a rule creates when none exists.
struct NewStockRow {
    Money kcjg, kcsl, kcje;
};

// The moving weighted average (purchase posting with +sl/+je, its reversal with -sl/-je):
// kcsl += sl and kcje += je exactly; then, on the new values, in this order: kcsl != 0 and
// kcje != 0 -> kcjg := kcje / kcsl rounded to two decimals (kcje keeps the exact sum);
// kcsl != 0 and kcje == 0 -> kcje := kcsl * kcjg rounded; kcsl == 0 -> kcje := 0, kcjg kept.
// A missing row is created with kcsl := sl, kcje := je, kcjg := jg.
void applyMovingAverage(TDM1& dm, const StockKey& key, Money sl, Money je, Money jg);

// The at-cost rule of every other stock move: kcsl += delta; kcje := kcsl * kcjg rounded to
// two decimals, half-even; kcjg unchanged. A missing row is created with the given values.
void applyAtCost(TDM1& dm, const StockKey& key, Money delta, const NewStockRow& created);

// The order in which a lookup names the four keys in its statement ("where ppgg=...",
// "and txm=...", ...). The purchase posting, the sales posting and the transfer name them
// ppgg, txm, dw, ck; the purchase un-audit txm, ppgg, dw, ck; the movement posting
// ppgg, dw, txm, ck. The functions above use PpggTxmDwCk.
enum class StockKeyOrder { PpggTxmDwCk, TxmPpggDwCk, PpggDwTxmCk };

void applyMovingAverage(TDM1& dm, const StockKey& key, Money sl, Money je, Money jg,
                        StockKeyOrder order);
void applyAtCost(TDM1& dm, const StockKey& key, Money delta, const NewStockRow& created,
                 StockKeyOrder order);

// The at-cost rule on the goods row with this id (assembly and splitting move a row they
// know by id): AQkcfx1 is re-pointed at "SELECT * FROM sp" / "where id=..." and, when the
// row exists, kcsl += delta and kcje := kcsl * kcjg rounded as above. False when no row has
// the id (nothing is written).
bool applyAtCostById(TDM1& dm, qint64 id, Money delta);

// The stock reset: every row AQkcfx1 holds (the rows the stock table shows), from the first
// to the last, gets kcsl := 0 and kcje := 0 through the query, so the rows in hand show the
// zeros; kcjg and every other column stay, rows not shown are not touched. All rows or
// none: one transaction. Returns the number of rows reset.
int resetShownStock(TDM1& dm);

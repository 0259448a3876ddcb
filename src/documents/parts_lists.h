#pragma once
// Goods assembly and splitting, free of widgets: the parts lists of whole items (zu for
// assembly, chai for splitting; one row per part entry, rows kept between sessions) and the
// stock they move. A list row holds the whole item spid1 and the part spid2 (both sp.id),
// the coefficient xs (parts per whole item) and sl, the parts needed for the count last
// applied (xs × count).
//
// Assembly raises the whole item's stock by the count and lowers each part's by its sl;
// splitting is the mirror. Every goods row moves at its own unchanged kcjg (the at-cost
// rule) through AQkcfx1, which is left on the last row moved. No document, ledger row or
// cost is written.

#include "data/Money.h"

#include <QString>

class Query;
class TDM1;

struct PartsKind {
    QString table;            // "zu" / "chai"
    Query TDM1::*query;       // the list's own query: AQzu1 / AQchai1
    int wholeSign;            // the whole item moves by wholeSign × count, each part the other way
};
const PartsKind& assemblyParts();
const PartsKind& splittingParts();

// Opens AQ1 on whole item spid1's list in the order the parts were added: txm, ppgg, dw, ck,
// kc (the part's stock), xs, sl, spid2. A row whose goods row is gone shows empty columns.
void loadPartsList(TDM1& dm, const PartsKind& k, qint64 spid1);

// Rewrites sl := xs × count on every list row of spid1 (one transaction); false when the
// whole item has no list rows.
bool applyPartsCount(TDM1& dm, const PartsKind& k, qint64 spid1, Money count);

// Appends a list row: spid1, spid2, xs, sl := xs × count. No duplicate or stock check.
void addPart(TDM1& dm, const PartsKind& k, qint64 spid1, qint64 spid2, Money xs, Money count);

// Deletes one list row of (spid1, spid2), the first found; false when there is none.
bool deletePart(TDM1& dm, const PartsKind& k, qint64 spid1, qint64 spid2);

// Assembles (splits) count whole items spid1, in one transaction: the list rows first get
// sl := xs × count; the whole item's row, when it exists, moves by wholeSign × count; then
// each list row, in list order, moves the goods row spid2 by -wholeSign × sl; a row whose
// goods row is gone is skipped. Stock is read inside the transaction; nothing checks that it
// suffices.
void confirmParts(TDM1& dm, const PartsKind& k, qint64 spid1, Money count);

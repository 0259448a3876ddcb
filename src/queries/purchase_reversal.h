#pragma once
// Un-audit and deletion of a purchase document, as the purchase document list runs them.
// Each runs in one transaction and reads the header's state again from the database.

#include <QString>

class TDM1;

enum class ReversalResult { Done, AlreadyHeld, Missing };

// Reverses the posting of the audited document dh line by line (order by id) with the moving
// weighted average rule, deletes its cgfx and fkfx rows, sets the header back to "未审核"
// (money columns unchanged; through AQcgz1 when that query holds the row, so windows showing
// it follow), then refreshes AQcgfx1 and AQfkfx1 with "where dh='刷新数据'".
// AlreadyHeld: the header says "未审核" (nothing changes); Missing: no such header.
ReversalResult unauditPurchase(TDM1& dm, const QString& dh);

// Deletes the lines (AQcgc1), the ledger rows (AQcgfx1) and the header of dh (the current
// row of AQcgz1 when it is that header, else by statement); stock and payment rows stay.
// Refreshes AQcgfx1. Missing when no such header exists.
ReversalResult deletePurchaseDocument(TDM1& dm, const QString& dh);

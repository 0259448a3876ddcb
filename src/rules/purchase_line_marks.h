#pragma once
// The marks of purchase lines while a document is being entered: "dz" a line added and not
// saved yet, "ds" a saved line deleted during a change, "yz" a saved line.

#include <QString>
#include <optional>

class TDM1;

// Discards unsaved line changes as leaving the entry form without saving does: "dz" lines are
// deleted and, with restoreDeleted, "ds" lines become "yz" again, in one transaction. Of the
// document dh, or, without one, of every purchase document: at start-up no copy of the program
// is entering a document, so every mark left is one a copy that ended without closing its form
// left behind.
void rollbackPurchaseLineMarks(TDM1& dm, const std::optional<QString>& dh, bool restoreDeleted);

// True when the document dh has lines not yet saved: added ("dz") or deleted ("ds") since it
// was last saved.
bool purchaseHasPendingLines(TDM1& dm, const QString& dh);

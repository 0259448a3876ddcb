#pragma once
// Posting a settled purchase document and reversing it.

#include <QDate>
#include <QString>

class TDM1;

// The document's header values as the entry form holds them when it posts.
struct PurchaseDocFields {
    QString dh, ck, ghs, jsr, bz;
    QString sfe;        // amount paid at once, as text (already rounded by the caller)
    QDate rq;           // document date
};

// Posts the document whose lines DM1.AQcgc1 holds (walked from the first, in the order in
// hand): one cgfx row per line through AQcgfx1, the goods row by the moving weighted average
// (or a new "未知" row), and one fkfx row "已审核" through AQfkfx1 when the paid amount is
// not 0. Runs in one transaction (joining the caller's). The line query's controls are
// disabled during the walk and enabled again, also on failure.
void postPurchase(TDM1& dm, const PurchaseDocFields& doc);

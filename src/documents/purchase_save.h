#pragma once
// Holding and settling a purchase document, the line marks of the document in hand, and
// the money sign rules the entry form checks before saving and before printing.

#include "data/Money.h"
#include "rules/purchase_line_marks.h"

#include <QDate>
#include <QString>
#include <QStringList>

class TDM1;

// The sign rules of a purchase document: T total, D discount, P payable, S paid. Returns the
// message of the first rule broken, empty when all hold.
QString purchaseSignRuleMessage(Money T, Money D, Money P, Money S);
// The same on the texts as the form shows them, read as the save reads them: a lone "-"
// (trimmed) is 0; another text that is not a number throws MoneyFormatError.
QString purchaseSignRuleMessage(const QString& hjje, const QString& yhe, const QString& yfe, const QString& sfe);

// The entry form's own statement over its lines: in new mode the pending lines of dh
// ("SELECT * FROM cgglc", "where dh='<dh>'", "and bj='dz'"), in modify mode the lines that
// are not deleted ("...", "and bj<>'ds'", "order by id").
QStringList purchaseLinesStatement(const QString& dh, bool modifyMode);
// Makes DM1.AQcgc1 hold that statement, re-pointing it only when it does not (another window
// re-pointed or closed it); the line that was current stays current when it is one of them.
// Returns true when the query was re-pointed.
bool ensurePurchaseLines(TDM1& dm, const QString& dh, bool modifyMode);

// The header as the form holds it after its checks.
struct PurchaseSaveInput {
    bool modifyMode = false;   // "修改": rewrite the held header dh; else append a new one
    bool settle = false;       // 结单: "已审核" and posting; else 挂单: "未审核"
    QString dh;
    QDate rq;
    QString ck, ghs, jsr, bz;
    QString hjsl, hjje, yhe, yfe, sfe;
    QString zhidan;            // the operator saving
    QDate today;               // entry date of a new header
};

enum class PurchaseSaveResult {
    Saved,
    HeldHeaderMissing,   // modify mode: no header dh "未审核" any more; nothing written
};

// Writes the header (new mode: a row appended through DM1.AQcgz1 with its fifteen columns;
// modify mode: the header dh that is still "未审核", edited through AQcgz1 with kdrq and dh
// kept), posts the document when settling (postPurchase over DM1.AQcgc1, which must hold
// the document's lines), then commits the line marks of dh ("dz" -> "yz"; in modify mode the
// "ds" lines are deleted). All in one transaction: on an error nothing is kept and it is
// thrown on.
PurchaseSaveResult savePurchase(TDM1& dm, const PurchaseSaveInput& in);

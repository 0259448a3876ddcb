#include "purchase_line_marks.h"

#include "data/DM1.h"

void rollbackPurchaseLineMarks(TDM1& dm, const std::optional<QString>& dh, bool restoreDeleted)
{
    const QString ofDocument = dh ? QStringLiteral("\nand dh=") + sqlQuote(*dh) : QString();
    Transaction tx(dm.ADOC1);
    dm.ADOC1.exec(QStringLiteral("delete from cgglc\nwhere bj='dz'") + ofDocument);
    if (restoreDeleted)
        dm.ADOC1.exec(QStringLiteral("update cgglc\nset bj='yz'\nwhere bj='ds'") + ofDocument);
    tx.commit();
}

bool purchaseHasPendingLines(TDM1& dm, const QString& dh)
{
    const RecordSet rs = dm.ADOC1.execute(QStringLiteral("SELECT count(*) FROM cgglc\nwhere dh=") + sqlQuote(dh)
                                          + QStringLiteral("\nand bj in ('dz','ds')"));
    return !rs.isEmpty() && rs.rows.front().value(0).toInt() > 0;
}

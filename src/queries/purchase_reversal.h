#pragma once
// Un-audit and deletion of a purchase document (see document_reversal.h).

#include "document_reversal.h"

inline ReversalResult unauditPurchase(TDM1& dm, const QString& dh)
{
    return unauditDocument(dm, purchaseDocuments(), dh);
}

inline ReversalResult deletePurchaseDocument(TDM1& dm, const QString& dh)
{
    return deleteDocument(dm, purchaseDocuments(), dh);
}

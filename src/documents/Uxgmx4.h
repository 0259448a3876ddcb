#pragma once
// The whole-document discount dialog (modal), a purchase line dialog (Uxgmx1.h). The
// opener sets the caption, writes the mode into ST1 and "1" into zk, and runs it.
// Confirming gives every line of the purchase lines AQcgc1 the rate (discountPurchaseLines);
// a rate of 0 is refused.

#include "Uxgmx1.h"

class TFxgmx4 : public PurchaseLineDialog {
    Q_OBJECT
public:
    explicit TFxgmx4(QWidget* parent = nullptr);

    QLineEdit* zk = nullptr;

protected:
    PurchaseTotals apply(TDM1& dm) override;
};

// Every line of dm.AQcgc1 in hand, from the first, gets zk := rate and je := sl × jg × zk
// formatted with "0.00", and is posted, all in one transaction. Returns the totals; the
// current line afterwards is the one it was.
PurchaseTotals discountPurchaseLines(TDM1& dm, const QString& rate);

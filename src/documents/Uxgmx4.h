#pragma once
// The whole-document discount dialog (modal). The opener sets the caption, writes the mode
// into ST1 and "1" into zk, and runs it. In mode "cgmx" confirming (BitBtn1) gives every
// line of the purchase lines AQcgc1 the rate (discountPurchaseLines) and writes the totals
// into the purchase form (fields "hjsl" and "hjje" of tag "tjcg"); a rate of 0 is refused.
// BitBtn2 and Esc close it without a change.

#include "basic/Usp2.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDM1;

class TFxgmx4 : public QDialog {
    Q_OBJECT
public:
    explicit TFxgmx4(QWidget* parent = nullptr);
    ~TFxgmx4() override;

    QLabel* ST1 = nullptr;
    QLineEdit* zk = nullptr;
    QPushButton* BitBtn1 = nullptr;   // 确定
    QPushButton* BitBtn2 = nullptr;   // 取消

    void BitBtn1Click();
};

// Every line of dm.AQcgc1 in hand, from the first, gets zk := rate and je := sl × jg × zk
// formatted with "0.00", and is posted, all in one transaction. Returns the totals; the
// current line afterwards is the one it was.
PurchaseTotals discountPurchaseLines(TDM1& dm, const QString& rate);

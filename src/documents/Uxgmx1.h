#pragma once
// The line edit dialog (modal). The opener creates it with itself as owner, sets its
// caption, writes the mode into ST1 and fills txm, ppgg, dw, sl, jg, zk, je from the
// current line, then runs it. In mode "cgmx" confirming (BitBtn1) changes the current line
// of the purchase lines AQcgc1 (editPurchaseLine) and writes the totals into the purchase
// form (fields "hjsl" and "hjje" of tag "tjcg"); a quantity or a rate of 0 is refused.
// BitBtn2 and Esc close it without a change.

#include "basic/Usp2.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDM1;

class TFxgmx1 : public QDialog {
    Q_OBJECT
public:
    explicit TFxgmx1(QWidget* parent = nullptr);
    ~TFxgmx1() override;

    QLabel* ST1 = nullptr;
    QLineEdit *txm = nullptr, *ppgg = nullptr, *dw = nullptr;
    QLineEdit *sl = nullptr, *jg = nullptr, *zk = nullptr, *je = nullptr;
    QPushButton* BitBtn1 = nullptr;   // 确定
    QPushButton* BitBtn2 = nullptr;   // 取消

    void BitBtn1Click();
};

// The amount of a line: price × rate × quantity, rounded to two decimals (halves to even).
Money lineAmount(Money jg, Money zk, Money sl);

// Writes sl, jg, zk (texts as given) and je = lineAmount into the current line of
// dm.AQcgc1 and posts it; the mark bj is not touched. Returns the totals over the lines in
// hand; the current line stays.
PurchaseTotals editPurchaseLine(TDM1& dm, const QString& sl, const QString& jg, const QString& zk);

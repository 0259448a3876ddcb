#pragma once
// The purchase line dialogs (modal). The opener creates one with itself as owner, sets its
// caption, writes the mode into ST1 and fills its fields, then runs it. In mode "cgmx"
// confirming (BitBtn1) formats typed texts with more than two decimals with "0.00",
// refuses a quantity or a rate of 0 (a message, the focus on that field, nothing saved),
// otherwise changes the purchase lines AQcgc1 and writes the totals into the purchase form
// (fields "hjsl" and "hjje" of tag "tjcg"). BitBtn2 and Esc close it without a change.
// It opens with the focus in its first field typed into; Enter moves through those fields
// and in the last one confirms. Fields only shown are read-only and grey.
//
// TFxgmx1 edits the current line: the opener fills txm, ppgg, dw, sl, jg, zk, je from it,
// and confirming writes sl, jg, zk and the amount (editPurchaseLine).

#include "basic/Usp2.h"

#include <QDialog>
#include <QList>

class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class TDM1;

class PurchaseLineDialog : public QDialog {
    Q_OBJECT
public:
    QLabel* ST1 = nullptr;
    QPushButton* BitBtn1 = nullptr;   // 确定
    QPushButton* BitBtn2 = nullptr;   // 取消

    void BitBtn1Click();

protected:
    PurchaseLineDialog(QWidget* parent, const QString& name);
    // Puts the buttons under fields, fixes the size and sets the keys; called after the
    // fields are made and `typed` is filled.
    void addButtons(QLayout* fields, int width, int height);
    // Changes the purchase lines; returns the totals.
    virtual PurchaseTotals apply(TDM1& dm) = 0;
    void showEvent(QShowEvent* e) override;
    // A field the operator types a number into: leaving it with a value out of range is refused.
    QLineEdit* numberEdit(const QString& name);

    QList<QLineEdit*> typed;                         // typed into, in order; formatted on confirm
    QList<std::pair<QLineEdit*, QString>> nonZero;   // then checked, with the refusal text
};

class TFxgmx1 : public PurchaseLineDialog {
    Q_OBJECT
public:
    explicit TFxgmx1(QWidget* parent = nullptr);

    QLineEdit *txm = nullptr, *ppgg = nullptr, *dw = nullptr;
    QLineEdit *sl = nullptr, *jg = nullptr, *zk = nullptr, *je = nullptr;

protected:
    PurchaseTotals apply(TDM1& dm) override;
};

// The amount of a line: price × rate × quantity, rounded to two decimals (halves to even).
Money lineAmount(Money jg, Money zk, Money sl);

// Writes sl, jg, zk (texts as given) and je = lineAmount into the current line of
// dm.AQcgc1 and posts it; the mark bj is not touched. Returns the totals over the lines in
// hand; the current line stays.
PurchaseTotals editPurchaseLine(TDM1& dm, const QString& sl, const QString& jg, const QString& zk);

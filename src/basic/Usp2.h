#pragma once
// The goods picker of the entry forms: an MDI child that stays open beside its caller
// (global Fsp2; the opener brings it to the front or creates it and shows it with
// showMdiChild). It shows the shared goods query AQsp1, which the opener fills with the
// goods of its warehouse; Edit2 shows that warehouse. The opener shows or hides the four
// price columns (采购单价, 批发单价, 零售单价, 库存单价: grid columns 4 to 7).
//
// A choice (xuan or a double-click in the grid) with tag "tjcg" appends the current goods
// item as a line of the purchase document in hand (appendPickedPurchaseLine) and writes
// the new totals into fields "hjsl" and "hjje" of tag "tjcg"; the number is read from
// field "dh" of that tag. The picker stays open for further choices.

#include "data/Money.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class DataGrid;
class TDM1;

class TFsp2 : public QWidget {
    Q_OBJECT
public:
    explicit TFsp2(QWidget* parent = nullptr);
    ~TFsp2() override;

    QLabel* xzbj = nullptr;
    QLineEdit* Edit2 = nullptr;     // 当前仓库
    DataGrid* DBGrid1 = nullptr;
    QPushButton* xuan = nullptr;

    void xuanClick();
};

extern QPointer<TFsp2> Fsp2;

struct PurchaseTotals {
    Money hjsl;   // sum of the lines' quantities
    Money hjje;   // sum of the lines' amounts
};

// Appends to dm.AQcgc1 a line of document dh for the current goods row of dm.AQsp1:
// mark "dz", txm, ppgg, dw of the goods, jg and je its purchase price jj, zk "1", sl "1";
// posts it and returns the totals over the lines in hand. The appended line stays the
// current line. Throws when AQsp1 has no current row.
PurchaseTotals appendPickedPurchaseLine(TDM1& dm, const QString& dh);
// The totals over the lines of dm.AQcgc1 in hand; the current line stays.
PurchaseTotals purchaseLineTotals(TDM1& dm);
// Writes the totals into the purchase form's hjsl and hjje as plain decimal text.
void writePurchaseTotals(const PurchaseTotals& t);

// The goods row of a code typed in an entry form, in a warehouse, looked up on AQsp1
// ("SELECT * FROM sp", "where txm=...", "and ck=..."). Only exactly one row counts: none or
// several give nothing.
struct GoodsFound {
    qint64 id = 0;
    QString ppgg, dw, kcsl, jj;
};
std::optional<GoodsFound> findGoodsByCode(TDM1& dm, const QString& txm, const QString& ck);

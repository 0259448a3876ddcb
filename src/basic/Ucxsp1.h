#pragma once
// The goods query dialog (modal, "按条件查询"). The stock table creates it with itself as
// owner, writes "kc" into ST1 and runs it. In "kc" mode 查询 (BitBtn1) runs the conditions
// on the shared query AQkcfx1 (runStockQuery), writes the two sums into the stock table's
// status bar through fields "panel2" and "panel4" of tag "kcfx", empties panel 4 while stock
// prices are hidden, and closes. BitBtn2 关闭 and Esc close it without a query.

#include "data/Money.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDM1;

class TFcxsp1 : public QDialog {
    Q_OBJECT
public:
    explicit TFcxsp1(QWidget* parent = nullptr);
    ~TFcxsp1() override;

    QLabel* ST1 = nullptr;
    QLineEdit* Edit1 = nullptr;     // 商品类别
    QLineEdit* Edit2 = nullptr;     // 商品编码
    QLineEdit* Edit3 = nullptr;     // 商品名称
    QLineEdit* Edit4 = nullptr;     // 存放仓库
    QComboBox* ComboBox1 = nullptr; // 全部, 库存＞0, 库存＝0, 库存＜0
    QPushButton* BitBtn1 = nullptr; // 查询
    QPushButton* BitBtn2 = nullptr; // 关闭

    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* e) override;
};

struct StockConditions {
    QString lb, txm, ppgg, ck;
    int stock = 0;   // 0 all, 1 kcsl>0, 2 kcsl=0, 3 kcsl<0
};
struct StockSums {
    Money kcsl;
    Money kcje;
};

// Runs the sums of kcsl and kcje over the goods rows that meet the conditions on
// dm.AQkcfx1, then leaves AQkcfx1 open on those rows (order by id). AQkcfx1's controls
// are disabled meanwhile and enabled again afterwards, also on failure.
StockSums runStockQuery(TDM1& dm, const StockConditions& c);

#pragma once
// The stock detail table (库存明细表): the goods rows with their stock, cost and amount, the
// quantity and amount totals, a category tree and the goods query dialog to choose rows,
// stock prices hidden from operators without the permission, the reset of the rows shown
// (归零), goods assembly (组装) and splitting (拆零), two prints and export.
//
// Its query AQkcfx1 is also the cursor of every stock update: after a posting, an un-audit,
// an assembly or a splitting elsewhere it holds the rows that update last chose, and the
// reset and the prints act on those.

#include "bases/QueryWindow.h"

#include <QPointer>

class QAction;
class SpeedButton;

class TFkcfx1 : public QueryWindow {
    Q_OBJECT
public:
    explicit TFkcfx1(QWidget* parent = nullptr);

    static ListDescription describe();

    SpeedButton *SB33 = nullptr, *SB44 = nullptr, *SB55 = nullptr, *SB77 = nullptr, *SB88 = nullptr,
                *SB99 = nullptr, *SB100 = nullptr;
    QAction *N11 = nullptr, *N22 = nullptr;   // PopupMenu2 of SB88

    void SB33Click();   // 拆零
    void SB44Click();   // 组装
    void SB55Click();   // 归零
    void SB77Click();   // 查询
    void N11Click();    // 带库存价格打印
    void N22Click();    // 不带库存价格打印

protected:
    // The price flag after every fill: while prices are hidden, 库存单价 and 库存金额 are
    // hidden and the amount total is empty.
    void afterRun() override;

private:
    bool pricesShown() const;
    bool mayOpenPartsDialog(const QString& hiddenRefusal) const;
};

extern QPointer<TFkcfx1> Fkcfx1;

// The main menu's 商品库存明细表 (and the toolbar's): brings the open table to the front or
// creates it.
void openStockTable();

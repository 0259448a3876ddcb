#pragma once
// The purchase-sales-stock statistics (商品进销存统计表): per goods item, the posted
// purchases, sales and stock changes with the balance, for a code or name fragment and a
// date range; print and export.

#include "bases/QueryWindow.h"

#include <QPointer>

class TFkctj1 : public StatisticsTable {
    Q_OBJECT
public:
    explicit TFkctj1(QWidget* parent = nullptr);

    static ListDescription describe();
};

extern QPointer<TFkctj1> Fkctj1;

// The main menu's 商品进销存统计表: brings the open table to the front or creates it.
void openStockBalanceTable();

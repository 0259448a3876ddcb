#pragma once
// The movement document browser (浏览库存异动单): the movement list's current header with
// its lines (those taking stock out in red), paged through the list's rows and printed on
// the movement layout.

#include "bases/DocumentBrowser.h"

#include <QPointer>

class TDM1;

class TFllrkd1 : public DocumentBrowser {
    Q_OBJECT
public:
    explicit TFllrkd1(TDM1& dm, QWidget* parent = nullptr);

    // Header edits (dh, the state and the heading are the base's); sm always reads the
    // meaning of the quantity's sign.
    QLineEdit *rq = nullptr, *ck = nullptr, *jsr = nullptr, *lx = nullptr, *bz = nullptr, *sm = nullptr;
};

extern QPointer<TFllrkd1> Fllrkd1;

// The line grid of the movement and transfer browsers: 编码, 商品名称, 单位 (centred),
// 数量 and 金额 tinted, 单价; numbers to the right.
QVector<GridColumn> stockLineColumns();

// What the movement list's 查单 runs once it has checked that AQrkz1 is open and has rows:
// brings the browser to the front or creates it, and shows AQrkz1's current header with its
// lines (re-pointing AQrkc1).
TFllrkd1* showMovementBrowser(TDM1& dm);

#pragma once
// The two stock table reports (商品库存表), one ruled layout: 编码, 商品名称, 单位, 库存数量 and
// then 库存单价, 库存金额 (TFdykcfx1, totals e1 under the quantity and e2 under the amount) or
// 批发单价, 零售单价 (TFdykcfx2, total e1 alone). "总计" stands under the code alone, the
// page number at the right.

#include "report/ListReport.h"

class TFdykcfx1 : public TListReport {
public:
    TFdykcfx1();
};

class TFdykcfx2 : public TListReport {
public:
    TFdykcfx2();
};

extern TFdykcfx1* Fdykcfx1;
extern TFdykcfx2* Fdykcfx2;

#pragma once
// The ledger detail report of the three detail tables: 日期, 编码, 商品名称, 单位, 数量,
// 单价, 金额; "总计" under the date, e1 under 数量 and e2 under 金额; the page number at
// the right.

#include "report/ListReport.h"

class TFdycgfx1 : public TListReport {
public:
    TFdycgfx1();
};

extern TFdycgfx1* Fdycgfx1;

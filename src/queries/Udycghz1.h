#pragma once
// The ledger statistics report of the three statistics tables: 编码, 商品名称, 单位, 数量,
// 金额; "总计" under the code, e1 under 数量 and e2 under 金额; the page number at the right.

#include "report/ListReport.h"

class TFdycghz1 : public TListReport {
public:
    TFdycghz1();
};

extern TFdycghz1* Fdycghz1;

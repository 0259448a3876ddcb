#pragma once
// The transfer document list report: 日期, 单号, 调出仓库 (QRD3, ck1), 调入仓库 (QRD6, ck2),
// 合计数量 (QRD4), 合计金额 (QRD5); totals e1 and e2 under the two totals.

#include "report/ListReport.h"

class TFdydbgl1 : public TListReport {
public:
    TFdydbgl1();
};

extern TFdydbgl1* Fdydbgl1;

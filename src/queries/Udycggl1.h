#pragma once
// The purchase (and sales) document list report: 日期, 单号, the party (QRL3, set by the
// printing window), 合计数量, 合计金额, 欠款; totals e1, e2, e3 under the last three.

#include "report/ListReport.h"

class TFdycggl1 : public TListReport {
public:
    TFdycggl1();
    QRLabel* QRL3 = nullptr;
};

extern TFdycggl1* Fdycggl1;

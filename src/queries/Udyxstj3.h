#pragma once
// The commission table's report: 员工, 销售提成额, 金额提成额, 总提成额 (QRD1..QRD4), the
// totals e1, e2, e3 under the three amounts; A4 portrait.

#include "report/ListReport.h"

class TFdyxstj3 : public TListReport {
public:
    TFdyxstj3();
};

extern TFdyxstj3* Fdyxstj3;

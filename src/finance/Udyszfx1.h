#pragma once
// The other income and expense list report: 日期, 类别, 项目, 收入额, 支出额, 经办人; the
// totals e1 under 收入额 and e2 under 支出额.

#include "report/ListReport.h"

class TFdyszfx1 : public TListReport {
public:
    TFdyszfx1();
};

extern TFdyszfx1* Fdyszfx1;

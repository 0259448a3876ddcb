#pragma once
// The payment and receipt list report, shared by both lists: 日期, 单号, the party (QRL3) and
// the amount (QRL4) as the printing list sets them, 经办人; "总计" under the date alone and the
// total e1 under the amount; the page number at the right in 9 point.

#include "report/ListReport.h"

class TFdyfkfx1 : public TListReport {
public:
    TFdyfkfx1();
};

extern TFdyfkfx1* Fdyfkfx1;

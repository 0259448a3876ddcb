#pragma once
// The payables and receivables report, shared by both tables: 日期, 单号, the party (QRL3), the
// due (QRL4) and paid (QRL5) amounts as the printing table sets them, and 欠款; "总计" with the
// total e1 under 欠款; the page number at the right.

#include "report/ListReport.h"

class TFdyyffx1 : public TListReport {
public:
    TFdyyffx1();
};

extern TFdyyffx1* Fdyyffx1;

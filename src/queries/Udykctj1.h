#pragma once
// The purchase-sales-stock report: 商品名称 (QRD2), 单位 (QRD4), then purchases, sales,
// changes (titled 变动) and the balance (QRD5..QRD12), the code not printed; the totals e1,
// e2 under the balance; "总　　计" in the name column; A4 landscape.

#include "report/ListReport.h"

class TFdykctj1 : public TListReport {
public:
    TFdykctj1();
};

extern TFdykctj1* Fdykctj1;

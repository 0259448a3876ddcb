#pragma once
// The movement document list report: 日期, 单号, 异动原因, 合计数量, 合计金额, 经办人
// (QRD1 to QRD6); totals e1 and e2 under the two totals. The transfer list report
// (Udydbgl1.h) is this layout with the two warehouses in place of reason and handler.

#include "report/ListReport.h"

// The layout of TFdyrkgl1.
ListLayout movementListLayout();

class TFdyrkgl1 : public TListReport {
public:
    TFdyrkgl1();
};

extern TFdyrkgl1* Fdyrkgl1;

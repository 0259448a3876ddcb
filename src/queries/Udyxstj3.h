#pragma once
// The commission table's report: 员工, 销售提成额, 金额提成额, 总提成额 (QRD1..QRD4), the
// totals e1, e2, e3 under the three amounts; A4 portrait.

#include "report/ListReport.h"

// The bands the statistics tables' reports share: 9.3, 7.9, 6.1, 6.6 and 5.3 mm high, the
// title in 宋体 19 px bold, "总计" under the first column alone, the page number in 12 px at
// pageNumberAt mm from the band's left (the table starts at 0.1 mm).
ListLayout statisticsReportLayout(QVector<ListReportColumn> columns, QVector<ListTotal> totals, double pageNumberAt);

class TFdyxstj3 : public TListReport {
public:
    TFdyxstj3();
};

extern TFdyxstj3* Fdyxstj3;

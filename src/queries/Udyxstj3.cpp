#include "Udyxstj3.h"

TFdyxstj3* Fdyxstj3 = nullptr;

namespace {
// Edges in mm from the band's left; the table starts at 0.1.
ListLayout dyxstj3Layout()
{
    const Qt::Alignment r = Qt::AlignRight;
    return ListLayout{
        .columns = {{.left = 0.1, .right = 70.5, .title = "员工", .field = "yuangong"},
                    {.left = 70.5, .right = 110.2, .title = "销售提成额", .field = "sltc", .align = r},
                    {.left = 110.2, .right = 149.9, .title = "金额提成额", .field = "jetc", .align = r},
                    {.left = 149.9, .right = 189.8, .title = "总提成额", .field = "ztc", .align = r}},
        .totals = {{"e1", 1}, {"e2", 2}, {"e3", 3}},
        .pageHeaderHeight = 9.3,
        .columnHeaderHeight = 7.9,
        .rowHeight = 6.1,
        .summaryHeight = 6.6,
        .pageFooterHeight = 5.3,
        .titleFont = songTitleFont(),
        .summaryCells = SummaryCells::FirstColumn,
        .pageNumber = {.at = PageNumberPlace::At::Left, .left = 182 - 0.1, .px = 12},
    };
}
}

TFdyxstj3::TFdyxstj3() : TListReport(dyxstj3Layout()) {}

#include "Udyxstj3.h"

TFdyxstj3* Fdyxstj3 = nullptr;

namespace {
constexpr double kTableLeft = 0.1;
}

ListLayout statisticsReportLayout(QVector<ListReportColumn> columns, QVector<ListTotal> totals, double pageNumberAt)
{
    return ListLayout{
        .columns = std::move(columns),
        .totals = std::move(totals),
        .pageHeaderHeight = 9.3,
        .columnHeaderHeight = 7.9,
        .rowHeight = 6.1,
        .summaryHeight = 6.6,
        .pageFooterHeight = 5.3,
        .titleFont = songTitleFont(),
        .summaryCells = SummaryCells::FirstColumn,
        .pageNumber = {.at = PageNumberPlace::At::Left, .left = pageNumberAt - kTableLeft, .px = 12},
    };
}

TFdyxstj3::TFdyxstj3()
    : TListReport(statisticsReportLayout(
        {{.left = kTableLeft, .right = 70.5, .title = "员工", .field = "yuangong"},
         {.left = 70.5, .right = 110.2, .title = "销售提成额", .field = "sltc", .align = Qt::AlignRight},
         {.left = 110.2, .right = 149.9, .title = "金额提成额", .field = "jetc", .align = Qt::AlignRight},
         {.left = 149.9, .right = 189.8, .title = "总提成额", .field = "ztc", .align = Qt::AlignRight}},
        {{"e1", 1}, {"e2", 2}, {"e3", 3}}, 182))
{
}

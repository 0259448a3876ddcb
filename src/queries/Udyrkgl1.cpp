#include "Udyrkgl1.h"

TFdyrkgl1* Fdyrkgl1 = nullptr;

ListLayout movementListLayout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    ListLayout layout;
    layout.columns = {
        {.left = 0, .right = 25, .title = "日期", .field = "rq", .align = c},
        {.left = 25, .right = 60, .title = "单号", .field = "dh", .align = c},
        {.left = 60, .right = 100, .title = "异动原因", .field = "lx", .align = l},
        {.left = 100, .right = 125, .title = "合计数量", .field = "hjsl", .align = r},
        {.left = 125, .right = 155, .title = "合计金额", .field = "hjje", .align = r},
        {.left = 155, .right = 190, .title = "经办人", .field = "jsr", .align = l},
    };
    layout.totals = {{.name = "e1", .column = 3}, {.name = "e2", .column = 4}};
    layout.titleFont = heiTitleFont();
    return layout;
}

TFdyrkgl1::TFdyrkgl1() : TListReport(movementListLayout()) {}

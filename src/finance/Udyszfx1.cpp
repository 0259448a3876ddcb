#include "Udyszfx1.h"

TFdyszfx1* Fdyszfx1 = nullptr;

namespace {
ListLayout dyszfx1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    return ListLayout{
        .columns = {{.left = 0, .right = 25, .title = "日期", .field = "rq", .align = c},
                    {.left = 25, .right = 40, .title = "类别", .field = "lb", .align = c},
                    {.left = 40, .right = 100, .title = "项目", .field = "xm", .align = l},
                    {.left = 100, .right = 130, .title = "收入额", .field = "se", .align = r},
                    {.left = 130, .right = 160, .title = "支出额", .field = "ze", .align = r},
                    {.left = 160, .right = 190, .title = "经办人", .field = "jsr", .align = l}},
        .totals = {{.name = "e1", .column = 3}, {.name = "e2", .column = 4}},
    };
}
}

TFdyszfx1::TFdyszfx1() : TListReport(dyszfx1Layout()) {}

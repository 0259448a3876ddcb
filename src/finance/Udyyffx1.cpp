#include "Udyyffx1.h"

TFdyyffx1* Fdyyffx1 = nullptr;

namespace {
ListLayout dyyffx1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    // The titles of QRL3 to QRL5 are the payables' until a table sets them.
    return ListLayout{
        .columns = {{.left = 0, .right = 26, .title = "日期", .field = "rq", .align = c},
                    {.left = 26, .right = 62, .title = "单号", .field = "dh", .align = c},
                    {.left = 62, .right = 115, .title = "厂商", .field = "ghs", .align = l},
                    {.left = 115, .right = 140, .title = "应付额", .field = "yfe", .align = r},
                    {.left = 140, .right = 165, .title = "实付额", .field = "sfe", .align = r},
                    {.left = 165, .right = 190, .title = "欠款", .field = "qk", .align = r}},
        .totals = {{.name = "e1", .column = 5}},
        .titleFont = songTitleFont(),
        .pageNumber = {.at = PageNumberPlace::At::Right},
    };
}
}

TFdyyffx1::TFdyyffx1() : TListReport(dyyffx1Layout()) {}

#include "Udycgfx1.h"

TFdycgfx1* Fdycgfx1 = nullptr;

namespace {
ListLayout dycgfx1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    return ListLayout{
        .columns = {{.left = 0, .right = 24, .title = QStringLiteral("日期"), .field = QStringLiteral("rq"), .align = c},
                    {.left = 24, .right = 54, .title = QStringLiteral("编码"), .field = QStringLiteral("txm"), .align = l},
                    {.left = 54, .right = 112, .title = QStringLiteral("商品名称"), .field = QStringLiteral("ppgg"), .align = l},
                    {.left = 112, .right = 126, .title = QStringLiteral("单位"), .field = QStringLiteral("dw"), .align = c},
                    {.left = 126, .right = 145, .title = QStringLiteral("数量"), .field = QStringLiteral("sl"), .align = r},
                    {.left = 145, .right = 166, .title = QStringLiteral("单价"), .field = QStringLiteral("jg"), .align = r},
                    {.left = 166, .right = 190, .title = QStringLiteral("金额"), .field = QStringLiteral("je"), .align = r}},
        .totals = {{.name = QStringLiteral("e1"), .column = 4}, {.name = QStringLiteral("e2"), .column = 6}},
        .titleFont = songTitleFont(),
        .summaryCells = SummaryCells::FirstColumn,
        .pageNumber = {.at = PageNumberPlace::At::Right},
    };
}
}

TFdycgfx1::TFdycgfx1() : TListReport(dycgfx1Layout()) {}

#include "Udycghz1.h"

TFdycghz1* Fdycghz1 = nullptr;

namespace {
ListLayout dycghz1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    return ListLayout{
        .columns = {{.left = 0, .right = 34, .title = QStringLiteral("编码"), .field = QStringLiteral("txm"), .align = l},
                    {.left = 34, .right = 112, .title = QStringLiteral("商品名称"), .field = QStringLiteral("ppgg"), .align = l},
                    {.left = 112, .right = 130, .title = QStringLiteral("单位"), .field = QStringLiteral("dw"), .align = c},
                    {.left = 130, .right = 160, .title = QStringLiteral("数量"), .field = QStringLiteral("zsl"), .align = r},
                    {.left = 160, .right = 190, .title = QStringLiteral("金额"), .field = QStringLiteral("zje"), .align = r}},
        .totals = {{.name = QStringLiteral("e1"), .column = 3}, {.name = QStringLiteral("e2"), .column = 4}},
        .titleFont = songTitleFont(),
        .summaryCells = SummaryCells::FirstColumn,
        .pageNumber = {.at = PageNumberPlace::At::Right},
    };
}
}

TFdycghz1::TFdycghz1() : TListReport(dycghz1Layout()) {}

#include "Udycggl1.h"

TFdycggl1* Fdycggl1 = nullptr;

namespace {
ListLayout dycggl1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    ListLayout layout{
        {
            {0, 25, QStringLiteral("日期"), QStringLiteral("rq"), c},
            {25, 60, QStringLiteral("单号"), QStringLiteral("dh"), c},
            {60, 106, QStringLiteral("厂商"), QStringLiteral("ghs"), l},
            {106, 130, QStringLiteral("合计数量"), QStringLiteral("hjsl"), r},
            {130, 160, QStringLiteral("合计金额"), QStringLiteral("hjje"), r},
            {160, 190, QStringLiteral("欠款"), QStringLiteral("qk"), r},
        },
        {{QStringLiteral("e1"), 3}, {QStringLiteral("e2"), 4}, {QStringLiteral("e3"), 5}},
    };
    layout.titleFont = heiTitleFont();
    return layout;
}
}

TFdycggl1::TFdycggl1() : TListReport(dycggl1Layout())
{
    QRL3 = titles[2];
}

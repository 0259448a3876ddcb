#include "Udyfkfx1.h"

TFdyfkfx1* Fdyfkfx1 = nullptr;

namespace {
ListLayout dyfkfx1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    ListLayout layout;
    layout.columns = {{.left = 0, .right = 28, .title = QStringLiteral("日期"), .field = QStringLiteral("rq"), .align = c},
                      {.left = 28, .right = 66, .title = QStringLiteral("单号"), .field = QStringLiteral("dh"), .align = c},
                      {.left = 66, .right = 122, .title = QStringLiteral("厂商"), .field = QStringLiteral("ghs"), .align = l},
                      {.left = 122, .right = 154, .title = QStringLiteral("付款金额"), .field = QStringLiteral("je"), .align = r},
                      {.left = 154, .right = 190, .title = QStringLiteral("经办人"), .field = QStringLiteral("jsr"), .align = l}};
    layout.totals = {{.name = QStringLiteral("e1"), .column = 3}};
    layout.summaryCells = SummaryCells::FirstColumn;
    layout.pageNumber = {.at = PageNumberPlace::At::Right, .px = 12};   // 9 point
    layout.titleFont = heiTitleFont();
    return layout;
}
}

TFdyfkfx1::TFdyfkfx1() : TListReport(dyfkfx1Layout()) {}

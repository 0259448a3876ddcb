#include "Udykcfx1.h"

TFdykcfx1* Fdykcfx1 = nullptr;
TFdykcfx2* Fdykcfx2 = nullptr;

namespace {
// The stock layout with the two columns after 库存数量 and the totals of its variant.
ListLayout stockLayout(bool withCost)
{
    const Qt::Alignment l = Qt::AlignLeft, c = Qt::AlignHCenter, r = Qt::AlignRight;
    ListLayout layout;
    layout.columns = {
        {.left = 0, .right = 30.16, .title = "编码", .field = "txm", .align = l},
        {.left = 30.16, .right = 100.01, .title = "商品名称", .field = "ppgg", .align = l},
        {.left = 100.01, .right = 115.36, .title = "单位", .field = "dw", .align = c},
        {.left = 115.36, .right = 139.70, .title = "库存数量", .field = "kcsl", .align = r},
        {.left = 139.70, .right = 165.10, .title = withCost ? "库存单价" : "批发单价",
         .field = withCost ? "kcjg" : "xjpf", .align = r},
        {.left = 165.10, .right = 189.97, .title = withCost ? "库存金额" : "零售单价",
         .field = withCost ? "kcje" : "xjls", .align = r},
    };
    layout.totals = {{.name = "e1", .column = 3}};
    if (withCost)
        layout.totals << ListTotal{.name = "e2", .column = 5};
    layout.summaryCells = SummaryCells::FirstColumn;
    layout.pageNumber = {.at = PageNumberPlace::At::Right};
    layout.titleFont = songTitleFont(14.0 * 96.0 / 72.0);   // bold, 14 point
    return layout;
}
}

TFdykcfx1::TFdykcfx1() : TListReport(stockLayout(true)) {}

TFdykcfx2::TFdykcfx2() : TListReport(stockLayout(false)) {}

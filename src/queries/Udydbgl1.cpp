#include "Udydbgl1.h"

#include "Udyrkgl1.h"

TFdydbgl1* Fdydbgl1 = nullptr;

namespace {
// The movement list's bands with the two warehouses before the totals.
ListLayout transferListLayout()
{
    const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
    ListLayout layout = movementListLayout();
    layout.columns = {
        {.left = 0, .right = 25, .title = "日期", .field = "rq", .align = c},
        {.left = 25, .right = 60, .title = "单号", .field = "dh", .align = c},
        {.left = 60, .right = 95, .title = "调出仓库", .field = "ck1", .align = l},
        {.left = 95, .right = 130, .title = "调入仓库", .field = "ck2", .align = l, .textName = "QRD6"},
        {.left = 130, .right = 160, .title = "合计数量", .field = "hjsl", .align = r, .textName = "QRD4"},
        {.left = 160, .right = 190, .title = "合计金额", .field = "hjje", .align = r, .textName = "QRD5"},
    };
    layout.totals = {{.name = "e1", .column = 4}, {.name = "e2", .column = 5}};
    return layout;
}
}

TFdydbgl1::TFdydbgl1() : TListReport(transferListLayout()) {}

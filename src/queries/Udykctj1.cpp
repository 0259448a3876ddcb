#include "Udykctj1.h"

#include "Udyxstj3.h"

TFdykctj1* Fdykctj1 = nullptr;

namespace {
// Edges in mm from the band's left; the code is not printed.
ListLayout dykctj1Layout()
{
    const Qt::Alignment c = Qt::AlignHCenter, r = Qt::AlignRight;
    ListLayout l = statisticsReportLayout(
        {{.left = 0.1, .right = 59.9, .title = "商品名称", .field = "ppgg", .textName = "QRD2"},
         {.left = 59.9, .right = 75.8, .title = "单位", .field = "dw", .align = c, .textName = "QRD4"},
         {.left = 75.8, .right = 100.2, .title = "采购数量", .field = "cgsl", .align = r, .textName = "QRD5"},
         {.left = 100.2, .right = 126.1, .title = "采购金额", .field = "cgje", .align = r, .textName = "QRD6"},
         {.left = 126.1, .right = 150.4, .title = "销售数量", .field = "xssl", .align = r, .textName = "QRD7"},
         {.left = 150.4, .right = 174.8, .title = "销售金额", .field = "xsje", .align = r, .textName = "QRD8"},
         {.left = 174.8, .right = 200.2, .title = "变动数量", .field = "rksl", .align = r, .textName = "QRD9"},
         {.left = 200.2, .right = 224.5, .title = "变动金额", .field = "rkje", .align = r, .textName = "QRD10"},
         {.left = 224.5, .right = 249.9, .title = "结存数量", .field = "ysl", .align = r, .textName = "QRD11"},
         {.left = 249.9, .right = 276.9, .title = "结存金额", .field = "yje", .align = r, .textName = "QRD12"}},
        {{"e1", 8}, {"e2", 9}}, 268.8);
    l.landscape = true;
    l.summaryCaption = QStringLiteral("总　　计");
    return l;
}
}

TFdykctj1::TFdykctj1() : TListReport(dykctj1Layout()) {}

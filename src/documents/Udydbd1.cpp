#include "Udydbd1.h"

TFdydbd1* Fdydbd1 = nullptr;

TFdydbd1::TFdydbd1()
    : TFdycgdLayout(columnsWithCodes(), {.leftBlock = {{.caption = "调出仓库:", .label = "QRLck12"},
                                                       {.caption = "调入仓库:", .label = "QRLck22"},
                                                       {.caption = "备注说明:", .label = "QRLbz2"}}})
{
    QRLck12 = item(QStringLiteral("QRLck12"));
    QRLck22 = item(QStringLiteral("QRLck22"));
}

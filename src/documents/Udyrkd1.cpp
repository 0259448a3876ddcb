#include "Udyrkd1.h"

TFdyrkd1* Fdyrkd1 = nullptr;

TFdyrkd1::TFdyrkd1()
    : TFdycgdLayout(columnsWithCodes(),
                    {.leftBlock = {{.caption = "异动:", .label = "QRLlx2"}, {.caption = "备注:", .label = "QRLbz2"}}})
{
    QRLlx2 = item(QStringLiteral("QRLlx2"));
}

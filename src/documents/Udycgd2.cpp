#include "Udycgd2.h"

TFdycgd2* Fdycgd2 = nullptr;

TFdycgd2::TFdycgd2() : TFdycgdLayout(columnsWithCodes(), purchaseBlocks())
{
    QRLghs2 = item(QStringLiteral("QRLghs2"));
    QRDBText** texts[] = {&QRD0, &QRD1, &QRD2, &QRD3, &QRD4, &QRD5};
    for (int i = 0; i < dataTexts.size(); ++i)
        *texts[i] = dataTexts[i];
}

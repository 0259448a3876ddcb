#include "Udycgd2.h"

TFdycgd2* Fdycgd2 = nullptr;

TFdycgd2::TFdycgd2()
    : TFdycgdLayout({"txm", "ppgg", "dw", "sl", "jg", "je"}, {0.1, 29.8, 75.3, 90.1, 110.2, 135.1, 160.2})
{
    QRDBText** texts[] = {&QRD0, &QRD1, &QRD2, &QRD3, &QRD4, &QRD5};
    for (int i = 0; i < dataTexts.size(); ++i)
        *texts[i] = dataTexts[i];
}

#include "Udycgd2.h"

TFdycgd2* Fdycgd2 = nullptr;

TFdycgd2::TFdycgd2()
    : TFdycgdLayout(
          {
              {"编码", 0.1, 29.8, "QRD0", "txm", Qt::AlignLeft},
              {"商品名称", 29.8, 75.3, "QRD1", "ppgg", Qt::AlignLeft},
              {"单位", 75.3, 90.1, "QRD2", "dw", Qt::AlignHCenter},
              {"数  量", 90.1, 110.2, "QRD3", "sl", Qt::AlignRight},
              {"单  价", 110.2, 135.1, "QRD4", "jg", Qt::AlignRight},
              {"金  额", 135.1, 160.2, "QRD5", "je", Qt::AlignRight},
          },
          3, 5)
{
    QRD0 = dataTexts[0];
    QRD1 = dataTexts[1];
    QRD2 = dataTexts[2];
    QRD3 = dataTexts[3];
    QRD4 = dataTexts[4];
    QRD5 = dataTexts[5];
}

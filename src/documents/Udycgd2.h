#pragma once
// The purchase document layout with goods codes (see Udycgd1.h).

#include "Udycgd1.h"

class TFdycgd2 : public TFdycgdLayout {
public:
    TFdycgd2();
    QRLabel* QRLghs2 = nullptr;
    QRDBText *QRD0 = nullptr, *QRD1 = nullptr, *QRD2 = nullptr, *QRD3 = nullptr,
             *QRD4 = nullptr, *QRD5 = nullptr;
};

extern TFdycgd2* Fdycgd2;

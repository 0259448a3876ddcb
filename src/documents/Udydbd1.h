#pragma once
// The transfer document layout: the columns of TFdycgd2 (编码 to 金额, QRD0 to QRD5) with
// the two warehouses and the remark in the header's left block (three rows).

#include "Udycgd1.h"

class TFdydbd1 : public TFdycgdLayout {
public:
    TFdydbd1();
    QRLabel *QRLck12 = nullptr, *QRLck22 = nullptr;
};

extern TFdydbd1* Fdydbd1;

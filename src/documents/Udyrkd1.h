#pragma once
// The movement document layout: the columns of TFdycgd2 (编码 to 金额, QRD0 to QRD5) with
// the reason and the remark in the header's left block.

#include "Udycgd1.h"

class TFdyrkd1 : public TFdycgdLayout {
public:
    TFdyrkd1();
    QRLabel* QRLlx2 = nullptr;
};

extern TFdyrkd1* Fdyrkd1;

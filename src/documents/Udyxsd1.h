#pragma once
// The sales document layouts: TFdyxsd1 with the columns of TFdycgd1 (no goods codes, with
// the discount), TFdyxsd2 (Udyxsd2.h) with those of TFdycgd2. The header's left block names
// the customer; below the ruled summary row stand the discount and the amount received, the
// debt line and the company's two footnotes.

#include "Udycgd1.h"

// The sales layouts' blocks: "客户:" QRLkh2, "备注:" QRLbz2; at 7.4 mm "优惠额:" QRLyh2 and
// "实收额:" QRLss2, at 11.9 mm the debt QRLqk1 QRLqk2, at 16.4 and 20.9 mm xx1 and xx2.
DocumentBlocks salesBlocks();

class TFdyxsdLayout : public TFdycgdLayout {
public:
    QRLabel *QRLkh2 = nullptr, *QRLyh2 = nullptr, *QRLss2 = nullptr;
    QRLabel *QRLqk1 = nullptr, *QRLqk2 = nullptr, *xx1 = nullptr, *xx2 = nullptr;

protected:
    explicit TFdyxsdLayout(const DocumentColumns& columns);
};

class TFdyxsd1 : public TFdyxsdLayout {
public:
    TFdyxsd1();
};

extern TFdyxsd1* Fdyxsd1;

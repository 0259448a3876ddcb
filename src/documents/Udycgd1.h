#pragma once
// The purchase document layouts. TFdycgd1: without goods codes, with the discount column;
// TFdycgd2 (Udycgd2.h): with goods codes, without discount. Both print on the printer's
// own paper and are drawn for a 241 x 93 mm form with margins 10, 10, 40 and 0 mm.

#include "report/ReportForm.h"

// What the two layouts share: title band, ruled table, ruled summary row.
class TFdycgdLayout : public TReportForm {
public:
    struct Column {
        const char* title;
        double left, right;
        const char* name;    // data text
        const char* field;
        Qt::Alignment align;
    };

    QRLabel* QRLdw = nullptr;
    QRLabel *QRLghs2 = nullptr, *QRLbz2 = nullptr, *QRLdh2 = nullptr, *QRLrq2 = nullptr;
    QRLabel *QRLdx = nullptr, *e1 = nullptr, *e2 = nullptr;
    QRLabel *QRLjsr2 = nullptr, *QRLyhm2 = nullptr;
    QVector<QRDBText*> dataTexts;        // in column order

protected:
    // A layout is its line fields in column order (txm, ppgg, dw, sl, jg, zk, je: each with
    // its own title, data text and alignment) and the column edges in mm, one more than
    // the fields.
    TFdycgdLayout(const QVector<const char*>& fields, const QVector<double>& edges);
};

class TFdycgd1 : public TFdycgdLayout {
public:
    TFdycgd1();
    QRDBText *QRD1 = nullptr, *QRD2 = nullptr, *QRD3 = nullptr, *QRD4 = nullptr,
             *QRD5 = nullptr, *QRD6 = nullptr;
};

extern TFdycgd1* Fdycgd1;

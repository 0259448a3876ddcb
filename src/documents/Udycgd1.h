#pragma once
// The document layouts. TFdycgd1: without goods codes, with the discount column; TFdycgd2
// (Udycgd2.h): with goods codes, without discount. Both print on the printer's own paper
// and are drawn for a 241 x 93 mm form with margins 10, 10, 40 and 0 mm. The sales layouts
// (Udyxsd1.h, Udyxsd2.h) take the same columns with a block of their own in the header and
// further rows in the summary.

#include "report/ReportForm.h"

// The line fields of a layout in column order (txm, ppgg, dw, sl, jg, zk, je: each with its
// own title, data text and alignment) and the column edges in mm, one more than the fields.
struct DocumentColumns {
    QVector<const char*> fields;
    QVector<double> edges;
};
const DocumentColumns& columnsWithoutCodes();   // TFdycgd1's
const DocumentColumns& columnsWithCodes();      // TFdycgd2's

// A row of the header's left block: its caption and the label after it that the print fills.
struct HeaderRow {
    QString caption;     // "厂商:"
    QString label;       // "QRLghs2"
};

// A text of the summary band below the ruled row: a fixed caption, or (no caption) a label
// that the print fills. Positions in mm from the band's top left.
struct SummaryText {
    QString name;
    QString caption{};
    double left = 0;
    double top = 0;
};

// What a layout shows besides its table, the right header block (单号, 日期) and the summary's
// first row (合计, capitals, e1, e2) and 经办/制单 at 7.4 mm.
struct DocumentBlocks {
    // Rows from 7.1 mm down, 4.5 mm apart, captions at 0.5 mm (named after the label with a
    // final 1 in place of its 2), values at 10.6 mm or after the longest caption; the title
    // band is 15.9 mm for two rows and grows by 4.5 mm for each further row.
    QVector<HeaderRow> leftBlock{};
    QVector<SummaryText> summary{};
    double summaryHeight = 12.7;
};
// The purchase layouts' blocks: "厂商:" QRLghs2, "备注:" QRLbz2; nothing more in the summary.
DocumentBlocks purchaseBlocks();

// What every document layout shares: title band, ruled table, ruled summary row.
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
    QRLabel *QRLbz2 = nullptr, *QRLdh2 = nullptr, *QRLrq2 = nullptr;
    QRLabel *QRLdx = nullptr, *e1 = nullptr, *e2 = nullptr;
    QRLabel *QRLjsr2 = nullptr, *QRLyhm2 = nullptr;
    QVector<QRDBText*> dataTexts;        // in column order

    // A label or data text of the report by name; nullptr when there is none.
    QRItem* item(const QString& name) const { return QuickRep1.item(name); }

protected:
    TFdycgdLayout(const DocumentColumns& columns, const DocumentBlocks& blocks);
};

class TFdycgd1 : public TFdycgdLayout {
public:
    TFdycgd1();
    QRLabel* QRLghs2 = nullptr;
    QRDBText *QRD1 = nullptr, *QRD2 = nullptr, *QRD3 = nullptr, *QRD4 = nullptr,
             *QRD5 = nullptr, *QRD6 = nullptr;
};

extern TFdycgd1* Fdycgd1;

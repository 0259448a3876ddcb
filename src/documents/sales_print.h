#pragma once
// Printing a retail or wholesale document on one of its two layouts (with goods codes:
// TFdyxsd2; without, with the discount column: TFdyxsd1). The sales browser makes its own
// checks first, then hands over the texts it shows and the line query.

#include <QString>

class Query;

struct SalesPrintFields {
    QString rq;      // document date "yyyy-mm-dd"
    QString dh, kh, jsr, bz;
    QString hjsl;    // total quantity text
    QString hjje;    // total amount text
    QString yhe;     // discount
    QString yse;     // amount receivable
    QString sse;     // amount received
};

// As the purchase print (document_print.h) with title print name + "销售单", the customer,
// "￥" before the discount and the amount received, the company's footnotes bz3 and bz4 in
// xx1 and xx2 as they are at this print, and the debt line: when receivable and received
// differ, QRLqk1 "欠款:" and QRLqk2 the capitals of the difference ("(退)" when more was
// received than is receivable); when they agree both are emptied.
void previewSalesDocument(bool withCodes, const SalesPrintFields& f, Query& lines);

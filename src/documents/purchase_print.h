#pragma once
// Printing a purchase document on one of its two layouts (with goods codes: TFdycgd2;
// without, with the discount column: TFdycgd1). The entry form and the purchase browser
// make their own checks first, then hand over the texts they show and the line query.

#include <QString>

class Query;

struct PurchasePrintFields {
    QString rq;      // document date "yyyy-mm-dd"
    QString dh, ghs, jsr, bz;
    QString hjsl;    // total quantity text
    QString hjje;    // total amount text (a number; a lone "-" is not a total)
};

// Title = the company's print name (read afresh) + "采购单"; binds the layout's data texts
// to lines; fills the header labels, e1, e2 "￥" + total, the capitals line with "(退)" for
// a negative total, the printing operator as 制单; report title "打印预览"; shows the shared
// preview (document_print.h). The lines' current row is left where it was.
void previewPurchaseDocument(bool withCodes, const PurchasePrintFields& f, Query& lines);

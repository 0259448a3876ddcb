#pragma once
// Printing a movement document (TFdyrkd1) or a transfer document (TFdydbd1). The browsers
// make their own checks first, then hand over the texts they show and the line query.

#include <QString>

class Query;

struct MovementPrintFields {
    QString rq;      // document date "yyyy-mm-dd"
    QString dh, lx, jsr, bz;
    QString hjsl;    // total quantity text
    QString hjje;    // total amount text
};

struct TransferPrintFields {
    QString rq;      // document date "yyyy-mm-dd"
    QString dh, ck1, ck2, jsr, bz;
    QString hjsl;    // total quantity text
    QString hjje;    // total amount text
};

// As the purchase print (document_print.h) with title print name + "库存异动单", the reason
// in QRLlx2, and "(出)" after the capitals of a negative total (stock going out).
void previewMovementDocument(const MovementPrintFields& f, Query& lines);
// As the purchase print with title print name + "库存调拨单", the warehouses in QRLck12 and
// QRLck22, and the capitals of the signed total ("负" before a negative one, no suffix).
void previewTransferDocument(const TransferPrintFields& f, Query& lines);

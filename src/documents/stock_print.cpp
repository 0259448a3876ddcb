#include "stock_print.h"

#include "Udydbd1.h"
#include "Udyrkd1.h"
#include "document_print.h"

void previewMovementDocument(const MovementPrintFields& f, Query& lines)
{
    previewDocument(reportForm(Fdyrkd1),
                    {.reportName = QStringLiteral("库存异动单"),
                     .labels = {{"QRLrq2", f.rq}, {"QRLdh2", f.dh}, {"QRLlx2", f.lx}, {"QRLjsr2", f.jsr},
                                {"QRLbz2", f.bz}},
                     .hjsl = f.hjsl,
                     .hjje = f.hjje,
                     .negativeSuffix = QStringLiteral("(出)")},
                    lines);
}

void previewTransferDocument(const TransferPrintFields& f, Query& lines)
{
    previewDocument(reportForm(Fdydbd1),
                    {.reportName = QStringLiteral("库存调拨单"),
                     .labels = {{"QRLrq2", f.rq}, {"QRLdh2", f.dh}, {"QRLck12", f.ck1}, {"QRLck22", f.ck2},
                                {"QRLjsr2", f.jsr}, {"QRLbz2", f.bz}},
                     .hjsl = f.hjsl,
                     .hjje = f.hjje,
                     .signedCapitals = true},
                    lines);
}

#include "purchase_print.h"

#include "Udycgd1.h"
#include "Udycgd2.h"
#include "document_print.h"

void previewPurchaseDocument(bool withCodes, const PurchasePrintFields& f, Query& lines)
{
    TFdycgdLayout& form = withCodes ? static_cast<TFdycgdLayout&>(reportForm(Fdycgd2))
                                    : static_cast<TFdycgdLayout&>(reportForm(Fdycgd1));
    previewDocument(form,
                    {.reportName = QStringLiteral("采购单"),
                     .labels = {{"QRLrq2", f.rq}, {"QRLdh2", f.dh}, {"QRLghs2", f.ghs}, {"QRLjsr2", f.jsr},
                                {"QRLbz2", f.bz}},
                     .hjsl = f.hjsl,
                     .hjje = f.hjje},
                    lines);
}

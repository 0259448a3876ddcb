#include "sales_print.h"

#include "Udyxsd1.h"
#include "Udyxsd2.h"
#include "document_print.h"

void previewSalesDocument(bool withCodes, const SalesPrintFields& f, Query& lines)
{
    TFdyxsdLayout& form = withCodes ? static_cast<TFdyxsdLayout&>(reportForm(Fdyxsd2))
                                    : static_cast<TFdyxsdLayout&>(reportForm(Fdyxsd1));
    const Money debt = Money::parse(f.yse) - Money::parse(f.sse);
    const bool owed = !debt.isZero();
    previewDocument(form,
                    {.reportName = QStringLiteral("销售单"),
                     .labels = {{"QRLrq2", f.rq}, {"QRLdh2", f.dh}, {"QRLkh2", f.kh}, {"QRLjsr2", f.jsr},
                                {"QRLbz2", f.bz}, {"QRLyh2", QStringLiteral("￥") + f.yhe},
                                {"QRLss2", QStringLiteral("￥") + f.sse},
                                {"QRLqk1", owed ? QStringLiteral("欠款:") : QString()},
                                {"QRLqk2", owed ? capitalsLine(debt, QStringLiteral("(退)")) : QString()}},
                     .company = {{"xx1", "bz3"}, {"xx2", "bz4"}},
                     .hjsl = f.hjsl,
                     .hjje = f.hjje},
                    lines);
}

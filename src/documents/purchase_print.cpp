#include "purchase_print.h"

#include "Udycgd1.h"
#include "Udycgd2.h"
#include "data/DM1.h"
#include "shell/Capitals.h"
#include "shell/Umain1.h"

void previewPurchaseDocument(bool withCodes, const PurchasePrintFields& f, Query& lines)
{
    TFdycgdLayout& form = withCodes ? static_cast<TFdycgdLayout&>(reportForm(Fdycgd2))
                                    : static_cast<TFdycgdLayout&>(reportForm(Fdycgd1));
    Query& company = DM1->ATdanwei1;
    if (!company.isOpen())
        company.open();
    form.QRLdw->Caption = company.text(QStringLiteral("mcdy")) + QStringLiteral("采购单");
    form.bindTo(&lines);

    form.QRLrq2->Caption = f.rq;
    form.QRLdh2->Caption = f.dh;
    form.QRLghs2->Caption = f.ghs;
    form.QRLjsr2->Caption = f.jsr;
    form.QRLbz2->Caption = f.bz;
    form.e1->Caption = f.hjsl;
    form.e2->Caption = QStringLiteral("￥") + f.hjje;

    const Money total = Money::parse(f.hjje);
    if (total < Money())
        form.QRLdx->Caption = QStringLiteral("(大写)") + AmountToCapitals(total.abs()) + QStringLiteral("(退)");
    else
        form.QRLdx->Caption = QStringLiteral("(大写)") + AmountToCapitals(total);
    form.QRLyhm2->Caption = currentOperatorName();

    form.QuickRep1.ReportTitle = QStringLiteral("打印预览");
    form.preview();
}

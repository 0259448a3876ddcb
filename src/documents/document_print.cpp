#include "document_print.h"

#include "Udycgd1.h"
#include "data/DM1.h"
#include "shell/Capitals.h"
#include "shell/Umain1.h"

QString capitalsLine(Money amount, const QString& suffix)
{
    return QStringLiteral("(大写)") + AmountToCapitals(amount.abs()) + (amount.isNegative() ? suffix : QString());
}

void previewDocument(TFdycgdLayout& form, const DocumentPrint& print, Query& lines)
{
    const Money total = Money::parse(print.hjje);
    Query& company = DM1->ATdanwei1;
    if (company.isOpen())
        company.refresh();
    form.QRLdw->Caption = DM1->printName() + print.reportName;
    form.bindTo(&lines);

    auto set = [&form](const QString& name, const QString& text) {
        if (QRItem* it = form.item(name))
            it->Caption = text;
    };
    for (const auto& [label, text] : print.labels)
        set(label, text);
    for (const auto& [label, column] : print.company)
        set(label, company.text(column));
    form.e1->Caption = print.hjsl;
    form.e2->Caption = QStringLiteral("￥") + print.hjje;
    form.QRLdx->Caption = print.signedCapitals ? QStringLiteral("(大写)") + AmountToCapitals(total)
                                               : capitalsLine(total, print.negativeSuffix);
    form.QRLyhm2->Caption = currentOperatorName();

    form.QuickRep1.ReportTitle = QStringLiteral("打印预览");
    form.preview();
}

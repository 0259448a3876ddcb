#include "ListReport.h"

#include "data/DM1.h"

void printListReport(TListReport& form, const QString& reportName, Query& q, const QStringList& totals)
{
    Query& company = DM1->ATdanwei1;
    if (!company.isOpen())
        company.open();
    form.QRLdw->Caption = company.text(QStringLiteral("mcdy")) + reportName;
    form.bindTo(&q);
    for (int i = 0; i < form.texts.size(); ++i)
        form.texts[i]->DataField = form.layout().columns[i].field;
    for (int i = 0; i < form.totals.size(); ++i)
        form.totals[i]->Caption = i < totals.size() ? totals[i] : QString();
    form.QuickRep1.ReportTitle = QStringLiteral("打印预览");
    form.preview();
}

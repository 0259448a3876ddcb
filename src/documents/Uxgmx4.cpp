#include "Uxgmx4.h"

#include "data/query_totals.h"
#include "data/DM1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

PurchaseTotals discountPurchaseLines(TDM1& dm, const QString& rate)
{
    const Money zk = Money::parse(rate);
    Query& c = dm.AQcgc1;
    if (!c.isOpen())
        return purchaseLineTotals(dm);
    const int here = c.recNo();
    {
        Transaction t(dm.ADOC1);
        const ControlsDisabled off(c);
        for (c.first(); !c.eof(); c.next()) {
            const Money amount = (c.money(QStringLiteral("sl")) * c.money(QStringLiteral("jg")) * zk).round2();
            c.edit();
            postFields(c, {{"zk", rate}, {"je", amount.format00()}});
        }
        c.moveTo(here);
    }
    return purchaseLineTotals(dm);
}

TFxgmx4::TFxgmx4(QWidget* parent) : PurchaseLineDialog(parent, QStringLiteral("Fxgmx4"))
{
    zk = numberEdit(QStringLiteral("zk"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("折扣率"), this));
    row->addWidget(zk);
    typed = {zk};
    addButtons(row, 260, 110);
    nonZero = {{zk, QStringLiteral("折扣率不可为零！")}};
}

PurchaseTotals TFxgmx4::apply(TDM1& dm) { return discountPurchaseLines(dm, zk->text()); }

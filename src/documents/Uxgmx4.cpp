#include "Uxgmx4.h"

#include "basic/picker_common.h"
#include "data/DM1.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PurchaseTotals discountPurchaseLines(TDM1& dm, const QString& rate)
{
    const Money zk = Money::parse(rate);
    Query& c = dm.AQcgc1;
    if (!c.isOpen())
        return purchaseLineTotals(dm);
    const int here = c.recNo();
    {
        Transaction t(dm.ADOC1);
        c.disableControls();
        struct Enable {
            Query& q;
            ~Enable() { q.enableControls(); }
        } enable{c};
        for (c.first(); !c.eof(); c.next()) {
            const Money amount = (c.money(QStringLiteral("sl")) * c.money(QStringLiteral("jg")) * zk).round2();
            c.edit();
            c.setText(QStringLiteral("zk"), rate);
            c.setText(QStringLiteral("je"), amount.format00());
            c.post();
        }
        c.moveTo(here);
    }
    return purchaseLineTotals(dm);
}

TFxgmx4::TFxgmx4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fxgmx4"));
    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);

    zk = new QLineEdit(this);
    zk->setObjectName(QStringLiteral("zk"));
    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("确定"), this);
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("取消"), this);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("折扣率"), this));
    row->addWidget(zk);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addLayout(buttons);
    setFixedSize(260, 110);

    connect(BitBtn1, &QPushButton::clicked, this, &TFxgmx4::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFxgmx4::~TFxgmx4() = default;

void TFxgmx4::BitBtn1Click()
{
    if (ST1->text() != QLatin1String("cgmx"))
        return;
    zk->setText(roundTypedText(zk->text()));
    if (Money::parse(zk->text()).isZero()) {
        infoBox(QStringLiteral("折扣率不可为零！"));
        zk->setFocus();
        return;
    }
    writePurchaseTotals(discountPurchaseLines(*DM1, zk->text()));
    accept();
}

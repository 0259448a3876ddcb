#include "Uxgmx1.h"

#include "basic/picker_common.h"
#include "data/DM1.h"
#include "ui/Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Money lineAmount(Money jg, Money zk, Money sl) { return (jg * zk * sl).round2(); }

PurchaseTotals editPurchaseLine(TDM1& dm, const QString& sl, const QString& jg, const QString& zk)
{
    const Money amount = lineAmount(Money::parse(jg), Money::parse(zk), Money::parse(sl));
    Query& c = dm.AQcgc1;
    c.edit();
    try {
        c.setText(QStringLiteral("sl"), sl);
        c.setText(QStringLiteral("jg"), jg);
        c.setText(QStringLiteral("zk"), zk);
        c.setText(QStringLiteral("je"), amount.format00());
        c.post();
    } catch (...) {
        c.cancel();
        throw;
    }
    return purchaseLineTotals(dm);
}

TFxgmx1::TFxgmx1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fxgmx1"));
    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);

    auto* grid = new QGridLayout;
    auto field = [&](QLineEdit*& e, const char* name, const char* title, bool readOnly) {
        e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(readOnly);
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QString::fromUtf8(title), this), row, 0);
        grid->addWidget(e, row, 1);
    };
    field(txm, "txm", "编码", true);
    field(ppgg, "ppgg", "商品名称", true);
    field(dw, "dw", "单位", true);
    field(sl, "sl", "数量", false);
    field(jg, "jg", "单价", false);
    field(zk, "zk", "折扣", false);
    field(je, "je", "金额", true);

    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("确定"), this);
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    setFixedSize(340, 300);

    connect(BitBtn1, &QPushButton::clicked, this, &TFxgmx1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFxgmx1::~TFxgmx1() = default;

void TFxgmx1::BitBtn1Click()
{
    if (ST1->text() != QLatin1String("cgmx"))
        return;
    sl->setText(roundTypedText(sl->text()));
    jg->setText(roundTypedText(jg->text()));
    zk->setText(roundTypedText(zk->text()));
    if (Money::parse(sl->text()).isZero()) {
        infoBox(QStringLiteral("数量不可为零！"));
        sl->setFocus();
        return;
    }
    if (Money::parse(zk->text()).isZero()) {
        infoBox(QStringLiteral("折扣率不可为零！"));
        zk->setFocus();
        return;
    }
    writePurchaseTotals(editPurchaseLine(*DM1, sl->text(), jg->text(), zk->text()));
    accept();
}

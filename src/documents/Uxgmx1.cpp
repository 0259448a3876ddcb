#include "Uxgmx1.h"

#include "bases/picker_common.h"
#include "data/query_totals.h"
#include "data/DM1.h"
#include "ui/Controls.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Forms.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

Money lineAmount(Money jg, Money zk, Money sl) { return (jg * zk * sl).round2(); }

PurchaseTotals editPurchaseLine(TDM1& dm, const QString& sl, const QString& jg, const QString& zk)
{
    const Money amount = lineAmount(Money::parse(jg), Money::parse(zk), Money::parse(sl));
    Query& c = dm.AQcgc1;
    c.edit();
    postFields(c, {{"sl", sl}, {"jg", jg}, {"zk", zk}, {"je", amount.format00()}});
    return purchaseLineTotals(dm);
}

PurchaseLineDialog::PurchaseLineDialog(QWidget* parent, const QString& name) : QDialog(parent)
{
    setObjectName(name);
    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);
}

QLineEdit* PurchaseLineDialog::numberEdit(const QString& name)
{
    auto* e = named(new ExitEdit(this), name);
    installRangeCheck(e);
    return e;
}

void PurchaseLineDialog::addButtons(QLayout* fields, int width, int height)
{
    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("确定"), this);
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("取消"), this);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(fields);
    lay->addLayout(picker::buttonRow(BitBtn1, BitBtn2));
    setDialogFrame(this, QSize(width, height));

    connectHandler(BitBtn1, &QPushButton::clicked, this, &PurchaseLineDialog::BitBtn1Click);
    connectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    auto* keys = new KeyPreview(this);
    keys->mapKey(Qt::Key_Escape, BitBtn2);
    for (int i = 0; i + 1 < typed.size(); ++i)
        keys->enterMovesTo(typed[i], typed[i + 1]);
    if (!typed.isEmpty())
        keys->onEnter(typed.back(), [this] { BitBtn1->click(); });
}

void PurchaseLineDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous() && !typed.isEmpty())
        typed.front()->setFocus();
}

void PurchaseLineDialog::BitBtn1Click()
{
    if (ST1->text() != QLatin1String("cgmx"))
        return;
    for (QLineEdit* e : typed)
        roundTypedField(e);
    for (const auto& [e, refusal] : nonZero) {
        if (Money::parse(e->text()).isZero()) {
            infoBox(refusal);
            e->setFocus();
            return;
        }
    }
    writePurchaseTotals(apply(*DM1));
    accept();
}

TFxgmx1::TFxgmx1(QWidget* parent) : PurchaseLineDialog(parent, QStringLiteral("Fxgmx1"))
{
    auto* grid = new QGridLayout;
    auto field = [&](QLineEdit*& e, const char* name, const char* title, bool readOnly) {
        e = readOnly ? greyReadOnly(picker::edit(QString::fromLatin1(name), this, true))
                     : numberEdit(QString::fromLatin1(name));
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
    typed = {sl, jg, zk};
    addButtons(grid, 340, 300);
    nonZero = {{sl, QStringLiteral("数量不可为零！")}, {zk, QStringLiteral("折扣率不可为零！")}};
}

PurchaseTotals TFxgmx1::apply(TDM1& dm) { return editPurchaseLine(dm, sl->text(), jg->text(), zk->text()); }

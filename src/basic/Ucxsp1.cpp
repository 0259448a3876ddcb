#include "Ucxsp1.h"

#include "PickerTargets.h"
#include "bases/ConditionDialog.h"
#include "bases/picker_common.h"
#include "data/query_totals.h"

#include "data/DM1.h"
#include "shell/Umain1.h"
#include "ui/Handlers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
QStringList conditionLines(const StockConditions& c)
{
    using picker::likeAny;
    QStringList lines{
        QStringLiteral("where lb like ") + likeAny(c.lb),
        QStringLiteral("and txm like ") + likeAny(c.txm),
        QStringLiteral("and ppgg like ") + likeAny(c.ppgg),
        QStringLiteral("and ck  like ") + likeAny(c.ck),
    };
    switch (c.stock) {
    case 1: lines << QStringLiteral("and kcsl>0"); break;
    case 2: lines << QStringLiteral("and kcsl=0"); break;
    case 3: lines << QStringLiteral("and kcsl<0"); break;
    default: break;
    }
    return lines;
}
}

StockSums runStockQuery(TDM1& dm, const StockConditions& c)
{
    Query& q = dm.AQkcfx1;
    const QStringList where = conditionLines(c);
    const ControlsDisabled off(q);
    const QVector<Money> sums = runTotalsAndRows(q, QStringLiteral("SELECT sum(kcsl),sum(kcje) FROM sp"),
                                                 QStringLiteral("SELECT * FROM sp"), where, QStringLiteral("order by id"));
    return StockSums{sums.value(0), sums.value(1)};
}

TFcxsp1::TFcxsp1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fcxsp1"));
    setWindowTitle(QStringLiteral("按条件查询"));
    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);

    Edit1 = picker::edit(QStringLiteral("Edit1"), this);
    Edit2 = picker::edit(QStringLiteral("Edit2"), this);
    Edit3 = picker::edit(QStringLiteral("Edit3"), this);
    Edit4 = picker::edit(QStringLiteral("Edit4"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("全部"), QStringLiteral("库存＞0"), QStringLiteral("库存＝0"),
                         QStringLiteral("库存＜0")});

    // Drawn as every condition dialog: the conditions on the cream panel, 查询 and 关闭 under it.
    const ConditionFrame frame = buildConditionFrame(this, QSize(482, 223), QStringLiteral("查询"));
    BitBtn1 = frame.run;
    BitBtn2 = frame.close;
    auto* form = new QFormLayout(frame.panel);
    form->setContentsMargins(60, 12, 60, 12);
    const std::pair<const char*, QWidget*> rows[] = {{"商品类别", Edit1}, {"商品编码", Edit2}, {"商品名称", Edit3},
                                                     {"存放仓库", Edit4}, {"库存数量", ComboBox1}};
    for (const auto& [label, field] : rows) {
        field->setParent(frame.panel);
        form->addRow(QString::fromUtf8(label), field);
    }

    connectHandler(BitBtn1, &QPushButton::clicked, this, &TFcxsp1::BitBtn1Click);
    connectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFcxsp1::~TFcxsp1() = default;

void TFcxsp1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())   // restored from the task bar, not shown anew
        return;
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->clear();
    ComboBox1->setCurrentIndex(0);
    Edit1->setFocus();
}

void TFcxsp1::BitBtn1Click()
{
    if (ST1->text() != QLatin1String("kc"))
        return;
    StockConditions c{Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text(), ComboBox1->currentIndex()};
    const StockSums sums = runStockQuery(*DM1, c);
    const QString tag = QStringLiteral("kcfx");
    PickerTargets::write(tag, QStringLiteral("panel2"), sums.kcsl.plainText());
    PickerTargets::write(tag, QStringLiteral("panel4"), sums.kcje.plainText());
    if (stockPriceMode() == QStringLiteral("不显价格"))
        PickerTargets::write(tag, QStringLiteral("panel4"), QString());
    accept();
}

#include "Ucxsp1.h"

#include "PickerTargets.h"
#include "picker_common.h"

#include "data/DM1.h"
#include "shell/Umain1.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString like(const QString& text) { return sqlQuote(QStringLiteral("%") + text + QStringLiteral("%")); }

QStringList conditionLines(const StockConditions& c)
{
    QStringList lines{
        QStringLiteral("where lb like ") + like(c.lb),
        QStringLiteral("and txm like ") + like(c.txm),
        QStringLiteral("and ppgg like ") + like(c.ppgg),
        QStringLiteral("and ck  like ") + like(c.ck),
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
    q.disableControls();
    struct Enable {
        Query& q;
        ~Enable() { q.enableControls(); }
    } enable{q};

    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT sum(kcsl),sum(kcje) FROM sp"));
    for (const QString& l : where)
        q.addSql(l);
    q.open();
    StockSums sums{q.money(q.fieldName(0)), q.money(q.fieldName(1))};

    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM sp"));
    for (const QString& l : where)
        q.addSql(l);
    q.addSql(QStringLiteral("order by id"));
    q.open();
    return sums;
}

TFcxsp1::TFcxsp1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fcxsp1"));
    setWindowTitle(QStringLiteral("按条件查询"));
    ST1 = picker::hiddenLabel(QStringLiteral("ST1"), this);

    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    Edit1 = edit("Edit1");
    Edit2 = edit("Edit2");
    Edit3 = edit("Edit3");
    Edit4 = edit("Edit4");
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("全部"), QStringLiteral("库存＞0"), QStringLiteral("库存＝0"),
                         QStringLiteral("库存＜0")});

    BitBtn1 = picker::button(QStringLiteral("BitBtn1"), QStringLiteral("查询"), this);
    BitBtn2 = picker::button(QStringLiteral("BitBtn2"), QStringLiteral("关闭"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("商品类别"), Edit1);
    form->addRow(QStringLiteral("商品编码"), Edit2);
    form->addRow(QStringLiteral("商品名称"), Edit3);
    form->addRow(QStringLiteral("存放仓库"), Edit4);
    form->addRow(QStringLiteral("库存数量"), ComboBox1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(form);
    lay->addLayout(buttons);
    setFixedSize(320, 240);

    connect(BitBtn1, &QPushButton::clicked, this, &TFcxsp1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFcxsp1::~TFcxsp1() = default;

void TFcxsp1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit4->clear();
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

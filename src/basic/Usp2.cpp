#include "Usp2.h"

#include "PickerTargets.h"
#include "picker_common.h"
#include "query_totals.h"

#include "data/DM1.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QPointer<TFsp2> Fsp2;

PurchaseTotals purchaseLineTotals(TDM1& dm)
{
    const QVector<Money> s = sumFields(dm.AQcgc1, {QStringLiteral("sl"), QStringLiteral("je")});
    return PurchaseTotals{s[0], s[1]};
}

PurchaseTotals appendPickedPurchaseLine(TDM1& dm, const QString& dh)
{
    Query& sp = dm.AQsp1;
    if (!picker::hasRows(sp))
        throw DbError(QStringLiteral("没有商品可选择！"));
    const QString txm = sp.text(QStringLiteral("txm"));
    const QString ppgg = sp.text(QStringLiteral("ppgg"));
    const QString dw = sp.text(QStringLiteral("dw"));
    const QString jj = sp.text(QStringLiteral("jj"));

    Query& c = dm.AQcgc1;
    c.append();
    c.setText(QStringLiteral("dh"), dh);
    c.setText(QStringLiteral("bj"), QStringLiteral("dz"));
    c.setText(QStringLiteral("txm"), txm);
    c.setText(QStringLiteral("ppgg"), ppgg);
    c.setText(QStringLiteral("dw"), dw);
    c.setText(QStringLiteral("jg"), jj);
    c.setText(QStringLiteral("zk"), QStringLiteral("1"));
    c.setText(QStringLiteral("sl"), QStringLiteral("1"));
    c.setText(QStringLiteral("je"), jj);
    c.post();
    return purchaseLineTotals(dm);
}

void writePurchaseTotals(const PurchaseTotals& t)
{
    PickerTargets::write(QStringLiteral("tjcg"), QStringLiteral("hjsl"), t.hjsl.plainText());
    PickerTargets::write(QStringLiteral("tjcg"), QStringLiteral("hjje"), t.hjje.plainText());
}

TFsp2::TFsp2(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Fsp2"));
    setWindowTitle(QStringLiteral("选择商品"));
    xzbj = picker::hiddenLabel(QStringLiteral("xzbj"), this);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    const auto col = picker::column;
    DBGrid1->setColumns({
        col("txm", "编码", 110),
        col("ppgg", "商品名称", 200),
        col("dw", "单位", 40),
        col("kcsl", "库存数量", 64),
        col("jj", "采购单价", 64),
        col("xjpf", "批发单价", 64),
        col("xjls", "零售单价", 64),
        col("kcjg", "库存单价", 64),
        col("ms", "商品描述", 160),
        col("bz", "备注", 120),
        col("lb", "类别", 80),
        col("ck", "仓库", 80),
    });
    DBGrid1->setQuery(&DM1->AQsp1);

    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("当前仓库"), this));
    top->addWidget(Edit2);
    top->addStretch();
    top->addWidget(xuan);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(DBGrid1);
    resize(760, 420);

    connect(xuan, &QPushButton::clicked, this, &TFsp2::xuanClick);
    connect(DBGrid1, &DataGrid::rowDoubleClicked, this, &TFsp2::xuanClick);

    Fsp2 = this;
}

TFsp2::~TFsp2() = default;

void TFsp2::xuanClick()
{
    if (xzbj->text() != QLatin1String("tjcg"))
        return;
    if (!picker::hasRows(DM1->AQsp1)) {
        warnBox(QStringLiteral("没有商品可选择！"));
        return;
    }
    // The purchase form closes this picker when it closes; without it there is no
    // document to add to.
    if (!PickerTargets::has(QStringLiteral("tjcg"), QStringLiteral("dh")))
        return;
    const QString dh = PickerTargets::read(QStringLiteral("tjcg"), QStringLiteral("dh"));
    writePurchaseTotals(appendPickedPurchaseLine(*DM1, dh));
}

#include "Usp2.h"

#include "PickerTargets.h"
#include "bases/picker_common.h"
#include "data/query_totals.h"

#include "data/DM1.h"
#include "ui/DataGrid.h"
#include "ui/Handlers.h"
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
    const QString jj = sp.text(QStringLiteral("jj"));
    Query& c = dm.AQcgc1;
    c.append();
    postFields(c, {{"dh", dh}, {"bj", QStringLiteral("dz")}, {"txm", sp.text(QStringLiteral("txm"))},
                   {"ppgg", sp.text(QStringLiteral("ppgg"))}, {"dw", sp.text(QStringLiteral("dw"))},
                   {"jg", jj}, {"zk", QStringLiteral("1")}, {"sl", QStringLiteral("1")}, {"je", jj}});
    return purchaseLineTotals(dm);
}

std::optional<GoodsFound> findGoodsByCode(TDM1& dm, const QString& txm, const QString& ck)
{
    Query& q = dm.AQsp1;
    q.reopen({QStringLiteral("SELECT * FROM sp"), QStringLiteral("where txm=") + sqlQuote(txm),
                       QStringLiteral("and ck=") + sqlQuote(ck)});
    if (q.recordCount() != 1)
        return std::nullopt;
    q.first();
    return GoodsFound{q.integer(QStringLiteral("id")), q.text(QStringLiteral("ppgg")), q.text(QStringLiteral("dw")),
                      q.text(QStringLiteral("kcsl")), q.text(QStringLiteral("jj"))};
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

    Edit2 = picker::edit(QStringLiteral("Edit2"), this, true);
    DBGrid1 = picker::grid(this, DM1->AQsp1, picker::goodsColumns(true));

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

    connectHandler(xuan, &QPushButton::clicked, this, &TFsp2::xuanClick);
    connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, this, &TFsp2::xuanClick);

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
    // Another window may have re-pointed or closed the line query since the picker opened.
    PickerTargets::run(QStringLiteral("tjcg"), QStringLiteral("ownLines"));
    const QString dh = PickerTargets::read(QStringLiteral("tjcg"), QStringLiteral("dh"));
    writePurchaseTotals(appendPickedPurchaseLine(*DM1, dh));
}

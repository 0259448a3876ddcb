#include "picker_common.h"

#include "data/Query.h"
#include "data/Sql.h"
#include "ui/Controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace picker {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

SpeedButton* chooser(const QString& name, const QString& hint, QWidget* parent)
{
    auto* b = new SpeedButton(QStringLiteral("…"), parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFixedSize(24, 22);
    return b;
}

QLineEdit* edit(const QString& name, QWidget* parent, bool readOnly)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(readOnly);
    return e;
}

QHBoxLayout* buttonRow(QPushButton* first, QPushButton* second) { return buttonRow(QVector<QPushButton*>{first, second}); }

QHBoxLayout* buttonRow(const QVector<QPushButton*>& buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

GridColumn column(const char* field, const char* title, int width)
{
    GridColumn c;
    c.field = QString::fromUtf8(field);
    c.title = QString::fromUtf8(title);
    c.width = width;
    return c;
}

QVector<GridColumn> goodsColumns(bool withPrices)
{
    // Numbers to the right, as in every grid.
    const auto number = [](const char* field, const char* title) {
        GridColumn c = column(field, title, 64);
        c.align = Qt::AlignRight | Qt::AlignVCenter;
        return c;
    };
    QVector<GridColumn> cols{column("txm", "编码", 110), column("ppgg", "商品名称", 200), column("dw", "单位", 40),
                             number("kcsl", "库存数量")};
    if (withPrices)
        cols << number("jj", "采购单价") << number("xjpf", "批发单价") << number("xjls", "零售单价")
             << number("kcjg", "库存单价") << column("ms", "商品描述", 160) << column("bz", "备注", 120);
    cols << column("lb", "类别", 80) << column("ck", "仓库", 80);
    return cols;
}

DataGrid* grid(QWidget* parent, Query& q, const QVector<GridColumn>& columns)
{
    auto* g = new DataGrid(parent);
    g->setObjectName(QStringLiteral("DBGrid1"));
    g->setColumns(columns);
    g->setQuery(&q);
    return g;
}

QLabel* hiddenLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->hide();
    return l;
}

bool hasRows(const Query& q) { return q.isOpen() && q.recordCount() > 0; }

QString likeAny(const QString& text) { return sqlQuote(QStringLiteral("%") + text + QStringLiteral("%")); }

namespace {
bool isStepTag(const QString& tag)
{
    return tag == QLatin1String("zu1") || tag == QLatin1String("zu2") || tag == QLatin1String("chai1")
        || tag == QLatin1String("chai2");
}
}

QString callerTag(const QString& tag) { return isStepTag(tag) ? tag.chopped(1) : tag; }
QString stepSuffix(const QString& tag) { return isStepTag(tag) ? tag.right(1) : QString(); }

}

#include "picker_common.h"

#include "data/Query.h"

#include <QLabel>
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

GridColumn column(const char* field, const char* title, int width)
{
    GridColumn c;
    c.field = QString::fromUtf8(field);
    c.title = QString::fromUtf8(title);
    c.width = width;
    return c;
}

QLabel* hiddenLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->hide();
    return l;
}

bool hasRows(const Query& q) { return q.isOpen() && q.recordCount() > 0; }

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

#include "Uyg2.h"

#include "PickerTargets.h"
#include "bases/picker_common.h"

#include "data/DM1.h"
#include "ui/Handlers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TFyg2::TFyg2(QWidget* parent) : RecordPicker(parent, QStringLiteral("Fyg2"), QStringLiteral("选择员工资料"))
{
    Edit1 = picker::edit(QStringLiteral("Edit1"), this);
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("姓名"), this));
    filter->addWidget(Edit1);
    buildList({.query = DM1->AQyg1,
               .columns = {picker::column("xm", "员工姓名", 220)},
               .emptyText = QStringLiteral("没有员工可选择！"),
               .size = QSize(300, 380)},
              filter);

    connectHandler(Edit1, &QLineEdit::textChanged, this, &TFyg2::Edit1Change);
    connectHandler(Edit1, &QLineEdit::returnPressed, this, &TFyg2::xuanClick);
}

void TFyg2::showEvent(QShowEvent* e)
{
    RecordPicker::showEvent(e);
    if (e->spontaneous())
        return;
    // Emptying an empty edit fires no change, so the list runs here either way.
    {
        const QSignalBlocker quiet(Edit1);
        Edit1->clear();
    }
    Edit1Change();
    Edit1->setFocus();
}

void TFyg2::Edit1Change()
{
    DM1->AQyg1.reopen({QStringLiteral("SELECT * FROM yg"),
                                QStringLiteral("where xm like") + picker::likeAny(Edit1->text()),
                                QStringLiteral("order by id")});
}

void TFyg2::writeChoice(const Query& q, const QString& tag)
{
    if (tag == QLatin1String("tjcg") || tag == QLatin1String("tjfkfx") || tag == QLatin1String("tjskfx")
        || tag == QLatin1String("tjszfx"))
        PickerTargets::write(tag, QStringLiteral("jsr"), q.text(QStringLiteral("xm")));
}

#include "Uyg2.h"

#include "PickerTargets.h"
#include "picker_common.h"

#include "data/DM1.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFyg2::TFyg2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fyg2"));
    setWindowTitle(QStringLiteral("选择员工资料"));
    xzbj = picker::hiddenLabel(QStringLiteral("xzbj"), this);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({picker::column("xm", "员工姓名", 220)});
    DBGrid1->setQuery(&DM1->AQyg1);

    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("姓名"), this));
    filter->addWidget(Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(xuan);
    buttons->addWidget(guan);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(filter);
    lay->addWidget(DBGrid1);
    lay->addLayout(buttons);
    resize(300, 380);

    connect(Edit1, &QLineEdit::textChanged, this, &TFyg2::Edit1Change);
    connect(Edit1, &QLineEdit::returnPressed, this, &TFyg2::xuanClick);
    connect(xuan, &QPushButton::clicked, this, &TFyg2::xuanClick);
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &DataGrid::rowDoubleClicked, this, &TFyg2::xuanClick);
    connect(DBGrid1, &DataGrid::enterPressed, this, &TFyg2::xuanClick);
}

TFyg2::~TFyg2() = default;

void TFyg2::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
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
    Query& q = DM1->AQyg1;
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM yg"));
    q.addSql(QStringLiteral("where xm like ") + sqlQuote(QStringLiteral("%") + Edit1->text() + QStringLiteral("%")));
    q.addSql(QStringLiteral("order by id"));
    q.open();
}

void TFyg2::xuanClick()
{
    Query& q = DM1->AQyg1;
    if (!picker::hasRows(q)) {
        warnBox(QStringLiteral("没有员工可选择！"));
        return;
    }
    const QString tag = xzbj->text();
    if (tag == QLatin1String("tjcg") || tag == QLatin1String("tjfkfx") || tag == QLatin1String("tjskfx")
        || tag == QLatin1String("tjszfx"))
        PickerTargets::write(tag, QStringLiteral("jsr"), q.text(QStringLiteral("xm")));
    accept();
}

#include "Uck1.h"

#include "PickerTargets.h"
#include "picker_common.h"

#include "data/DM1.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFck1::TFck1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fck1"));
    setWindowTitle(QStringLiteral("选择仓库"));
    xzbj = picker::hiddenLabel(QStringLiteral("xzbj"), this);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({picker::column("ck", "仓库", 220)});
    DBGrid1->setQuery(&DM1->AQck1);

    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(xuan);
    buttons->addWidget(guan);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DBGrid1);
    lay->addLayout(buttons);
    resize(300, 360);

    connect(xuan, &QPushButton::clicked, this, &TFck1::xuanClick);
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &DataGrid::rowDoubleClicked, this, &TFck1::xuanClick);
    connect(DBGrid1, &DataGrid::enterPressed, this, &TFck1::xuanClick);
}

TFck1::~TFck1() = default;

void TFck1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Query& q = DM1->AQck1;
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM ck"));
    q.addSql(QStringLiteral("order by id"));
    q.open();
    DBGrid1->setFocus();
}

void TFck1::xuanClick()
{
    Query& q = DM1->AQck1;
    if (!picker::hasRows(q)) {
        warnBox(QStringLiteral("没有仓库可选择！"));
        return;
    }
    const QString tag = xzbj->text();
    const QString value = q.text(QStringLiteral("ck"));
    PickerTargets::write(picker::callerTag(tag), QStringLiteral("ck") + picker::stepSuffix(tag), value);
    accept();
}

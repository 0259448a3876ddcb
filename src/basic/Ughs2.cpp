#include "Ughs2.h"

#include "PickerTargets.h"
#include "picker_common.h"

#include "data/DM1.h"
#include "ui/DataGrid.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFghs2::TFghs2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fghs2"));
    setWindowTitle(QStringLiteral("选择厂商"));
    xzbj = picker::hiddenLabel(QStringLiteral("xzbj"), this);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({picker::column("mc", "厂商名称", 320)});
    DBGrid1->setQuery(&DM1->AQghs1);

    xuan = picker::button(QStringLiteral("xuan"), QStringLiteral("选择"), this);
    guan = picker::button(QStringLiteral("guan"), QStringLiteral("关闭"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(xuan);
    buttons->addWidget(guan);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DBGrid1);
    lay->addLayout(buttons);
    resize(400, 400);

    connect(xuan, &QPushButton::clicked, this, &TFghs2::xuanClick);
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &DataGrid::rowDoubleClicked, this, &TFghs2::xuanClick);
    connect(DBGrid1, &DataGrid::enterPressed, this, &TFghs2::xuanClick);
}

TFghs2::~TFghs2() = default;

void TFghs2::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Query& q = DM1->AQghs1;
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM ghs"));
    q.addSql(QStringLiteral("order by id"));
    q.open();
    DBGrid1->setFocus();
}

void TFghs2::xuanClick()
{
    Query& q = DM1->AQghs1;
    if (!picker::hasRows(q)) {
        warnBox(QStringLiteral("没有厂商可选择！"));
        return;
    }
    if (xzbj->text() == QLatin1String("tjcg"))
        PickerTargets::write(QStringLiteral("tjcg"), QStringLiteral("ghs"), q.text(QStringLiteral("mc")));
    accept();
}

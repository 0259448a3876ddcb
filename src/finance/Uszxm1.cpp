#include "Uszxm1.h"

#include "Utjszxm1.h"
#include "basic/PickerTargets.h"
#include "bases/picker_common.h"
#include "data/DM1.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QKeyEvent>
#include <QPushButton>

QPointer<TFszxm1> Fszxm1;

TFszxm1::TFszxm1(QWidget* parent) : RecordPicker(parent, QStringLiteral("Fszxm1"), QStringLiteral("收支项目设置"))
{
    xin = picker::button(QStringLiteral("xin"), QStringLiteral("新增"), this);
    chu = picker::button(QStringLiteral("chu"), QStringLiteral("删除"), this);
    GridColumn lb = picker::column("lb", "类别", 59);
    lb.align = Qt::AlignCenter;
    buildList({.query = DM1->AQszxm1,
               .columns = {lb, picker::column("xm", "收支项目", 200)},
               .emptyText = QStringLiteral("没有项目可选择！"),
               .showSql = {QStringLiteral("SELECT * FROM szxm"), QStringLiteral("order by id")},
               .buttons = {xin, chu},
               .size = QSize(330, 360)});
    DBGrid1->enableTitleSort(true);
    connectHandler(xin, &QPushButton::clicked, this, &TFszxm1::xinClick);
    connectHandler(chu, &QPushButton::clicked, this, &TFszxm1::chuClick);
}

void TFszxm1::writeChoice(const Query& q, const QString& tag)
{
    PickerTargets::write(tag, QStringLiteral("xm"), q.text(QStringLiteral("xm")));
}

void TFszxm1::xinClick()
{
    TFtjszxm1 dlg(this);
    Ftjszxm1 = &dlg;
    runModal(dlg);
}

void TFszxm1::chuClick()
{
    Query& q = DM1->AQszxm1;
    if (!picker::hasRows(q)) {
        warnBox(QStringLiteral("没有项目可删除！"));
        return;
    }
    if (confirmBox(QStringLiteral("确定要删除此项目么？")))
        q.deleteRow();
}

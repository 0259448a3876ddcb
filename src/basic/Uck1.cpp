#include "Uck1.h"

#include "PickerTargets.h"
#include "bases/picker_common.h"

#include "data/DM1.h"

TFck1::TFck1(QWidget* parent) : RecordPicker(parent, QStringLiteral("Fck1"), QStringLiteral("选择仓库"))
{
    buildList({.query = DM1->AQck1,
               .columns = {picker::column("ck", "仓库", 220)},
               .emptyText = QStringLiteral("没有仓库可选择！"),
               .showSql = {QStringLiteral("SELECT * FROM ck"), QStringLiteral("order by id")},
               .size = QSize(300, 360)});
}

void TFck1::writeChoice(const Query& q, const QString& tag)
{
    PickerTargets::write(picker::callerTag(tag), QStringLiteral("ck") + picker::stepSuffix(tag),
                         q.text(QStringLiteral("ck")));
}

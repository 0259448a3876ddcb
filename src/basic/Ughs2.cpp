#include "Ughs2.h"

#include "PickerTargets.h"
#include "bases/picker_common.h"

#include "data/DM1.h"

TFghs2::TFghs2(QWidget* parent) : RecordPicker(parent, QStringLiteral("Fghs2"), QStringLiteral("选择厂商"))
{
    buildList({.query = DM1->AQghs1,
               .columns = {picker::column("mc", "厂商名称", 320)},
               .emptyText = QStringLiteral("没有厂商可选择！"),
               .showSql = {QStringLiteral("SELECT * FROM ghs"), QStringLiteral("order by id")},
               .size = QSize(400, 400)});
}

void TFghs2::writeChoice(const Query& q, const QString& tag)
{
    if (tag == QLatin1String("tjcg"))
        PickerTargets::write(QStringLiteral("tjcg"), QStringLiteral("ghs"), q.text(QStringLiteral("mc")));
}

#include "Uzu1.h"

#include "documents/parts_lists.h"

QPointer<TFzu1> Fzu1;

PartsDialogDescription TFzu1::describe()
{
    return {
        .objectName = QStringLiteral("Fzu1"),
        .caption = QStringLiteral("商品组装/打包"),
        .tag = QStringLiteral("zu"),
        .kind = &assemblyParts(),
        .step1 = QStringLiteral("步骤一：选择组装而成的整件"),
        .step2 = QStringLiteral("步骤二：选择组装所需的零件"),
        .countName = QStringLiteral("zzsl"),
        .countLabel = QStringLiteral("组装数量"),
        .coefName = QStringLiteral("zzxs"),
        .coefLabel = QStringLiteral("组装系数"),
        .help = {QStringLiteral("组装数量：打算组装多少个该整件"), QStringLiteral("如：打算组装10个该整件，则组装数量为10"),
                 QStringLiteral("组装系数：组装成一整件需多少个该零件"),
                 QStringLiteral("如：组装成一整件需2个该零件，则组装系数为2")},
        .confirmCaption = QStringLiteral("确定组装"),
        .slTitle = QStringLiteral("组装所需数量"),
        .wholeMissing = QStringLiteral("组装而成的整件不可为空！"),
        .countZero = QStringLiteral("组装数量不可为零！"),
        .partMissing = QStringLiteral("组装所需的零件不可为空！"),
        .coefZero = QStringLiteral("组装系数不可为零！"),
    };
}

TFzu1::TFzu1(QWidget* parent) : TPartsDialog(describe(), parent), zzsl(countEdit), zzxs(coefEdit) {}

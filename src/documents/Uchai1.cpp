#include "Uchai1.h"

#include "documents/parts_lists.h"

QPointer<TFchai1> Fchai1;

PartsDialogDescription TFchai1::describe()
{
    return {
        .objectName = QStringLiteral("Fchai1"),
        .caption = QStringLiteral("商品拆分/拆包"),
        .tag = QStringLiteral("chai"),
        .kind = &splittingParts(),
        .step1 = QStringLiteral("步骤一：选择拆分所需的整件"),
        .step2 = QStringLiteral("步骤二：选择拆分而成的零件"),
        .countName = QStringLiteral("cfsl"),
        .countLabel = QStringLiteral("拆分数量"),
        .coefName = QStringLiteral("cfxs"),
        .coefLabel = QStringLiteral("拆分系数"),
        .help = {QStringLiteral("拆分数量：打算拆分多少个该整件"), QStringLiteral("如：打算拆分10个该整件，则拆分数量为10"),
                 QStringLiteral("拆分系数：一整件可拆分成多少个该零件"),
                 QStringLiteral("如：一整件可拆分成2个该零件，则拆分系数为2")},
        .confirmCaption = QStringLiteral("确定拆分"),
        .slTitle = QStringLiteral("拆分而成数量"),
        .wholeMissing = QStringLiteral("拆分所需的整件不可为空！"),
        .countZero = QStringLiteral("拆分数量不可为零！"),
        .partMissing = QStringLiteral("拆分而成的零件不可为空！"),
        .coefZero = QStringLiteral("拆分系数不可为零！"),
    };
}

TFchai1::TFchai1(QWidget* parent) : TPartsDialog(describe(), parent), cfsl(countEdit), cfxs(coefEdit) {}

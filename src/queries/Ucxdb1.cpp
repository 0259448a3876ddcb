#include "Ucxdb1.h"

#include "Ucxrk1.h"

QPointer<TFcxdb1> Fcxdb1;

ConditionDescription TFcxdb1::describe()
{
    ConditionDescription s = TFcxrk1::describe();
    s.objectName = QStringLiteral("TFcxdb1");
    s.edits[0] = {.label = "调出仓库", .column = "ck1"};
    return s;
}

TFcxdb1::TFcxdb1(QueryWindow* list, QWidget* owner) : TConditionDialog(describe(), list, owner)
{
    Fcxdb1 = this;
}

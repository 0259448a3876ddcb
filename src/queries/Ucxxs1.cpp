#include "Ucxxs1.h"

#include "Ucxcg1.h"

QPointer<TFcxxs1> Fcxxs1;

ConditionDescription TFcxxs1::describe()
{
    ConditionDescription s = TFcxcg1::describe();
    s.objectName = QStringLiteral("TFcxxs1");
    s.edits[0] = {.label = "客户", .column = "kh"};
    return s;
}

TFcxxs1::TFcxxs1(QueryWindow* list, QWidget* owner) : TConditionDialog(describe(), list, owner)
{
    Fcxxs1 = this;
}

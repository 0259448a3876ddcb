#include "Ucxrk1.h"

QPointer<TFcxrk1> Fcxrk1;

ConditionDescription TFcxrk1::describe()
{
    ConditionDescription s;
    s.objectName = QStringLiteral("TFcxrk1");
    s.combos = {auditStateCombo()};
    s.edits = {{.label = "类　　型", .column = "lx"}, {.label = "员　　工", .column = "jsr"},
               {.label = "单　　号", .column = "dh"}};
    return s;
}

TFcxrk1::TFcxrk1(QueryWindow* list, QWidget* owner) : TConditionDialog(describe(), list, owner)
{
    Fcxrk1 = this;
}

#include "Ucxcg1.h"

QPointer<TFcxcg1> Fcxcg1;

ConditionDescription TFcxcg1::describe()
{
    ConditionDescription s;
    s.objectName = QStringLiteral("TFcxcg1");
    s.combos = {auditStateCombo()};
    s.edits = {{.label = "厂商", .column = "ghs"}, {.label = "员工", .column = "jsr"}, {.label = "单号", .column = "dh"}};
    s.checkBox2Caption = QStringLiteral("只显示欠款单据");
    s.checkBox2Clause = QStringLiteral("and qk<>0");
    return s;
}

TFcxcg1::TFcxcg1(QueryWindow* list, QWidget* owner) : TConditionDialog(describe(), list, owner)
{
    Fcxcg1 = this;
}

#include "Ucxcg1.h"

QPointer<TFcxcg1> Fcxcg1;

ConditionDescription TFcxcg1::describe()
{
    ConditionDescription s;
    s.objectName = QStringLiteral("TFcxcg1");
    s.combos = {auditStateCombo(QStringLiteral("审核"))};
    s.edits = {{"厂商", "ghs"}, {"员工", "jsr"}, {"单号", "dh"}};
    s.checkBox2Caption = QStringLiteral("只显示欠款单据");
    s.checkBox2Clause = QStringLiteral("and qk<>0");
    return s;
}

TFcxcg1::TFcxcg1(QueryWindow* list, QWidget* owner) : TConditionDialog(describe(), list, owner)
{
    Fcxcg1 = this;
}

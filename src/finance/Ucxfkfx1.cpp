#include "Ucxfkfx1.h"

#include "finance/settlement.h"

QPointer<TFcxfkfx1> Fcxfkfx1;
QPointer<TFcxskfx1> Fcxskfx1;

ConditionDescription describeSettlementConditions(const SettlementSide& side)
{
    ConditionDescription s;
    s.objectName = side.dialogName;
    s.toCaption = QStringLiteral("　　至");
    s.combos = {auditStateCombo(QStringLiteral("审　核")),
                {.label = QStringLiteral("类　型"),
                 .items = side.typeItems,
                 .clauses = {QString(), QStringLiteral("and je>0"), QStringLiteral("and je<0")}}};
    s.edits = {{.label = side.dialogPartyLabel, .column = side.partyColumn},
               {.label = QStringLiteral("员　　工"), .column = QStringLiteral("jsr")},
               {.label = QStringLiteral("单　　号"), .column = QStringLiteral("dh")}};
    s.order = {ClausePart::Edits, ClausePart::Combo1, ClausePart::Combo2, ClausePart::Date};
    return s;
}

TFcxfkfx1::TFcxfkfx1(QueryWindow* list, QWidget* owner)
    : TConditionDialog(describeSettlementConditions(paymentSide()), list, owner)
{
    Fcxfkfx1 = this;
}

TFcxskfx1::TFcxskfx1(QueryWindow* list, QWidget* owner)
    : TConditionDialog(describeSettlementConditions(receiptSide()), list, owner)
{
    Fcxskfx1 = this;
}

#include "Ucxyffx1.h"

#include "Uyffx1.h"
#include "data/DocumentState.h"
#include "data/Sql.h"
#include "finance/settlement.h"

ConditionDescription describeOpenItemConditions(const OpenItemsSide& side)
{
    const SettlementSide& s = side.settlement;
    ConditionDescription d;
    d.objectName = side.dialogName;
    d.toCaption = QStringLiteral("　　至");
    d.combos = {{.label = QStringLiteral("类　型"),
                 .items = side.typeItems,
                 .clauses = {QStringLiteral("and qk<>0"), QStringLiteral("and qk>0"), QStringLiteral("and qk<0")}}};
    d.edits = {{.label = s.dialogPartyLabel, .column = s.partyColumn},
               {.label = QStringLiteral("员　　工"), .column = QStringLiteral("jsr")},
               {.label = QStringLiteral("单　　号"), .column = QStringLiteral("dh")}};
    d.fixedClauses = {QStringLiteral("and shbj=") + sqlQuote(DocumentState::audited())};
    d.order = {ClausePart::Edits, ClausePart::Date, ClausePart::Fixed, ClausePart::Combo1};
    return d;
}

TFcxyffx1::TFcxyffx1(QueryWindow* list, QWidget* owner)
    : TConditionDialog(describeOpenItemConditions(payablesSide()), list, owner)
{
}

TFcxysfx1::TFcxysfx1(QueryWindow* list, QWidget* owner)
    : TConditionDialog(describeOpenItemConditions(receivablesSide()), list, owner)
{
}

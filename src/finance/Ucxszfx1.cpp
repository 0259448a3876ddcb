#include "Ucxszfx1.h"

#include "data/Sql.h"
#include "other_income.h"

QPointer<TFcxszfx1> Fcxszfx1;

ConditionDescription TFcxszfx1::describe()
{
    ConditionDescription s;
    s.objectName = QStringLiteral("TFcxszfx1");
    s.toCaption = QStringLiteral("　　至");
    s.combos = {{.label = QStringLiteral("类　别"),
                 .items = {QStringLiteral("全部"), OtherIncome::Income, OtherIncome::Expense},
                 .clauses = {QString(), QStringLiteral("and lb=") + sqlQuote(OtherIncome::Income),
                             QStringLiteral("and lb=") + sqlQuote(OtherIncome::Expense)}}};
    s.edits = {{.label = QStringLiteral("收支项目"), .column = QStringLiteral("xm")},
               {.label = QStringLiteral("员　　工"), .column = QStringLiteral("jsr")}};
    s.escCloses = false;   // this dialog previews no Esc
    return s;
}

TFcxszfx1::TFcxszfx1(QueryWindow* list, QWidget* owner) : TConditionDialog(describe(), list, owner)
{
    Fcxszfx1 = this;
}

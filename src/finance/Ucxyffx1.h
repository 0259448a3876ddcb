#pragma once
// The query-condition dialogs of the payables and receivables tables (TFcxyffx1, TFcxysfx1,
// 按条件查询): the dates, the type (every open item, debts only or refunds only), party,
// employee and number; audited documents only.

#include "bases/ConditionDialog.h"

struct OpenItemsSide;

// The dialog of a side: the clauses in the order edits, date, audited, type.
ConditionDescription describeOpenItemConditions(const OpenItemsSide& side);

class TFcxyffx1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the payables table whose query and total the dialog rewrites.
    TFcxyffx1(QueryWindow* list, QWidget* owner);
};

class TFcxysfx1 : public TConditionDialog {
    Q_OBJECT
public:
    TFcxysfx1(QueryWindow* list, QWidget* owner);
};

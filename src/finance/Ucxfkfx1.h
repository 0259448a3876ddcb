#pragma once
// The query-condition dialogs of the payment and receipt lists (TFcxfkfx1, TFcxskfx1, 按条件查询):
// party, employee and number, the audit state, the type (payments or refunds) and the dates.

#include "bases/ConditionDialog.h"

#include <QPointer>

struct SettlementSide;

class TFcxfkfx1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the payment list whose query and total the dialog rewrites.
    TFcxfkfx1(QueryWindow* list, QWidget* owner);
};

class TFcxskfx1 : public TConditionDialog {
    Q_OBJECT
public:
    TFcxskfx1(QueryWindow* list, QWidget* owner);
};

// The dialog of a side: the clauses in the order edits, audit, type, date.
ConditionDescription describeSettlementConditions(const SettlementSide& side);

extern QPointer<TFcxfkfx1> Fcxfkfx1;
extern QPointer<TFcxskfx1> Fcxskfx1;

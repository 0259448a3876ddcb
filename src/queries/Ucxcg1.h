#pragma once
// The purchase document list's query-condition dialog (按条件查询): supplier, employee and
// number, audit state, date range and "only debts".

#include "bases/ConditionDialog.h"

#include <QPointer>

class TFcxcg1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the purchase document list whose query and totals the dialog rewrites.
    TFcxcg1(QueryWindow* list, QWidget* owner);

    static ConditionDescription describe();
};

extern QPointer<TFcxcg1> Fcxcg1;

#pragma once
// The movement document list's query-condition dialog (按条件查询): the date range, the
// audit state, and the reason, handler and number edits.

#include "bases/ConditionDialog.h"

#include <QPointer>

class TFcxrk1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the movement document list whose query and totals the dialog rewrites.
    TFcxrk1(QueryWindow* list, QWidget* owner);

    static ConditionDescription describe();
};

extern QPointer<TFcxrk1> Fcxrk1;

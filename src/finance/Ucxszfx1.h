#pragma once
// The other income and expense list's query-condition dialog (按条件查询): item, employee,
// category and date range. Esc does nothing here; Enter in 员工 runs.

#include "bases/ConditionDialog.h"

#include <QPointer>

class TFcxszfx1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the other income and expense list whose query and totals the dialog rewrites.
    TFcxszfx1(QueryWindow* list, QWidget* owner);

    static ConditionDescription describe();
};

extern QPointer<TFcxszfx1> Fcxszfx1;

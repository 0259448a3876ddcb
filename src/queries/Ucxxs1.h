#pragma once
// The sales document list's query-condition dialog (按条件查询): the purchase dialog's twin
// with the customer in place of the supplier.

#include "bases/ConditionDialog.h"

#include <QPointer>

class TFcxxs1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the sales document list whose query and totals the dialog rewrites.
    TFcxxs1(QueryWindow* list, QWidget* owner);

    static ConditionDescription describe();
};

extern QPointer<TFcxxs1> Fcxxs1;

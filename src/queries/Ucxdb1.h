#pragma once
// The transfer document list's query-condition dialog: the movement dialog's twin with the
// source warehouse in place of the reason.

#include "bases/ConditionDialog.h"

#include <QPointer>

class TFcxdb1 : public TConditionDialog {
    Q_OBJECT
public:
    // list: the transfer document list whose query and totals the dialog rewrites.
    TFcxdb1(QueryWindow* list, QWidget* owner);

    static ConditionDescription describe();
};

extern QPointer<TFcxdb1> Fcxdb1;

#pragma once
// The sales document list (销售单据): retail and wholesale headers together, held and
// audited, with their totals; the purchase list's twin on the sales tables.

#include "bases/DocumentList.h"

#include <QPointer>

class TFxsgl1 : public DocumentList {
    Q_OBJECT
public:
    explicit TFxsgl1(QWidget* parent = nullptr);

    static ListDescription describe();

    TConditionDialog* createConditionDialog() override;
};

extern QPointer<TFxsgl1> Fxsgl1;

// The main menu's 销售单据: brings the open list to the front or creates it.
void openSalesList();

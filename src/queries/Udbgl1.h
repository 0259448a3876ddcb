#pragma once
// The transfer document list (库存调拨单据): transfer headers with their two warehouses;
// the movement list's twin on the transfer tables.

#include "bases/DocumentList.h"

#include <QPointer>

class TFdbgl1 : public DocumentList {
    Q_OBJECT
public:
    explicit TFdbgl1(QWidget* parent = nullptr);

    static ListDescription describe();

    TConditionDialog* createConditionDialog() override;
};

extern QPointer<TFdbgl1> Fdbgl1;

// The main menu's 调拨单据: brings the open list to the front or creates it.
void openTransferList();

#pragma once
// The movement document list (库存异动单据): movement headers, held and audited, with their
// total quantity and amount; query by condition, view in the browser, delete, un-audit,
// print and export.

#include "bases/DocumentList.h"

#include <QPointer>

class TFrkgl1 : public DocumentList {
    Q_OBJECT
public:
    explicit TFrkgl1(QWidget* parent = nullptr);

    static ListDescription describe();

    TConditionDialog* createConditionDialog() override;
};

extern QPointer<TFrkgl1> Frkgl1;

// The main menu's 异动单据: brings the open list to the front or creates it.
void openMovementList();

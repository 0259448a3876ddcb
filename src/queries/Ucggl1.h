#pragma once
// The purchase document list (采购单据): purchase headers, held and audited, with their
// totals; query by condition, view in the browser, delete, un-audit, print and export.

#include "bases/DocumentList.h"

#include <QPointer>

class TFcggl1 : public DocumentList {
    Q_OBJECT
public:
    explicit TFcggl1(QWidget* parent = nullptr);

    static ListDescription describe();

    TConditionDialog* createConditionDialog() override;
};

extern QPointer<TFcggl1> Fcggl1;

// The main menu's 采购单据: brings the open list to the front or creates it.
void openPurchaseList();

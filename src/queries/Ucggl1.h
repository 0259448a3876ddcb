#pragma once
// The purchase document list (采购单据): purchase headers, held and audited, with their
// totals; query by condition, view in the browser, delete, un-audit, print and export.

#include "QueryWindow.h"

#include <QPointer>

class QAction;
class SpeedButton;

class TFcggl1 : public QueryWindow {
    Q_OBJECT
public:
    explicit TFcggl1(QWidget* parent = nullptr);

    static ListDescription describe();

    SpeedButton *SB44 = nullptr, *SB55 = nullptr, *SB66 = nullptr, *SB77 = nullptr,
                *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr;

    TConditionDialog* createConditionDialog() override;

    void view();       // SB55, double-click
    void remove();     // SB66, N1
    void unaudit();    // SB44, N2

protected:
    void formClosed() override;
};

extern QPointer<TFcggl1> Fcggl1;

// The main menu's 采购单据: brings the open list to the front or creates it.
void openPurchaseList();

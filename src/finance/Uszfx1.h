#pragma once
// The other income and expense list (其他收支明细表): the entries of a day or of a query,
// with total income, total expense and their difference; new, edit and delete through the
// entry dialog, query, print and export. Rows with an expense are drawn red.

#include "bases/QueryWindow.h"

#include <QPointer>

class QAction;
class SpeedButton;

class TFszfx1 : public QueryWindow {
    Q_OBJECT
public:
    explicit TFszfx1(QWidget* parent = nullptr);

    static ListDescription describe();

    SpeedButton *SB44 = nullptr, *SB55 = nullptr, *SB66 = nullptr, *SB77 = nullptr,
                *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;
    QAction* N1 = nullptr;

    TConditionDialog* createConditionDialog() override;

    void addEntry();      // SB44
    void editEntry();     // SB55, double-click
    void removeEntry();   // SB66, N1
};

extern QPointer<TFszfx1> Fszfx1;

// The main menu's 其他收支明细表: brings the open list to the front or creates it.
void openOtherIncomeList();

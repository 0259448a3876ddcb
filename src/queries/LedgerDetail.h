#pragma once
// The ledger detail tables (采购明细表, 销售明细表, 库存变动明细表): every row of one ledger,
// today's at first, with the quantity and amount totals (the sales table also cost and gross
// profit, which only the administrator sees); query by condition, print and export. The
// statistics tables drill down into them.

#include "bases/ConditionDialog.h"
#include "bases/QueryWindow.h"
#include "ledger_statements.h"

#include <QPointer>

class QGridLayout;
class SpeedButton;

class TLedgerDetail : public QueryWindow {
    Q_OBJECT
public:
    TLedgerDetail(Ledger ledger, QWidget* parent);

    static ListDescription describe(Ledger ledger);
    Ledger ledger() const { return ledger_; }

    SpeedButton *SB77 = nullptr, *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;

    TConditionDialog* createConditionDialog() override;

protected:
    // Sales: for an operator other than the administrator the cost and profit totals stay empty.
    void afterRun() override;

private:
    Ledger ledger_;
};

class TFcgfx1 : public TLedgerDetail {
    Q_OBJECT
public:
    explicit TFcgfx1(QWidget* parent = nullptr) : TLedgerDetail(Ledger::Purchase, parent) {}
};

class TFxsfx1 : public TLedgerDetail {
    Q_OBJECT
public:
    explicit TFxsfx1(QWidget* parent = nullptr) : TLedgerDetail(Ledger::Sales, parent) {}
};

class TFrkfx1 : public TLedgerDetail {
    Q_OBJECT
public:
    explicit TFrkfx1(QWidget* parent = nullptr) : TLedgerDetail(Ledger::StockChange, parent) {}
};

extern QPointer<TFcgfx1> Fcgfx1;
extern QPointer<TFxsfx1> Fxsfx1;
extern QPointer<TFrkfx1> Frkfx1;

// The main menu's 采购明细表, 销售明细表, 变动明细表 (and the drill-down): brings the open table
// to the front, or creates it (which runs its opening query); returns it.
TLedgerDetail* openLedgerDetail(Ledger ledger);

// Whether the operator sees sales cost and gross profit: only the built-in administrator.
bool operatorSeesCosts();

// The conditions of a ledger dialog: the date switch, the type combo, the party edit
// (Edit1), then employee, goods code, goods name and, unless left out, warehouse.
ConditionDescription ledgerConditions(Ledger ledger, bool warehouse = true);

// The ledger dialogs' layout: the party edit and its label go under the type combo (wide:
// across both columns), the other edits fill the right column from the top.
void placePartyEdit(QGridLayout* grid, bool wide);

// The detail tables' dialogs (按条件查询).
class TLedgerDetailDialog : public TConditionDialog {
    Q_OBJECT
public:
    TLedgerDetailDialog(Ledger ledger, QueryWindow* list, QWidget* owner);
    static ConditionDescription describe(Ledger ledger);
};

class TFcxcgfx1 : public TLedgerDetailDialog {
    Q_OBJECT
public:
    TFcxcgfx1(QueryWindow* list, QWidget* owner);
};

class TFcxxsfx1 : public TLedgerDetailDialog {
    Q_OBJECT
public:
    TFcxxsfx1(QueryWindow* list, QWidget* owner);
};

class TFcxrkfx1 : public TLedgerDetailDialog {
    Q_OBJECT
public:
    TFcxrkfx1(QueryWindow* list, QWidget* owner);
};

extern QPointer<TFcxcgfx1> Fcxcgfx1;
extern QPointer<TFcxxsfx1> Fcxxsfx1;
extern QPointer<TFcxrkfx1> Fcxrkfx1;

#pragma once
// The ledger statistics tables (采购统计表, 销售统计表, 库存变动统计表): one ledger added up per
// goods item, over all rows or per party or per employee, by the conditions and grouping of
// the dialog (按条件统计); 明细 opens the detail table on the current row's ledger rows.
// The tables open empty; print and export follow a run.

#include "bases/ConditionDialog.h"
#include "bases/QueryWindow.h"
#include "ledger_statements.h"

#include <QPointer>

class QRadioButton;
class SpeedButton;

class TLedgerStatistics : public QueryWindow {
    Q_OBJECT
public:
    TLedgerStatistics(Ledger ledger, QWidget* parent);

    static ListDescription describe(Ledger ledger);
    Ledger ledger() const { return ledger_; }

    SpeedButton *SB66 = nullptr, *SB77 = nullptr, *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;

    TConditionDialog* createConditionDialog() override;

    // A new grouping chosen: the query closes, the totals are reset and the group column is
    // hidden (none) or shown under the grouping's title.
    void setGrouping(Grouping grouping);
    // The grouping the group column stands for now (none while it is hidden).
    Grouping grouping() const;
    // The statistics run with the dialog's clauses; the totals are walked.
    void runStatistics(Grouping grouping, const QStringList& clauses);
    // 明细 and a double-click: the detail table on the current row's goods item (and group).
    void drillDown();

protected:
    // Sales: an operator other than the administrator sees neither the cost and profit
    // columns nor their totals.
    void afterRun() override;

private:
    void resetTotals();
    int groupColumn() const;

    Ledger ledger_;
};

class TFcghz1 : public TLedgerStatistics {
    Q_OBJECT
public:
    explicit TFcghz1(QWidget* parent = nullptr) : TLedgerStatistics(Ledger::Purchase, parent) {}
};

class TFxshz1 : public TLedgerStatistics {
    Q_OBJECT
public:
    explicit TFxshz1(QWidget* parent = nullptr) : TLedgerStatistics(Ledger::Sales, parent) {}
};

class TFrkhz1 : public TLedgerStatistics {
    Q_OBJECT
public:
    explicit TFrkhz1(QWidget* parent = nullptr) : TLedgerStatistics(Ledger::StockChange, parent) {}
};

extern QPointer<TFcghz1> Fcghz1;
extern QPointer<TFxshz1> Fxshz1;
extern QPointer<TFrkhz1> Frkhz1;

// The main menu's 采购统计表, 销售统计表, 变动统计表: brings the open table to the front or
// creates it; returns it.
TLedgerStatistics* openLedgerStatistics(Ledger ledger);

// The statistics dialogs (按条件统计): the detail dialog's conditions (no warehouse for stock
// changes) and the grouping radios RB1 不分组统计, RB2 party, RB3 employee. Showing it and
// every radio chosen clear the table's result.
class TLedgerStatisticsDialog : public TConditionDialog {
    Q_OBJECT
public:
    TLedgerStatisticsDialog(Ledger ledger, TLedgerStatistics* table, QWidget* owner);
    static ConditionDescription describe(Ledger ledger);

    QRadioButton *RB1 = nullptr, *RB2 = nullptr, *RB3 = nullptr;
    Grouping grouping() const;

protected:
    void showEvent(QShowEvent* e) override;
    void run() override;

private:
    Ledger ledger_;
    TLedgerStatistics* table_;
};

class TFcxcghz1 : public TLedgerStatisticsDialog {
    Q_OBJECT
public:
    TFcxcghz1(TLedgerStatistics* table, QWidget* owner);
};

class TFcxxshz1 : public TLedgerStatisticsDialog {
    Q_OBJECT
public:
    TFcxxshz1(TLedgerStatistics* table, QWidget* owner);
};

class TFcxrkhz1 : public TLedgerStatisticsDialog {
    Q_OBJECT
public:
    TFcxrkhz1(TLedgerStatistics* table, QWidget* owner);
};

extern QPointer<TFcxcghz1> Fcxcghz1;
extern QPointer<TFcxxshz1> Fcxxshz1;
extern QPointer<TFcxrkhz1> Fcxrkhz1;

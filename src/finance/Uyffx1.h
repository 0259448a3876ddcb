#pragma once
// The payables and receivables tables (TFyffx1 采购应付明细表, TFysfx1 销售应收明细表): one table
// window described by its side. It lists the open items, the audited documents whose debt qk
// is not zero, oldest first, with the signed sum of the debts; refunds due (qk below zero) are
// drawn in red. 查单 opens the side's document browser on the current row, whose navigation
// then walks this table's rows; 查询, 打印 and 导出 as every list, Esc clicks 打印.

#include "bases/QueryWindow.h"

#include <QPointer>
#include <functional>

class SpeedButton;
class TDM1;
struct SettlementSide;

// What differs between the two tables.
struct OpenItemsSide {
    // The document table and its shared query, the party, due and paid columns with their
    // titles and the dialog's party label: those of the payments (receipts) that settle the
    // items.
    const SettlementSide& settlement;
    QString windowName;            // "TFyffx1"
    QString caption;               // "采购应付明细表"
    QString legend;                // "欠款＜0：采购应退款（厂商欠本店的款）"
    QString dialogName;            // "TFcxyffx1"
    QStringList typeItems;         // "全部", "采购应付", "采购应退"
    QString noRowsRefusal;         // 查单 on no rows: "没有单据可查阅！"
    QString reportName;            // "应付明细表"
    std::function<void(TDM1&)> showBrowser;   // the document browser on the current row
};

const OpenItemsSide& payablesSide();
const OpenItemsSide& receivablesSide();

class TOpenItemsTable : public QueryWindow {
    Q_OBJECT
public:
    static ListDescription describe(const OpenItemsSide& side);

    SpeedButton *SB66 = nullptr, *SB77 = nullptr, *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;

    void view();   // SB66 查单, the grid's double-click

protected:
    TOpenItemsTable(const OpenItemsSide& side, QWidget* parent);

private:
    const OpenItemsSide& side_;
};

class TFyffx1 : public TOpenItemsTable {
    Q_OBJECT
public:
    explicit TFyffx1(QWidget* parent = nullptr);
    TConditionDialog* createConditionDialog() override;
};

class TFysfx1 : public TOpenItemsTable {
    Q_OBJECT
public:
    explicit TFysfx1(QWidget* parent = nullptr);
    TConditionDialog* createConditionDialog() override;
};

extern QPointer<TFyffx1> Fyffx1;
extern QPointer<TFysfx1> Fysfx1;

// The main menu's 采购应付明细表 and 销售应收明细表: bring the open table to the front or create it.
void openPayablesTable();
void openReceivablesTable();

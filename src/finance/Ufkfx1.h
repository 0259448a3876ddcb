#pragma once
// The payment and receipt lists (TFfkfx1 采购付款明细表, TFskfx1 销售收款明细表): one list window
// described by its side. It opens on the rows dated today; 新增 and 修改 open the side's entry
// dialog, 反审 takes an applied row's amount back out of its document, 删除 deletes a reversed
// row; 查询, 打印 and 导出 as every list. Refunds (amount below zero) are drawn in red, reversed
// rows on the pale green brush.

#include "bases/QueryWindow.h"

#include <QPointer>

class QAction;
class SpeedButton;
class TSettlementEntry;
struct SettlementSide;
enum class SettlementResult;

class TSettlementList : public QueryWindow {
    Q_OBJECT
public:
    static ListDescription describe(const SettlementSide& side);

    SpeedButton *SB33 = nullptr, *SB44 = nullptr, *SB55 = nullptr, *SB66 = nullptr, *SB77 = nullptr,
                *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr;

    void add();        // SB44 新增
    void modify();     // SB55 修改, the grid's double-click
    void reverse();    // SB33 反审, N2
    void remove();     // SB66 删除, N1

    // An action on the current row: refused on no rows, refused when the row shows the
    // refused state, then asked (when it has a question).
    struct Action {
        QString noRow;
        QString refusedState;
        QString refusal;
        QString question{};
    };
    // True when the action may go on with the current row.
    bool rowAllows(const Action& a) const;
    // 修改's refusals, which the entry dialog's save gives too.
    static const Action& modifying();

protected:
    TSettlementList(const SettlementSide& side, QWidget* parent);
    // The side's entry dialog, owned by this list.
    virtual TSettlementEntry* createEntry() = 0;

private:
    const SettlementSide& side_;
};

class TFfkfx1 : public TSettlementList {
    Q_OBJECT
public:
    explicit TFfkfx1(QWidget* parent = nullptr);
    TConditionDialog* createConditionDialog() override;
protected:
    TSettlementEntry* createEntry() override;
};

class TFskfx1 : public TSettlementList {
    Q_OBJECT
public:
    explicit TFskfx1(QWidget* parent = nullptr);
    TConditionDialog* createConditionDialog() override;
protected:
    TSettlementEntry* createEntry() override;
};

extern QPointer<TFfkfx1> Ffkfx1;
extern QPointer<TFskfx1> Fskfx1;

// Shows the refusal of a rule that found its row gone (missing) or in a state it refuses
// (refused), as a warning; false when the rule was done.
bool warnRefusal(SettlementResult r, const QString& missing, const QString& refused);

// The main menu's 采购付款明细表 and 销售收款明细表: bring the open list to the front or create it.
void openPaymentList();
void openReceiptList();

#pragma once
// Other income and expense (szfx) and the items they are booked against (szxm): the checks
// and the write of an entry, and the add of an item with its uniqueness test. Entries are
// written through the shared query AQszfx1, items through AQszxm1, so the windows that show
// them see the change at once.

#include <QDate>
#include <QString>
#include <optional>

class TDM1;

namespace OtherIncome {
inline const QString Income = QStringLiteral("收入");
inline const QString Expense = QStringLiteral("支出");
}

// An entry as the entry dialog holds it.
struct OtherIncomeEntry {
    QDate rq;
    QString lb;        // category as typed ("收入" or "支出" once trimmed)
    QString xm;        // item name
    QString je;        // amount text as typed (no sign)
    QString jsr;       // handler
    QString bz;        // remark
};

enum class EntryField { Category, Item, Amount, Handler };

struct EntryRefusal {
    EntryField field;
    QString text;      // shown with caption "提示", information icon
};

// The checks of a save, in order: category blank, category other than income or expense,
// item blank, amount zero, handler blank. The first that fails is returned; none: nullopt.
// The amount is read as the typed-text rule leaves it; an amount that is not a number
// throws MoneyFormatError.
std::optional<EntryRefusal> checkOtherIncome(const OtherIncomeEntry& e);

// Writes a checked entry through dm.AQszfx1: appended as a new row, or (modify) over the
// current row. rq as "yyyy-mm-dd", lb trimmed, the amount (rounded by the typed-text rule)
// into se for income and into ze for expense, the other one 0. The query's grids stay still
// while it is written.
void saveOtherIncome(TDM1& dm, const OtherIncomeEntry& e, bool modify);

enum class ItemField { Category, Name };

struct ItemRefusal {
    ItemField field;
    QString text;
    bool warning;      // "警告" (a duplicate) rather than "提示" (a blank field)
};

// Adds the item (lb, xm), both trimmed, through dm.AQszxm1 (opened for appending when
// closed) unless a row with that pair exists (names compared without regard to case).
// Refusals: blank category, blank name, duplicate; nothing is written then.
std::optional<ItemRefusal> addIncomeItem(TDM1& dm, const QString& lb, const QString& xm);

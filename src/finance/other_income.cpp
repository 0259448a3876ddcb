#include "other_income.h"

#include "data/query_totals.h"
#include "data/DM1.h"

std::optional<EntryRefusal> checkOtherIncome(const OtherIncomeEntry& e)
{
    const QString lb = e.lb.trimmed();
    if (lb.isEmpty())
        return EntryRefusal{EntryField::Category, QStringLiteral("类别不可为空！")};
    // Any other category would book its amount in neither column and drop out of every total.
    if (lb != OtherIncome::Income && lb != OtherIncome::Expense)
        return EntryRefusal{EntryField::Category, QStringLiteral("类别只能是收入或支出！")};
    if (e.xm.trimmed().isEmpty())
        return EntryRefusal{EntryField::Item, QStringLiteral("项目不可为空！")};
    if (Money::parse(roundTypedText(e.je)).isZero())
        return EntryRefusal{EntryField::Amount, QStringLiteral("金额不可为零！")};
    if (e.jsr.trimmed().isEmpty())
        return EntryRefusal{EntryField::Handler, QStringLiteral("经办人不可为空！")};
    return std::nullopt;
}

void saveOtherIncome(TDM1& dm, const OtherIncomeEntry& e, bool modify)
{
    const QString lb = e.lb.trimmed();
    const QString amount = roundTypedText(e.je);
    const bool income = lb == OtherIncome::Income;
    const QString zero = QStringLiteral("0");
    Query& q = dm.AQszfx1;
    const ControlsDisabled still(q);
    if (modify)
        q.edit();
    else
        q.append();
    postFields(q, {{"rq", e.rq.toString(QStringLiteral("yyyy-MM-dd"))},
                   {"lb", lb},
                   {"xm", e.xm},
                   {"se", income ? amount : zero},
                   {"ze", income ? zero : amount},
                   {"jsr", e.jsr},
                   {"bz", e.bz}});
}

std::optional<ItemRefusal> addIncomeItem(TDM1& dm, const QString& lb, const QString& xm)
{
    const QString c = lb.trimmed(), x = xm.trimmed();
    if (c.isEmpty())
        return ItemRefusal{ItemField::Category, QStringLiteral("类别不可为空！"), false};
    if (x.isEmpty())
        return ItemRefusal{ItemField::Name, QStringLiteral("项目不可为空！"), false};
    Query& q = dm.AQszxm1;
    const ControlsDisabled still(q);
    // Text columns compare without regard to case, so "Rent" stands for "rent" too.
    if (!dm.ADOC1.execute(QStringLiteral("select lb,xm from szxm where lb=") + sqlQuote(c) + QStringLiteral("and xm=")
                          + sqlQuote(x)).eof())
        return ItemRefusal{ItemField::Name, QStringLiteral("项目不可重复！"), true};
    q.openForAppend();
    q.append();
    postFields(q, {{"lb", c}, {"xm", x}});
    return std::nullopt;
}

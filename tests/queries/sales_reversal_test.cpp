// The un-audit of a sale by the sales description: every line's quantity back at the row's
// cost, a missing goods row created at the line's cost, all or nothing.

#include "sales_shop.h"

namespace {

using SalesReversal = SalesShop;

TEST_F(SalesReversal, PutsEachLineBackAtTheRowsCost)
{
    // Goods rows before (quantity, amount, cost; none: missing) and the line sold from them.
    const struct { const char* txm; const char* ppgg; const char* before; const char* sl; const char* cbjg; const char* after; } cases[] = {
        {"R01", "电水壶", "10 50 5", "-2", "5", "电视 8 40 5"},              // a return goes out again
        {"H01", "插头", "0.3 0.38 1.25", "0.2", "1.25", "电视 0.5 0.62 1.25"},  // 0.625 half-even
        {"M01", "灯泡", nullptr, "0.5", "2.25", "未知 0.5 1.12 2.25"},         // created at the line's cost
        {"Q01", "3' 插线板", "4 4 1", "1", "1", "电视 5 5 1"},                 // a quote in the name
    };
    QStringList items;
    for (const auto& c : cases) {
        if (c.before) {
            const QStringList v = QString(c.before).split(' ');
            addGoods(c.txm, c.ppgg, "主仓库", qPrintable(v[0]), qPrintable(v[2]), qPrintable(v[1]));
        }
        items << QStringLiteral("%1|%2|%3|9|%4").arg(c.txm, c.ppgg, c.sl, c.cbjg);
    }
    sale("XS20240107001", "2024-01-07", "李女士", "未审核", "0,0,0,0,0,0", items);
    exec("UPDATE xsglz SET shbj='已审核' WHERE dh='XS20240107001'");

    EXPECT_EQ(unauditDocument(*dm, salesDocuments(), "XS20240107001"), ReversalResult::Done);
    for (const auto& c : cases)
        EXPECT_EQ(stock(c.txm), c.after) << c.txm;
    EXPECT_EQ(columnTexts(dm->AQxsc1, "txm"), (QStringList{"R01", "H01", "M01", "Q01"}));
    EXPECT_EQ(unauditDocument(*dm, salesDocuments(), "XS20240107001"), ReversalResult::AlreadyHeld);
}

TEST_F(SalesReversal, AFailureHalfWayLeavesTheDatabaseAsBefore)
{
    // The receipts cannot be deleted: both lines' stock has been put back by then.
    exec("CREATE TRIGGER boom BEFORE DELETE ON skfx BEGIN SELECT RAISE(ABORT,'boom'); END");
    dm->AQxsz1.setSql({"SELECT * FROM xsglz", "order by id"});
    dm->AQxsz1.open();
    const QString before = dump();
    EXPECT_ANY_THROW(unauditDocument(*dm, salesDocuments(), "PF20240105001"));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(columnTexts(dm->AQxsz1, "shbj"), (QStringList{"已审核", "已审核", "未审核"}));
    EXPECT_FALSE(dm->AQxsc1.controlsDisabled());
}

} // namespace

// The un-audit of movements and transfers by their descriptions: each line's stock change
// put back at the row's cost, missing goods rows created, lines in id order, the two
// warehouses of a transfer one after the other.

#include "stock_shop.h"

namespace {

using StockReversal = StockShop;

TEST_F(StockReversal, MovementLinesOfOneMissingItemGoInLineOrder)
{
    // Line 10 creates the row at its price 2; line 11 then moves it at that cost (the other
    // order would create it at 4 and give -32).
    exec("INSERT INTO rkglz (dh,rq,shbj,ck,lx,hjsl,hjje) VALUES ('YD20240120001','2024-01-20','已审核','主仓库','盘盈入库',8,22)");
    exec("INSERT INTO rkglc (id,dh,bj,txm,ppgg,dw,sl,jg,je) VALUES "
         "(11,'YD20240120001','yz','M01','灯泡','台',3,4,12),(10,'YD20240120001','yz','M01','灯泡','台',5,2,10)");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240120001"), ReversalResult::Done);
    EXPECT_EQ(stock("M01"), "未知 -8 -16 2");

    // A movement without lines: its ledger rows go and its state, no stock changes.
    const QString goods = allStock();
    exec("DELETE FROM rkglc WHERE dh='YD20240110001'");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240110001"), ReversalResult::Done);
    EXPECT_EQ(allStock(), goods);
    EXPECT_EQ(count("rkfx WHERE dh='YD20240110001'"), 0);
    EXPECT_EQ(scalar("SELECT shbj FROM rkglz WHERE dh='YD20240110001'"), "未审核");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240110001"), ReversalResult::AlreadyHeld);
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20990101001"), ReversalResult::Missing);
}

TEST_F(StockReversal, TransferPutsTheLineBackIntoTheSourceThenTakesItOutOfTheDestination)
{
    // A line of 3 at 10 from ck1 to ck2; the goods rows before ("" none) and after. Created
    // rows take the line's amount as stored (29.99 where it was rounded otherwise).
    const struct {
        const char* ck1; const char* ck2;
        const char* before1; const char* before2;   // "kcsl kcjg kcje"
        const char* after1; const char* after2;     // "lb kcsl kcje kcjg"
    } cases[] = {
        {"主仓库", "二号仓", "5 10 50", "8 12.5 100", "电视 8 80 10", "电视 5 62.5 12.5"},
        {"主仓库", "二号仓", "", "", "未知 3 29.99 10", "未知 -3 -29.99 10"},
        {"主仓库", "主仓库", "5 10 47", "", "电视 5 50 10", "电视 5 50 10"},   // one row, twice
        {"主仓库", "主仓库", "", "", "未知 0 0 10", "未知 0 0 10"},           // created, then back to 0
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString dh = QStringLiteral("DB2024012000%1").arg(++n);
        SCOPED_TRACE(dh.toStdString());
        exec("DELETE FROM sp WHERE txm='T01'");
        for (const auto& [ck, before] : {std::pair{c.ck1, c.before1}, std::pair{c.ck2, c.before2}}) {
            const QStringList v = QString(before).split(' ', Qt::SkipEmptyParts);
            if (!v.isEmpty() && count("sp WHERE txm='T01' AND ck=" + sqlQuote(ck)) == 0)
                addGoods("T01", "烤箱", ck, qPrintable(v[0]), qPrintable(v[1]), qPrintable(v[2]));
        }
        transfer(dh, "2024-01-20", c.ck1, c.ck2, "未审核", {"T01|烤箱|3|10"});
        exec("UPDATE dbglz SET shbj='已审核' WHERE dh=" + sqlQuote(dh));
        if (n == 2)
            exec("UPDATE dbglc SET je=29.99 WHERE dh=" + sqlQuote(dh));
        EXPECT_EQ(unauditDocument(*dm, transferDocuments(), dh), ReversalResult::Done);
        EXPECT_EQ(stock("T01", c.ck1), c.after1);
        EXPECT_EQ(stock("T01", c.ck2), c.after2);
        EXPECT_EQ(scalar("SELECT shbj FROM dbglz WHERE dh=" + sqlQuote(dh)), "未审核");
    }
}

TEST_F(StockReversal, ATransferFailingHalfWayLeavesTheDatabaseAsBefore)
{
    // Two lines; the second line's destination row cannot change, after three stock changes.
    addGoods("F06", "电扇", "二号仓", "10", "3", "30");
    addGoods("F06", "电扇", "主仓库", "10", "3", "30");
    transfer("DB20240121001", "2024-01-21", "主仓库", "二号仓", "已审核", {"E05|微波炉|1|10", "F06|电扇|2|3"});
    exec("CREATE TRIGGER boom BEFORE UPDATE ON sp WHEN OLD.txm='F06' AND OLD.ck='二号仓' "
         "BEGIN SELECT RAISE(ABORT,'boom'); END");
    dm->AQdbz1.setSql({"SELECT * FROM dbglz", "order by id"});
    dm->AQdbz1.open();
    const QString before = dump();
    EXPECT_ANY_THROW(unauditDocument(*dm, transferDocuments(), "DB20240121001"));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(columnTexts(dm->AQdbz1, "shbj"), (QStringList{"已审核", "未审核", "已审核"}));
    EXPECT_FALSE(dm->AQdbc1.controlsDisabled());
}

} // namespace

// The un-audit and delete rules of each kind of document, without a window: how each line's
// stock is put back, rows created for missing goods, the posted rows, the header and the
// list's row. All or nothing and the window's wiring are checked with the lists.

#include "document_shop.h"

#include "rules/document_reversal.h"

namespace {

using Reversal = DocumentShop;

TEST_F(Reversal, PurchaseTakesEachLineBackOutByTheMovingAverage)
{
    addGoods("G1", "彩电", "主仓库", "10", "2", "20");
    addGoods("G2", "冰箱", "主仓库", "2", "2.12", "4.25");
    const QString doc = "CG20240120001", other = "CG20240120002";
    document(Purchase, doc, "华南电器", "0,15", "已审核", {"G1|彩电|5|3", "G2|冰箱|3|2", "G3|音箱|1|7", "G3|音箱|2|8"});
    document(Purchase, other, "华南电器", "0,15", "已审核", {"G2|冰箱|1|1"});
    ASSERT_EQ(stock("G1"), "电视 15 35 2.33");
    exec("update sp set kcsl=5,kcje=10.25,kcjg=2.05 where txm='G2'");   // reversed by 3 at 6.00
    exec("delete from sp where txm='G3'");   // the first line creates it, the second finds it
    dm->AQcgz1.setSql({"SELECT * FROM cgglz", "order by id"});
    dm->AQcgz1.open();
    dm->AQcgz1.moveTo(3);   // the list stands on the other document

    EXPECT_EQ(unauditDocument(*dm, purchaseDocuments(), doc), ReversalResult::Done);
    EXPECT_EQ(stock("G1") + ", " + stock("G2") + ", " + stock("G3"), "电视 10 20 2, 电视 2 4.25 2.12, 未知 -3 -23 7.67");
    EXPECT_EQ(lines("SELECT dh FROM cgfx WHERE dh LIKE 'CG202401200%' union all SELECT dh||' '||je FROM fkfx WHERE dh LIKE 'CG202401200%'"),
              (QStringList{other, other + " 15"}));
    EXPECT_EQ(table("shbj,hjsl,hjje,yfe,sfe,qk", "cgglz", doc), QStringList{"未审核|11|44|44|15|29"});
    // The list's row in hand follows; its cursor stays where it was.
    EXPECT_EQ(dm->AQcgz1.recNo(), 3);
    EXPECT_EQ(dm->AQcgz1.cellText(2, dm->AQcgz1.fieldIndex("shbj")), "未审核");
    for (Query* q : {&dm->AQcgfx1, &dm->AQfkfx1}) {
        EXPECT_EQ(q->sqlLines().value(1), "where dh='刷新数据'");
        EXPECT_TRUE(q->isOpen()) << q->name().toStdString();
        EXPECT_TRUE(q->isEmpty()) << q->name().toStdString();
    }

    const QString after = dump();
    EXPECT_EQ(unauditDocument(*dm, purchaseDocuments(), doc), ReversalResult::AlreadyHeld);
    EXPECT_EQ(unauditDocument(*dm, purchaseDocuments(), "CG20991231001"), ReversalResult::Missing);
    EXPECT_EQ(deleteDocument(*dm, purchaseDocuments(), "CG20991231001"), ReversalResult::Missing);
    EXPECT_EQ(dump(), after);

    // With the list closed the header is set back, or deleted, by a statement.
    dm->AQcgz1.close();
    EXPECT_EQ(unauditDocument(*dm, purchaseDocuments(), other), ReversalResult::Done);
    EXPECT_EQ(table("shbj", "cgglz", other), QStringList{"未审核"});
    EXPECT_EQ(deleteDocument(*dm, purchaseDocuments(), other), ReversalResult::Done);
    EXPECT_EQ(count("cgglz WHERE dh LIKE 'CG202401200%'"), 1);
}

// A list query whose rows are not read yet (as the comprehensive statistics leave one that no
// window shows) is not read by the un-audit: the header is set back by a statement, and the
// rows, read later, show it held.
TEST_F(Reversal, AHeaderQueryNotReadYetIsLeftUnreadAndReadsTheHeaderHeld)
{
    const QString doc = "CG20240120001";
    document(Purchase, doc, "华南电器", "0,15", "已审核", {"G1|彩电|5|3"});
    dm->AQcgz1.setSql({"SELECT * FROM cgglz", "where dh=" + sqlQuote(doc)});
    dm->AQcgz1.openDeferred();
    EXPECT_EQ(unauditDocument(*dm, purchaseDocuments(), doc), ReversalResult::Done);
    EXPECT_TRUE(dm->AQcgz1.rowsDeferred());
    EXPECT_EQ(columnTexts(dm->AQcgz1, "shbj"), QStringList{"未审核"});
}

TEST_F(Reversal, SalesPutEachLineBackAtTheRowsCost)
{
    // Goods rows before (quantity, amount, cost; none: missing) and the line sold from them.
    const struct { const char* txm; const char* ppgg; const char* before; const char* sl; const char* cbjg; const char* after; } cases[] = {
        {"R01", "电水壶", "10 50 5", "-2", "5", "电视 8 40 5"},              // a return goes out again
        {"H01", "插头", "0.3 0.38 1.25", "0.2", "1.25", "电视 0.5 0.62 1.25"},  // 0.625 half-even
        {"N01", "灯泡", nullptr, "0.5", "2.25", "未知 0.5 1.12 2.25"},         // created at the line's cost
        {"Q01", "3' 插线板", "4 4 1", "1", "1", "电视 5 5 1"},                 // a quote in the name
        {"A01", "冰箱", nullptr, "1", "1500", "电视 9 13500 1500"},            // the header's warehouse only
    };
    QStringList items;
    for (const auto& c : cases) {
        if (c.before) {
            const QStringList v = QString(c.before).split(' ');
            addGoods(c.txm, c.ppgg, "主仓库", qPrintable(v[0]), qPrintable(v[2]), qPrintable(v[1]));
        }
        items << QStringLiteral("%1|%2|%3|9|%4").arg(c.txm, c.ppgg, c.sl, c.cbjg);
    }
    const QString otherWarehouse = stock("A01", "二号仓");
    document(Sales, "XS20240107001", "李女士", "", "未审核", items);
    exec("UPDATE xsglz SET shbj='已审核' WHERE dh='XS20240107001'");

    EXPECT_EQ(unauditDocument(*dm, salesDocuments(), "XS20240107001"), ReversalResult::Done);
    for (const auto& c : cases)
        EXPECT_EQ(stock(c.txm), c.after) << c.txm;
    EXPECT_EQ(stock("A01", "二号仓"), otherWarehouse);
    EXPECT_EQ(columnTexts(dm->AQxsc1, "txm"), (QStringList{"R01", "H01", "N01", "Q01", "A01"}));
    EXPECT_EQ(unauditDocument(*dm, salesDocuments(), "XS20240107001"), ReversalResult::AlreadyHeld);
}

TEST_F(Reversal, MovementLinesGoBackOutAtTheRowsCostInLineOrder)
{
    // At the rows' cost, whatever amount a row holds.
    exec("UPDATE sp SET kcje=97 WHERE txm='M01'");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240110001"), ReversalResult::Done);
    EXPECT_EQ(goods("txm IN ('M01','M02')"), (QStringList{"M01 主仓库 24 120 5", "M02 主仓库 4 10 2.5"}));

    // Line 10 creates the missing row at its price 2; line 11 then moves it at that cost (the
    // other order would create it at 4 and give -32).
    exec("INSERT INTO rkglz (dh,ck,shbj) VALUES ('YD20240120001','主仓库','已审核')");
    exec("INSERT INTO rkglc (id,dh,txm,ppgg,dw,sl,jg,je) VALUES "
         "(11,'YD20240120001','L01','灯泡','台',3,4,12),(10,'YD20240120001','L01','灯泡','台',5,2,10)");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240120001"), ReversalResult::Done);
    EXPECT_EQ(goods("txm='L01'", true), QStringList{"未知 L01 主仓库 -8 -16 2"});

    // A movement without lines: its ledger rows go and its state, no stock changes.
    const QStringList stock = goods();
    exec("INSERT INTO rkglz (dh,ck,shbj) VALUES ('YD20240121001','主仓库','已审核');"
         "INSERT INTO rkfx (dh,ck,sl) VALUES ('YD20240121001','主仓库',1)");
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240121001"), ReversalResult::Done);
    EXPECT_EQ(goods(), stock);
    EXPECT_EQ(count("rkfx WHERE dh='YD20240121001'"), 0);
    EXPECT_EQ(unauditDocument(*dm, movementDocuments(), "YD20240121001"), ReversalResult::AlreadyHeld);
}

TEST_F(Reversal, TransferPutsTheLineBackIntoTheSourceThenTakesItOutOfTheDestination)
{
    // A line of 3 at 10 from ck1 to ck2; the goods rows before ("" none) and after (ck1's,
    // then ck2's when another). Created rows take the line's amount as stored (29.99).
    const struct { const char* ck2; const char* before1; const char* before2; QStringList after; } cases[] = {
        {"二号仓", "5 10 50", "8 12.5 100", {"电视 T01 主仓库 8 80 10", "电视 T01 二号仓 5 62.5 12.5"}},
        {"二号仓", "", "", {"未知 T01 主仓库 3 29.99 10", "未知 T01 二号仓 -3 -29.99 10"}},
        {"主仓库", "5 10 47", "", {"电视 T01 主仓库 5 50 10"}},   // one row, twice
        {"主仓库", "", "", {"未知 T01 主仓库 0 0 10"}},           // created, then back to 0
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString dh = QStringLiteral("DB2024012000%1").arg(++n);
        SCOPED_TRACE(n);
        exec("DELETE FROM sp WHERE txm='T01'");
        for (const auto& [ck, before] : {std::pair{"主仓库", c.before1}, std::pair{c.ck2, c.before2}}) {
            const QStringList v = QString(before).split(' ', Qt::SkipEmptyParts);
            if (!v.isEmpty())
                addGoods("T01", "烤箱", ck, qPrintable(v[0]), qPrintable(v[1]), qPrintable(v[2]));
        }
        document(Transfer, dh, "主仓库", c.ck2, "未审核", {"T01|烤箱|3|10"});
        exec("UPDATE dbglz SET shbj='已审核' WHERE dh=" + sqlQuote(dh));
        exec("UPDATE dbglc SET je=" + QString(n == 2 ? "29.99" : "30") + " WHERE dh=" + sqlQuote(dh));
        EXPECT_EQ(unauditDocument(*dm, transferDocuments(), dh), ReversalResult::Done);
        EXPECT_EQ(goods("txm='T01'", true), c.after);
        EXPECT_EQ(scalar("SELECT shbj FROM dbglz WHERE dh=" + sqlQuote(dh)), "未审核");
    }
}

} // namespace

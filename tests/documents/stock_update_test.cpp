#include "documents/posting_fixture.h"
#include "documents/stock_update.h"

namespace {

const QString kCk = QStringLiteral("主仓库");

class StockUpdate : public PostingShop {};

struct AverageCase {
    const char* name;
    const char *kcsl, *kcjg, *kcje;  // the row before
    const char *sl, *je, *jg;        // the line
    const char *wantSl, *wantJe, *wantJg;
};

TEST_F(StockUpdate, MovingAverageCases)
{
    const AverageCase cases[] = {
        {"purchase", "10", "2", "20", "5", "15", "3", "15", "35", "2.33"},
        {"return to zero keeps cost", "15", "2.33", "35", "-15", "-34.95", "2.33", "0", "0", "2.33"},
        {"free goods lower cost", "10", "2", "20", "10", "0", "0", "20", "20", "1"},
        {"no amount uses cost", "5", "4", "0", "3", "0", "0", "8", "32", "4"},
        {"half-even cost", "1", "10", "10", "1", "10.25", "10.25", "2", "20.25", "10.12"},
        {"amount is the exact sum", "3", "1.11", "3.33", "1", "1.125", "1.125", "4", "4.455", "1.11"},
        {"negative stock", "-2", "3", "-6", "-1", "-4", "4", "-3", "-10", "3.33"},
        {"empty values count as 0", "NULL", "NULL", "NULL", "2", "6", "3", "2", "6", "3"},
    };
    int n = 0;
    for (const AverageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString txm = QStringLiteral("G%1").arg(++n);
        addGoods(txm, QStringLiteral("彩电%1").arg(n), kCk, c.kcsl, c.kcjg, c.kcje);
        applyMovingAverage(dm(), StockKey{txm, QStringLiteral("彩电%1").arg(n), QStringLiteral("台"), kCk},
                           m(c.sl), m(c.je), m(c.jg));
        const Stock s = stock(txm, kCk);
        EXPECT_EQ(s.kcsl, m(c.wantSl));
        EXPECT_EQ(s.kcje, m(c.wantJe));
        EXPECT_EQ(s.kcjg, m(c.wantJg));
        EXPECT_EQ(s.rows, 1);
    }
}

TEST_F(StockUpdate, MissingRowIsCreatedInTheWarehouse)
{
    addGoods(QStringLiteral("G1"), QStringLiteral("冰箱"), QStringLiteral("二仓"), "7", "1", "7");
    applyMovingAverage(dm(), StockKey{"G1", "冰箱", "台", kCk}, m("-3"), m("-6"), m("2"));
    const Stock s = stock(QStringLiteral("G1"), kCk);
    EXPECT_EQ(s.lb + " " + s.kcsl.plainText() + " " + s.kcje.plainText() + " " + s.kcjg.plainText(), "未知 -3 -6 2");
    EXPECT_EQ(text(QStringLiteral("SELECT ppgg||dw||coalesce(jj,xjpf,xjls,slt,jet,'-')||ms||bz FROM sp where ck='主仓库'")),
              "冰箱台-");
    // The other warehouse's row is not touched.
    EXPECT_EQ(stock(QStringLiteral("G1"), QStringLiteral("二仓")).kcsl, m("7"));
}

TEST_F(StockUpdate, LowestIdOfSeveralRowsIsUpdated)
{
    addGoods(QStringLiteral("D1"), QStringLiteral("空调"), kCk, "1", "5", "5");
    addGoods(QStringLiteral("D1"), QStringLiteral("空调"), kCk, "9", "9", "81");
    applyAtCost(dm(), StockKey{"D1", "空调", "台", kCk}, m("1"), NewStockRow{});
    const RecordSet r = rows(QStringLiteral("SELECT kcsl,kcje FROM sp where txm='D1' order by id"));
    ASSERT_EQ(r.recordCount(), 2);
    EXPECT_EQ(m(r.rows[0][0]), m("2"));
    EXPECT_EQ(m(r.rows[0][1]), m("10"));
    EXPECT_EQ(m(r.rows[1][0]), m("9"));
}

TEST_F(StockUpdate, LookupWordingAndQuotes)
{
    const QString name = QStringLiteral("O'Neil 32\" 电视'");
    addGoods(QStringLiteral("Q'1"), name, QStringLiteral("老'库"), "1", "2", "2");
    const StockKey key{QStringLiteral("Q'1"), name, QStringLiteral("台"), QStringLiteral("老'库")};

    applyMovingAverage(dm(), key, m("1"), m("4"), m("4"));
    EXPECT_EQ(dm().AQkcfx1.sqlLines(),
              (QStringList{"SELECT * FROM sp", "where ppgg='O''Neil 32\" 电视'''", "and txm='Q''1'",
                           "and dw='台'", "and ck='老''库'", "order by id"}));
    EXPECT_TRUE(dm().AQkcfx1.isOpen());
    EXPECT_EQ(stock(QStringLiteral("Q'1"), QStringLiteral("老'库")).kcjg, m("3"));

    applyMovingAverage(dm(), key, m("-1"), m("-4"), m("4"), StockKeyOrder::TxmPpggDwCk);
    EXPECT_EQ(dm().AQkcfx1.sqlLines().mid(1, 3),
              (QStringList{"where txm='Q''1'", "and ppgg='O''Neil 32\" 电视'''", "and dw='台'"}));
    applyAtCost(dm(), key, m("1"), NewStockRow{}, StockKeyOrder::PpggDwTxmCk);
    EXPECT_EQ(dm().AQkcfx1.sqlLines().mid(1, 3),
              (QStringList{"where ppgg='O''Neil 32\" 电视'''", "and dw='台'", "and txm='Q''1'"}));
    const Stock s = stock(QStringLiteral("Q'1"), QStringLiteral("老'库"));
    EXPECT_EQ(s.rows, 1);
    EXPECT_EQ(s.kcsl, m("2"));
}

TEST_F(StockUpdate, AtCostKeepsCostAndRoundsHalfEven)
{
    addGoods(QStringLiteral("C1"), QStringLiteral("风扇"), kCk, "1", "1.25", "1.25");
    applyAtCost(dm(), StockKey{"C1", "风扇", "台", kCk}, m("-0.5"), NewStockRow{});
    const Stock s = stock(QStringLiteral("C1"), kCk);
    EXPECT_EQ(s.kcsl, m("0.5"));
    EXPECT_EQ(s.kcje, m("0.62"));
    EXPECT_EQ(s.kcjg, m("1.25"));
}

} // namespace

#include "documents/posting_fixture.h"
#include "documents/stock_update.h"

namespace {

class StockUpdate : public PostingShop {};

TEST_F(StockUpdate, MovingAverageCases)
{
    struct Case {
        const char* name;
        const char *kcsl, *kcjg, *kcje;  // the row before
        const char *sl, *je, *jg;        // the line
        const char* want;                // kcsl kcje kcjg
    } cases[] = {
        {"purchase", "10", "2", "20", "5", "15", "3", "15 35 2.33"},
        {"return to zero keeps cost", "15", "2.33", "35", "-15", "-34.95", "2.33", "0 0 2.33"},
        {"free goods lower cost", "10", "2", "20", "10", "0", "0", "20 20 1"},
        {"no amount uses cost", "5", "4", "0", "3", "0", "0", "8 32 4"},
        {"half-even cost", "1", "10", "10", "1", "10.25", "10.25", "2 20.25 10.12"},
        {"amount is the exact sum", "3", "1.11", "3.33", "1", "1.125", "1.125", "4 4.455 1.11"},
        {"negative stock", "-2", "3", "-6", "-1", "-4", "4", "-3 -10 3.33"},
        {"empty values count as 0", "NULL", "NULL", "NULL", "2", "6", "3", "2 6 3"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString txm = QStringLiteral("G%1").arg(++n);
        addGoods(txm, "彩电" + txm, "主仓库", c.kcsl, c.kcjg, c.kcje);
        applyMovingAverage(dm(), StockKey{txm, "彩电" + txm, "台", "主仓库"}, m(c.sl), m(c.je), m(c.jg));
        EXPECT_EQ(stock(txm), QStringLiteral("电视 ") + QString::fromLatin1(c.want));
    }
}

TEST_F(StockUpdate, AtCostRoundsHalfEvenOnTheLowestIdAndCreatesMissingRows)
{
    addGoods("C1", "风扇", "主仓库", "1", "1.25", "1.25");
    addGoods("C1", "风扇", "主仓库", "9", "9", "81");
    applyAtCost(dm(), StockKey{"C1", "风扇", "台", "主仓库"}, m("-0.5"), NewStockRow{});
    EXPECT_EQ(stock("C1"), "电视 0.5 0.62 1.25; 电视 9 81 9");

    addGoods("G1", "冰箱", "二仓", "7", "1", "7");
    applyMovingAverage(dm(), StockKey{"G1", "冰箱", "台", "主仓库"}, m("-3"), m("-6"), m("2"));
    EXPECT_EQ(stock("G1"), "未知 -3 -6 2");
    EXPECT_EQ(stock("G1", "二仓"), "电视 7 7 1");   // the other warehouse's row is not touched
    EXPECT_EQ(lines("SELECT ppgg||dw||coalesce(jj,xjpf,xjls,slt,jet,'-')||ms||bz FROM sp where ck='主仓库' and txm='G1'"),
              QStringList{"冰箱台-"});
}

TEST_F(StockUpdate, LookupWordingAndQuotes)
{
    const QString name = QStringLiteral("O'Neil 32\" 电视'");
    addGoods("Q'1", name, "老'库", "1", "2", "2");
    const StockKey key{"Q'1", name, "台", "老'库"};

    applyMovingAverage(dm(), key, m("1"), m("4"), m("4"));
    EXPECT_EQ(dm().AQkcfx1.sqlLines(), (QStringList{"SELECT * FROM sp", "where ppgg='O''Neil 32\" 电视'''", "and txm='Q''1'",
                                                    "and dw='台'", "and ck='老''库'", "order by id"}));
    applyMovingAverage(dm(), key, m("-1"), m("-4"), m("4"), StockKeyOrder::TxmPpggDwCk);
    EXPECT_EQ(dm().AQkcfx1.sqlLines().mid(1, 3),
              (QStringList{"where txm='Q''1'", "and ppgg='O''Neil 32\" 电视'''", "and dw='台'"}));
    applyAtCost(dm(), key, m("1"), NewStockRow{}, StockKeyOrder::PpggDwTxmCk);
    EXPECT_EQ(dm().AQkcfx1.sqlLines().mid(1, 3),
              (QStringList{"where ppgg='O''Neil 32\" 电视'''", "and dw='台'", "and txm='Q''1'"}));
    EXPECT_EQ(stock("Q'1", "老'库"), "电视 2 4 2");
}

} // namespace

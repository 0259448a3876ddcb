#include "support/SampleShop.h"

#include "data/DM1.h"
#include "data/Money.h"
#include "data/Sql.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {
QVariant one(Connection& c, const QString& sql) { return c.execute(sql).rows.at(0).at(0); }
QString asMoney(Connection& c, const QString& sql) { return Money::fromDouble(one(c, sql).toDouble()).plainText(); }
}

// The connection's sum adds what the values stand for: 3,000 amounts whose floating-point sum
// drifts into the fourth decimal, and a commission whose products add up to a fifth decimal
// that rounds half-even. Otherwise it answers as SQLite's sum: NULL over no values, an integer
// over integers, a real as soon as a text or a real comes in, an error (never a wrapped total)
// past the range, and the same in a window.
TEST(ExactSum, TotalsAreExactToTheTenThousandth)
{
    TempShop shop(false);
    Connection& c = shop.dm->ADOC1;
    c.exec("CREATE TABLE t (i INTEGER, v MONEY)");
    c.exec("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM k WHERE i<2999) "
           "INSERT INTO t (i, v) SELECT i, CASE i%3 WHEN 0 THEN 0.1 WHEN 1 THEN 0.2 ELSE 7654321.07 END FROM k");
    const QString drifting = "SELECT sum(v) FROM t";
    const QString commission = "SELECT sum(je*jet) FROM (SELECT 120.101 AS je, 0.15 AS jet)";
    EXPECT_EQ(asMoney(c, drifting), "7654321370");
    EXPECT_EQ(asMoney(c, "SELECT sum(v) FROM t WHERE i<1000"), "2548889016.31");
    EXPECT_EQ(asMoney(c, commission), "18.0152");
    EXPECT_EQ(asMoney(c, "SELECT sum(x) FROM (SELECT 0.1 AS x UNION ALL SELECT -0.3 UNION ALL SELECT 0.2)"), "0");

    // SQLite's own sum, on a connection of its own, drifts on the same values.
    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open(c.path().toUtf8().constData(), &plain), SQLITE_OK);
    auto builtIn = [plain](const char* sql) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(plain, sql, -1, &st, nullptr);
        sqlite3_step(st);
        const double v = sqlite3_column_double(st, 0);
        sqlite3_finalize(st);
        return Money::fromDouble(v).plainText();
    };
    EXPECT_EQ(builtIn("SELECT sum(v) FROM t"), "7654321369.9999");
    EXPECT_EQ(builtIn("SELECT sum(je*jet) FROM (SELECT 120.101 AS je, 0.15 AS jet)"), "18.0151");
    sqlite3_close(plain);

    EXPECT_FALSE(one(c, "SELECT sum(v) FROM t WHERE i<0").isValid());
    EXPECT_FALSE(one(c, "SELECT sum(NULL) FROM t").isValid());
    EXPECT_EQ(one(c, "SELECT typeof(sum(i)) || sum(i) FROM t WHERE i<4"), "integer6");
    EXPECT_EQ(one(c, "SELECT typeof(sum(x)) || sum(x) FROM (SELECT 2 AS x UNION ALL SELECT '' UNION ALL SELECT NULL)"),
              "real2.0");
    EXPECT_EQ(one(c, "SELECT SUM(x) FROM (SELECT '1.5' AS x UNION ALL SELECT 1)").toDouble(), 2.5);
    try {
        c.execute("SELECT sum(x) FROM (SELECT 5e11 AS x UNION ALL SELECT 5e11)");
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_STREQ(e.what(), "数值超出范围！");
    }
    EXPECT_EQ(asMoney(c, "SELECT sum(x) FROM (SELECT 4e11 AS x UNION ALL SELECT 0.0001)"), "400000000000.0001");
    EXPECT_THROW(c.execute("SELECT sum(x) FROM (SELECT 9223372036854775807 AS x UNION ALL SELECT 1)"), DbError);

    const RecordSet w = c.execute("SELECT sum(v) OVER (ORDER BY i ROWS BETWEEN 1 PRECEDING AND CURRENT ROW) FROM t "
                                  "WHERE i<4 ORDER BY i");
    QStringList running;
    for (const QVariantList& row : w.rows)
        running << Money::fromDouble(row.at(0).toDouble()).plainText();
    EXPECT_EQ(running, QStringList({"0.1", "0.3", "7654321.27", "7654321.17"}));
}

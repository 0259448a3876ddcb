#include "support/SampleShop.h"

#include "data/DM1.h"
#include "data/Sql.h"

#include <gtest/gtest.h>

namespace {
void appendLine(Query& q, const QString& dh)
{
    q.append();
    q.setText("dh", dh);
    q.setText("sl", "1");
    q.post();
}
} // namespace

TEST(Transaction, CommitKeepsEveryRowAndAnExplicitRollbackNone)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    dm.AQcgfx1.open();
    {
        Transaction t(dm.ADOC1);
        appendLine(dm.AQcgfx1, "T1");
        appendLine(dm.AQcgfx1, "T1");
    }
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM cgfx WHERE dh='T1'"), 2);
    EXPECT_EQ(dm.AQcgfx1.recordCount(), 2);
    EXPECT_FALSE(dm.ADOC1.inTransaction());
    {
        Transaction t(dm.ADOC1);
        dm.ADOC1.exec("INSERT INTO ck (ck) VALUES ('三号库')");
        t.rollback();
        EXPECT_FALSE(dm.ADOC1.inTransaction());
    }
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 2);
}

TEST(Transaction, RollbackLeavesNoRowInTheDatabaseNorInTheQueries)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    dm.AQcgfx1.open();
    dm.AQkcfx1.clearSql();
    dm.AQkcfx1.addSql("SELECT * FROM sp where txm='A01' order by id");
    dm.AQkcfx1.open();
    dm.AQfkfx1.open();
    try {
        Transaction t(dm.ADOC1);
        appendLine(dm.AQcgfx1, "T2");
        dm.AQkcfx1.edit();
        dm.AQkcfx1.setText("kcsl", "999");
        dm.AQkcfx1.post();
        appendLine(dm.AQfkfx1, "T2");
        dm.AQfkfx1.deleteRow();
        dm.AQ1.clearSql();
        dm.AQ1.addSql("delete from ck");
        dm.AQ1.execSql();
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(dm.ADOC1.inTransaction());
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM cgfx"), 0);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM sp WHERE kcsl=999"), 0);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 2);
    // The queries that wrote were reopened on their SQL.
    EXPECT_TRUE(dm.AQcgfx1.isOpen());
    EXPECT_EQ(dm.AQcgfx1.recordCount(), 0);
    EXPECT_EQ(dm.AQkcfx1.recordCount(), 2);
    EXPECT_EQ(dm.AQkcfx1.text("kcsl"), "10");
    EXPECT_EQ(dm.AQfkfx1.recordCount(), 0);
    EXPECT_FALSE(dm.AQ1.isOpen());
}

TEST(Transaction, NestedScopesJoinTheOuterOne)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    Connection& c = dm.ADOC1;
    {
        Transaction outer(c);
        c.exec("INSERT INTO ck (ck) VALUES ('三号库')");
        {
            Transaction inner(c);
            EXPECT_EQ(c.transactionDepth(), 2);
            c.exec("INSERT INTO ck (ck) VALUES ('四号库')");
        }
        EXPECT_TRUE(c.inTransaction()); // the inner end did not commit
    }
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 4);

    // An error leaving the inner scope rolls back the whole, also what the outer wrote.
    try {
        Transaction outer(c);
        c.exec("INSERT INTO ck (ck) VALUES ('五号库')");
        Transaction inner(c);
        c.exec("INSERT INTO ck (ck) VALUES ('六号库')");
        c.exec("INSERT INTO nosuch VALUES (1)");
    } catch (const DbError&) {
    }
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 4);
    EXPECT_FALSE(c.inTransaction());

    // An inner failure that someone swallowed still rolls the outer back, and says so.
    EXPECT_THROW(
        {
            Transaction outer(c);
            c.exec("INSERT INTO ck (ck) VALUES ('七号库')");
            try {
                Transaction inner(c);
                throw std::runtime_error("inner");
            } catch (const std::runtime_error&) {
            }
        },
        DbError);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 4);
    EXPECT_FALSE(c.inTransaction());
}

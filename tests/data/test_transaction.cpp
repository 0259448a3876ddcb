#include "support/ShopTest.h"

#include "data/DM1.h"
#include "data/Sql.h"

namespace {
class TransactionTest : public ShopTest {
protected:
    void appendLine(Query& q)
    {
        q.append();
        q.setText("dh", "T1");
        q.setText("sl", "1");
        q.post();
    }
};
} // namespace

TEST_F(TransactionTest, CommitKeepsEveryRowARollbackNoneAndTheQueriesThatWroteReopen)
{
    Connection& c = dm->ADOC1;
    dm->AQcgfx1.open();
    {
        Transaction t(c);
        appendLine(dm->AQcgfx1);
        appendLine(dm->AQcgfx1);
    }
    EXPECT_EQ(count("cgfx WHERE dh='T1'"), 2);
    EXPECT_EQ(dm->AQcgfx1.recordCount(), 2);
    EXPECT_FALSE(c.inTransaction());
    {
        Transaction t(c);
        exec("INSERT INTO ck (ck) VALUES ('三号库')");
        t.rollback();
        EXPECT_FALSE(c.inTransaction());
    }
    EXPECT_EQ(count("ck"), 2);

    // An error rolls back appends, edits, deletes and statements, in the database and in hand.
    dm->AQkcfx1.setSql({"SELECT * FROM sp where txm='A01' order by id"});
    dm->AQkcfx1.open();
    dm->AQfkfx1.open();
    try {
        Transaction t(c);
        appendLine(dm->AQcgfx1);
        dm->AQkcfx1.edit();
        dm->AQkcfx1.setText("kcsl", "999");
        dm->AQkcfx1.post();
        appendLine(dm->AQfkfx1);
        dm->AQfkfx1.deleteRow();
        dm->AQ1.setSql({"delete from ck"});
        dm->AQ1.execSql();
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(c.inTransaction());
    EXPECT_EQ(scalar("SELECT (SELECT count(*) FROM cgfx)||' '||(SELECT count(*) FROM sp WHERE kcsl=999)||' '||(SELECT count(*) FROM ck)"),
              "2 0 2");
    EXPECT_TRUE(dm->AQcgfx1.isOpen());
    EXPECT_EQ(dm->AQcgfx1.recordCount(), 2);
    EXPECT_EQ(dm->AQkcfx1.recordCount(), 2);
    EXPECT_EQ(dm->AQkcfx1.text("kcsl"), "10");
    EXPECT_EQ(dm->AQfkfx1.recordCount(), 0);
    EXPECT_FALSE(dm->AQ1.isOpen());
}

TEST_F(TransactionTest, NestedScopesJoinTheOuterOne)
{
    Connection& c = dm->ADOC1;
    {
        Transaction outer(c);
        exec("INSERT INTO ck (ck) VALUES ('三号库')");
        {
            Transaction inner(c);
            EXPECT_EQ(c.transactionDepth(), 2);
            exec("INSERT INTO ck (ck) VALUES ('四号库')");
        }
        EXPECT_TRUE(c.inTransaction()); // the inner end did not commit
    }
    EXPECT_EQ(count("ck"), 4);

    // An error leaving the inner scope rolls back the whole, also what the outer wrote.
    try {
        Transaction outer(c);
        exec("INSERT INTO ck (ck) VALUES ('五号库')");
        Transaction inner(c);
        exec("INSERT INTO ck (ck) VALUES ('六号库')");
        exec("INSERT INTO nosuch VALUES (1)");
    } catch (const DbError&) {
    }
    EXPECT_EQ(count("ck"), 4);
    EXPECT_FALSE(c.inTransaction());

    // An inner failure that someone swallowed still rolls the outer back, and says so.
    EXPECT_THROW(
        {
            Transaction outer(c);
            exec("INSERT INTO ck (ck) VALUES ('七号库')");
            try {
                Transaction inner(c);
                throw std::runtime_error("inner");
            } catch (const std::runtime_error&) {
            }
        },
        DbError);
    EXPECT_EQ(count("ck"), 4);
    EXPECT_FALSE(c.inTransaction());
}

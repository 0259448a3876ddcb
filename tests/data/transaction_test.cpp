#include "support/ShopTest.h"

#include "data/DM1.h"
#include "data/Sql.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

TEST_F(TransactionTest, CommitsAreDurableAndTheFileAloneHoldsThemOnceClosed)
{
    EXPECT_EQ(scalar("PRAGMA synchronous"), "2") << "FULL: a commit that returned is on disk";
    EXPECT_EQ(scalar("PRAGMA journal_mode"), "wal");
    {
        Transaction t(dm->ADOC1);
        exec("INSERT INTO cgglz (dh, shbj) VALUES ('CG20261207001', '已审核')");
    }
    const QString wal = shop.path() + QStringLiteral("-wal");
    ASSERT_GT(QFileInfo(wal).size(), 0) << "the commit sits in the log while the program runs";

    shop.dm.reset();   // the program closes
    DM1 = nullptr;
    EXPECT_TRUE(!QFileInfo::exists(wal) || QFileInfo(wal).size() == 0);

    // The database file copied alone elsewhere holds the last document.
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(QStringLiteral("TRZData1.db"));
    ASSERT_TRUE(QFile::copy(shop.path(), copy));
    TDM1 copied(copy);
    EXPECT_EQ(sqlScalar(copied, "SELECT shbj FROM cgglz WHERE dh='CG20261207001'"), "已审核");
}

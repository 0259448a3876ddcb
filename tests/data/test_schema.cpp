#include "support/SampleShop.h"

#include "data/DM1.h"
#include "data/Schema.h"
#include "data/Sql.h"

#include <gtest/gtest.h>

#include <QFile>
#include <map>

namespace {

// Column name -> declared type of a table.
std::map<QString, QString> columns(Connection& c, const QString& table)
{
    std::map<QString, QString> cols;
    for (const auto& row : c.execute("PRAGMA table_info(" + table + ")").rows)
        cols[row.at(1).toString()] = row.at(2).toString();
    return cols;
}

} // namespace

TEST(Schema, FreshDatabaseHasEveryTableAndColumn)
{
    TempShop shop(false);
    Connection& c = shop.dm->ADOC1;
    const char* T = "TEXT";
    const char* M = "MONEY";
    const char* N = "DOUBLE";
    const char* I = "INTEGER";
    const std::map<QString, std::map<QString, QString>> expected = {
        {"cgglz", {{"id", I}, {"dh", T}, {"rq", T}, {"kdrq", T}, {"shbj", T}, {"zhidan", T}, {"ck", T}, {"ghs", T}, {"jsr", T}, {"bz", T}, {"hjsl", N}, {"hjje", M}, {"yhe", M}, {"yfe", M}, {"sfe", M}, {"qk", M}}},
        {"xsglz", {{"id", I}, {"dh", T}, {"rq", T}, {"kdrq", T}, {"shbj", T}, {"zhidan", T}, {"ck", T}, {"kh", T}, {"jsr", T}, {"bz", T}, {"hjsl", N}, {"hjje", M}, {"yhe", M}, {"yse", M}, {"sse", M}, {"qk", M}}},
        {"cgglc", {{"id", I}, {"dh", T}, {"bj", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"zk", N}, {"je", M}}},
        {"xsglc", {{"id", I}, {"dh", T}, {"bj", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"zk", N}, {"je", M}, {"cbjg", M}, {"cbje", M}, {"maoli", M}}},
        {"rkglz", {{"id", I}, {"dh", T}, {"rq", T}, {"kdrq", T}, {"shbj", T}, {"zhidan", T}, {"ck", T}, {"jsr", T}, {"bz", T}, {"hjsl", N}, {"hjje", M}, {"lx", T}}},
        {"rkglc", {{"id", I}, {"dh", T}, {"bj", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"je", M}}},
        {"dbglz", {{"id", I}, {"dh", T}, {"rq", T}, {"kdrq", T}, {"shbj", T}, {"zhidan", T}, {"ck1", T}, {"ck2", T}, {"jsr", T}, {"bz", T}, {"hjsl", N}, {"hjje", M}}},
        {"dbglc", {{"id", I}, {"dh", T}, {"bj", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"je", M}}},
        {"sp", {{"id", I}, {"lb", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"ck", T}, {"jj", M}, {"xjpf", M}, {"xjls", M}, {"kcsl", N}, {"kcjg", M}, {"kcje", M}, {"slt", M}, {"jet", N}, {"ms", T}, {"bz", T}}},
        {"cgfx", {{"id", I}, {"rq", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"zk", N}, {"je", M}, {"ghs", T}, {"jsr", T}, {"dh", T}, {"ck", T}}},
        {"xsfx", {{"id", I}, {"rq", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"zk", N}, {"je", M}, {"cbjg", M}, {"cbje", M}, {"maoli", M}, {"kh", T}, {"jsr", T}, {"dh", T}, {"ck", T}}},
        {"rkfx", {{"id", I}, {"rq", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", N}, {"jg", M}, {"je", M}, {"lx", T}, {"jsr", T}, {"dh", T}, {"ck", T}}},
        {"fkfx", {{"id", I}, {"shbj", T}, {"rq", T}, {"dh", T}, {"ghs", T}, {"je", M}, {"jsr", T}, {"bz", T}}},
        {"skfx", {{"id", I}, {"shbj", T}, {"rq", T}, {"dh", T}, {"kh", T}, {"je", M}, {"jsr", T}, {"bz", T}}},
        {"szfx", {{"id", I}, {"rq", T}, {"lb", T}, {"xm", T}, {"se", M}, {"ze", M}, {"jsr", T}, {"bz", T}}},
        {"szxm", {{"id", I}, {"lb", T}, {"xm", T}}},
        {"zu", {{"spid1", I}, {"spid2", I}, {"xs", N}, {"sl", N}}},
        {"chai", {{"spid1", I}, {"spid2", I}, {"xs", N}, {"sl", N}}},
        {"lb", {{"id", I}, {"lb", T}}},
        {"ck", {{"id", I}, {"ck", T}}},
        {"ghs", {{"id", I}, {"mc", T}}},
        {"kh", {{"id", I}, {"mc", T}}},
        {"yg", {{"id", I}, {"xm", T}}},
        {"danwei", {{"id", I}, {"mczc", T}, {"mcdy", T}, {"bz1", T}, {"bz2", T}, {"bz3", T}, {"bz4", T}}},
        {"yhsz", {{"id", I}, {"yhm", T}, {"mm", T}}},
        {"quanxian", {{"id", I}, {"yhm", T}, {"qxmc", T}}},
    };
    for (const auto& [table, cols] : expected) {
        auto actual = columns(c, table);
        EXPECT_EQ(actual, cols) << table.toStdString();
    }
    // Indexes on the document numbers and the goods keys.
    EXPECT_FALSE(c.execute("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='cgfx' AND sql LIKE '%txm,ppgg,dw%'").isEmpty());
    EXPECT_FALSE(c.execute("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='sp' AND sql LIKE '%txm,ppgg,dw,ck%'").isEmpty());
    EXPECT_EQ(c.execute("PRAGMA journal_mode").rows.at(0).at(0).toString(), "wal");

    // The company row and the built-in operator with an empty password and every permission,
    // written once.
    EXPECT_EQ(c.execute("SELECT qxmc FROM quanxian WHERE yhm='系统管理员'").recordCount(),
              Schema::permissionNames().size());
    EXPECT_TRUE(Schema::permissionNames().contains("显示价格"));
    EXPECT_TRUE(Schema::permissionNames().contains("库存归零"));
    Schema::create(c);
    Schema::seed(c);
    EXPECT_EQ(c.execute("SELECT * FROM danwei").recordCount(), 1);
    EXPECT_EQ(c.execute("SELECT * FROM yhsz WHERE yhm='系统管理员' AND mm=''").recordCount(), 1);
    EXPECT_EQ(c.execute("SELECT * FROM yhsz").recordCount(), 1);
}

TEST(DataModule, QueriesAreNamedClosedAndHoldTheirDesignStatements)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    EXPECT_EQ(DM1, &dm);
    EXPECT_EQ(dm.query("AQcgz1")->sqlText(), "SELECT * FROM cgglz");
    EXPECT_EQ(dm.query("AQ1")->sqlText(), "");
    EXPECT_EQ(dm.query("nosuch"), nullptr);
    for (const char* name : {"AQ1", "AQcgz1", "AQcgc1", "AQxsz1", "AQxsc1", "AQrkz1", "AQrkc1", "AQdbz1", "AQdbc1",
                             "AQsp1", "AQkcfx1", "AQcgfx1", "AQxsfx1", "AQrkfx1", "AQcghz1", "AQxshz1", "AQrkhz1",
                             "AQxstj3", "AQkctj1", "AQfkfx1", "AQskfx1", "AQszfx1", "AQszxm1", "AQzu1", "AQchai1",
                             "AQlb1", "AQyg1", "AQck1", "AQghs1", "AQkh1", "ATdanwei1"}) {
        Query* q = dm.query(name);
        ASSERT_NE(q, nullptr) << name;
        EXPECT_FALSE(q->isOpen()) << name;
        if (!q->sqlText().isEmpty())
            EXPECT_NO_THROW(q->open()) << name;   // the statistics queries' statements run too
    }
    EXPECT_EQ(dm.ATdanwei1.text("mcdy"), "华强家电");
}

TEST(DataModule, StartupErrors)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TRZData1.db");
    {
        TDM1 dm(path); // created
        dm.ADOC1.exec("DELETE FROM danwei");
    }
    try {
        TDM1 dm(path);
        FAIL() << "no error";
    } catch (const StartupError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "数据库文件丢失，软件无法运行，请重新复制本软件！");
    }
    EXPECT_THROW(TDM1 dm(dir.filePath("no/such/folder/TRZData1.db")), StartupError);
}

TEST(DataModule, ConnectionClosesAndReopens)
{
    TempShop shop;
    Connection& c = shop.dm->ADOC1;
    shop.dm->AQck1.open();
    {
        Transaction t(c);
        c.exec("INSERT INTO ck (ck) VALUES ('三号库')");
        c.close(); // an open transaction is rolled back
        EXPECT_FALSE(c.isOpen());
        EXPECT_THROW(c.execute("SELECT * FROM ck"), DbError);
        EXPECT_THROW(shop.dm->AQ1.open(), DbError);
    }
    EXPECT_EQ(shop.dm->AQck1.recordCount(), 2); // rows in hand stay
    c.reopen();
    EXPECT_EQ(c.execute("SELECT * FROM ck").recordCount(), 2);
}

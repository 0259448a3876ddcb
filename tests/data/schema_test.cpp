#include "support/SampleShop.h"

#include "data/DM1.h"
#include "data/Schema.h"
#include "data/Sql.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

// A fresh file gets the company row and the built-in operator, with an empty password and
// every permission, written once; a file that has lost its company row, or cannot be
// opened, does not start.
TEST(Schema, FreshDatabaseIsSeededOnceAndNeedsItsCompanyRow)
{
    TempShop shop(false);
    Connection& c = shop.dm->ADOC1;
    EXPECT_EQ(c.execute("PRAGMA journal_mode").rows.at(0).at(0).toString(), "wal");
    Schema::create(c);
    Schema::seed(c);
    EXPECT_EQ(c.execute("SELECT qxmc FROM quanxian WHERE yhm='系统管理员'").recordCount(),
              Schema::permissionNames().size());
    EXPECT_EQ(c.execute("SELECT * FROM danwei").recordCount(), 1);
    EXPECT_EQ(c.execute("SELECT * FROM yhsz WHERE yhm='系统管理员' AND mm=''").recordCount(), 1);
    EXPECT_EQ(c.execute("SELECT * FROM yhsz").recordCount(), 1);

    c.exec("DELETE FROM danwei");
    try {
        TDM1 again(shop.path());
        FAIL() << "no error";
    } catch (const StartupError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "数据库文件丢失，软件无法运行，请重新复制本软件！");
    }
    EXPECT_THROW(TDM1 bad(shop.dir.filePath("no/such/folder/TRZData1.db")), StartupError);
}

// Only a new database gets the schema: no file, or a database without any table. A file that
// lacks a table or a column the program reads, an empty file, or one that is no database is
// refused, what is missing named, and left byte for byte as it was.
TEST(Schema, OnlyANewDatabaseGetsTheSchemaADamagedOneIsRefusedAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString lost = "数据库文件丢失，软件无法运行，请重新复制本软件！";
    const struct {
        const char* damage;   // nullptr: an empty file; "": a database without any table
        QString refusal;
    } cases[] = {
        {"DROP TABLE sp", "数据库文件已损坏（缺少数据表 sp），软件无法运行！"},
        {"ALTER TABLE cgglz DROP COLUMN qk; DROP TABLE zu; ALTER TABLE sp RENAME COLUMN kcje TO x",
         "数据库文件已损坏（缺少数据表 zu；字段 cgglz.qk、sp.kcje），软件无法运行！"},
        {nullptr, lost},
        {"", ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("库 #%1?.db").arg(++n));   // named as a URI would not be
        if (c.damage && *c.damage) {
            TDM1 made(path);
            made.ADOC1.exec(QString::fromUtf8(c.damage));
        } else if (c.damage) {
            Connection(path).exec("PRAGMA user_version=7");
        } else {
            QFile(path).open(QIODevice::WriteOnly);
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        try {
            TDM1 opened(path);
            EXPECT_TRUE(c.refusal.isEmpty()) << n;
            EXPECT_EQ(opened.ADOC1.execute("SELECT * FROM yhsz").recordCount(), 1) << "the schema and the first rows";
        } catch (const StartupError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), c.refusal) << n;
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), before) << n;
            file.close();
        }
    }
}

TEST(DataModule, QueriesAreNamedClosedAndTheirDesignStatementsRun)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    EXPECT_EQ(DM1, &dm);
    EXPECT_EQ(dm.query("AQcgz1")->sqlText(), "SELECT * FROM cgglz");
    EXPECT_EQ(dm.query("nosuch"), nullptr);
    for (const char* name : {"AQ1", "AQcgz1", "AQcgc1", "AQxsz1", "AQxsc1", "AQrkz1", "AQrkc1", "AQdbz1", "AQdbc1",
                             "AQsp1", "AQkcfx1", "AQcgfx1", "AQxsfx1", "AQrkfx1", "AQcghz1", "AQxshz1", "AQrkhz1",
                             "AQxstj3", "AQkctj1", "AQfkfx1", "AQskfx1", "AQszfx1", "AQszxm1", "AQzu1", "AQchai1",
                             "AQlb1", "AQyg1", "AQck1", "AQghs1", "AQkh1", "ATdanwei1"}) {
        Query* q = dm.query(name);
        ASSERT_NE(q, nullptr) << name;
        EXPECT_FALSE(q->isOpen()) << name;
        if (!q->sqlText().isEmpty()) {
            EXPECT_NO_THROW(q->open()) << name;   // the statistics queries' statements run too
        }
    }
    // Each query of the module's table is found by its own name: no two share one.
    EXPECT_EQ(TDM1::sharedQueries().size(), 31u);
    for (Query TDM1::*member : TDM1::sharedQueries())
        EXPECT_EQ(dm.query((dm.*member).name()), &(dm.*member)) << (dm.*member).name().toStdString();
    EXPECT_EQ(dm.ATdanwei1.text("mcdy"), "华强家电");

    // Closing the connection rolls back its transaction and refuses statements; the rows in
    // hand stay until it reopens.
    Connection& c = dm.ADOC1;
    {
        Transaction t(c);
        c.exec("INSERT INTO ck (ck) VALUES ('三号库')");
        c.close();
        EXPECT_FALSE(c.isOpen());
        EXPECT_THROW(c.execute("SELECT * FROM ck"), DbError);
    }
    EXPECT_EQ(dm.AQck1.recordCount(), 2);
    c.reopen();
    EXPECT_EQ(c.execute("SELECT * FROM ck").recordCount(), 2);
}

// A file made before the ledgers' goods-key indexes carried their statistics columns gets the
// new ones in place of the old on opening, and the index a new purchase number reads the day's
// headers by; the rows stay.
TEST(Schema, AnOlderFileGetsTheLedgersNewIndexesInPlaceOfTheOld)
{
    const auto goodsIndexes = [](Connection& c) {
        return c.execute("SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master"
                         " WHERE type='index' AND name GLOB 'ix_*fx_txm*' ORDER BY name)").rows.at(0).at(0).toString();
    };
    TempShop shop(false);
    Connection& c = shop.dm->ADOC1;
    for (const char* ledger : {"cgfx", "xsfx", "rkfx"})
        c.exec(QStringLiteral("CREATE INDEX ix_%1_txm_ppgg_dw ON %1(txm,ppgg,dw)").arg(ledger));
    c.exec("DROP INDEX ix_xsfx_txm_ppgg_dw_kh_jsr_ck_rq_sl_je_cbje_maoli");
    c.exec("DROP INDEX ix_cgglz_kdrq");
    c.exec("INSERT INTO xsfx (txm, sl) VALUES ('A01', 2)");
    ASSERT_EQ(goodsIndexes(c), "ix_cgfx_txm_ppgg_dw ix_cgfx_txm_ppgg_dw_ghs_jsr_ck_rq_sl_je ix_rkfx_txm_ppgg_dw "
                               "ix_rkfx_txm_ppgg_dw_lx_jsr_ck_rq_sl_je ix_xsfx_txm_ppgg_dw");
    const QString path = shop.path();
    shop.dm.reset();
    TDM1 again(path);
    EXPECT_EQ(goodsIndexes(again.ADOC1), "ix_cgfx_txm_ppgg_dw_ghs_jsr_ck_rq_sl_je ix_rkfx_txm_ppgg_dw_lx_jsr_ck_rq_sl_je "
                                         "ix_xsfx_txm_ppgg_dw_kh_jsr_ck_rq_sl_je_cbje_maoli");
    EXPECT_EQ(again.ADOC1.execute("SELECT sl FROM xsfx WHERE txm='A01'").rows.at(0).at(0).toInt(), 2);
    EXPECT_EQ(again.ADOC1.execute("EXPLAIN QUERY PLAN SELECT * FROM cgglz where kdrq='2024-03-01' order by dh")
                  .rows.at(0).at(3).toString(),
              "SEARCH cgglz USING INDEX ix_cgglz_kdrq (kdrq=?)");
}

#include "support/SampleShop.h"

#include "data/DM1.h"
#include "data/Sql.h"

#include <gtest/gtest.h>


namespace {

int count(TDM1& dm, const QString& sql)
{
    return dm.ADOC1.execute(sql).rows.at(0).at(0).toInt();
}

void openOn(Query& q, const QString& sql)
{
    q.close();
    q.clearSql();
    q.addSql(sql);
    q.open();
}

} // namespace

TEST(QueryCursor, MarksFollowTheSystemsRules)
{
    TempShop shop;
    Query& q = shop.dm->AQ1;
    openOn(q, "SELECT * FROM ck order by id");
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_TRUE(q.bof());
    EXPECT_FALSE(q.eof());

    q.next(); // onto the last row from its neighbour: no mark
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_FALSE(q.bof());
    EXPECT_FALSE(q.eof());
    q.next(); // past the last: eof, stays
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.text("ck"), "二号库");

    q.prior(); // onto the first from its neighbour: no mark
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_FALSE(q.bof());
    EXPECT_FALSE(q.eof());
    q.prior();
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.recNo(), 0);

    q.last();
    EXPECT_TRUE(q.eof());
    EXPECT_FALSE(q.bof());
    q.first();
    EXPECT_TRUE(q.bof());
    EXPECT_FALSE(q.eof());
    q.moveTo(5);
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_FALSE(q.bof() || q.eof());

    // A walk from the first row visits every row once.
    q.first();
    QStringList seen;
    while (!q.eof()) {
        seen << q.text("ck");
        q.next();
    }
    EXPECT_EQ(seen, (QStringList{"一号库", "二号库"}));
}

TEST(QueryCursor, EmptyResultHasBothMarksAndNullFields)
{
    TempShop shop;
    Query& q = shop.dm->AQ1;
    openOn(q, "SELECT * FROM cgglz where dh='none'");
    EXPECT_TRUE(q.isOpen());
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.bof());
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recNo(), -1);
    EXPECT_EQ(q.text("dh"), "");
    EXPECT_EQ(q.money("hjje"), Money());
    EXPECT_THROW(q.text("nosuchfield"), DbError);
    q.next();
    q.last();
    EXPECT_TRUE(q.eof());
}

TEST(QueryOpen, FailedStatementLeavesQueryClosedAndKeepsText)
{
    TempShop shop;
    Query& q = shop.dm->AQ1;
    q.clearSql();
    q.addSql("SELECT * FROM nosuchtable");
    EXPECT_THROW(q.open(), DbError);
    EXPECT_FALSE(q.isOpen());
    EXPECT_EQ(q.sqlText(), "SELECT * FROM nosuchtable");
    q.addSql("where 1=1");
    EXPECT_EQ(q.sqlText(), "SELECT * FROM nosuchtable\nwhere 1=1");
}

TEST(QueryFields, TypesAndReadingsFollowTheColumns)
{
    TempShop shop;
    Query& q = shop.dm->AQsp1;
    openOn(q, "SELECT * FROM sp where txm='E01'");
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldType(q.fieldIndex("ppgg")), FieldType::Text);
    EXPECT_EQ(q.fieldType(q.fieldIndex("jj")), FieldType::Money);
    EXPECT_EQ(q.fieldType(q.fieldIndex("kcsl")), FieldType::Number);
    EXPECT_EQ(q.fieldType(q.fieldIndex("id")), FieldType::Integer);
    EXPECT_EQ(q.fieldIndex("PPGG"), q.fieldIndex("ppgg"));
    EXPECT_EQ(q.text("jj"), "210.5");
    EXPECT_EQ(q.text("kcsl"), "20");
    EXPECT_EQ(q.money("kcje").plainText(), "4210");
    EXPECT_EQ(q.number("jet"), 0.03);
    EXPECT_EQ(q.text("ppgg"), "九阳豆浆机");

    // Expression columns take their type from their values.
    openOn(q, "SELECT sum(kcje) as a, count(*) as b, max(ppgg) as c, sum(kcsl*0) as d FROM sp where txm='none'");
    EXPECT_EQ(q.fieldType(0), FieldType::Money); // all NULL
    EXPECT_EQ(q.fieldType(1), FieldType::Integer);
    EXPECT_EQ(q.text("a"), "");
    EXPECT_EQ(q.money("a"), Money());
    openOn(q, "SELECT sum(kcje) as a, count(*) as b, max(ppgg) as c FROM sp");
    EXPECT_EQ(q.fieldType(0), FieldType::Money);
    EXPECT_EQ(q.fieldType(1), FieldType::Integer);
    EXPECT_EQ(q.fieldType(2), FieldType::Text);
    EXPECT_EQ(q.text("b"), "12");
}

TEST(QueryFields, MoneyReadsRoundToFourDecimalsAndNullIsZero)
{
    TempShop shop;
    shop.dm->ADOC1.exec("INSERT INTO cgfx (dh, sl, je) VALUES ('X', 3, 10.123456)");
    Query& q = shop.dm->AQcgfx1;
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.money("je").raw(), 101235);
    EXPECT_TRUE(q.isNull("jg"));
    EXPECT_EQ(q.money("jg"), Money());
    EXPECT_EQ(q.text("jg"), "");
    EXPECT_EQ(q.integer("sl"), 3);
    EXPECT_FALSE(q.value("jg").isValid());
}

TEST(QueryWrite, AppendReadsBackIdAndStoredValuesAndKeepsTheRow)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    Query& q = dm.AQcgc1;
    openOn(q, "SELECT * FROM cgglc where dh='CG20260101001' order by id");
    EXPECT_EQ(q.tableName(), "cgglc");
    q.append();
    EXPECT_EQ(q.state(), Query::State::Insert);
    q.setText("dh", "CG20260101002"); // does not match the WHERE
    q.setText("txm", "A01");
    q.setText("sl", "2");
    q.setText("jg", "1500.5");
    q.setText("zk", "");
    q.post();
    EXPECT_EQ(q.state(), Query::State::Browse);
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_GT(q.integer("id"), 0);
    EXPECT_EQ(q.text("ppgg"), "");   // the column's default came back
    EXPECT_TRUE(q.isNull("zk"));     // empty text wrote NULL to a number column
    EXPECT_EQ(q.text("jg"), "1500.5");
    const qint64 id = q.integer("id");
    EXPECT_EQ(count(dm, QString("SELECT count(*) FROM cgglc WHERE id=%1 AND jg=1500.5 AND zk IS NULL").arg(id)), 1);

    // A second append goes after it and becomes the current row.
    q.append();
    q.setMoney("je", Money::parse("3.5"));
    q.post();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_GT(q.integer("id"), id);
}

TEST(QueryWrite, EditPostsByIdAndCancelWritesNothing)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    Query& q = dm.AQsp1;
    openOn(q, "SELECT * FROM sp where ck='一号库' order by id");
    ASSERT_TRUE(q.locate({"txm"}, {QString("C01")}));
    const qint64 id = q.integer("id");
    q.edit();
    q.setText("kcsl", "11");
    q.setMoney("kcje", Money::parse("10780"));
    EXPECT_EQ(q.text("kcsl"), "11"); // the row in edit reads its new values
    q.post();
    EXPECT_EQ(count(dm, QString("SELECT count(*) FROM sp WHERE id=%1 AND kcsl=11 AND kcje=10780").arg(id)), 1);
    EXPECT_EQ(count(dm, "SELECT count(*) FROM sp WHERE kcsl=11"), 1); // only that row

    q.edit();
    q.setText("kcsl", "99");
    q.cancel();
    EXPECT_EQ(q.text("kcsl"), "11");
    EXPECT_EQ(count(dm, "SELECT count(*) FROM sp WHERE kcsl=99"), 0);

    // Writing without edit() is refused; a text that is not a number is refused.
    EXPECT_THROW(q.setText("kcsl", "1"), DbError);
    q.edit();
    EXPECT_THROW(q.setText("kcsl", "abc"), MoneyFormatError);
    q.cancel();

    // Moving off a row in edit posts it.
    q.edit();
    q.setText("bz", "moved");
    q.next();
    EXPECT_EQ(count(dm, "SELECT count(*) FROM sp WHERE bz='moved'"), 1);
}

TEST(QueryWrite, DeleteRemovesTheRowFromTableAndRows)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    Query& q = dm.AQck1;
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    q.last();
    q.deleteRow();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_EQ(q.text("ck"), "一号库");
    EXPECT_EQ(count(dm, "SELECT count(*) FROM ck"), 1);
    q.deleteRow();
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.eof());
    EXPECT_THROW(q.deleteRow(), DbError);
    EXPECT_EQ(count(dm, "SELECT count(*) FROM ck"), 0);

    // The system's idiom: delete every row while not at the end.
    Query& lines = dm.AQsp1;
    openOn(lines, "SELECT * FROM sp where ck='二号库'");
    ASSERT_EQ(lines.recordCount(), 4);
    while (!lines.eof())
        lines.deleteRow();
    EXPECT_EQ(count(dm, "SELECT count(*) FROM sp WHERE ck='二号库'"), 0);
    EXPECT_EQ(count(dm, "SELECT count(*) FROM sp"), 8);
}

TEST(QueryWrite, TablesWithoutIdAreWrittenByRowid)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    Query& q = dm.AQzu1;
    q.open();
    EXPECT_EQ(q.tableName(), "zu");
    EXPECT_EQ(q.fieldCount(), 4); // the rowid stays hidden
    for (int i = 1; i <= 3; ++i) {
        q.append();
        q.setInteger("spid1", 1);
        q.setInteger("spid2", 10 + i);
        q.setText("xs", QString::number(i));
        q.setText("sl", "0");
        q.post();
    }
    EXPECT_EQ(q.recordCount(), 3);
    ASSERT_TRUE(q.locate({"spid2"}, {12}));
    q.edit();
    q.setText("sl", "7.5");
    q.post();
    EXPECT_EQ(count(dm, "SELECT count(*) FROM zu WHERE spid2=12 AND sl=7.5"), 1);
    EXPECT_EQ(count(dm, "SELECT count(*) FROM zu WHERE sl=7.5"), 1);
    q.deleteRow();
    EXPECT_EQ(count(dm, "SELECT count(*) FROM zu"), 2);
    EXPECT_EQ(count(dm, "SELECT count(*) FROM zu WHERE spid2=12"), 0);

    // "SELECT *FROM t" (no blank) is still a single-table select.
    openOn(dm.AQchai1, "SELECT *FROM chai where spid1=1");
    EXPECT_EQ(dm.AQchai1.tableName(), "chai");
    openOn(dm.AQ1, "SELECT sp.id FROM sp, ck");
    EXPECT_EQ(dm.AQ1.tableName(), "");
    EXPECT_THROW(dm.AQ1.edit(), DbError);
}

TEST(QueryLocate, TextWithoutCaseAndNumbersNumerically)
{
    TempShop shop;
    Query& q = shop.dm->AQsp1;
    openOn(q, "SELECT * FROM sp order by id");
    EXPECT_TRUE(q.locate({"txm", "ck"}, {QString("b02"), QString("二号库")}));
    EXPECT_EQ(q.text("ppgg"), "美的冰箱220升");
    EXPECT_TRUE(q.locate({"jj"}, {QString("210.50")}));
    EXPECT_EQ(q.text("txm"), "E01");
    EXPECT_TRUE(q.locate({"kcsl"}, {9.0}));
    EXPECT_EQ(q.text("txm"), "E03");
    const int here = q.recNo();
    EXPECT_FALSE(q.locate({"txm"}, {QString("ZZZ")}));
    EXPECT_EQ(q.recNo(), here);
}

TEST(QueryLookup, CaseInsensitiveCodesAndQuotedNames)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    // A code typed in lower case finds the goods row.
    Query& q = dm.AQsp1;
    openOn(q, "SELECT * FROM sp where txm=" + sqlQuote("a01") + " and ck=" + sqlQuote("一号库"));
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.text("txm"), "A01");
    openOn(q, "SELECT * FROM sp where ppgg like '%%'"); // an empty condition keeps every row
    EXPECT_EQ(q.recordCount(), 12);

    // A name with a single quote round-trips through SQL text.
    const QString name = "O'Neil's \"best\" 冰箱";
    EXPECT_EQ(sqlQuote("O'Neil"), "'O''Neil'");
    dm.ADOC1.exec("INSERT INTO sp (txm, ppgg, dw, ck) VALUES ('Q1', " + sqlQuote(name) + ", '台', '一号库')");
    openOn(q, "SELECT * FROM sp where ppgg=" + sqlQuote(name));
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.text("ppgg"), name);
    EXPECT_FALSE(dm.ADOC1.execute("SELECT id FROM sp WHERE ppgg=" + sqlQuote(name)).isEmpty());
}

TEST(QuerySort, TextsInPinyinOrderNumbersNumericallyCurrentRowKept)
{
    TempShop shop;
    Query& q = shop.dm->AQ1;
    openOn(q, "SELECT * FROM sp where ck='一号库' order by id");
    ASSERT_TRUE(q.locate({"txm"}, {QString("E02")}));
    const qint64 currentId = q.integer("id");

    q.setSort("jj ASC");
    EXPECT_EQ(q.sort(), "jj ASC");
    EXPECT_EQ(q.integer("id"), currentId);
    QList<double> prices;
    for (int r = 0; r < q.recordCount(); ++r)
        prices << q.cellMoney(r, q.fieldIndex("jj")).toDouble();
    EXPECT_EQ(prices, (QList<double>{15, 168, 210.5, 980, 1100, 1500, 2100, 2650})); // 980 < 1100 numerically

    q.setSort("jj DESC");
    EXPECT_EQ(q.cellText(0, q.fieldIndex("txm")), "D01");
    EXPECT_EQ(q.integer("id"), currentId);

    // Pinyin: 冰(bing) 电(dian) 空(kong) 配(pei) 洗(xi) 小(xiao)
    q.setSort("lb ASC, jj DESC");
    QStringList cats;
    for (int r = 0; r < q.recordCount(); ++r)
        cats << q.cellText(r, q.fieldIndex("lb"));
    EXPECT_EQ(cats, (QStringList{"冰箱", "电视机", "电视机", "空调", "配件", "洗衣机", "小家电", "小家电"}));
    EXPECT_EQ(q.cellText(1, q.fieldIndex("txm")), "A01"); // 1500 before 1100 (DESC)
    EXPECT_EQ(q.integer("id"), currentId);

    // Stable: equal keys keep the order in hand.
    q.setSort("dw ASC");
    QStringList codes;
    for (int r = 0; r < q.recordCount(); ++r)
        if (q.cellText(r, q.fieldIndex("dw")) == "台")
            codes << q.cellText(r, q.fieldIndex("txm"));
    EXPECT_EQ(codes.size(), 5);
    EXPECT_THROW(q.setSort("nosuch ASC"), DbError);
    q.close();
    EXPECT_EQ(q.sort(), "");
}

TEST(QueryNotifications, SignalsOnlyWhileControlsEnabled)
{
    TempShop shop;
    Query& q = shop.dm->AQck1;
    int reset = 0, moved = 0;
    QList<int> changed;
    QObject::connect(&q, &Query::dataReset, [&] { ++reset; });
    QObject::connect(&q, &Query::currentChanged, [&](int) { ++moved; });
    QObject::connect(&q, &Query::rowChanged, [&](int row) { changed << row; });
    q.open();
    EXPECT_EQ(reset, 1);
    q.next();
    EXPECT_GE(moved, 1);
    q.edit();
    q.setText("ck", "三号库");
    q.post();
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.first(), 1);

    reset = 0;
    moved = 0;
    q.disableControls();
    q.disableControls();
    EXPECT_TRUE(q.controlsDisabled());
    q.first();
    q.close();
    q.open();
    q.next();
    q.enableControls();
    EXPECT_EQ(reset, 0);
    EXPECT_EQ(moved, 0);
    q.enableControls();
    EXPECT_FALSE(q.controlsDisabled());
    EXPECT_EQ(reset, 1);
}

TEST(QueryExecSql, RunsWriteStatementsWithoutTouchingRows)
{
    TempShop shop;
    Query& q = shop.dm->AQsp1;
    q.open();
    const int rows = q.recordCount();
    Query& w = shop.dm->AQ1;
    w.clearSql();
    w.addSql("update sp set bz='x'");
    w.addSql("where ck='二号库'");
    EXPECT_EQ(w.execSql(), 4);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(q.recordCount(), rows);
    w.clearSql();
    w.addSql("update nosuch set a=1");
    EXPECT_THROW(w.execSql(), DbError);
}

TEST(QueryStorage, ValuesOfEveryKindRoundTripThroughTheCompactRows)
{
    TempShop shop;
    TDM1& dm = *shop.dm;
    Query& q = dm.AQ1;
    openOn(q, "SELECT * FROM szfx");
    const QString longText(300000, QChar(0x6C34)); // a text larger than a storage chunk
    q.append();
    q.setText("bz", longText);
    q.setText("xm", "水电费");
    q.setText("se", "12");        // MONEY keeps 12.0 as an integer: still money 12
    q.setNumber("ze", 0.1 + 0.2); // stored to four decimals
    q.post();
    q.append();
    q.setText("xm", "a");
    q.setInteger("se", 900000000000LL);
    q.post();
    openOn(q, "SELECT * FROM szfx order by id");
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.text("bz"), longText);
    EXPECT_EQ(q.text("xm"), "水电费");
    EXPECT_EQ(q.money("se"), Money::fromInt(12));
    EXPECT_EQ(q.text("se"), "12");
    EXPECT_EQ(q.text("ze"), "0.3");
    EXPECT_EQ(q.text("jsr"), "");
    EXPECT_FALSE(q.isNull("jsr"));
    q.next();
    EXPECT_EQ(q.integer("se"), 900000000000LL);
    EXPECT_EQ(q.text("se"), "900000000000");

    // Integers beyond 48 bits and negative values.
    openOn(q, "SELECT 140737488355328 as a, -140737488355329 as b, -5 as c, 2.5 as d");
    EXPECT_EQ(q.integer("a"), 140737488355328LL);
    EXPECT_EQ(q.integer("b"), -140737488355329LL);
    EXPECT_EQ(q.integer("c"), -5);
    EXPECT_EQ(q.text("d"), "2.5");
    EXPECT_EQ(q.fieldType(3), FieldType::Money);
}

TEST(QueryStorage, StatisticsStatementsRunAsWritten)
{
    TempShop shop;
    Query& q = shop.dm->AQkctj1;
    q.close();
    q.clearSql();
    q.addSql("select txm,ppgg,dw,");
    q.addSql("IIF(sum(num1) is null,0,sum(num1))as cgsl,IIF(sum(je1) is null,0,sum(je1))as cgje");
    q.addSql("from( SELECT txm,ppgg,dw,kcsl as num1,null as je1 FROM sp where ppgg like '%%'");
    q.addSql(")as 总计 group by txm,ppgg,dw order by txm");
    q.open();
    ASSERT_EQ(q.recordCount(), 11);
    EXPECT_EQ(q.text("txm"), "A01");
    EXPECT_EQ(q.text("cgsl"), "14");
    EXPECT_EQ(q.text("cgje"), "0");
    EXPECT_EQ(q.tableName(), "");
}

TEST(QueryWrite, EditOnAnEmptyQueryAppends)
{
    TempShop shop;
    Query& q = shop.dm->AQlb1;
    openOn(q, "SELECT * FROM lb where lb='none'");
    q.edit();
    EXPECT_EQ(q.state(), Query::State::Insert);
    q.setText("lb", "音响");
    q.post();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(count(*shop.dm, "SELECT count(*) FROM lb WHERE lb='音响'"), 1);
    // A row deleted behind the query's back cannot be updated.
    shop.dm->ADOC1.exec("DELETE FROM lb WHERE lb='音响'");
    q.edit();
    q.setText("lb", "x");
    EXPECT_THROW(q.post(), DbError);
}

// A closed ledger takes new rows without reading the old ones; an open one keeps its rows.
TEST(QueryAppendOnly, ClosedQueryOpensWithoutRowsAndAppends)
{
    TempShop shop(false);
    Query& q = shop.dm->AQcgfx1;
    shop.dm->ADOC1.exec(QStringLiteral("insert into cgfx (dh, sl) values ('CG1', 1), ('CG1', 2)"));
    q.openForAppend();
    EXPECT_TRUE(q.isOpen());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(q.sqlText(), QStringLiteral("SELECT * FROM cgfx"));
    q.append();
    q.setText(QStringLiteral("dh"), QStringLiteral("CG2"));
    q.setText(QStringLiteral("sl"), QStringLiteral("3"));
    q.post();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_GT(q.integer(QStringLiteral("id")), 0);
    EXPECT_EQ(shop.dm->ADOC1.execute(QStringLiteral("select * from cgfx")).recordCount(), 3);

    q.open();
    q.openForAppend();   // open already: the rows in hand stay
    EXPECT_EQ(q.recordCount(), 3);
}

#include "support/SampleShop.h"

#include "data/DM1.h"
#include "data/Sql.h"

#include <gtest/gtest.h>

namespace {
// Each test starts from a fresh sample shop.
class QueryTest : public ::testing::Test {
protected:
    TempShop shop;
    TDM1& dm = *shop.dm;
};

void openOn(Query& q, const QString& sql)
{
    q.close();
    q.clearSql();
    q.addSql(sql);
    q.open();
}
} // namespace

TEST_F(QueryTest, CursorMarksFollowTheSystemsRules)
{
    Query& q = dm.AQ1;
    openOn(q, "SELECT * FROM ck order by id");
    ASSERT_EQ(q.recordCount(), 2);
    // The current row and the marks set, e.g. "1 eof".
    const auto marks = [&] {
        return QString::number(q.recNo()) + (q.bof() ? " bof" : "") + (q.eof() ? " eof" : "");
    };
    EXPECT_EQ(marks(), "0 bof");
    q.next();    // onto the last row from its neighbour: no mark
    EXPECT_EQ(marks(), "1");
    q.next();    // past the last: eof, stays
    EXPECT_EQ(marks(), "1 eof");
    EXPECT_EQ(q.text("ck"), "二号库");
    q.prior();   // onto the first from its neighbour: no mark
    EXPECT_EQ(marks(), "0");
    q.prior();
    EXPECT_EQ(marks(), "0 bof");
    q.last();
    EXPECT_EQ(marks(), "1 eof");
    q.first();
    EXPECT_EQ(marks(), "0 bof");
    q.moveTo(5);
    EXPECT_EQ(marks(), "1");

    // No rows: both marks, no current row, fields read empty, a wrong name is an error.
    openOn(q, "SELECT * FROM cgglz where dh='none'");
    EXPECT_TRUE(q.isOpen());
    EXPECT_EQ(marks(), "-1 bof eof");
    EXPECT_EQ(q.text("dh"), "");
    EXPECT_EQ(q.money("hjje"), Money());
    EXPECT_THROW(q.text("nosuchfield"), DbError);
    q.next();
    q.last();
    EXPECT_EQ(marks(), "-1 bof eof");

    // A failed statement leaves the query closed and its text kept.
    q.clearSql();
    q.addSql("SELECT * FROM nosuchtable");
    EXPECT_THROW(q.open(), DbError);
    EXPECT_FALSE(q.isOpen());
    q.addSql("where 1=1");
    EXPECT_EQ(q.sqlText(), "SELECT * FROM nosuchtable\nwhere 1=1");
}

TEST_F(QueryTest, FieldTypesAndReadingsFollowTheColumns)
{
    Query& q = dm.AQsp1;
    openOn(q, "SELECT * FROM sp where txm='E01'");
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldType(q.fieldIndex("ppgg")), FieldType::Text);
    EXPECT_EQ(q.fieldType(q.fieldIndex("jj")), FieldType::Money);
    EXPECT_EQ(q.fieldType(q.fieldIndex("kcsl")), FieldType::Number);
    EXPECT_EQ(q.fieldType(q.fieldIndex("id")), FieldType::Integer);
    EXPECT_EQ(q.fieldIndex("PPGG"), q.fieldIndex("ppgg"));
    EXPECT_EQ(q.text("jj"), "210.5");
    EXPECT_EQ(q.text("kcsl"), "20");
    EXPECT_EQ(q.number("jet"), 0.03);

    // Expression columns take their type from their values; all NULL reads as money.
    openOn(q, "SELECT sum(kcje) as a, count(*) as b FROM sp where txm='none'");
    EXPECT_EQ(q.fieldType(0), FieldType::Money);
    EXPECT_EQ(q.fieldType(1), FieldType::Integer);
    EXPECT_EQ(q.text("a"), "");

    // Money reads round to four decimals; NULL reads as 0 and as empty text.
    dm.ADOC1.exec("INSERT INTO cgfx (dh, sl, je) VALUES ('X', 3, 10.123456)");
    openOn(q, "SELECT * FROM cgfx");
    EXPECT_EQ(q.money("je").raw(), 101235);
    EXPECT_TRUE(q.isNull("jg"));
    EXPECT_EQ(q.money("jg"), Money());
    EXPECT_EQ(q.text("jg"), "");
    EXPECT_EQ(q.integer("sl"), 3);
}

TEST_F(QueryTest, AppendReadsBackIdAndStoredValuesAndKeepsTheRow)
{
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
    EXPECT_EQ(sqlCount(dm, QString("SELECT count(*) FROM cgglc WHERE id=%1 AND jg=1500.5 AND zk IS NULL").arg(id)), 1);

    // A second append goes after it and becomes the current row.
    q.append();
    q.setMoney("je", Money::parse("3.5"));
    q.post();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_GT(q.integer("id"), id);
}

TEST_F(QueryTest, EditPostsByIdAndCancelWritesNothing)
{
    Query& q = dm.AQsp1;
    openOn(q, "SELECT * FROM sp where ck='一号库' order by id");
    ASSERT_TRUE(q.locate({"txm"}, {QString("C01")}));
    const qint64 id = q.integer("id");
    q.edit();
    q.setText("kcsl", "11");
    q.setMoney("kcje", Money::parse("10780"));
    EXPECT_EQ(q.text("kcsl"), "11"); // the row in edit reads its new values
    q.post();
    EXPECT_EQ(sqlCount(dm, QString("SELECT count(*) FROM sp WHERE id=%1 AND kcsl=11 AND kcje=10780").arg(id)), 1);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM sp WHERE kcsl=11"), 1); // only that row

    q.edit();
    q.setText("kcsl", "99");
    q.cancel();
    EXPECT_EQ(q.text("kcsl"), "11");
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM sp WHERE kcsl=99"), 0);

    // Writing without edit() is refused; a text that is not a number is refused.
    EXPECT_THROW(q.setText("kcsl", "1"), DbError);
    q.edit();
    EXPECT_THROW(q.setText("kcsl", "abc"), MoneyFormatError);
    q.cancel();

    // Moving off a row in edit posts it.
    q.edit();
    q.setText("bz", "moved");
    q.next();
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM sp WHERE bz='moved'"), 1);
}

TEST_F(QueryTest, DeleteRemovesTheRowFromTableAndRows)
{
    Query& q = dm.AQck1;
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    q.last();
    q.deleteRow();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_EQ(q.text("ck"), "一号库");
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 1);
    q.deleteRow();
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.eof());
    EXPECT_THROW(q.deleteRow(), DbError);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM ck"), 0);

    // The system's idiom: delete every row while not at the end.
    Query& lines = dm.AQsp1;
    openOn(lines, "SELECT * FROM sp where ck='二号库'");
    ASSERT_EQ(lines.recordCount(), 4);
    while (!lines.eof())
        lines.deleteRow();
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM sp WHERE ck='二号库'"), 0);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM sp"), 8);
}

TEST_F(QueryTest, TablesWithoutIdAreWrittenByRowid)
{
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
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM zu WHERE spid2=12 AND sl=7.5"), 1);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM zu WHERE sl=7.5"), 1);
    q.deleteRow();
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM zu"), 2);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM zu WHERE spid2=12"), 0);

    // "SELECT *FROM t" (no blank) is still a single-table select.
    openOn(dm.AQchai1, "SELECT *FROM chai where spid1=1");
    EXPECT_EQ(dm.AQchai1.tableName(), "chai");
    openOn(dm.AQ1, "SELECT sp.id FROM sp, ck");
    EXPECT_EQ(dm.AQ1.tableName(), "");
    EXPECT_THROW(dm.AQ1.edit(), DbError);
}

TEST_F(QueryTest, LocateFindsTextWithoutCaseAndNumbersNumerically)
{
    Query& q = dm.AQsp1;
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

TEST_F(QueryTest, CaseInsensitiveCodesAndQuotedNames)
{
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

TEST_F(QueryTest, SortsTextsInPinyinOrderNumbersNumericallyCurrentRowKept)
{
    Query& q = dm.AQ1;
    openOn(q, "SELECT * FROM sp where ck='一号库' order by id");
    ASSERT_TRUE(q.locate({"txm"}, {QString("E02")}));
    const qint64 currentId = q.integer("id");
    const auto column = [&](const char* field) { return columnTexts(q, field); };

    q.setSort("jj ASC");
    EXPECT_EQ(q.sort(), "jj ASC");
    EXPECT_EQ(q.integer("id"), currentId);
    EXPECT_EQ(column("jj"), (QStringList{"15", "168", "210.5", "980", "1100", "1500", "2100", "2650"}));
    q.setSort("jj DESC");
    EXPECT_EQ(column("txm").first(), "D01");
    EXPECT_EQ(q.integer("id"), currentId);

    // Pinyin: 冰(bing) 电(dian) 空(kong) 配(pei) 洗(xi) 小(xiao); 1500 before 1100 (DESC)
    q.setSort("lb ASC, jj DESC");
    EXPECT_EQ(column("lb"), (QStringList{"冰箱", "电视机", "电视机", "空调", "配件", "洗衣机", "小家电", "小家电"}));
    EXPECT_EQ(column("txm"), (QStringList{"B01", "A01", "A02", "D01", "F01", "C01", "E01", "E02"}));
    EXPECT_EQ(q.integer("id"), currentId);

    // Stable: equal keys keep the order in hand.
    q.setSort("dw ASC");
    EXPECT_EQ(column("txm"), (QStringList{"F01", "E01", "E02", "B01", "A01", "A02", "D01", "C01"}));
    EXPECT_THROW(q.setSort("nosuch ASC"), DbError);
    q.close();
    EXPECT_EQ(q.sort(), "");
}

TEST_F(QueryTest, SignalsOnlyWhileControlsEnabledAndExecSqlLeavesRows)
{
    Query& q = dm.AQck1;
    int reset = 0, moved = 0;
    QList<int> changed;
    QObject::connect(&q, &Query::dataReset, [&] { ++reset; });
    QObject::connect(&q, &Query::currentChanged, [&](int) { ++moved; });
    QObject::connect(&q, &Query::rowChanged, [&](int row) { changed << row; });
    q.open();
    q.next();
    q.edit();
    q.setText("ck", "三号库");
    q.post();
    EXPECT_EQ(reset, 1);
    EXPECT_GE(moved, 1);
    EXPECT_EQ(changed, QList<int>{1});

    reset = moved = 0;
    q.disableControls();
    q.disableControls();   // counted
    q.close();
    q.open();
    q.next();
    q.enableControls();
    EXPECT_TRUE(q.controlsDisabled());
    EXPECT_EQ(reset + moved, 0);
    q.enableControls();
    EXPECT_FALSE(q.controlsDisabled());
    EXPECT_EQ(reset, 1);

    // A write statement of another query runs without touching these rows.
    Query& w = dm.AQ1;
    w.clearSql();
    w.addSql("update ck set ck='x'");
    w.addSql("where id=1");
    EXPECT_EQ(w.execSql(), 1);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(q.cellText(0, 1), "一号库");
    w.clearSql();
    w.addSql("update nosuch set a=1");
    EXPECT_THROW(w.execSql(), DbError);
}

TEST_F(QueryTest, ValuesOfEveryKindRoundTripThroughTheCompactRows)
{
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
    q.setText("jsr", QStringLiteral("\uFEFF三号库"));   // a text that starts with a byte-order mark
    q.setInteger("se", 900000000000LL);
    q.post();
    EXPECT_EQ(q.text("jsr"), QStringLiteral("\uFEFF三号库"));
    EXPECT_EQ(dm.ADOC1.execute("SELECT jsr FROM szfx where xm='a'").rows.at(0).at(0).toString(), QStringLiteral("\uFEFF三号库"));
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
    EXPECT_EQ(q.text("jsr"), QStringLiteral("\uFEFF三号库")) << "read back exactly as stored";
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

TEST_F(QueryTest, EditOnAnEmptyQueryAppends)
{
    Query& q = dm.AQlb1;
    openOn(q, "SELECT * FROM lb where lb='none'");
    q.edit();
    EXPECT_EQ(q.state(), Query::State::Insert);
    q.setText("lb", "音响");
    q.post();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(sqlCount(dm, "SELECT count(*) FROM lb WHERE lb='音响'"), 1);
    // A row deleted behind the query's back cannot be updated.
    dm.ADOC1.exec("DELETE FROM lb WHERE lb='音响'");
    q.edit();
    q.setText("lb", "x");
    EXPECT_THROW(q.post(), DbError);
}

// A closed ledger takes new rows without reading the old ones; an open one keeps its rows.
TEST_F(QueryTest, ClosedLedgerOpensForAppendWithoutRows)
{
    Query& q = dm.AQcgfx1;
    dm.ADOC1.exec(QStringLiteral("insert into cgfx (dh, sl) values ('CG1', 1), ('CG1', 2)"));
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
    EXPECT_EQ(dm.ADOC1.execute(QStringLiteral("select * from cgfx")).recordCount(), 3);

    q.open();
    q.openForAppend();   // open already: the rows in hand stay
    EXPECT_EQ(q.recordCount(), 3);
}

// A row the database refuses is dropped, so the next append does not write it again.
TEST_F(QueryTest, RefusedPostLeavesNoPendingRow)
{
    dm.ADOC1.exec(QStringLiteral("create trigger no_bad before insert on fkfx when new.dh='BAD' "
                                 "begin select raise(abort, 'refused'); end"));
    Query& q = dm.AQfkfx1;
    q.openForAppend();
    q.append();
    q.setText(QStringLiteral("dh"), QStringLiteral("BAD"));
    EXPECT_THROW(q.post(), DbError);
    EXPECT_EQ(q.state(), Query::State::Browse);
    q.append();
    q.setText(QStringLiteral("dh"), QStringLiteral("GOOD"));
    q.post();
    const RecordSet rows = dm.ADOC1.execute(QStringLiteral("select dh from fkfx"));
    ASSERT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(rows.rows[0][0].toString(), QStringLiteral("GOOD"));
}

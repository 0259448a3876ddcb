#include "support/ShopTest.h"

#include "data/DM1.h"
#include "data/Sql.h"
#include "ui/DataGrid.h"

#include <QAbstractItemModel>

#include <functional>

namespace {
// Each test starts from a fresh sample shop.
class QueryTest : public ShopTest {};
} // namespace

TEST_F(QueryTest, CursorMarksFollowTheSystemsRules)
{
    Query& q = dm->AQ1;
    q.reopen({"SELECT * FROM ck order by id"});
    ASSERT_EQ(q.recordCount(), 2);
    // The current row and the marks set, e.g. "1 eof".
    const auto marks = [&] {
        return QString::number(q.recNo()) + (q.bof() ? " bof" : "") + (q.eof() ? " eof" : "");
    };
    EXPECT_EQ(marks(), "0 bof");
    // Onto the last or first row from its neighbour sets no mark; past it, last and first do.
    const std::pair<char, const char*> walk[] = {{'n', "1"}, {'n', "1 eof"}, {'p', "0"}, {'p', "0 bof"},
                                                 {'l', "1 eof"}, {'f', "0 bof"}, {'m', "1"}};
    for (const auto& [step, expected] : walk) {
        step == 'n' ? q.next() : step == 'p' ? q.prior() : step == 'l' ? q.last() : step == 'f' ? q.first() : q.moveTo(5);
        EXPECT_EQ(marks(), expected) << step;
    }
    EXPECT_EQ(q.text("ck"), "二号库");

    // No rows: both marks, no current row, fields read empty, a wrong name is an error.
    q.reopen({"SELECT * FROM cgglz where dh='none'"});
    EXPECT_TRUE(q.isOpen());
    EXPECT_EQ(marks(), "-1 bof eof");
    EXPECT_EQ(q.text("dh"), "");
    EXPECT_EQ(q.money("hjje"), Money());
    EXPECT_THROW(q.text("nosuchfield"), DbError);
    q.next();
    q.last();
    EXPECT_EQ(marks(), "-1 bof eof");

    // A failed statement leaves the query closed and its text kept.
    q.setSql({"SELECT * FROM nosuchtable"});
    EXPECT_THROW(q.open(), DbError);
    EXPECT_FALSE(q.isOpen());
    q.addSql("where 1=1");
    EXPECT_EQ(q.sqlText(), "SELECT * FROM nosuchtable\nwhere 1=1");
}

TEST_F(QueryTest, FieldTypesAndReadingsFollowTheColumnsAndValuesOfEveryKindRoundTrip)
{
    Query& q = dm->AQsp1;
    q.reopen({"SELECT * FROM sp where txm='E01'"});
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(QList<FieldType>({q.fieldType(q.fieldIndex("ppgg")), q.fieldType(q.fieldIndex("jj")),
                                q.fieldType(q.fieldIndex("kcsl")), q.fieldType(q.fieldIndex("id"))}),
              QList<FieldType>({FieldType::Text, FieldType::Money, FieldType::Number, FieldType::Integer}));
    EXPECT_EQ(q.fieldIndex("PPGG"), q.fieldIndex("ppgg"));
    EXPECT_EQ(q.text("jj") + " " + q.text("kcsl"), "210.5 20");
    EXPECT_EQ(q.number("jet"), 0.03);

    // Expression columns take their type from their values; all NULL reads as money.
    q.reopen({"SELECT sum(kcje) as a, count(*) as b FROM sp where txm='none'"});
    EXPECT_EQ(q.fieldType(0), FieldType::Money);
    EXPECT_EQ(q.fieldType(1), FieldType::Integer);
    EXPECT_EQ(q.text("a"), "");

    // Money reads round to four decimals; NULL reads as 0 and as empty text.
    exec("INSERT INTO cgfx (dh, sl, je) VALUES ('X', 3, 10.123456)");
    q.reopen({"SELECT * FROM cgfx"});
    EXPECT_EQ(q.money("je").raw(), 101235);
    EXPECT_TRUE(q.isNull("jg"));
    EXPECT_EQ(q.money("jg"), Money());
    EXPECT_EQ(q.text("jg"), "");
    EXPECT_EQ(q.integer("sl"), 3);

    // Every kind round-trips through the compact rows.
    q.reopen({"SELECT * FROM szfx"});
    const QString longText(300000, QChar(0x6C34)); // a text larger than a storage chunk
    const QString marked = QStringLiteral("\uFEFF三号库");   // a text that starts with a byte-order mark
    q.append();
    q.setText("bz", longText);
    q.setText("xm", "水电费");
    q.setText("se", "12");        // MONEY keeps 12.0 as an integer: still money 12
    q.setNumber("ze", 0.1 + 0.2); // stored to four decimals
    q.post();
    q.append();
    q.setText("xm", "a");
    q.setText("jsr", marked);
    q.setInteger("se", 99999999999LL);
    q.post();
    EXPECT_EQ(dm->ADOC1.execute("SELECT jsr FROM szfx where xm='a'").rows.at(0).at(0).toString(), marked);
    // A money or number column takes nothing beyond the program's range, nor a text that is
    // no number: the row being written is dropped and nothing of it reaches the table.
    const std::function<void()> refused[] = {
        [&] { q.setText("se", "100000000000"); }, [&] { q.setMoney("ze", Money::fromInt(-100000000000)); },
        [&] { q.setNumber("ze", 1e11); },         [&] { q.setInteger("se", 100000000000LL); },
        [&] { q.setText("ze", "1e5"); },
    };
    for (const auto& write : refused) {
        q.append();
        q.setText("xm", "b");
        EXPECT_ANY_THROW(write());
        EXPECT_EQ(q.state(), Query::State::Browse);
    }
    q.append();
    EXPECT_THROW(refused[0](), MoneyRangeError);
    q.reopen({"SELECT * FROM szfx order by id"});
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.text("bz"), longText);
    EXPECT_EQ(q.text("xm"), "水电费");
    EXPECT_EQ(q.money("se"), Money::fromInt(12));
    EXPECT_EQ(q.text("se") + " " + q.text("ze"), "12 0.3");
    EXPECT_EQ(q.text("jsr"), "");
    EXPECT_FALSE(q.isNull("jsr"));
    q.next();
    EXPECT_EQ(q.text("jsr"), marked) << "read back exactly as stored";
    EXPECT_EQ(q.integer("se"), 99999999999LL);
    EXPECT_EQ(q.text("se"), "99999999999");

    // Integers beyond 48 bits and negative values.
    q.reopen({"SELECT 140737488355328 as a, -140737488355329 as b, -5 as c, 2.5 as d"});
    EXPECT_EQ(q.integer("a"), 140737488355328LL);
    EXPECT_EQ(q.integer("b"), -140737488355329LL);
    EXPECT_EQ(q.integer("c"), -5);
    EXPECT_EQ(q.text("d"), "2.5");
    EXPECT_EQ(q.fieldType(3), FieldType::Money);
}

TEST_F(QueryTest, AppendReadsBackIdAndStoredValuesAndKeepsTheRow)
{
    Query& q = dm->AQcgc1;
    q.reopen({"SELECT * FROM cgglc where dh='CG20260101001' order by id"});
    EXPECT_EQ(q.tableName(), "cgglc");
    q.append();
    EXPECT_EQ(q.state(), Query::State::Insert);
    q.setText("dh", "CG20260101002"); // does not match the WHERE
    q.setText("sl", "2");
    q.setText("jg", "1500.5");
    q.setText("zk", "");
    q.post();
    EXPECT_EQ(q.state(), Query::State::Browse);
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_FALSE(q.isNull("ppgg"));  // the column's default came back
    EXPECT_TRUE(q.isNull("zk"));     // empty text wrote NULL to a number column
    const qint64 id = q.integer("id");
    EXPECT_EQ(count(QString("cgglc WHERE id=%1 AND jg=1500.5 AND zk IS NULL").arg(id)), 1);
    // A second append goes after it and becomes the current row.
    q.append();
    q.setMoney("je", Money::parse("3.5"));
    q.post();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_GT(q.integer("id"), id);

    // Tables without id keep the rowid hidden; a select of one table without a blank is still
    // writable, one of two tables is not.
    dm->AQzu1.open();
    EXPECT_EQ(dm->AQzu1.fieldCount(), 4);
    dm->AQchai1.reopen({"SELECT *FROM chai where spid1=1"});
    EXPECT_EQ(dm->AQchai1.tableName(), "chai");
    dm->AQ1.reopen({"SELECT sp.id FROM sp, ck"});
    EXPECT_EQ(dm->AQ1.tableName(), "");
    EXPECT_THROW(dm->AQ1.edit(), DbError);
}

TEST_F(QueryTest, EditPostsByIdCancelWritesNothingAndDeleteRemovesTheRow)
{
    Query& q = dm->AQsp1;
    q.reopen({"SELECT * FROM sp where ck='一号库' order by id"});
    ASSERT_TRUE(q.locate({"txm"}, {QString("C01")}));
    const qint64 id = q.integer("id");
    q.edit();
    q.setText("kcsl", "11");
    q.setMoney("kcje", Money::parse("10780"));
    EXPECT_EQ(q.text("kcsl"), "11"); // the row in edit reads its new values
    q.post();
    EXPECT_EQ(count(QString("sp WHERE id=%1 AND kcsl=11 AND kcje=10780").arg(id)), 1);
    EXPECT_EQ(count("sp WHERE kcsl=11"), 1); // only that row

    q.edit();
    q.setText("kcsl", "99");
    q.cancel();
    EXPECT_EQ(q.text("kcsl"), "11");
    EXPECT_EQ(count("sp WHERE kcsl=99"), 0);

    // Writing without edit() is refused; a text that is not a number is refused.
    EXPECT_THROW(q.setText("kcsl", "1"), DbError);
    q.edit();
    EXPECT_THROW(q.setText("kcsl", "abc"), MoneyFormatError);
    q.cancel();
    // Moving off a row in edit posts it.
    q.edit();
    q.setText("bz", "moved");
    q.next();
    EXPECT_EQ(count("sp WHERE bz='moved'"), 1);

    // Delete takes the current row from table and rows; the system's idiom deletes every row
    // while not at the end; an empty query has nothing to delete.
    Query& w = dm->AQck1;
    w.open();
    w.last();
    w.deleteRow();
    EXPECT_EQ(w.recNo(), 0);
    EXPECT_EQ(columnTexts(w, "ck"), QStringList{"一号库"});
    EXPECT_EQ(count("ck"), 1);
    q.reopen({"SELECT * FROM sp where ck='二号库'"});
    ASSERT_EQ(q.recordCount(), 4);
    while (!q.eof())
        q.deleteRow();
    EXPECT_EQ(count("sp WHERE ck='二号库'"), 0);
    EXPECT_EQ(count("sp"), 8);
    EXPECT_TRUE(q.isEmpty());
    EXPECT_THROW(q.deleteRow(), DbError);
}

// Edit on an empty query appends; a closed ledger takes new rows without reading the old
// ones; a row the database refuses or that is gone is not written again.
TEST_F(QueryTest, AppendingWithoutRowsAndRefusedWrites)
{
    Query& l = dm->AQlb1;
    l.reopen({"SELECT * FROM lb where lb='none'"});
    l.edit();
    EXPECT_EQ(l.state(), Query::State::Insert);
    l.setText("lb", "音响");
    l.post();
    EXPECT_EQ(l.recordCount(), 1);
    EXPECT_EQ(count("lb WHERE lb='音响'"), 1);
    exec("DELETE FROM lb WHERE lb='音响'");   // behind the query's back
    l.edit();
    l.setText("lb", "x");
    EXPECT_THROW(l.post(), DbError);

    Query& q = dm->AQcgfx1;
    exec("insert into cgfx (dh, sl) values ('CG1', 1), ('CG1', 2)");
    exec("create trigger no_bad before insert on cgfx when new.dh='BAD' begin select raise(abort, 'refused'); end");
    q.openForAppend();
    EXPECT_TRUE(q.isOpen());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(q.sqlText(), "SELECT * FROM cgfx");
    q.append();
    q.setText("dh", "BAD");
    EXPECT_THROW(q.post(), DbError);
    EXPECT_EQ(q.state(), Query::State::Browse);
    q.append();
    q.setText("dh", "CG2");
    q.post();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_GT(q.integer("id"), 0);
    EXPECT_EQ(scalar("SELECT group_concat(dh) FROM cgfx"), "CG1,CG1,CG2");
    q.open();
    q.openForAppend();   // open already: the rows in hand stay
    EXPECT_EQ(q.recordCount(), 3);
}

TEST_F(QueryTest, LocateAndCodesIgnoreCaseNumbersCompareNumericallyQuotedNamesRoundTrip)
{
    Query& q = dm->AQsp1;
    q.reopen({"SELECT * FROM sp order by id"});
    EXPECT_TRUE(q.locate({"txm", "ck"}, {QString("b02"), QString("二号库")}));
    EXPECT_EQ(q.text("ppgg"), "美的冰箱220升");
    EXPECT_TRUE(q.locate({"jj"}, {QString("210.50")}));
    EXPECT_EQ(q.text("txm"), "E01");
    EXPECT_TRUE(q.locate({"kcsl"}, {9.0}));
    EXPECT_EQ(q.text("txm"), "E03");
    const int here = q.recNo();
    EXPECT_FALSE(q.locate({"txm"}, {QString("ZZZ")}));
    EXPECT_EQ(q.recNo(), here);

    // A code typed in lower case finds the goods row; an empty condition keeps every row.
    q.reopen({"SELECT * FROM sp where txm=" + sqlQuote("a01") + " and ck=" + sqlQuote("一号库")});
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.text("txm"), "A01");
    q.reopen({"SELECT * FROM sp where ppgg like '%%'"});
    EXPECT_EQ(q.recordCount(), 12);

    // A name with a single quote round-trips through SQL text.
    const QString name = "O'Neil's \"best\" 冰箱";
    EXPECT_EQ(sqlQuote("O'Neil"), "'O''Neil'");
    exec("INSERT INTO sp (txm, ppgg, dw, ck) VALUES ('Q1', " + sqlQuote(name) + ", '台', '一号库')");
    q.reopen({"SELECT * FROM sp where ppgg=" + sqlQuote(name)});
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.text("ppgg"), name);
}

TEST_F(QueryTest, SortsTextsInPinyinOrderNumbersNumericallyCurrentRowKept)
{
    Query& q = dm->AQ1;
    q.reopen({"SELECT * FROM sp where ck='一号库' order by id"});
    ASSERT_TRUE(q.locate({"txm"}, {QString("E02")}));
    const qint64 currentId = q.integer("id");
    const auto column = [&](const char* field) { return columnTexts(q, field); };

    q.setSort("jj DESC");
    EXPECT_EQ(q.sort(), "jj DESC");
    EXPECT_EQ(column("jj"), (QStringList{"2650", "2100", "1500", "1100", "980", "210.5", "168", "15"}));
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

// While controls are disabled (counted) the query tells nothing; enabling them tells one reset
// and the current row. (What each signal carries is checked through the grid that follows it.)
TEST_F(QueryTest, SignalsOnlyWhileControlsEnabledAndExecSqlLeavesRows)
{
    Query& q = dm->AQck1;
    int reset = 0, moved = 0;
    QObject::connect(&q, &Query::dataReset, [&] { ++reset; });
    QObject::connect(&q, &Query::currentChanged, [&](int) { ++moved; });
    q.disableControls();
    q.disableControls();
    q.open();
    q.next();
    q.enableControls();
    EXPECT_TRUE(q.controlsDisabled());
    EXPECT_EQ(reset + moved, 0);
    q.enableControls();
    EXPECT_FALSE(q.controlsDisabled());
    EXPECT_EQ(QString("%1 %2").arg(reset).arg(moved), "1 1");

    // A write statement of another query runs without touching these rows.
    Query& w = dm->AQ1;
    w.setSql({"update ck set ck='x'", "where id=1"});
    EXPECT_EQ(w.execSql(), 1);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(q.cellText(0, 1), "一号库");
    w.setSql({"update nosuch set a=1"});
    EXPECT_THROW(w.execSql(), DbError);
}

// Rows are kept per column in blocks; texts and integers of declared columns in four bytes. A
// value such a column cannot hold (an integer past 32 bits, the lowest one, a text where an
// integer is declared) turns the column to full cells, on reading as on writing, and every
// value reads back as stored, across the blocks and after a sort and a delete.
TEST_F(QueryTest, NarrowColumnsWidenForValuesTheyCannotHoldAndRowsCrossBlocks)
{
    exec("INSERT INTO zu (spid1, spid2, xs) VALUES (NULL, 1, 1), (2147483647, -2147483647, 2),"
         " (-2147483648, 5, 3), (1099511627776, 6, 4), ('abc', 7, 5)");
    Query& q = dm->AQzu1;
    q.reopen({"SELECT * FROM zu order by xs"});
    QStringList read;
    for (int r = 0; r < q.recordCount(); ++r)
        read << q.cellText(r, 0) + (q.cellIsNull(r, 0) ? "(null)" : "") + "/" + QString::number(q.cellInteger(r, 1));
    EXPECT_EQ(read, (QStringList{"(null)/1", "2147483647/-2147483647", "-2147483648/5", "1099511627776/6", "abc/7"}));

    // Written through the query: a narrow column takes the wide value and keeps the others.
    exec("DELETE FROM zu WHERE xs>1");
    q.reopen({"SELECT * FROM zu"});
    q.edit();
    q.setInteger("spid2", 1LL << 40);
    q.post();
    q.append();
    q.setInteger("spid1", -(1LL << 35));
    q.setText("xs", "9");
    q.post();
    EXPECT_EQ(q.cellInteger(0, 1), 1LL << 40);
    EXPECT_EQ(q.cellInteger(1, 0), -(1LL << 35));
    EXPECT_TRUE(q.cellIsNull(0, 0));
    EXPECT_EQ(sqlScalar(*dm, "SELECT ifnull(spid1,'-') || '/' || ifnull(spid2,'-') || '/' || xs FROM zu ORDER BY rowid"),
              "-/1099511627776/1.0");
    EXPECT_EQ(count("zu WHERE spid1=-34359738368 AND xs=9"), 1);

    // 40,000 rows: the first block grows, later ones are whole; texts repeat and differ.
    exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<39999)"
         " INSERT INTO cgfx (rq, dh, ppgg, sl, je) SELECT '2024-05-0' || (1 + i/10000), 'DH' || (i/4), "
         " CASE WHEN i%3=0 THEN '' ELSE '商品' || i END, i, i*0.5 FROM n");
    q.reopen({"SELECT * FROM cgfx order by id"});
    ASSERT_EQ(q.recordCount(), 40000);
    const int ppgg = q.fieldIndex("ppgg"), dh = q.fieldIndex("dh"), rq = q.fieldIndex("rq"), je = q.fieldIndex("je");
    for (int r : {0, 1, 15, 16, 16383, 16384, 32767, 32768, 39999})
        EXPECT_EQ(q.cellText(r, rq) + " " + q.cellText(r, dh) + " " + q.cellText(r, ppgg) + " " + q.cellText(r, je),
                  QString("2024-05-0%1 DH%2 %3 %4").arg(1 + r / 10000).arg(r / 4).arg(r % 3 ? "商品" + QString::number(r) : "")
                      .arg(Money::fromDouble(r * 0.5).plainText())) << r;
    q.setSort("sl DESC");
    EXPECT_EQ(q.cellText(0, q.fieldIndex("sl")) + " " + q.text("dh"), "39999 DH0");
    q.moveTo(16384);
    q.deleteRow();
    EXPECT_EQ(q.recordCount(), 39999);
    EXPECT_EQ(q.cellText(16384, q.fieldIndex("sl")), "23614");
}

// Rows opened deferred are read when first asked for, as the table then holds them; an append
// before that starts from none; a grid that shows the query takes its rows at the open.
TEST_F(QueryTest, DeferredRowsAreReadWhenFirstAskedForAndAtOnceForAGrid)
{
    Query& q = dm->AQck1;
    q.setSql({"SELECT * FROM ck order by id"});
    q.openDeferred();
    EXPECT_TRUE(q.isOpen());
    EXPECT_TRUE(q.rowsDeferred());
    EXPECT_EQ(q.fieldIndex("ck"), 1) << "the fields are known without the rows";
    exec("INSERT INTO ck (ck) VALUES ('三号库')");
    EXPECT_TRUE(q.rowsDeferred());
    EXPECT_EQ(columnTexts(q, "ck"), (QStringList{"一号库", "二号库", "三号库"}));
    EXPECT_FALSE(q.rowsDeferred());
    EXPECT_EQ(q.recNo(), 0);

    // Every way of asking reads them: the cursor, a field, a locate, a sort, an edit.
    const std::function<void(Query&)> asks[] = {
        [](Query& d) { d.next(); }, [](Query& d) { d.text("ck"); }, [](Query& d) { d.eof(); },
        [](Query& d) { d.locate({"ck"}, {"二号库"}); }, [](Query& d) { d.setSort("ck DESC"); },
        [](Query& d) { d.edit(); d.cancel(); }, [](Query& d) { d.cellText(0, 0); },
    };
    for (const auto& ask : asks) {
        q.close();
        q.openDeferred();
        ask(q);
        EXPECT_FALSE(q.rowsDeferred());
        EXPECT_EQ(q.recordCount(), 3);
    }

    // An append before the rows are read keeps only the new row in hand.
    q.close();
    q.openDeferred();
    q.append();
    q.setText("ck", "四号库");
    q.post();
    EXPECT_EQ(columnTexts(q, "ck"), QStringList{"四号库"});
    EXPECT_EQ(count("ck"), 4);

    // Shown in a grid, the rows are read at the open.
    DataGrid grid;
    grid.setQuery(&q);
    q.close();
    q.openDeferred();
    EXPECT_FALSE(q.rowsDeferred());
    exec("DELETE FROM ck WHERE ck='四号库'");
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(q.recordCount(), 4);
    grid.setQuery(nullptr);
}

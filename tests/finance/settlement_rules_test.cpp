// The settlement rules without a window, on both sides: the lookup, saving in both modes,
// the reverse audit and the delete, and what a failure leaves behind.

#include "settlement_shop.h"

#include "data/DM1.h"

namespace {

class SettlementRules : public SettlementShop {
protected:
    SettlementResult save(const QString& dh, const char* amount, qint64 rowId = 0)
    {
        return saveSettlement(*dm, side, {.rowId = rowId, .date = Clock::today(), .dh = dh,
                                          .party = QStringLiteral("华强电器"), .amount = Money::parse(amount),
                                          .jsr = QStringLiteral("李四"), .bz = QString()});
    }
    Query& rows() { return *dm.*side.rowQuery; }
    Query& docs() { return *dm.*side.docQuery; }
};

TEST_P(SettlementRules, LookupFindsOnlyAuditedDocumentsWithADebt)
{
    // Case-blind, untrimmed, quoted: a number with a quote finds nothing and fails nothing.
    const struct { QString typed; QString found; } cases[] = {
        {doc(1).chopped(1), ""}, {doc(1), doc(1) + "|华强电器|70"}, {doc(1).toLower(), doc(1) + "|华强电器|70"},
        {doc(1) + " ", ""}, {doc(2), ""}, {doc(3), ""}, {doc(4), doc(4) + "|华强电器|-40"}, {"CG'1", ""},
    };
    for (const auto& c : cases) {
        const OpenDocument d = lookupOpenDocument(*dm, side, c.typed);
        const QString found = d.found ? d.dh + '|' + d.party + '|' + d.qk.plainText() : QString();
        EXPECT_EQ(found, c.found) << c.typed.toStdString();
    }
    EXPECT_EQ(docs().sqlLines(), (QStringList{"SELECT * FROM " + side.docTable, "where dh='CG''1'", "and shbj='已审核'", "and qk<>0"}));
}

TEST_P(SettlementRules, ASaveAddsTheAmountToItsDocument)
{
    // Each amount on its own document: the debt follows, with no rounding and no limit.
    const struct { int doc; const char* amount; QString debt; bool stillOpen; } cases[] = {
        {1, "70", "100/0", false}, {4, "15", "15/-55", true}, {6, "12.35", "12.35/287.65", true},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(save(doc(c.doc), c.amount), SettlementResult::Done);
        EXPECT_EQ(debt(c.doc), c.debt) << c.doc;
        EXPECT_EQ(lookupOpenDocument(*dm, side, doc(c.doc)).found, c.stillOpen) << c.doc;
    }
    // Typed in lower case: the row names the document by its own number.
    ASSERT_EQ(save(doc(1).toLower(), "100"), SettlementResult::Done);
    EXPECT_EQ(debt(1), "200/-100");
    EXPECT_EQ(row(8), "已审核|2024-05-03|" + doc(1) + "|华强电器|100");
    EXPECT_EQ(docs().sqlLines().value(1), "where dh=" + sqlQuote(doc(1).toLower()));

    // A debt of 0.2 paid with 0.2 ends at exactly nothing.
    addDocument(doc(7), "2024-05-03", "已审核", "华强电器", "0.3", "0.1");
    ASSERT_EQ(save(doc(7), "0.2"), SettlementResult::Done);
    EXPECT_EQ(scalar("SELECT qk=0 FROM " + side.docTable + " WHERE id=7"), "1");
    EXPECT_FALSE(lookupOpenDocument(*dm, side, doc(7)).found);
}

TEST_P(SettlementRules, ReverseTakesTheAmountOutOnceAndAModifiedRowPutsItBack)
{
    // Reversed: the amount leaves its document once; the second time nothing changes.
    EXPECT_EQ(reverseSettlement(*dm, side, 1), SettlementResult::Done);
    EXPECT_EQ(debt(1) + " " + row(1), "0/100 未审核|2024-05-01|" + doc(1) + "|华强电器|30");
    const QString once = dumpDatabase(*dm);
    EXPECT_EQ(reverseSettlement(*dm, side, 1), SettlementResult::Reversed);
    EXPECT_EQ(dumpDatabase(*dm), once);

    // The reversed row 4 moved to document 6: the whole amount goes there, document 1 keeps
    // what the reverse audit left.
    EXPECT_EQ(save(doc(6), "50", 4), SettlementResult::Done);
    EXPECT_EQ(documents(), "1:0/100 2:0/50 3:200/0 4:0/-40 5:-40/0 6:50/250");
    EXPECT_EQ(row(4), "已审核|2024-05-03|" + doc(6) + "|华强电器|50");

    // Applied rows cannot be modified; gone rows are refused by every action.
    const QString applied = dumpDatabase(*dm);
    EXPECT_EQ(save(doc(6), "1", 4), SettlementResult::Applied);
    EXPECT_EQ(dumpDatabase(*dm), applied);
    exec("DELETE FROM " + side.rowTable + " WHERE id=2");
    const QString gone = dumpDatabase(*dm);
    EXPECT_EQ(save(doc(6), "1", 2), SettlementResult::Missing);
    EXPECT_EQ(reverseSettlement(*dm, side, 2), SettlementResult::Missing);
    EXPECT_EQ(deleteSettlement(*dm, side, 2), SettlementResult::Missing);
    EXPECT_EQ(dumpDatabase(*dm), gone);
}

TEST_P(SettlementRules, DeleteAndReverseChangeNoOtherDocument)
{
    // An applied row is refused; a reversed one goes alone.
    const QString before = dumpDatabase(*dm);
    EXPECT_EQ(deleteSettlement(*dm, side, 1), SettlementResult::Applied);
    EXPECT_EQ(dumpDatabase(*dm), before);
    EXPECT_EQ(deleteSettlement(*dm, side, 4), SettlementResult::Done);
    EXPECT_EQ(count(side.rowTable), 3);
    EXPECT_EQ(documents(), "1:30/70 2:0/50 3:200/0 4:0/-40 5:-40/0 6:0/300");

    // A row whose document is gone is reversed alone.
    exec("DELETE FROM " + side.docTable + " WHERE id=1");
    EXPECT_EQ(reverseSettlement(*dm, side, 1), SettlementResult::Done);
    EXPECT_EQ(row(1).section('|', 0, 0) + " " + documents(), "未审核 2:0/50 3:200/0 4:0/-40 5:-40/0 6:0/300");
}

TEST_P(SettlementRules, AFailureLeavesEveryTableAndTheRowsShownAsBefore)
{
    rows().setSql({"SELECT * FROM " + side.rowTable, "order by id"});
    rows().open();
    const QString before = dumpDatabase(*dm);

    // The document's update aborts: the row appended before it is gone, in the table and
    // in the rows shown.
    blockUpdates(side.docTable);
    EXPECT_ANY_THROW(save(doc(1), "50"));
    EXPECT_ANY_THROW(save(doc(1), "50", 4));
    EXPECT_EQ(dumpDatabase(*dm), before);
    EXPECT_EQ(columnTexts(rows(), "shbj"), (QStringList{"已审核", "已审核", "已审核", "未审核"}));
    EXPECT_FALSE(rows().controlsDisabled());
    exec("DROP TRIGGER blocked");

    // The row's state cannot change in a reverse audit: the document keeps its paid amount.
    blockUpdates(side.rowTable, "NEW.shbj='未审核'");
    EXPECT_ANY_THROW(reverseSettlement(*dm, side, 1));
    EXPECT_EQ(dumpDatabase(*dm), before);
    EXPECT_EQ(docs().money(side.paidColumn).plainText(), "30");
}

// A save appends to the row query: with a list showing the rows, after them; with none, the
// table's rows are not read and the new row is the only one in hand.
TEST_P(SettlementRules, ASaveAppendsToTheRowsShownAndReadsNoneWhenNoListShowsThem)
{
    for (const bool shown : {true, false}) {
        rows().close();
        if (shown) {
            rows().setSql({"SELECT * FROM " + side.rowTable, "order by id"});
            rows().open();
        }
        const int before = count(side.rowTable);
        ASSERT_EQ(save(doc(6), "1"), SettlementResult::Done);
        EXPECT_EQ(rows().recordCount(), shown ? before + 1 : 1) << shown;
        rows().last();
        EXPECT_EQ(rows().integer("id"), before + 1) << shown;
    }
}

SETTLEMENT_SIDES(SettlementRules);

} // namespace

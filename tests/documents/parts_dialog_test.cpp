// Goods assembly and splitting: one dialog class described twice, driven through one set of
// cases (the stock moves mirror each other); the parts lists, the refusals, keys, pickers
// and a failure that leaves everything as it was.
#include "basic/PickerTargets.h"
#include "basic/Uck1.h"
#include "basic/Usp3.h"
#include "documents/Uchai1.h"
#include "documents/Uzu1.h"
#include "documents/parts_lists.h"
#include "support/ShopTest.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

QWidget* focus() { return QApplication::focusWidget(); }

struct Kind {
    const char* name;
    std::function<TPartsDialog*()> make;
    QStringList afterThree;   // W, P, Q after confirming 3 wholes from P ×2 and Q ×0.5
    QStringList afterStale;   // the same list last written for 5, confirmed with the count at 1
    QStringList messages;     // the kind's own: whole missing, count zero, part missing, coefficient zero
};

const Kind kKinds[] = {
    {"assembly", [] { return new TFzu1; }, {"7 700", "4 10", "3.5 11.72"}, {"5 500", "8 20", "4.5 15.08"},
     {"组装而成的整件不可为空！", "组装数量不可为零！", "组装所需的零件不可为空！", "组装系数不可为零！"}},
    {"splitting", [] { return new TFchai1; }, {"1 100", "16 40", "6.5 21.78"}, {"3 300", "12 30", "5.5 18.42"},
     {"拆分所需的整件不可为空！", "拆分数量不可为零！", "拆分而成的零件不可为空！", "拆分系数不可为零！"}},
};

void PrintTo(const Kind& k, std::ostream* os) { *os << k.name; }

// Goods: 1 W (W1, 4 at 100), 2 P (W1, 10 at 2.50), 3 Q (W2, 5 at 3.35), 4 T'29 (W2, 1 at
// 4.45), 5 X (W1), 6 and 7 two rows coded D01 in W1.
class PartsDialog : public ShopTest, public ::testing::WithParamInterface<Kind> {
protected:
    PartsDialog() : ShopTest(false) {}
    void SetUp() override
    {
        exec("INSERT INTO ck(ck) VALUES('W1'),('W2');"
             "INSERT INTO sp(lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje) VALUES"
             " ('整机','W01','整机W','台','W1',4,100,400),('配件','P01','零件P','个','W1',10,2.5,25),"
             " ('配件','Q01','零件Q','个','W2',5,3.35,16.75),('配件','T''29','零件T','个','W2',1,4.45,4.45),"
             " ('整机','X01','整机X','台','W1',0,10,0),('杂','D01','双码甲','个','W1',0,1,0),"
             " ('杂','D01','双码乙','个','W1',0,1,0)");
        d.reset(GetParam().make());
        table = d->description().kind->table;
        d->show();
        d->activateWindow();
        QApplication::processEvents();
    }
    // The dialog active again after a picker closed (offscreen nothing hands it back).
    void back()
    {
        d->activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        if (d)
            d->reject();
    }
    // Writes as the pickers do, through the dialog's tag.
    void put(const char* field, const QString& value) { PickerTargets::write(d->description().tag, field, value); }
    void whole(const QString& ck, const QString& txm, const QString& count = "1")
    {
        put("ck1", ck);
        d->txm1->setText(txm);
        d->countEdit->setText(count);
    }
    void addPart(const QString& ck, const QString& txm, const QString& coef)
    {
        put("ck2", ck);
        d->txm2->setText(txm);
        d->coefEdit->setText(coef);
        d->SB1->click();
    }
    // "kcsl kcje" of goods rows, in id order.
    QStringList stock(std::initializer_list<int> ids)
    {
        QStringList out;
        for (int id : ids)
            out << scalar(QString("SELECT printf('%g %g',kcsl,kcje) FROM sp WHERE id=%1").arg(id));
        return out;
    }
    QString list() const { return columnTexts(dm->AQ1, "ppgg").join(',') + " " + columnTexts(dm->AQ1, "sl").join(','); }

    QString table;
    std::unique_ptr<TPartsDialog> d;
};

TEST_P(PartsDialog, ChoosingAddingAndConfirmingMovesTheStockAtUnchangedCost)
{
    EXPECT_EQ(focus(), d->ck1);
    EXPECT_EQ(d->spid1->text() + d->kcsl1->text() + d->countEdit->text() + d->spid2->text() + d->coefEdit->text(),
              "00100");
    whole("W1", "W01", "3");
    EXPECT_EQ(d->spid1->text() + " " + d->ppgg1->text() + " " + d->kcsl1->text(), "1 整机W 4");
    addPart("W1", "P01", "2");
    EXPECT_EQ(d->txm2->text() + d->ppgg2->text() + d->spid2->text() + d->kcsl2->text() + d->coefEdit->text(), "000");
    EXPECT_EQ(focus(), d->txm2);
    addPart("W2", "T'29", "0.5");   // found by its typed code
    d->SB2->click();                // the list's current row is the first: P goes
    addPart("W1", "P01", "2");
    EXPECT_EQ(list(), "零件T,零件P 1.5,6");
    d->SB2->click();                // T goes
    addPart("W2", "Q01", "0.5");
    EXPECT_EQ(list(), "零件P,零件Q 6,1.5");

    d->BitBtn1->click();
    EXPECT_EQ(stock({1, 2, 3}), GetParam().afterThree);
    EXPECT_EQ(scalar("SELECT group_concat(kcjg) FROM sp WHERE id<=3"), "100,2.5,3.35");
    EXPECT_EQ(columnTexts(dm->AQkcfx1, "txm"), QStringList{"Q01"});   // the last row moved
    // Step 1 empties for the next; the warehouse and step 2 stay; nothing is said.
    EXPECT_EQ(d->txm1->text() + d->ppgg1->text() + d->spid1->text() + d->kcsl1->text() + d->countEdit->text(), "001");
    EXPECT_EQ(d->ck1->text() + d->ck2->text(), "W1W2");
    EXPECT_EQ(focus(), d->txm1);
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
}

TEST_P(PartsDialog, PartsNeededFollowTheCountShown_DuplicatesAndOtherWholeItems)
{
    // W's list last written for a count of 5; X also uses P.
    exec("INSERT INTO " + table + "(spid1,spid2,xs,sl) VALUES (1,2,2,10),(1,3,0.5,2.5),(5,2,2,2)");
    whole("W1", "W01", "1");
    EXPECT_EQ(list(), "零件P,零件Q 2,0.5");
    d->BitBtn1->click();
    EXPECT_EQ(stock({1, 2, 3}), GetParam().afterStale);

    // P added twice is listed and counted twice; one 删除 takes one; X's row stays.
    exec("UPDATE sp SET kcsl=10,kcje=25 WHERE id=2");
    exec("DELETE FROM " + table + " WHERE spid1=1 AND spid2=3");
    whole("W1", "W01", "1");
    addPart("W1", "P01", "2");
    EXPECT_EQ(list(), "零件P,零件P 2,2");
    d->BitBtn1->click();
    EXPECT_EQ(stock({2}), QStringList{GetParam().name == QString("assembly") ? "6 15" : "14 35"});
    whole("W1", "W01", "1");
    d->SB2->click();
    EXPECT_EQ(count(table + " WHERE spid1=1") * 10 + count(table + " WHERE spid1=5"), 11);
    // A count not yet a number is passed over while typing.
    d->countEdit->setText(".");
    EXPECT_EQ(scalar("SELECT sl FROM " + table + " WHERE spid1=1"), "2");
}

TEST_P(PartsDialog, RefusalsInOrderWithTheirFocus)
{
    const QStringList& own = GetParam().messages;
    put("ck1", "W1");
    // 新增: each state fails at the next check.
    const std::tuple<std::function<void()>, QString, QWidget*> adding[] = {
        {[] {}, "零件仓库不可为空！", d->ck2},
        {[&] { put("ck2", "W1"); }, own[0], d->txm1},
        {[&] { whole("W1", "W01", "0.00"); }, own[1], d->countEdit},
        {[&] { d->countEdit->setText("."); }, own[1], d->countEdit},
        {[&] { d->countEdit->setText("1.5"); }, own[2], d->txm2},
        {[&] { d->txm2->setText("W01"); }, "零件不可跟整件相同！", d->txm2},
        {[&] { d->txm2->setText("P01"); }, own[3], d->coefEdit},
    };
    for (const auto& [setUp, text, field] : adding) {
        setUp();
        rec.clear();
        d->SB1->click();
        EXPECT_EQ(rec.texts(), QStringList{text});
        EXPECT_EQ(rec.last().caption, "提示");
        EXPECT_EQ(focus(), field) << text.toStdString();
    }
    EXPECT_EQ(count(table), 0);

    // 确定: warehouse, whole item, count, parts list.
    d->txm1->clear();
    put("ck1", "");
    const std::tuple<std::function<void()>, QString> confirming[] = {
        {[] {}, "整件仓库不可为空！"},
        {[&] { put("ck1", "W1"); }, own[0]},
        {[&] { whole("W1", "W01", "0"); }, own[1]},
        {[&] { d->countEdit->setText("2"); }, "零件不可为空！"},
    };
    const QString before = dumpDatabase(*dm);
    for (const auto& [setUp, text] : confirming) {
        setUp();
        rec.clear();
        d->BitBtn1->click();
        EXPECT_EQ(rec.texts(), QStringList{text});
    }
    EXPECT_EQ(dumpDatabase(*dm), before);
    rec.clear();
    d->SB2->click();   // nothing listed: nothing happens
    EXPECT_TRUE(rec.empty());
}

TEST_P(PartsDialog, KeysPickersAndLeavingFields)
{
    // Leaving the whole item's warehouse empty is refused and the focus comes back.
    d->txm1->setFocus();
    EXPECT_EQ(rec.texts(), QStringList{"整件仓库不可为空！"});
    EXPECT_EQ(focus(), d->ck1);
    // Enter in an empty warehouse opens the warehouse picker; its choice fills ck1.
    modal.next([](QDialog& p) {
        dynamic_cast<TFck1&>(p).DBGrid1->query()->moveTo(1);
        dynamic_cast<TFck1&>(p).xuan->click();
    });
    sendKey(d->ck1, Qt::Key_Return);
    back();
    EXPECT_EQ(d->ck1->text(), "W2");
    sendKey(d->ck1, Qt::Key_Return);
    EXPECT_EQ(focus(), d->txm1);
    // A code held twice in the warehouse resolves nothing typed, and its row when picked.
    put("ck1", "W1");
    d->txm1->setText("D01");
    EXPECT_EQ(d->spid1->text(), "0");
    modal.next([&](QDialog& p) {
        auto& sp3 = dynamic_cast<TFsp3&>(p);
        EXPECT_EQ(sp3.Edit2->text() + d->sao->text(), "W1xuan");
        sp3.DBGrid1->query()->locate({"ppgg"}, {"双码乙"});
        sp3.xuan->click();
    });
    sendKey(d->txm1, Qt::Key_Return);   // no goods resolved: the goods picker
    back();
    EXPECT_EQ(d->spid1->text() + d->ppgg1->text() + d->sao->text(), "7双码乙sao");
    sendKey(d->txm1, Qt::Key_Return);
    EXPECT_EQ(focus(), d->countEdit);
    // The count: digits and one "."; leaving it rounds; Enter moves to the part's code.
    d->countEdit->selectAll();
    for (QChar c : QString("-1.2.39"))
        sendKey(d->countEdit, c.unicode(), QString(c));
    EXPECT_EQ(d->countEdit->text(), "1.239");
    sendKey(d->countEdit, Qt::Key_Return);
    EXPECT_EQ(focus(), d->txm2);
    EXPECT_EQ(d->countEdit->text(), "1.24");
    d->countEdit->clear();
    d->coefEdit->clear();
    EXPECT_EQ(d->countEdit->text() + d->coefEdit->text(), "10");
    // Enter in the coefficient adds the part; Esc closes and closes the list.
    put("ck2", "W2");
    d->txm2->setText("Q01");
    d->coefEdit->setText("3");
    rec.clear();
    sendKey(d->coefEdit, Qt::Key_Return);
    EXPECT_EQ(count(table + " WHERE spid1=7 AND sl=3"), 1);
    sendKey(d->coefEdit, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(dm->AQ1.isOpen());
    EXPECT_TRUE(rec.empty()) << rec.texts().join(',').toStdString();
}

TEST_P(PartsDialog, AFailureAtTheLastPartLeavesStockAndListsAsTheyWere)
{
    exec("INSERT INTO " + table + "(spid1,spid2,xs,sl) VALUES (1,2,2,0),(1,4,1,0)");
    exec("CREATE TRIGGER fail BEFORE UPDATE ON sp WHEN old.id=4 BEGIN SELECT RAISE(ABORT,'forced'); END");
    whole("W1", "W01", "1");
    const QString before = dumpDatabase(*dm);
    EXPECT_ANY_THROW(confirmParts(*dm, *d->description().kind, 1, Money::fromInt(3)));
    EXPECT_EQ(dumpDatabase(*dm), before);
    exec("DROP TRIGGER fail");
    // A list row whose goods row is gone is listed empty and skipped; so is a missing whole item.
    exec("DELETE FROM sp WHERE id IN (1,4)");
    d->cha->click();
    EXPECT_EQ(columnTexts(dm->AQ1, "txm"), (QStringList{"P01", ""}));
    confirmParts(*dm, *d->description().kind, 1, Money::fromInt(1));
    EXPECT_EQ(stock({2}), QStringList{GetParam().name == QString("assembly") ? "8 20" : "12 30"});
}

INSTANTIATE_TEST_SUITE_P(Both, PartsDialog, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// Splitting more than is held goes below zero unwarned; amounts round half to even.
TEST(Splitting, NegativeStockAndHalfEvenAmounts)
{
    TempShop shop(false);
    TDM1& dm = *shop.dm;
    dm.ADOC1.exec("INSERT INTO sp(txm,ck,kcsl,kcjg,kcje) VALUES ('W','W1',1,80,80),('P','W1',1,4.45,4.45);"
                  "INSERT INTO chai(spid1,spid2,xs,sl) VALUES (1,2,0.5,0)");
    const QString both = "SELECT group_concat(printf('%g %.2f',kcsl,kcje),' | ') FROM sp";
    confirmParts(dm, splittingParts(), 1, Money::fromInt(1));
    EXPECT_EQ(sqlScalar(dm, both), "0 0.00 | 1.5 6.68");
    confirmParts(dm, splittingParts(), 1, Money::fromInt(2));
    EXPECT_EQ(sqlScalar(dm, both), "-2 -160.00 | 2.5 11.12");
}

}

// Purchase numbering, the sign rules, the line marks and the save of a purchase document,
// without a window.
#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_save.h"

#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QDate kToday(2026, 12, 6);

class PurchaseRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(kToday, QTime(10, 0)));
        shop = std::make_unique<TempShop>(false);
        dm = shop->dm.get();
    }
    void TearDown() override
    {
        shop.reset();
        Clock::unpin();
    }
    void exec(const QString& sql) { dm->ADOC1.exec(sql); }
    void header(const QString& dh, const QString& kdrq, const QString& shbj = QStringLiteral("已审核"))
    {
        exec(QStringLiteral("insert into cgglz(dh,kdrq,rq,shbj,ck,ghs,jsr,hjje,yhe,yfe,sfe,qk) values(%1,%2,%2,%3,'一号库','甲','张三',0,0,0,0,0)")
                 .arg(sqlQuote(dh), sqlQuote(kdrq), sqlQuote(shbj)));
    }
    void line(const QString& dh, const QString& bj, const QString& ppgg, const QString& sl, const QString& jg)
    {
        exec(QStringLiteral("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values(%1,%2,'T1',%3,'台',%4,%5,1,%4*%5)")
                 .arg(sqlQuote(dh), sqlQuote(bj), sqlQuote(ppgg), sl, jg));
    }
    QString scalar(const QString& sql)
    {
        const RecordSet rs = dm->ADOC1.execute(sql);
        return rs.isEmpty() ? QStringLiteral("<none>") : rs.rows.front().front().toString();
    }
    // Every row of the tables a save touches, as text, to compare before and after.
    QString dump()
    {
        QString out;
        for (const char* t : {"cgglz", "cgglc", "cgfx", "sp", "fkfx"}) {
            const RecordSet rs = dm->ADOC1.execute(QStringLiteral("SELECT * FROM %1 order by id").arg(QLatin1String(t)));
            for (const auto& row : rs.rows) {
                out += QLatin1String(t);
                for (const QVariant& v : row) out += QLatin1Char('|') + v.toString();
                out += QLatin1Char('\n');
            }
        }
        return out;
    }
    PurchaseSaveInput input(const QString& dh)
    {
        PurchaseSaveInput in;
        in.dh = dh;
        in.rq = QDate(2026, 12, 1);
        in.ck = QStringLiteral("一号库");
        in.ghs = QStringLiteral("甲");
        in.jsr = QStringLiteral("张三");
        in.bz = QStringLiteral("备");
        in.hjsl = QStringLiteral("5");
        in.hjje = QStringLiteral("100");
        in.yhe = QStringLiteral("10");
        in.yfe = QStringLiteral("90");
        in.sfe = QStringLiteral("50");
        in.zhidan = QStringLiteral("李四");
        in.today = kToday;
        return in;
    }

    std::unique_ptr<TempShop> shop;
    TDM1* dm = nullptr;
};

TEST_F(PurchaseRules, NextNumberFollowsTodaysLastHeader)
{
    EXPECT_EQ(*nextPurchaseNumber(*dm, kToday), QStringLiteral("CG20261206001"));
    // The query stays on today's headers, as the header save expects.
    EXPECT_EQ(dm->AQcgz1.sqlLines().value(1), QStringLiteral("where kdrq='2026-12-06'"));

    const struct { const char* last; const char* next; } steps[] = {
        {"008", "009"}, {"009", "010"}, {"098", "099"}, {"099", "100"}, {"998", "999"}};
    for (const auto& s : steps) {
        exec(QStringLiteral("delete from cgglz"));
        header(QStringLiteral("CG20261206") + QLatin1String(s.last), QStringLiteral("2026-12-06"));
        EXPECT_EQ(*nextPurchaseNumber(*dm, kToday), QStringLiteral("CG20261206") + QLatin1String(s.next)) << s.last;
        EXPECT_EQ(*nextPurchaseNumberAfter(*dm, QStringLiteral("CG20261206") + QLatin1String(s.last), kToday),
                  QStringLiteral("CG20261206") + QLatin1String(s.next));
    }
    exec(QStringLiteral("delete from cgglz"));
    header(QStringLiteral("CG20261206999"), QStringLiteral("2026-12-06"));
    EXPECT_FALSE(nextPurchaseNumber(*dm, kToday).has_value());
    EXPECT_FALSE(nextPurchaseNumberAfter(*dm, QStringLiteral("CG20261206999"), kToday).has_value());
}

TEST_F(PurchaseRules, NextNumberNeverRepeats)
{
    // Entered today, the highest number in text order counts even with another date on it;
    // a sequence that is not digits is skipped.
    header(QStringLiteral("CG20261205009"), QStringLiteral("2026-12-06"));
    header(QStringLiteral("CG20261206003"), QStringLiteral("2026-12-06"));
    header(QStringLiteral("CG2026120600x"), QStringLiteral("2026-12-06"));
    // Numbers of today that exist already (entered on another day) are stepped over.
    header(QStringLiteral("CG20261206004"), QStringLiteral("2026-12-05"));
    header(QStringLiteral("CG20261206005"), QStringLiteral("2026-12-05"));
    EXPECT_EQ(*nextPurchaseNumber(*dm, kToday), QStringLiteral("CG20261206006"));
    EXPECT_EQ(*nextPurchaseNumberAfter(*dm, QStringLiteral("CG20261206003"), kToday), QStringLiteral("CG20261206006"));
    // A number in hand without a sequence asks the database.
    EXPECT_EQ(*nextPurchaseNumberAfter(*dm, QStringLiteral("CGxx"), kToday), QStringLiteral("CG20261206006"));
    // 998 taken and 999 taken: the day is used up.
    header(QStringLiteral("CG20261206999"), QStringLiteral("2026-12-01"));
    EXPECT_FALSE(nextPurchaseNumberAfter(*dm, QStringLiteral("CG20261206998"), kToday).has_value());
    // The next day starts again, whatever the number in hand.
    EXPECT_EQ(*nextPurchaseNumber(*dm, kToday.addDays(1)), QStringLiteral("CG20261207001"));
    EXPECT_EQ(*nextPurchaseNumberAfter(*dm, QStringLiteral("CG20261206003"), kToday.addDays(1)),
              QStringLiteral("CG20261207004"));
}

TEST(PurchaseSignRules, Table)
{
    const struct { const char *t, *d, *p, *s, *msg; } cases[] = {
        {"100", "10", "90", "90", ""},
        {"100", "10", "90", "50", ""},
        {"100", "10", "90", "95", "付款单据，实付额不可大于应付额！"},
        {"100", "-1", "101", "0", "付款单据，优惠额不可为负数！"},
        {"100", "101", "-1", "0", "付款单据，优惠额不可大于总金额！"},
        {"100", "100", "0", "0", ""},
        {"100", "100", "0", "1", "付款单据，实付额不可大于应付额！"},
        {"100", "0", "100", "-1", "付款单据，实付额不可为负数！"},
        {"-50", "-10", "-40", "-40", ""},
        {"-50", "-10", "-40", "-50", "退款单据，实付额不可小于应付额！"},
        {"-50", "-10", "-40", "10", "退款单据，实付额不可为正数！"},
        {"-50", "5", "-55", "-55", "退款单据，优惠额不可为正数！"},
        {"-50", "-51", "1", "0", "退款单据，优惠额不可小于总金额！"},
        {"0", "0", "0", "0", ""},
        {"0", "1", "-1", "-1", "总金额为零，优惠额只可为零！"},
        {"0", "0", "0", "1", "总金额为零，实付额只可为零！"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(purchaseSignRuleMessage(QString::fromUtf8(c.t), QString::fromUtf8(c.d), QString::fromUtf8(c.p),
                                          QString::fromUtf8(c.s)),
                  QString::fromUtf8(c.msg))
            << c.t << " " << c.d << " " << c.p << " " << c.s;
    }
    EXPECT_THROW(purchaseSignRuleMessage(QStringLiteral("1-"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")),
                 MoneyFormatError);
}

TEST_F(PurchaseRules, LinesStatementAndItsGuard)
{
    line(QStringLiteral("CG1"), QStringLiteral("yz"), QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG1"), QStringLiteral("yz"), QStringLiteral("b"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG1"), QStringLiteral("ds"), QStringLiteral("c"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG2"), QStringLiteral("yz"), QStringLiteral("d"), QStringLiteral("1"), QStringLiteral("1"));
    EXPECT_TRUE(ensurePurchaseLines(*dm, QStringLiteral("CG1"), true));
    Query& q = dm->AQcgc1;
    ASSERT_EQ(q.recordCount(), 2);
    q.moveTo(1);
    // Holding the statement already: nothing is re-run, the current line stays.
    EXPECT_FALSE(ensurePurchaseLines(*dm, QStringLiteral("CG1"), true));
    EXPECT_EQ(q.text(QStringLiteral("ppgg")), QStringLiteral("b"));
    // Another window's statement that shows the same line: re-pointed, the line stays current.
    q.setSql({QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("order by id desc")});
    q.open();
    q.locate({QStringLiteral("ppgg")}, {QStringLiteral("b")});
    EXPECT_TRUE(ensurePurchaseLines(*dm, QStringLiteral("CG1"), true));
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.text(QStringLiteral("ppgg")), QStringLiteral("b"));
    // A closed query is opened again.
    q.close();
    EXPECT_TRUE(ensurePurchaseLines(*dm, QStringLiteral("CG1"), true));
    EXPECT_TRUE(q.isOpen());
}

TEST_F(PurchaseRules, RollbackTouchesOnlyTheDocumentInHand)
{
    line(QStringLiteral("CG1"), QStringLiteral("dz"), QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG1"), QStringLiteral("ds"), QStringLiteral("b"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG2"), QStringLiteral("dz"), QStringLiteral("c"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG2"), QStringLiteral("ds"), QStringLiteral("d"), QStringLiteral("1"), QStringLiteral("1"));
    rollbackPurchaseLineMarks(*dm, QStringLiteral("CG1"), false);
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where dh='CG1'"), "1");
    EXPECT_EQ(scalar("SELECT bj FROM cgglc where ppgg='b'"), "ds");
    rollbackPurchaseLineMarks(*dm, QStringLiteral("CG1"), true);
    EXPECT_EQ(scalar("SELECT bj FROM cgglc where ppgg='b'"), "yz");
    EXPECT_EQ(scalar("SELECT group_concat(bj) FROM cgglc where dh='CG2'"), "dz,ds");
}

TEST_F(PurchaseRules, HoldNewDocumentWritesTheHeaderAndCommitsItsMarks)
{
    line(QStringLiteral("CG20261206001"), QStringLiteral("dz"), QStringLiteral("a"), QStringLiteral("5"), QStringLiteral("20"));
    line(QStringLiteral("CG9"), QStringLiteral("dz"), QStringLiteral("other"), QStringLiteral("1"), QStringLiteral("1"));
    ensurePurchaseLines(*dm, QStringLiteral("CG20261206001"), false);
    ASSERT_TRUE(nextPurchaseNumber(*dm, kToday));
    EXPECT_EQ(savePurchase(*dm, input(QStringLiteral("CG20261206001"))), PurchaseSaveResult::Saved);

    const RecordSet h = dm->ADOC1.execute(QStringLiteral(
        "SELECT shbj,zhidan,kdrq,dh,rq,ck,ghs,hjsl,hjje,yhe,yfe,sfe,qk,jsr,bz FROM cgglz"));
    ASSERT_EQ(h.recordCount(), 1);
    QStringList got;
    for (const QVariant& v : h.rows.front()) got << v.toString();
    EXPECT_EQ(got, (QStringList{"未审核", "李四", "2026-12-06", "CG20261206001", "2026-12-01", "一号库", "甲", "5", "100",
                                "10", "90", "50", "40", "张三", "备"}));
    EXPECT_EQ(scalar("SELECT bj FROM cgglc where ppgg='a'"), "yz");
    EXPECT_EQ(scalar("SELECT bj FROM cgglc where ppgg='other'"), "dz");
    // Holding posts nothing.
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), "0");
    EXPECT_EQ(scalar("SELECT count(*) FROM fkfx"), "0");
}

TEST_F(PurchaseRules, SettleNewDocumentPostsIt)
{
    exec(QStringLiteral("insert into sp(lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje) values('电视','T1','彩电','台','一号库',10,2,20)"));
    line(QStringLiteral("CG20261206001"), QStringLiteral("dz"), QStringLiteral("彩电"), QStringLiteral("5"), QStringLiteral("3"));
    line(QStringLiteral("CG20261206001"), QStringLiteral("dz"), QStringLiteral("O'Brien 机"), QStringLiteral("1"), QStringLiteral("85"));
    ensurePurchaseLines(*dm, QStringLiteral("CG20261206001"), false);
    PurchaseSaveInput in = input(QStringLiteral("CG20261206001"));
    in.settle = true;
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::Saved);
    EXPECT_EQ(scalar("SELECT shbj FROM cgglz"), "已审核");
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx where dh='CG20261206001' and rq='2026-12-01'"), "2");
    EXPECT_EQ(scalar("SELECT printf('%g %g %g',kcsl,kcje,kcjg) FROM sp where ppgg='彩电'"), "15 35 2.33");
    EXPECT_EQ(scalar("SELECT printf('%s %g',lb,kcsl) FROM sp where ppgg='O''Brien 机'"), "未知 1");
    EXPECT_EQ(scalar("SELECT printf('%g %s %s',je,shbj,rq) FROM fkfx"), "50 已审核 2026-12-01");
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglc where bj<>'yz'"), "0");
}

TEST_F(PurchaseRules, ModifyModeRewritesTheHeldHeaderByItsNumber)
{
    header(QStringLiteral("CG20261201004"), QStringLiteral("2026-12-01"), QStringLiteral("未审核"));
    header(QStringLiteral("CG20261201005"), QStringLiteral("2026-12-01"), QStringLiteral("未审核"));
    line(QStringLiteral("CG20261201004"), QStringLiteral("yz"), QStringLiteral("kept"), QStringLiteral("5"), QStringLiteral("20"));
    line(QStringLiteral("CG20261201004"), QStringLiteral("ds"), QStringLiteral("gone"), QStringLiteral("1"), QStringLiteral("1"));
    line(QStringLiteral("CG20261201004"), QStringLiteral("dz"), QStringLiteral("added"), QStringLiteral("1"), QStringLiteral("0"));
    // Another window left the header query on the other held document.
    dm->AQcgz1.setSql({QStringLiteral("SELECT * FROM cgglz"), QStringLiteral("order by id")});
    dm->AQcgz1.open();
    dm->AQcgz1.last();
    ensurePurchaseLines(*dm, QStringLiteral("CG20261201004"), true);

    PurchaseSaveInput in = input(QStringLiteral("CG20261201004"));
    in.modifyMode = true;
    in.today = kToday.addDays(3);
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::Saved);
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %g',kdrq,zhidan,ghs,qk) FROM cgglz where dh='CG20261201004'"), "2026-12-01 李四 甲 40");
    EXPECT_EQ(scalar("SELECT zhidan FROM cgglz where dh='CG20261201005'"), "");
    EXPECT_EQ(scalar("SELECT count(*) FROM cgglz"), "2");
    EXPECT_EQ(scalar("SELECT group_concat(ppgg||':'||bj) FROM cgglc"), "kept:yz,added:yz");
    // The query shows the edit.
    ASSERT_TRUE(dm->AQcgz1.locate({QStringLiteral("dh")}, {QStringLiteral("CG20261201004")}));
    EXPECT_EQ(dm->AQcgz1.text(QStringLiteral("zhidan")), QStringLiteral("李四"));
}

TEST_F(PurchaseRules, ModifyModeWritesNothingWhenTheHeldHeaderIsGone)
{
    header(QStringLiteral("CG20261201004"), QStringLiteral("2026-12-01"), QStringLiteral("已审核"));
    line(QStringLiteral("CG20261201004"), QStringLiteral("dz"), QStringLiteral("added"), QStringLiteral("1"), QStringLiteral("0"));
    ensurePurchaseLines(*dm, QStringLiteral("CG20261201004"), true);
    const QString before = dump();
    PurchaseSaveInput in = input(QStringLiteral("CG20261201004"));
    in.modifyMode = true;
    in.settle = true;
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::HeldHeaderMissing);
    in.dh = QStringLiteral("CG20261201099");
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::HeldHeaderMissing);
    EXPECT_EQ(dump(), before);
}

TEST_F(PurchaseRules, FailureMidSaveKeepsNothing)
{
    exec(QStringLiteral("insert into sp(lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje) values('电视','T1','彩电','台','一号库',10,2,20)"));
    line(QStringLiteral("CG20261206001"), QStringLiteral("dz"), QStringLiteral("彩电"), QStringLiteral("5"), QStringLiteral("3"));
    line(QStringLiteral("CG20261206001"), QStringLiteral("dz"), QStringLiteral("新机"), QStringLiteral("2"), QStringLiteral("4"));
    ensurePurchaseLines(*dm, QStringLiteral("CG20261206001"), false);
    ASSERT_TRUE(nextPurchaseNumber(*dm, kToday));
    const QString before = dump();
    PurchaseSaveInput in = input(QStringLiteral("CG20261206001"));
    in.settle = true;

    // The payment row fails after the header, the ledger rows and the stock were written.
    exec(QStringLiteral("create trigger fail_pay before insert on fkfx begin select raise(abort, 'injected'); end"));
    EXPECT_ANY_THROW(savePurchase(*dm, in));
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(dm->ADOC1.inTransaction());
    EXPECT_EQ(dm->AQcgz1.state(), Query::State::Browse);
    EXPECT_EQ(dm->AQcgz1.recordCount(), 0);
    exec(QStringLiteral("drop trigger fail_pay"));

    // The mark commit fails last.
    exec(QStringLiteral("create trigger fail_marks before update on cgglc begin select raise(abort, 'injected'); end"));
    EXPECT_ANY_THROW(savePurchase(*dm, in));
    EXPECT_EQ(dump(), before);
    exec(QStringLiteral("drop trigger fail_marks"));

    // Once the fault is gone the same save goes through.
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::Saved);
    EXPECT_EQ(scalar("SELECT count(*) FROM cgfx"), "2");
    EXPECT_EQ(scalar("SELECT count(*) FROM fkfx"), "1");
    EXPECT_EQ(scalar("SELECT printf('%g',kcsl) FROM sp"), "15");
}

}

// Purchase numbering, the sign rules, the line marks and the save of a purchase document,
// without a window.
#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_save.h"

#include "support/ShopTest.h"

namespace {

const QDate kToday(2026, 12, 6);

class PurchaseRules : public ShopTest {
protected:
    PurchaseRules() : ShopTest(false) {}
    void SetUp() override { Clock::pin(QDateTime(kToday, QTime(10, 0))); }
    void TearDown() override { Clock::unpin(); }
    void header(const char* dh, const char* kdrq, const char* shbj = "已审核")
    {
        exec(QStringLiteral("insert into cgglz(dh,kdrq,rq,shbj,ck,ghs,jsr,hjje,yhe,yfe,sfe,qk) values('%1','%2','%2','%3','一号库','甲','张三',0,0,0,0,0)")
                 .arg(QLatin1String(dh), QLatin1String(kdrq), QString::fromUtf8(shbj)));
    }
    void line(const char* dh, const char* bj, const QString& ppgg, const char* sl = "1", const char* jg = "1")
    {
        exec(QStringLiteral("insert into cgglc(dh,bj,txm,ppgg,dw,sl,jg,zk,je) values('%1','%2','T1',%3,'台',%4,%5,1,%4*%5)")
                 .arg(QLatin1String(dh), QLatin1String(bj), sqlQuote(ppgg), QLatin1String(sl), QLatin1String(jg)));
    }
    QString dump() { return dumpDatabase(*dm); }
    static PurchaseSaveInput input(const char* dh, bool settle = false, bool modifyMode = false)
    {
        return {.modifyMode = modifyMode, .settle = settle, .dh = QLatin1String(dh), .rq = QDate(2026, 12, 1),
                .ck = QStringLiteral("一号库"), .ghs = QStringLiteral("甲"), .jsr = QStringLiteral("张三"),
                .bz = QStringLiteral("备"), .hjsl = QStringLiteral("5"), .hjje = QStringLiteral("100"),
                .yhe = QStringLiteral("10"), .yfe = QStringLiteral("90"), .sfe = QStringLiteral("50"),
                .zhidan = QStringLiteral("李四"), .today = kToday};
    }
};

TEST_F(PurchaseRules, NextNumberFollowsTodaysLastHeader)
{
    // last number of the day -> the next one, by the day's headers and after the number in hand
    const struct { const char* last; const char* next; } steps[] = {
        {nullptr, "CG20261206001"}, {"CG20261206008", "CG20261206009"}, {"CG20261206009", "CG20261206010"},
        {"CG20261206099", "CG20261206100"}, {"CG20261206998", "CG20261206999"}, {"CG20261206999", nullptr}};
    for (const auto& s : steps) {
        exec(QStringLiteral("delete from cgglz"));
        if (s.last)
            header(s.last, "2026-12-06");
        const std::optional<QString> want = s.next ? std::optional<QString>(QLatin1String(s.next)) : std::nullopt;
        EXPECT_EQ(nextPurchaseNumber(*dm, kToday), want) << (s.last ? s.last : "none");
        if (s.last) {
            EXPECT_EQ(nextPurchaseNumberAfter(*dm, QLatin1String(s.last), kToday), want) << s.last;
        }
    }
    // The query stays on the day's headers, as the header save expects.
    EXPECT_EQ(dm->AQcgz1.sqlLines(), (QStringList{"SELECT * FROM cgglz", "where kdrq='2026-12-06'", "order by dh"}));
}

TEST_F(PurchaseRules, NextNumberNeverRepeats)
{
    // Entered today, the highest number in text order counts even with another date on it;
    // a sequence that is not digits is skipped.
    header("CG20261205009", "2026-12-06");
    header("CG20261206003", "2026-12-06");
    header("CG2026120600x", "2026-12-06");
    // Numbers of today that exist already (entered on another day) are stepped over.
    header("CG20261206004", "2026-12-05");
    header("CG20261206005", "2026-12-05");
    EXPECT_EQ(*nextPurchaseNumber(*dm, kToday), QStringLiteral("CG20261206006"));
    EXPECT_EQ(*nextPurchaseNumberAfter(*dm, QStringLiteral("CG20261206003"), kToday), QStringLiteral("CG20261206006"));
    // A number in hand without a sequence asks the database.
    EXPECT_EQ(*nextPurchaseNumberAfter(*dm, QStringLiteral("CGxx"), kToday), QStringLiteral("CG20261206006"));
    // A number that only lines, ledger rows or payment rows still name (its header deleted) is
    // stepped over too: it would inherit them. 998 in hand and 999 so named: the day is used up.
    exec(QStringLiteral("insert into cgglc(dh) values('CG20261206006'); insert into cgfx(dh) values('CG20261206007');"
                        "insert into fkfx(dh) values('CG20261206008'),('CG20261206999')"));
    EXPECT_EQ(*nextPurchaseNumber(*dm, kToday), QStringLiteral("CG20261206009"));
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
        {"100", " - ", "100", "-", ""},   // a lone "-" reads 0, as the save reads it
        {"100", "-", "100", "101", "付款单据，实付额不可大于应付额！"},
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

TEST_F(PurchaseRules, TheLinesGuardKeepsTheCurrentLine)
{
    for (const char* p : {"a", "b"})
        line("CG1", "yz", QLatin1String(p));
    line("CG1", "ds", QStringLiteral("c"));
    line("CG2", "yz", QStringLiteral("d"));
    // Another window's statement that shows the chosen line: re-pointed, the line stays current.
    Query& q = dm->AQcgc1;
    q.setSql({QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("order by id desc")});
    q.open();
    q.locate({QStringLiteral("ppgg")}, {QStringLiteral("b")});
    EXPECT_TRUE(ensurePurchaseLines(*dm, QStringLiteral("CG1"), true));
    EXPECT_EQ(q.sqlLines(), purchaseLinesStatement(QStringLiteral("CG1"), true));
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.text(QStringLiteral("ppgg")), QStringLiteral("b"));
    // Holding it already: nothing is re-run.
    EXPECT_FALSE(ensurePurchaseLines(*dm, QStringLiteral("CG1"), true));
}

TEST_F(PurchaseRules, ModifyModeRewritesTheHeldHeaderByItsNumber)
{
    header("CG20261201004", "2026-12-01", "未审核");
    header("CG20261201005", "2026-12-01", "未审核");
    line("CG20261201004", "yz", QStringLiteral("kept"), "5", "20");
    line("CG20261201004", "ds", QStringLiteral("gone"));
    line("CG20261201004", "dz", QStringLiteral("added"));
    // Another window left the header query on the other held document.
    dm->AQcgz1.setSql({QStringLiteral("SELECT * FROM cgglz"), QStringLiteral("order by id")});
    dm->AQcgz1.open();
    dm->AQcgz1.last();
    ensurePurchaseLines(*dm, QStringLiteral("CG20261201004"), true);

    PurchaseSaveInput in = input("CG20261201004", false, true);
    in.today = kToday.addDays(3);
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::Saved);
    EXPECT_EQ(scalar("SELECT printf('%s %s %s %g',kdrq,zhidan,ghs,qk) FROM cgglz where dh='CG20261201004'"), "2026-12-01 李四 甲 40");
    EXPECT_EQ(scalar("SELECT group_concat(dh||':'||ifnull(zhidan,'')) FROM cgglz"), "CG20261201004:李四,CG20261201005:");
    EXPECT_EQ(scalar("SELECT group_concat(ppgg||':'||bj) FROM cgglc"), "kept:yz,added:yz");
    // The query shows the edit.
    ASSERT_TRUE(dm->AQcgz1.locate({QStringLiteral("dh")}, {QStringLiteral("CG20261201004")}));
    EXPECT_EQ(dm->AQcgz1.text(QStringLiteral("zhidan")), QStringLiteral("李四"));

    // Audited meanwhile, or gone: nothing is written.
    exec(QStringLiteral("update cgglz set shbj='已审核'"));
    const QString before = dump();
    EXPECT_EQ(savePurchase(*dm, input("CG20261201004", true, true)), PurchaseSaveResult::HeldHeaderMissing);
    EXPECT_EQ(savePurchase(*dm, input("CG20261201099", true, true)), PurchaseSaveResult::HeldHeaderMissing);
    EXPECT_EQ(dump(), before);
}

TEST_F(PurchaseRules, SettlingIsAllOrNothingAndPostsByTheDocumentDate)
{
    exec(QStringLiteral("insert into sp(lb,txm,ppgg,dw,ck,kcsl,kcjg,kcje) values('电视','T1','彩电','台','一号库',10,2,20)"));
    line("CG20261206001", "dz", QStringLiteral("彩电"), "5", "3");
    line("CG20261206001", "dz", QStringLiteral("新机"), "2", "4");
    ensurePurchaseLines(*dm, QStringLiteral("CG20261206001"), false);
    ASSERT_TRUE(nextPurchaseNumber(*dm, kToday));
    const QString before = dump();
    const PurchaseSaveInput in = input("CG20261206001", true);

    // The mark commit, last of all, fails after the header, the ledger rows, the stock and the
    // payment were written: none of them is kept.
    exec(QStringLiteral("create trigger fail before update on cgglc begin select raise(abort, 'injected'); end"));
    EXPECT_ANY_THROW(savePurchase(*dm, in));
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(dm->ADOC1.inTransaction());
    EXPECT_EQ(dm->AQcgz1.state(), Query::State::Browse);
    EXPECT_EQ(dm->AQcgz1.recordCount(), 0);
    exec(QStringLiteral("drop trigger fail"));

    // Once the fault is gone the same save goes through: ledger and payment rows carry the
    // document date, not the entry date; the lines are marked saved.
    EXPECT_EQ(savePurchase(*dm, in), PurchaseSaveResult::Saved);
    EXPECT_EQ(scalar("SELECT shbj||(SELECT count(*) FROM cgfx where rq='2026-12-01')||(SELECT count(*) FROM cgglc where bj<>'yz') FROM cgglz"),
              "已审核20");
    EXPECT_EQ(scalar("SELECT printf('%g %s %s',je,shbj,rq) FROM fkfx"), "50 已审核 2026-12-01");
    EXPECT_EQ(scalar("SELECT group_concat(printf('%s %g',lb,kcsl)) FROM sp"), "电视 15,未知 2");
}

}

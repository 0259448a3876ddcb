#pragma once
// The payments and receipts tests' shop, on 2024-05-03, the same on either side (purchase
// headers and payments, or sales headers and receipts), so one set of cases runs on both:
//
//   documents (id, number, state, party, due/paid/debt)      rows (id, state, date, document, amount)
//   1 <P>20240501001 已审核 华强电器 100/30/70                 1 已审核 2024-05-01 1  30
//   2 <P>20240501002 未审核 华强电器  50/0/50                  2 已审核 2024-05-02 3  200
//   3 <P>20240502001 已审核 美的专卖 200/200/0                 3 已审核 2024-05-02 5  -40 (a refund)
//   4 <P>20240502002 已审核 华强电器 -40/0/-40                 4 未审核 2024-05-03 1  50
//   5 <P>20240502003 已审核 华强电器 -40/-40/0
//   6 <P>20240503001 已审核 美的专卖 300/0/300
//
// <P> is "CG" for payments and "XS" for receipts; every handler is 张三, every document in
// 一号库. The payables and receivables tables list the open items 1, 4 and 6 of the same shop.

#include "finance_test.h"

#include "data/Clock.h"
#include "finance/Ufkfx1.h"
#include "finance/Uyffx1.h"
#include "finance/settlement.h"
#include "queries/Ullcgd1.h"
#include "queries/Ullxsd1.h"

#include <QCoreApplication>

// A side as the cases see it: the code's side for its tables and columns, and every text the
// side shows the user, written out here.
struct SideCase {
    const char* name;
    const SettlementSide& (*code)();
    // The list, its condition dialog and its print.
    const char *listCaption, *legend, *dialogPartyLabel, *amountTitle, *reportName;
    QStringList typeItems;
    // The entry dialog and its open-item picker, whose titles the open-items table shares.
    const char *newCaption, *modifyCaption, *partyLabel, *amountLabel, *zeroAmountRefusal, *emptiedAmount;
    const char *pickerHint, *pickerCaption, *dueTitle, *paidTitle;
    // The payables (receivables) table.
    const char *itemsCaption, *itemsLegend, *itemsReportName, *noItemRefusal;
    QStringList itemsTypeItems;
};

inline const SideCase kPayments{
    .name = "Payments", .code = paymentSide,
    .listCaption = "采购付款明细表", .legend = "付款＜0：采购退款", .dialogPartyLabel = "厂　　商",
    .amountTitle = "付款金额", .reportName = "付款明细表", .typeItems = {"全部", "采购付款", "采购退款"},
    .newCaption = "新增付款", .modifyCaption = "修改付款", .partyLabel = "厂商", .amountLabel = "本次付款",
    .zeroAmountRefusal = "本次付款不可为零！", .emptiedAmount = "0", .pickerHint = "选择应付帐单",
    .pickerCaption = "选择应付帐单（采购欠款单）", .dueTitle = "应付额", .paidTitle = "实付额",
    .itemsCaption = "采购应付明细表", .itemsLegend = "欠款＜0：采购应退款（厂商欠本店的款）",
    .itemsReportName = "应付明细表", .noItemRefusal = "没有单据可查阅！", .itemsTypeItems = {"全部", "采购应付", "采购应退"},
};
inline const SideCase kReceipts{
    .name = "Receipts", .code = receiptSide,
    .listCaption = "销售收款明细表", .legend = "收款＜0：销售退款", .dialogPartyLabel = "客　　户",
    .amountTitle = "收款金额", .reportName = "收款明细表", .typeItems = {"全部", "销售收款", "销售退款"},
    .newCaption = "新增收款", .modifyCaption = "修改收款", .partyLabel = "客户", .amountLabel = "本次收款",
    .zeroAmountRefusal = "本次收款不可为零！", .emptiedAmount = "0.00", .pickerHint = "选择应收帐单",
    .pickerCaption = "选择应收帐单（销售欠款单）", .dueTitle = "应收额", .paidTitle = "实收额",
    .itemsCaption = "销售应收明细表", .itemsLegend = "欠款＜0：销售应退款（本店欠客户的款）",
    .itemsReportName = "应收明细表", .noItemRefusal = "没有明细可查阅！", .itemsTypeItems = {"全部", "销售应收", "销售应退"},
};

class SettlementShop : public ShopTest, public ::testing::WithParamInterface<const SideCase*> {
protected:
    const SideCase& texts = *GetParam();
    const SettlementSide& side = texts.code();
    bool payments() const { return &texts == &kPayments; }

    // The number of document i (1 to 6 above; 7 and on are free).
    QString doc(int i) const
    {
        static const char* const numbers[] = {"20240501001", "20240501002", "20240502001",
                                              "20240502002", "20240502003", "20240503001"};
        const QString tail = i >= 1 && i <= 6 ? QString::fromLatin1(numbers[i - 1]) : QStringLiteral("20240504%1").arg(i, 3, 10, QLatin1Char('0'));
        return (payments() ? QStringLiteral("CG") : QStringLiteral("XS")) + tail;
    }

    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 5, 3), QTime(10, 0)));
        const struct { const char *rq, *shbj, *party, *due, *paid; } docs[] = {
            {"2024-05-01", "已审核", "华强电器", "100", "30"}, {"2024-05-01", "未审核", "华强电器", "50", "0"},
            {"2024-05-02", "已审核", "美的专卖", "200", "200"}, {"2024-05-02", "已审核", "华强电器", "-40", "0"},
            {"2024-05-02", "已审核", "华强电器", "-40", "-40"}, {"2024-05-03", "已审核", "美的专卖", "300", "0"}};
        for (int i = 0; i < 6; ++i)
            addDocument(doc(i + 1), docs[i].rq, docs[i].shbj, docs[i].party, docs[i].due, docs[i].paid);
        const struct { const char *shbj, *rq; int doc; const char* je; } rows[] = {
            {"已审核", "2024-05-01", 1, "30"}, {"已审核", "2024-05-02", 3, "200"},
            {"已审核", "2024-05-02", 5, "-40"}, {"未审核", "2024-05-03", 1, "50"}};
        for (const auto& r : rows)
            exec(QStringLiteral("INSERT INTO %1 (shbj,rq,dh,%2,je,jsr,bz) SELECT %3,%4,dh,%2,%5,'张三','' FROM %6 WHERE dh=%7")
                     .arg(side.rowTable, side.partyColumn, sqlQuote(r.shbj), sqlQuote(r.rq), r.je, side.docTable,
                          sqlQuote(doc(r.doc))));
    }

    // Closes every window the cases open: the lists, the tables and the browsers they show.
    void TearDown() override
    {
        for (QWidget* w : std::initializer_list<QWidget*>{Ffkfx1, Fskfx1, Fyffx1, Fysfx1, Fllcgd1, Fllxsd1})
            delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Clock::unpin();
    }

    void addDocument(const QString& dh, const QString& rq, const QString& shbj, const QString& party,
                     const QString& due, const QString& paid)
    {
        exec(QStringLiteral("INSERT INTO %1 (dh,rq,kdrq,shbj,zhidan,ck,%2,jsr,bz,hjsl,hjje,yhe,%3,%4,qk) "
                            "VALUES (%5,%6,%6,%7,'系统管理员','一号库',%8,'张三','',1,%9,0,%9,%10,%9-(%10))")
                 .arg(side.docTable, side.partyColumn, side.dueColumn, side.paidColumn, sqlQuote(dh), sqlQuote(rq),
                      sqlQuote(shbj), sqlQuote(party), due, paid));
    }

    // Document i's paid amount and debt: "80/20".
    QString debt(int i)
    {
        return scalar(QStringLiteral("SELECT %1||'/'||qk FROM %2 WHERE id=%3").arg(side.paidColumn, side.docTable).arg(i));
    }
    // Row id's state, date, number, party and amount: "已审核|2024-05-03|CG20240501001|华强电器|50".
    QString row(int id)
    {
        return scalar(QStringLiteral("SELECT shbj||'|'||rq||'|'||dh||'|'||%1||'|'||je FROM %2 WHERE id=%3")
                          .arg(side.partyColumn, side.rowTable).arg(id));
    }
    // Every document's paid amount and debt by id: "1:30/70 2:0/50 ...".
    QString documents()
    {
        return scalar(QStringLiteral("SELECT group_concat(id||':'||%1||'/'||qk, ' ') FROM %2").arg(side.paidColumn, side.docTable));
    }

    // A trigger that aborts the updates of table (only those where when holds, when given).
    void blockUpdates(const QString& table, const QString& when = QString())
    {
        exec(QStringLiteral("CREATE TRIGGER blocked BEFORE UPDATE ON %1 %2 BEGIN SELECT RAISE(ABORT, 'blocked'); END")
                 .arg(table, when.isEmpty() ? QString() : QStringLiteral("WHEN ") + when));
    }
};

inline void PrintTo(const SideCase* c, std::ostream* os) { *os << c->name; }

#define SETTLEMENT_SIDES(Suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(BothSides, Suite, ::testing::Values(&kPayments, &kReceipts),           \
                             [](const auto& p) { return std::string(p.param->name); })

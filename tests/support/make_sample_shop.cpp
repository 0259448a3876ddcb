// make_sample_shop <path>: creates a database at path and fills it with the sample shop and a
// month of its business (purchases, retail and wholesale sales, a movement, a transfer,
// payments, receipts, other income and expense), posted as the program posts them, so that
// every list and table has something to show when the program is tried.
#include "SampleShop.h"

#include "data/Money.h"
#include "data/Sql.h"
#include "documents/postings.h"
#include "documents/purchase_posting.h"
#include "finance/other_income.h"
#include "finance/settlement.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <cstdio>

namespace {

struct Line {
    const char *txm, *ppgg, *dw;
    const char *sl, *jg;
    const char* cbjg = "0";   // sales: the unit cost at sale
};

struct Doc {
    const char* kind;   // "CG", "XS", "PF", "YD", "DB"
    int day;            // days before today
    bool audited;
    const char *ck, *party, *jsr;   // party: supplier, customer, movement reason or ck2
    std::initializer_list<Line> lines;
    const char* discount = "0";
    const char* paid = nullptr;     // paid or received at once; nullptr: all that is due
};

const Doc Docs[] = {
    {"CG", 30, true, "一号库", "华南电器", "王小明", {{"A01", "长虹彩电29寸", "台", "5", "1480"}, {"E01", "九阳豆浆机", "个", "10", "205"}}},
    {"CG", 20, true, "二号库", "北方电子", "李红", {{"B02", "美的冰箱220升", "台", "2", "2380"}}, "0", "3000"},
    {"CG", 5, false, "一号库", "华北电器", "李红", {{"C01", "小天鹅洗衣机", "台", "4", "975"}}},
    {"CG", 0, true, "一号库", "华南电器", "王小明", {{"F01", "遥控器", "个", "20", "14.5"}, {"E02", "美的电饭煲", "个", "-1", "168"}}},
    {"XS", 25, true, "一号库", "", "陈静", {{"A01", "长虹彩电29寸", "台", "1", "1800", "1500"}}},
    {"PF", 15, true, "一号库", "李四商店", "赵刚", {{"C01", "小天鹅洗衣机", "台", "3", "1080", "980"}, {"E02", "美的电饭煲", "个", "2", "190", "168"}}, "20", "2000"},
    {"XS", 2, false, "一号库", "", "陈静", {{"D01", "格力空调1.5匹", "台", "1", "3100", "2650"}}},
    {"XS", 0, true, "二号库", "王五公司", "赵刚", {{"E03", "飞利浦剃须刀", "把", "2", "169", "125.25"}, {"A01", "长虹彩电29寸", "台", "-1", "1800", "1500"}}},
    {"YD", 10, true, "一号库", "商品报损", "王小明", {{"F01", "遥控器", "个", "-2", "15"}}},
    {"YD", 4, false, "二号库", "盘盈入库", "李红", {{"C02", "荣事达洗衣机", "台", "1", "860"}}},
    {"DB", 8, true, "一号库", "二号库", "陈静", {{"E01", "九阳豆浆机", "个", "5", "210.5"}}},
};

QString u(const char* s) { return QString::fromUtf8(s); }

void addDocument(TDM1& dm, const Doc& d, int sequence)
{
    Connection& c = dm.ADOC1;
    const QDate day = QDate::currentDate().addDays(-d.day);
    const QString kind = u(d.kind);
    const QString dh = kind + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("%1").arg(sequence, 3, 10, QLatin1Char('0'));
    const QString rq = day.toString(QStringLiteral("yyyy-MM-dd"));
    const bool purchase = kind == QLatin1String("CG"), sales = kind == QLatin1String("XS") || kind == QLatin1String("PF");
    const QString lines = purchase ? QStringLiteral("cgglc") : sales ? QStringLiteral("xsglc")
                        : kind == QLatin1String("YD") ? QStringLiteral("rkglc") : QStringLiteral("dbglc");
    Money hjsl, hjje;
    for (const Line& l : d.lines) {
        const Money sl = Money::parse(u(l.sl)), jg = Money::parse(u(l.jg)), je = (sl * jg).round2();
        hjsl += sl;
        hjje += je;
        QString cols = QStringLiteral("dh,bj,txm,ppgg,dw,sl,jg,je");
        QString vals = QStringList{sqlQuote(dh), QStringLiteral("'yz'"), sqlQuote(u(l.txm)), sqlQuote(u(l.ppgg)),
                                   sqlQuote(u(l.dw)), sl.plainText(), jg.plainText(), je.plainText()}.join(',');
        if (purchase || sales) {
            cols += QStringLiteral(",zk");
            vals += QStringLiteral(",1");
        }
        if (sales) {
            const Money cbjg = Money::parse(u(l.cbjg)), cbje = (sl * cbjg).round2();
            cols += QStringLiteral(",cbjg,cbje,maoli");
            vals += QStringLiteral(",%1,%2,%3").arg(cbjg.plainText(), cbje.plainText(), (je - cbje).plainText());
        }
        c.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(lines, cols, vals));
    }
    const QString shbj = d.audited ? QStringLiteral("已审核") : QStringLiteral("未审核");
    const QString common = QStringList{sqlQuote(dh), sqlQuote(rq), sqlQuote(rq), sqlQuote(shbj),
                                       QStringLiteral("'系统管理员'"), sqlQuote(u(d.jsr)), QStringLiteral("''"),
                                       hjsl.plainText(), hjje.plainText()}.join(',');
    const QString commonCols = QStringLiteral("dh,rq,kdrq,shbj,zhidan,jsr,bz,hjsl,hjje");
    if (purchase || sales) {
        const Money discount = Money::parse(u(d.discount)), due = hjje - discount;
        const Money paid = d.paid ? Money::parse(u(d.paid)) : due;
        c.exec(QStringLiteral("INSERT INTO %1 (%2,ck,%3,yhe,%4,qk) VALUES (%5,%6,%7,%8,%9,%10)")
                   .arg(purchase ? QStringLiteral("cgglz") : QStringLiteral("xsglz"), commonCols,
                        purchase ? QStringLiteral("ghs") : QStringLiteral("kh"),
                        purchase ? QStringLiteral("yfe,sfe") : QStringLiteral("yse,sse"), common,
                        sqlQuote(u(d.ck)), sqlQuote(u(d.party)), discount.plainText(),
                        due.plainText() + QLatin1Char(',') + paid.plainText())
                   .arg((due - paid).plainText()));
        if (!d.audited)
            return;
        if (sales) {
            postSales(dm, dh);
            return;
        }
        dm.AQcgc1.reopen({QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("where dh=") + sqlQuote(dh), QStringLiteral("order by id")});
        postPurchase(dm, PurchaseDocFields{.dh = dh, .ck = u(d.ck), .ghs = u(d.party), .jsr = u(d.jsr), .bz = QString(),
                                           .sfe = paid.plainText(), .rq = day});
        dm.AQcgc1.close();
    } else if (kind == QLatin1String("YD")) {
        c.exec(QStringLiteral("INSERT INTO rkglz (%1,ck,lx) VALUES (%2,%3,%4)")
                   .arg(commonCols, common, sqlQuote(u(d.ck)), sqlQuote(u(d.party))));
        if (d.audited)
            postMovement(dm, dh);
    } else {
        c.exec(QStringLiteral("INSERT INTO dbglz (%1,ck1,ck2) VALUES (%2,%3,%4)")
                   .arg(commonCols, common, sqlQuote(u(d.ck)), sqlQuote(u(d.party))));
        if (d.audited)
            postTransfer(dm, dh);
    }
}

void addBusiness(TDM1& dm)
{
    int sequence = 0;
    QString last;
    for (const Doc& d : Docs) {
        const QString key = u(d.kind) + QString::number(d.day);
        sequence = key == last ? sequence + 1 : 1;
        last = key;
        addDocument(dm, d, sequence);
    }
    const QDate today = QDate::currentDate();
    // A later payment on the partly paid purchase, a receipt on the wholesale debt.
    const QString cg = QStringLiteral("CG") + today.addDays(-20).toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("001");
    const QString pf = QStringLiteral("PF") + today.addDays(-15).toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("001");
    saveSettlement(dm, paymentSide(), {.date = today.addDays(-3), .dh = cg, .party = u("北方电子"), .amount = Money::parse("1000"), .jsr = u("李红"), .bz = {}});
    saveSettlement(dm, receiptSide(), {.date = today.addDays(-1), .dh = pf, .party = u("李四商店"), .amount = Money::parse("500"), .jsr = u("赵刚"), .bz = {}});
    const struct { int day; const char *lb, *xm, *je, *jsr; } entries[] = {
        {28, "支出", "房租", "3000", "王小明"}, {14, "收入", "维修收入", "150", "李红"}, {0, "支出", "水电费", "420.5", "陈静"}};
    dm.AQszfx1.reopen({QStringLiteral("SELECT * FROM szfx"), QStringLiteral("order by id")});
    for (const auto& e : entries)
        saveOtherIncome(dm, {.rq = today.addDays(-e.day), .lb = u(e.lb), .xm = u(e.xm), .je = u(e.je), .jsr = u(e.jsr), .bz = {}}, false);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_shop <path>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s already exists\n", argv[1]);
        return 1;
    }
    try {
        TDM1 dm(path);
        DM1 = &dm;
        buildSampleShop(dm);
        addBusiness(dm);
        DM1 = nullptr;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("sample shop written to %s\n", argv[1]);
    return 0;
}

#pragma once
// The movement and transfer tests' shop (company 顺达电器), headers by id:
//   movements 1 YD20240110001 主仓库 商品报损, audited: A01 冰箱 -4 at 5, B02 电饭煲 6 at 2.5
//             (2, -5); 2 YD20240111001 二号仓 盘盈入库, held: C03 台灯 3 at 2.5 (3, 7.5);
//   transfers 1 DB20240112001 主仓库 -> 二号仓, audited: E05 微波炉 3 at 10 (3, 30);
//             2 DB20240113001 二号仓 -> 三号仓, held: E05 1 at 12.5 (1, 12.5).
// The audited ones are posted as settling posts them, which leaves the goods rows A01
// 20/5/100, B02 10/2.5/25 in 主仓库 and E05 5/10/50 in 主仓库, 8/12.5/100 in 二号仓.
// The two lists are twins: a test runs on either through its Kind.

#include "data/Clock.h"
#include "documents/posting_fixture.h"
#include "documents/postings.h"
#include "list_shop.h"
#include "queries/Udbgl1.h"
#include "queries/Ulldbd1.h"
#include "queries/Ullrkd1.h"
#include "queries/Urkgl1.h"

#include <QApplication>

enum Kind { Movement, Transfer };
const Kind kKinds[] = {Movement, Transfer};

class StockShop : public PostingShop {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 2, 15), QTime(10, 0)));
        exec("UPDATE danwei SET mcdy='顺达电器'");
        addGoods("A01", "冰箱", "主仓库", "24", "5", "120");
        addGoods("B02", "电饭煲", "主仓库", "4", "2.5", "10");
        addGoods("E05", "微波炉", "主仓库", "8", "10", "80");
        addGoods("E05", "微波炉", "二号仓", "5", "12.5", "62.5");
        document(Movement, "YD20240110001", "主仓库", "商品报损", "已审核", {"A01|冰箱|-4|5", "B02|电饭煲|6|2.5"});
        document(Movement, "YD20240111001", "二号仓", "盘盈入库", "未审核", {"C03|台灯|3|2.5"});
        document(Transfer, "DB20240112001", "主仓库", "二号仓", "已审核", {"E05|微波炉|3|10"});
        document(Transfer, "DB20240113001", "二号仓", "三号仓", "未审核", {"E05|微波炉|1|12.5"});
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Fllrkd1.data();
        delete Flldbd1.data();
        delete Frkgl1.data();
        delete Fdbgl1.data();
        Clock::unpin();
    }

    // A document dated by its number, its lines "txm|ppgg|sl|jg" (je = sl x jg) and its
    // totals; posted when audited. Movement: a is the warehouse and b the reason; transfer:
    // a and b are the warehouses.
    void document(Kind k, const QString& dh, const QString& a, const QString& b, const QString& shbj,
                  const QStringList& items)
    {
        Money hjsl, hjje;
        for (const QString& l : items) {
            const QStringList f = l.split('|');
            const Money sl = Money::parse(f[2]), je = sl * Money::parse(f[3]);
            hjsl += sl;
            hjje += je;
            exec(QStringLiteral("INSERT INTO %1 (dh,bj,txm,ppgg,dw,sl,jg,je) VALUES (%2,'yz',%3,%4,'台',%5,%6,%7)")
                     .arg(k == Movement ? "rkglc" : "dbglc", sqlQuote(dh), sqlQuote(f[0]), sqlQuote(f[1]), f[2], f[3],
                          je.plainText()));
        }
        const QString rq = sqlQuote(dh.mid(2, 4) + '-' + dh.mid(6, 2) + '-' + dh.mid(8, 2));
        exec(QStringLiteral("INSERT INTO %1 (dh,rq,kdrq,shbj,zhidan,%2,jsr,bz,hjsl,hjje) "
                            "VALUES (%3,%4,%4,%5,'系统管理员',%6,%7,%8)")
                 .arg(headerTable(k), k == Movement ? "ck,lx" : "ck1,ck2", sqlQuote(dh), rq, sqlQuote(shbj),
                      sqlQuote(a) + ',' + sqlQuote(b), k == Movement ? "'王五','月底盘点'" : "'赵六','补货'",
                      hjsl.plainText() + ',' + hjje.plainText()));
        if (shbj == QStringLiteral("已审核"))
            k == Movement ? postMovement(*dm, dh) : postTransfer(*dm, dh);
    }

    // ---- Either list, by kind ----
    static QString headerTable(Kind k) { return k == Movement ? "rkglz" : "dbglz"; }
    static QString audited(Kind k) { return k == Movement ? "YD20240110001" : "DB20240112001"; }
    static QString held(Kind k) { return k == Movement ? "YD20240111001" : "DB20240113001"; }
    Query& headers(Kind k) const { return k == Movement ? dm->AQrkz1 : dm->AQdbz1; }
    Query& lineQuery(Kind k) const { return k == Movement ? dm->AQrkc1 : dm->AQdbc1; }
    // The list, opened as the menu opens it; the open list; its browser (nullptr: none).
    DocumentList& list(Kind k)
    {
        k == Movement ? openMovementList() : openTransferList();
        return window(k);
    }
    static DocumentList& window(Kind k) { return k == Movement ? *Frkgl1 : static_cast<DocumentList&>(*Fdbgl1); }
    static DocumentBrowser* browser(Kind k)
    {
        return k == Movement ? static_cast<DocumentBrowser*>(Fllrkd1.data()) : Flldbd1.data();
    }
    // Opens the list's condition dialog through SB77 and hands it to step.
    void dialog(Kind k, std::function<void(TConditionDialog&)> step) { runConditionDialog(modal, window(k), step); }
    // The list with every header, by id.
    DocumentList& listAll(Kind k)
    {
        list(k);
        dialog(k, [](TConditionDialog& d) { d.BitBtn1->click(); });
        return window(k);
    }
    static QStringList panels(Kind k) { return {window(k).StatusBar1->panelText(2), window(k).StatusBar1->panelText(3)}; }
    QStringList numbers(Kind k) const { return columnTexts(headers(k), "dh"); }
    bool moveTo(Kind k, const QString& dh) { return headers(k).locate({QStringLiteral("dh")}, {dh}); }
    // Goods rows as "txm ck kcsl kcje kcjg" (lb first when withCategory), by id.
    QStringList goods(const QString& where = "1", bool withCategory = false)
    {
        return lines(QStringLiteral("SELECT %1txm,ck,kcsl,kcje,kcjg FROM sp WHERE %2 ORDER BY id")
                         .arg(withCategory ? "lb," : "", where),
                     ' ');
    }
};

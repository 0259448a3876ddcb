#pragma once
// The movement and transfer tests' shop (company 顺达电器), headers by id:
//   movements 1 YD20240110001 主仓库 商品报损, audited: A01 冰箱 -4 at 5, B02 电饭煲 6 at 2.5
//             (2, -5); 2 YD20240111001 二号仓 盘盈入库, held: C03 台灯 3 at 2.5 (3, 7.5);
//   transfers 1 DB20240112001 主仓库 -> 二号仓, audited: E05 微波炉 3 at 10 (3, 30);
//             2 DB20240113001 二号仓 -> 三号仓, held: E05 1 at 12.5 (1, 12.5).
// The audited ones are posted as settling posts them, which leaves the goods rows A01
// 20/5/100, B02 10/2.5/25 in 主仓库 and E05 5/10/50 in 主仓库, 8/12.5/100 in 二号仓.
//
// The two lists are twins; a test runs on either through its Kind.

#include "data/Clock.h"
#include "documents/posting_fixture.h"
#include "documents/postings.h"
#include "list_shop.h"
#include "queries/Ucxdb1.h"
#include "queries/Ucxrk1.h"
#include "queries/Udbgl1.h"
#include "queries/Ulldbd1.h"
#include "queries/Ullrkd1.h"
#include "queries/Urkgl1.h"

#include <QApplication>

enum class Kind { Movement, Transfer };

inline std::ostream& operator<<(std::ostream& os, Kind k) { return os << (k == Kind::Movement ? "movement" : "transfer"); }

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
        movement("YD20240110001", "2024-01-10", "主仓库", "商品报损", "已审核", {"A01|冰箱|-4|5", "B02|电饭煲|6|2.5"});
        movement("YD20240111001", "2024-01-11", "二号仓", "盘盈入库", "未审核", {"C03|台灯|3|2.5"});
        transfer("DB20240112001", "2024-01-12", "主仓库", "二号仓", "已审核", {"E05|微波炉|3|10"});
        transfer("DB20240113001", "2024-01-13", "二号仓", "三号仓", "未审核", {"E05|微波炉|1|12.5"});
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

    // Lines "txm|ppgg|sl|jg" (je = sl x jg) of dh in table; returns the totals "hjsl,hjje".
    QString addLines(const char* table, const QString& dh, const QStringList& items)
    {
        Money hjsl, hjje;
        for (const QString& l : items) {
            const QStringList f = l.split('|');
            const Money sl = Money::parse(f[2]), je = sl * Money::parse(f[3]);
            hjsl += sl;
            hjje += je;
            exec(QStringLiteral("INSERT INTO %1 (dh,bj,txm,ppgg,dw,sl,jg,je) VALUES (%2,'yz',%3,%4,'台',%5,%6,%7)")
                     .arg(QLatin1String(table), sqlQuote(dh), sqlQuote(f[0]), sqlQuote(f[1]), f[2], f[3],
                          je.plainText()));
        }
        return hjsl.plainText() + ',' + hjje.plainText();
    }
    // A movement and its lines, posted when audited.
    void movement(const QString& dh, const QString& rq, const QString& ck, const QString& lx, const QString& shbj,
                  const QStringList& items)
    {
        const QString totals = addLines("rkglc", dh, items);
        exec(QStringLiteral("INSERT INTO rkglz (dh,rq,kdrq,shbj,zhidan,ck,jsr,bz,hjsl,hjje,lx) "
                            "VALUES (%1,%2,%2,%3,'系统管理员',%4,'王五','月底盘点',%5,%6)")
                 .arg(sqlQuote(dh), sqlQuote(rq), sqlQuote(shbj), sqlQuote(ck), totals, sqlQuote(lx)));
        if (shbj == QStringLiteral("已审核"))
            postMovement(*dm, dh);
    }
    // A transfer and its lines, posted when audited.
    void transfer(const QString& dh, const QString& rq, const QString& ck1, const QString& ck2, const QString& shbj,
                  const QStringList& items)
    {
        const QString totals = addLines("dbglc", dh, items);
        exec(QStringLiteral("INSERT INTO dbglz (dh,rq,kdrq,shbj,zhidan,ck1,ck2,jsr,bz,hjsl,hjje) "
                            "VALUES (%1,%2,%2,%3,'系统管理员',%4,%5,'赵六','补货',%6)")
                 .arg(sqlQuote(dh), sqlQuote(rq), sqlQuote(shbj), sqlQuote(ck1), sqlQuote(ck2), totals));
        if (shbj == QStringLiteral("已审核"))
            postTransfer(*dm, dh);
    }
    // Sets a goods row's quantity, cost and amount.
    void setStock(const char* txm, const char* ck, const char* kcsl, const char* kcjg, const char* kcje)
    {
        exec(QStringLiteral("UPDATE sp SET kcsl=%3,kcjg=%4,kcje=%5 WHERE txm=%1 AND ck=%2")
                 .arg(sqlQuote(txm), sqlQuote(ck), kcsl, kcjg, kcje));
    }

    // ---- Either list, by kind ----
    static const char* headerTable(Kind k) { return k == Kind::Movement ? "rkglz" : "dbglz"; }
    static const char* lineTable(Kind k) { return k == Kind::Movement ? "rkglc" : "dbglc"; }
    // The audited document of the kind and the held one.
    static QString audited(Kind k) { return k == Kind::Movement ? "YD20240110001" : "DB20240112001"; }
    static QString held(Kind k) { return k == Kind::Movement ? "YD20240111001" : "DB20240113001"; }
    Query& headers(Kind k) const { return k == Kind::Movement ? dm->AQrkz1 : dm->AQdbz1; }
    Query& lineQuery(Kind k) const { return k == Kind::Movement ? dm->AQrkc1 : dm->AQdbc1; }

    // The list, opened as the menu opens it.
    DocumentList& list(Kind k)
    {
        k == Kind::Movement ? openMovementList() : openTransferList();
        return window(k);
    }
    // The open list.
    static DocumentList& window(Kind k) { return k == Kind::Movement ? *Frkgl1 : static_cast<DocumentList&>(*Fdbgl1); }
    DocumentBrowser* browser(Kind k) const
    {
        return k == Kind::Movement ? static_cast<DocumentBrowser*>(Fllrkd1.data()) : Flldbd1.data();
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
    // Panels 2 and 3.
    static QStringList panels(Kind k) { return {window(k).StatusBar1->panelText(2), window(k).StatusBar1->panelText(3)}; }
    QStringList numbers(Kind k) const { return columnTexts(headers(k), "dh"); }
    bool moveTo(Kind k, const QString& dh) { return headers(k).locate({QStringLiteral("dh")}, {dh}); }
    // The stock of every goods row, as a check that nothing changed.
    QString allStock() { return lines("SELECT txm,ck,kcsl,kcje,kcjg FROM sp ORDER BY id").join(';'); }
};

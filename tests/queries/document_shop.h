#pragma once
// The document lists' shop (company 顺达电器 with its two footnotes) on 2024-02-15: two or
// three documents of each kind, the audited ones posted as settling posts them. By id:
//   purchase  1 CG20240101001 华南电器, audited: P01 彩电 2 at 30, P02 风扇 1 at 40.25, paid;
//             2 CG20240102001 北方电子, held: P01 1 at 30, P03 音箱 1 at 20.25, 30.25 owed;
//   sales     1 XS20240105001, no customer, audited: 冰箱 2 at 1800 (cost 1500);
//             2 PF20240105001 百货商场, audited, 1999.75 owed: 电饭煲 11 at 500 (cost 350)
//               and a return of one "3' 插线板" at 489.75 (cost 300);
//             3 XS20240106001 张先生, held: 台灯 1 at 99.5;
//   movement  1 YD20240110001 主仓库 商品报损, audited: M01 冰箱 -4 at 5, M02 电饭煲 6 at 2.5;
//             2 YD20240111001 二号仓 盘盈入库, held: M03 台灯 3 at 2.5;
//   transfer  1 DB20240112001 主仓库 -> 二号仓, audited: E05 微波炉 3 at 10;
//             2 DB20240113001 二号仓 -> 三号仓, held: E05 1 at 12.5.
// The goods rows after the postings (主仓库 unless said): P01 12/80/6.67, P02 1/40.25;
// A01 8/12000/1500 (and 5/7500 in 二号仓), B02 9/3150/350, C03 6/1800/300; M01 20/100/5,
// M02 10/25/2.5; E05 5/50/10, and 8/100/12.5 in 二号仓. The four lists are twins: a test
// runs on each through its Kind.

#include "Windows.h"
#include "data/Clock.h"
#include "documents/posting_fixture.h"
#include "documents/postings.h"
#include "queries/Ucggl1.h"
#include "queries/Ucxcg1.h"
#include "queries/Udbgl1.h"
#include "queries/Ullcgd1.h"
#include "queries/Ulldbd1.h"
#include "queries/Ullrkd1.h"
#include "queries/Ullxsd1.h"
#include "queries/Urkgl1.h"
#include "queries/Uxsgl1.h"
#include "ui/Controls.h"

#include <QApplication>
#include <QPushButton>

enum Kind { Purchase, Sales, Movement, Transfer };
const Kind kKinds[] = {Purchase, Sales, Movement, Transfer};

class DocumentShop : public PostingShop {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 2, 15), QTime(10, 0)));
        exec("UPDATE danwei SET mcdy='顺达电器', bz3='货物售出，概不退换', bz4='谢谢惠顾'");
        addGoods("P01", "彩电", "主仓库", "10", "2", "20");
        addGoods("A01", "冰箱", "主仓库", "10", "1500", "15000");
        addGoods("A01", "冰箱", "二号仓", "5", "1500", "7500");
        addGoods("B02", "电饭煲", "主仓库", "20", "350", "7000");
        addGoods("C03", "3' 插线板", "主仓库", "5", "300", "1500");
        addGoods("M01", "冰箱", "主仓库", "24", "5", "120");
        addGoods("M02", "电饭煲", "主仓库", "4", "2.5", "10");
        addGoods("E05", "微波炉", "主仓库", "8", "10", "80");
        addGoods("E05", "微波炉", "二号仓", "5", "12.5", "62.5");
        document(Purchase, "CG20240101001", "华南电器", "", "已审核", {"P01|彩电|2|30", "P02|风扇|1|40.25"});
        document(Purchase, "CG20240102001", "北方电子", "0,20", "未审核", {"P01|彩电|1|30", "P03|音箱|1|20.25"});
        document(Sales, "XS20240105001", "", "", "已审核", {"A01|冰箱|2|1800|1500"});
        document(Sales, "PF20240105001", "百货商场", "10.25,3000.25", "已审核",
                 {"B02|电饭煲|11|500|350", "C03|3' 插线板|-1|489.75|300"});
        document(Sales, "XS20240106001", "张先生", "", "未审核", {"D04|台灯|1|99.5|60"});
        document(Movement, "YD20240110001", "主仓库", "商品报损", "已审核", {"M01|冰箱|-4|5", "M02|电饭煲|6|2.5"});
        document(Movement, "YD20240111001", "二号仓", "盘盈入库", "未审核", {"M03|台灯|3|2.5"});
        document(Transfer, "DB20240112001", "主仓库", "二号仓", "已审核", {"E05|微波炉|3|10"});
        document(Transfer, "DB20240113001", "二号仓", "三号仓", "未审核", {"E05|微波炉|1|12.5"});
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (Kind k : kKinds) {
            delete browser(k);
            delete windowOrNull(k);
        }
        Clock::unpin();
    }

    // A document dated by its number and its lines "txm|ppgg|sl|jg" (sales: "|cbjg" added;
    // je = sl x jg), totals from the lines; posted when audited. Purchase and sales: a is the
    // party, b "yhe,paid" (empty: nothing off, all paid), in 主仓库; movement: a is the
    // warehouse and b the reason; transfer: a and b are the warehouses.
    void document(Kind k, const QString& dh, const QString& a, const QString& b, const QString& shbj,
                  const QStringList& items)
    {
        Money hjsl, hjje;
        for (const QString& l : items) {
            const QStringList f = l.split('|');
            const Money sl = Money::parse(f[2]), je = sl * Money::parse(f[3]);
            hjsl += sl;
            hjje += je;
            const QString values = sqlQuote(dh) + ",'yz'," + sqlQuote(f[0]) + ',' + sqlQuote(f[1]) + ",'台'," + f[2]
                + ',' + f[3] + ',' + je.plainText();
            if (k == Sales)
                exec(QStringLiteral("INSERT INTO xsglc (dh,bj,txm,ppgg,dw,sl,jg,je,zk,cbjg,cbje,maoli) VALUES (%1,1,%2,%3*%2,%3*(%4-%2))")
                         .arg(values, f[4], f[2], f[3]));
            else
                exec("INSERT INTO " + lineTable(k) + " (dh,bj,txm,ppgg,dw,sl,jg,je" + (k == Purchase ? ",zk) VALUES (" : ") VALUES (")
                     + values + (k == Purchase ? ",1)" : ")"));
        }
        const QString rq = sqlQuote(dh.mid(2, 4) + '-' + dh.mid(6, 2) + '-' + dh.mid(8, 2));
        QString columns, values = sqlQuote(a) + ',';
        if (k == Purchase || k == Sales) {
            const QStringList money = b.isEmpty() ? QStringList{"0", (hjje).plainText()} : b.split(',');
            const Money due = hjje - Money::parse(money[0]), paid = Money::parse(money[1]);
            columns = k == Purchase ? "ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk" : "ck,kh,jsr,bz,hjsl,hjje,yhe,yse,sse,qk";
            values = "'主仓库'," + values + (k == Purchase ? "'张三','急'," : "'王五','',") + hjsl.plainText() + ','
                + hjje.plainText() + ',' + money[0] + ',' + due.plainText() + ',' + paid.plainText() + ','
                + (due - paid).plainText();
        } else {
            columns = k == Movement ? "ck,lx,jsr,bz,hjsl,hjje" : "ck1,ck2,jsr,bz,hjsl,hjje";
            values += sqlQuote(b) + (k == Movement ? ",'王五','月底盘点'," : ",'赵六','补货',") + hjsl.plainText() + ','
                + hjje.plainText();
        }
        exec(QStringLiteral("INSERT INTO %1 (dh,rq,kdrq,shbj,zhidan,%2) VALUES (%3,%4,%4,%5,'系统管理员',%6)")
                 .arg(headerTable(k), columns, sqlQuote(dh), rq, sqlQuote(shbj), values));
        if (shbj != QStringLiteral("已审核"))
            return;
        if (k == Purchase) {
            dm->AQcgc1.reopen({"SELECT * FROM cgglc", "where dh=" + sqlQuote(dh), "order by id"});
            postPurchase(*dm, {dh, "主仓库", a, "张三", "急", scalar("SELECT sfe FROM cgglz WHERE dh=" + sqlQuote(dh)),
                               QDate::fromString(rq.mid(1, 10), Qt::ISODate)});
        } else {
            (k == Sales ? postSales : k == Movement ? postMovement : postTransfer)(*dm, dh);
        }
    }

    // ---- Each kind's tables, queries and windows ----
    struct KindData {
        const char *headerTable, *lineTable, *ledger;
        const char *audited, *held;                        // the audited and the held document above
        Query TDM1::*headers, TDM1::*lines, TDM1::*ledgerQuery;
        void (*open)();                                    // opens the list as the menu does
        DocumentList* (*window)();                         // the open list (nullptr: none)
        DocumentBrowser* (*browser)();                     // its browser (nullptr: none)
    };
    static const KindData& of(Kind k)
    {
        static const KindData kinds[] = {
            {"cgglz", "cgglc", "cgfx", "CG20240101001", "CG20240102001", &TDM1::AQcgz1, &TDM1::AQcgc1, &TDM1::AQcgfx1,
             openPurchaseList, []() -> DocumentList* { return Fcggl1; }, []() -> DocumentBrowser* { return Fllcgd1; }},
            {"xsglz", "xsglc", "xsfx", "PF20240105001", "XS20240106001", &TDM1::AQxsz1, &TDM1::AQxsc1, &TDM1::AQxsfx1,
             openSalesList, []() -> DocumentList* { return Fxsgl1; }, []() -> DocumentBrowser* { return Fllxsd1; }},
            {"rkglz", "rkglc", "rkfx", "YD20240110001", "YD20240111001", &TDM1::AQrkz1, &TDM1::AQrkc1, &TDM1::AQrkfx1,
             openMovementList, []() -> DocumentList* { return Frkgl1; }, []() -> DocumentBrowser* { return Fllrkd1; }},
            {"dbglz", "dbglc", "rkfx", "DB20240112001", "DB20240113001", &TDM1::AQdbz1, &TDM1::AQdbc1, &TDM1::AQrkfx1,
             openTransferList, []() -> DocumentList* { return Fdbgl1; }, []() -> DocumentBrowser* { return Flldbd1; }},
        };
        return kinds[k];
    }
    static QString headerTable(Kind k) { return of(k).headerTable; }
    static QString lineTable(Kind k) { return of(k).lineTable; }
    static QString ledger(Kind k) { return of(k).ledger; }
    static QString audited(Kind k) { return of(k).audited; }
    static QString held(Kind k) { return of(k).held; }
    Query& headers(Kind k) const { return dm->*of(k).headers; }
    Query& lineQuery(Kind k) const { return dm->*of(k).lines; }
    Query& ledgerQuery(Kind k) const { return dm->*of(k).ledgerQuery; }
    // The list, opened as the menu opens it; the open list; its browser (nullptr: none).
    static DocumentList& list(Kind k)
    {
        of(k).open();
        return window(k);
    }
    static DocumentList* windowOrNull(Kind k) { return of(k).window(); }
    static DocumentList& window(Kind k) { return *windowOrNull(k); }
    static DocumentBrowser* browser(Kind k) { return of(k).browser(); }
    // Opens the list's condition dialog through SB77 and hands it to step.
    template <class Dialog = TConditionDialog>
    void dialog(Kind k, std::type_identity_t<std::function<void(Dialog&)>> step)
    {
        modal.drive<Dialog>(window(k).SB77, step);
    }
    // The list with every header, by id.
    DocumentList& listAll(Kind k)
    {
        list(k);
        dialog(k, [](TConditionDialog& d) { d.BitBtn1->click(); });
        return window(k);
    }
    // The list's total panels: 2, 3, 5, 6, 7 (purchase, sales) or 2, 3.
    static QStringList panels(Kind k)
    {
        QStringList out;
        for (int i : k <= Sales ? QVector<int>{2, 3, 5, 6, 7} : QVector<int>{2, 3})
            out << window(k).StatusBar1->panelText(i);
        return out;
    }
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

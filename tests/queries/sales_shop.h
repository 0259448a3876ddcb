#pragma once
// The sales tests' shop (company 顺达电器 with its two footnotes), headers by id:
//   1 XS20240105001, no customer, audited: 冰箱 2 at 1800 (cost 1500) from 主仓库;
//   2 PF20240105001, 百货商场, audited, 1999.75 owed: 电饭煲 11 at 500 and a return of
//     one "3' 插线板" at 489.75;
//   3 XS20240106001, 张先生, held: 台灯 1 at 99.5.
// The audited ones are posted as settling posts them (xsfx rows, stock, a receipt for sse).

#include "data/Clock.h"
#include "documents/posting_fixture.h"
#include "documents/postings.h"
#include "list_shop.h"
#include "queries/Ucxxs1.h"
#include "queries/Ullxsd1.h"
#include "queries/Uxsgl1.h"
#include "ui/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

class SalesShop : public PostingShop {
protected:
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 2, 15), QTime(10, 0)));
        exec("UPDATE danwei SET mcdy='顺达电器', bz3='货物售出，概不退换', bz4='谢谢惠顾'");
        addGoods("A01", "冰箱", "主仓库", "10", "1500", "15000");
        addGoods("A01", "冰箱", "二号仓", "5", "1500", "7500");
        addGoods("B02", "电饭煲", "主仓库", "20", "350", "7000");
        addGoods("C03", "3' 插线板", "主仓库", "5", "300", "1500");
        sale("XS20240105001", "2024-01-05", "", "已审核", "2,3600,0,3600,3600,0", {"A01|冰箱|2|1800|1500"});
        sale("PF20240105001", "2024-01-05", "百货商场", "已审核", "10,5010.25,10.25,5000,3000.25,1999.75",
             {"B02|电饭煲|11|500|350", "C03|3' 插线板|-1|489.75|300"});
        sale("XS20240106001", "2024-01-06", "张先生", "未审核", "1,99.5,0,99.5,99.5,0", {"D04|台灯|1|99.5|60"});
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Fllxsd1.data();
        delete Fxsgl1.data();
        Clock::unpin();
    }

    // A header (money "hjsl,hjje,yhe,yse,sse,qk") and its lines "txm|ppgg|sl|jg|cbjg" in 主仓库,
    // posted when audited.
    void sale(const QString& dh, const QString& rq, const QString& kh, const QString& shbj, const QString& money,
              const QStringList& items)
    {
        exec(QStringLiteral("INSERT INTO xsglz (dh,rq,kdrq,shbj,zhidan,ck,kh,jsr,bz,hjsl,hjje,yhe,yse,sse,qk) "
                            "VALUES (%1,%2,%2,%3,'系统管理员','主仓库',%4,'王五','',%5)")
                 .arg(sqlQuote(dh), sqlQuote(rq), sqlQuote(shbj), sqlQuote(kh), money));
        for (const QString& l : items) {
            const QStringList f = l.split('|');
            exec(QStringLiteral("INSERT INTO xsglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je,cbjg,cbje,maoli) "
                                "VALUES (%1,'yz',%2,%3,'台',%4,%5,1,%4*%5,%6,%4*%6,%4*(%5-%6))")
                     .arg(sqlQuote(dh), sqlQuote(f[0]), sqlQuote(f[1]), f[2], f[3], f[4]));
        }
        if (shbj == QStringLiteral("已审核"))
            postSales(*dm, dh);
    }

    // The sales list, opened as the menu opens it, and with every header by id.
    TFxsgl1& list()
    {
        openSalesList();
        return *Fxsgl1;
    }
    void dialog(std::function<void(TFcxxs1&)> step) { runConditionDialog(modal, *Fxsgl1, step); }
    TFxsgl1& listAll()
    {
        list();
        dialog([](TFcxxs1& d) { d.BitBtn1->click(); });
        return *Fxsgl1;
    }
    QStringList panels() const { return documentTotals(*Fxsgl1); }
    bool moveTo(const QString& dh) { return dm->AQxsz1.locate({QStringLiteral("dh")}, {dh}); }
};

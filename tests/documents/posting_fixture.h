#pragma once
// An empty shop database for the posting and reversal tests, with helpers to write rows
// directly and read them back.

#include "data/DM1.h"
#include "data/Money.h"
#include "documents/purchase_posting.h"
#include "support/ShopTest.h"

#include <QDate>

class PostingShop : public ShopTest {
protected:
    PostingShop() : ShopTest(false) {}
    RecordSet rows(const QString& s) { return dm->ADOC1.execute(s); }
    static Money m(const char* s) { return Money::parse(QString::fromLatin1(s)); }
    // The rows a statement gives, their cells joined by sep; numbers as plain text, NULL "NULL".
    QStringList lines(const QString& s, QChar sep = QLatin1Char('|'))
    {
        QStringList out;
        for (const QVariantList& r : rows(s).rows) {
            QStringList cells;
            for (const QVariant& v : r)
                cells << (v.isNull() ? QStringLiteral("NULL")
                          : v.typeId() == QMetaType::Double ? Money::fromDouble(v.toDouble()).plainText()
                                                            : v.toString());
            out << cells.join(sep);
        }
        return out;
    }
    // The rows of a table for dh, in id order.
    QStringList table(const QString& cols, const QString& tbl, const QString& dh)
    {
        return lines("SELECT " + cols + " FROM " + tbl + " where dh=" + sqlQuote(dh) + " order by id");
    }
    // Every goods row of txm in ck as "lb kcsl kcje kcjg", lowest id first, "; "-joined.
    QString stock(const QString& txm, const QString& ck = QStringLiteral("主仓库"))
    {
        return lines("SELECT lb,kcsl,kcje,kcjg FROM sp where txm=" + sqlQuote(txm) + " and ck=" + sqlQuote(ck)
                         + " order by id",
                     QLatin1Char(' '))
            .join("; ");
    }
    void addGoods(const QString& txm, const QString& ppgg, const QString& ck, const char* kcsl,
                  const char* kcjg, const char* kcje)
    {
        exec(QStringLiteral("insert into sp (lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) values ('电视',%1,%2,'台',%3,1,%4,%5,%6)")
                .arg(sqlQuote(txm), sqlQuote(ppgg), sqlQuote(ck), QString::fromLatin1(kcsl),
                     QString::fromLatin1(kcjg), QString::fromLatin1(kcje)));
    }

    // Saves purchase lines "txm|ppgg|sl|jg|je" of dh and opens AQcgc1 on them, as the form does.
    PurchaseDocFields purchase(const QString& dh, const QStringList& items, const QString& sfe,
                               const QString& ck = QStringLiteral("主仓库"), const QString& ghs = QStringLiteral("华南电器"))
    {
        for (const QString& l : items) {
            const QStringList f = l.split(QLatin1Char('|'));
            exec(QStringLiteral("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values (%1,'yz',%2,%3,'台',%4,%5,1,%6)")
                    .arg(sqlQuote(dh), sqlQuote(f[0]), sqlQuote(f[1]), f[2], f[3], f[4]));
        }
        dm->AQcgc1.reopen({"SELECT * FROM cgglc", "where dh=" + sqlQuote(dh), "order by id"});
        return PurchaseDocFields{dh, ck, ghs, QStringLiteral("李四"), QStringLiteral("备注"), sfe, QDate(2024, 1, 5)};
    }

    QString dump() { return dumpDatabase(*dm); }
};

#pragma once
// An empty shop database for the posting and reversal tests, with helpers to write rows
// directly and read them back.

#include "data/DM1.h"
#include "data/Money.h"
#include "documents/purchase_posting.h"
#include "support/SampleShop.h"

#include <QDate>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class PostingShop : public ::testing::Test {
protected:
    TDM1& dm() { return *shop_.dm; }
    void sql(const QString& s) { shop_.dm->ADOC1.exec(s); }
    RecordSet rows(const QString& s) { return shop_.dm->ADOC1.execute(s); }
    QString text(const QString& s)
    {
        const RecordSet r = rows(s);
        return r.isEmpty() ? QString() : r.rows[0][0].toString();
    }
    int count(const QString& s) { return text(QStringLiteral("SELECT count(*) FROM ") + s).toInt(); }
    static Money m(const QVariant& v) { return Money::fromDouble(v.toDouble()); }
    static Money m(const char* s) { return Money::parse(QString::fromLatin1(s)); }

    struct Stock {
        QString lb;
        Money kcsl, kcje, kcjg;
        int rows = 0;
    };
    // The goods row of the key with the lowest id, and how many rows match.
    Stock stock(const QString& txm, const QString& ck)
    {
        const RecordSet r = rows(QStringLiteral("SELECT lb,kcsl,kcje,kcjg FROM sp where txm=%1 and ck=%2 order by id")
                                     .arg(sqlQuote(txm), sqlQuote(ck)));
        Stock s;
        s.rows = r.recordCount();
        if (s.rows) {
            s.lb = r.rows[0][0].toString();
            s.kcsl = m(r.rows[0][1]);
            s.kcje = m(r.rows[0][2]);
            s.kcjg = m(r.rows[0][3]);
        }
        return s;
    }
    void addGoods(const QString& txm, const QString& ppgg, const QString& ck, const char* kcsl,
                  const char* kcjg, const char* kcje, const QString& dw = QStringLiteral("台"))
    {
        sql(QStringLiteral("insert into sp (lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) values "
                           "('电视',%1,%2,%3,%4,1,%5,%6,%7)")
                .arg(sqlQuote(txm), sqlQuote(ppgg), sqlQuote(dw), sqlQuote(ck),
                     QString::fromLatin1(kcsl), QString::fromLatin1(kcjg), QString::fromLatin1(kcje)));
    }

    // Saves purchase lines "txm|ppgg|sl|jg|je" of dh and opens AQcgc1 on them, as the form does.
    PurchaseDocFields purchase(const QString& dh, const QStringList& lines, const QString& sfe,
                               const QString& ck = QStringLiteral("主仓库"), const QString& ghs = QStringLiteral("华南电器"))
    {
        for (const QString& l : lines) {
            const QStringList f = l.split(QLatin1Char('|'));
            sql(QStringLiteral("insert into cgglc (dh,bj,txm,ppgg,dw,sl,jg,zk,je) values (%1,'yz',%2,%3,'台',%4,%5,1,%6)")
                    .arg(sqlQuote(dh), sqlQuote(f[0]), sqlQuote(f[1]), f[2], f[3], f[4]));
        }
        Query& q = dm().AQcgc1;
        q.close();
        q.setSql({"SELECT * FROM cgglc", "where dh=" + sqlQuote(dh), "order by id"});
        q.open();
        return PurchaseDocFields{dh, ck, ghs, QStringLiteral("李四"), QStringLiteral("备注"), sfe,
                                 QDate(2024, 1, 5)};
    }
    // The columns of a table's rows of dh, "|"-joined per row, in id order.
    QStringList table(const QString& cols, const QString& tbl, const QString& dh)
    {
        QStringList out;
        for (const QVariantList& r :
             rows("SELECT " + cols + " FROM " + tbl + " where dh=" + sqlQuote(dh) + " order by id").rows) {
            QStringList cells;
            for (const QVariant& v : r)
                cells << (v.typeId() == QMetaType::Double ? m(v).plainText() : v.toString());
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    // Every table's rows in rowid order, as one text: equal dumps mean an unchanged database.
    QString dump()
    {
        QString out;
        const RecordSet tables = rows(QStringLiteral(
            "SELECT name FROM sqlite_master where type='table' order by name"));
        for (const QVariantList& t : tables.rows) {
            const QString name = t[0].toString();
            out += QStringLiteral("[") + name + QStringLiteral("]\n");
            const RecordSet r = rows(QStringLiteral("SELECT * FROM \"%1\" order by rowid").arg(name));
            for (const QVariantList& row : r.rows) {
                QStringList cells;
                for (const QVariant& v : row)
                    cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
                out += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
            }
        }
        return out;
    }

private:
    TempShop shop_{false};
};

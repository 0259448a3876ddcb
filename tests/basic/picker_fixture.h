#pragma once
// A small shop for the picker and line-dialog tests (an empty TempShop with two
// warehouses, suppliers, employees, categories and goods), stand-in callers, and helpers
// to drive the windows offscreen.

#include "basic/PickerTargets.h"
#include "data/DM1.h"
#include "support/ShopTest.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class PickerShop : public ShopTest {
protected:
    PickerShop() : ShopTest(false) {}
    void SetUp() override
    {
        exec(
            "INSERT INTO ck(ck) VALUES('总仓'),('分仓');"
            "INSERT INTO ghs(mc) VALUES('美的电器'),('O''Neil家电');"
            "INSERT INTO yg(xm) VALUES('张三'),('李四'),('张小明'),('O''Brien');"
            "INSERT INTO lb(lb) VALUES('冰箱'),('空调');"
            "INSERT INTO sp(lb,txm,ppgg,dw,ck,jj,kcsl,kcjg,kcje) VALUES"
            " ('冰箱','BX01','冰箱 BCD-180','台','总仓',1200,10,1150,11500),"
            " ('空调','KT01','空调 KFR-35','台','总仓',9.99,-2,10,-20),"
            " ('冰箱','BX01','冰箱 BCD-180','台','分仓',1200,3,1100,3300),"
            " ('空调','KT02','O''Neil 挂机','套','分仓',2100.5,0,2000,0),"
            " ('冰箱','BX02','冰箱 BCD-210','台','分仓',1800,5,1700.25,8501.25)");
    }
    // Purchase lines (mark "dz", unit 台) of document dh: "'txm','ppgg',sl,jg,zk,je" each.
    void lines(const QString& dh, const QStringList& values)
    {
        for (const QString& v : values)
            dm->ADOC1.exec("INSERT INTO cgglc(bj,dw,dh,txm,ppgg,sl,jg,zk,je) VALUES('dz','台','" + dh + "'," + v + ")");
    }
    // The lines of document dh in hand, as the purchase form holds them.
    void openLines(const QString& dh) { dm->AQcgc1.reopen({"SELECT * FROM cgglc", "where dh=" + sqlQuote(dh), "and bj='dz'"}); }
    // The rows q holds, as "code@warehouse" separated by spaces.
    static QString rows(const Query& q)
    {
        QStringList out;
        for (int r = 0; r < q.recordCount(); ++r)
            out << q.cellText(r, q.fieldIndex("txm")) + "@" + q.cellText(r, q.fieldIndex("ck"));
        return out.join(' ');
    }
    // Stand-in callers: the fields of the tags keep their texts in values["tag.field"] and
    // log every write, in order, as "tag.field=value".
    void callers(std::initializer_list<const char*> tags, std::initializer_list<const char*> fields)
    {
        for (const char* tag : tags)
            for (const char* f : fields) {
                const QString k = QString::fromUtf8(tag) + "." + f;
                PickerTargets::registerField(
                    tag, f, &owner, [this, k](const QString& v) { writes << k + "=" + (values[k] = v); },
                    [this, k] { return values.value(k); });
            }
    }
    // Runs dlg modally; step drives it while it is open.
    template <class D>
    int run(D& dlg, const std::function<void(D&)>& step)
    {
        modal.next([&](QDialog&) { step(dlg); });
        return runModal(dlg);
    }
    static void key(QWidget* w, int k) { sendKey(w, k); }

    QObject owner;
    QStringList writes;
    QHash<QString, QString> values;
};

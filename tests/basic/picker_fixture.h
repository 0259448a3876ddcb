#pragma once
// A small shop for the picker and line-dialog tests (an empty TempShop with two
// warehouses, suppliers, employees, categories and goods), stand-in caller fields, and
// helpers to drive the windows offscreen.

#include "basic/PickerTargets.h"
#include "data/DM1.h"
#include "support/Recorder.h"
#include "support/SampleShop.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <memory>
#include <vector>

class PickerShop : public ::testing::Test {
protected:
    void SetUp() override
    {
        shop = std::make_unique<TempShop>(false);
        dm = shop->dm.get();
        dm->ADOC1.exec(
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
    void TearDown() override
    {
        for (const char* tag : {"tjcg", "zu", "chai", "tjfkfx", "tjskfx", "tjszfx", "kcfx"})
            PickerTargets::unregisterTag(QString::fromLatin1(tag));
        stand.clear();
        shop.reset();
    }

    // A purchase line (mark "dz", unit 台): "dh','txm','ppgg',sl,jg,zk,je" as SQL values.
    void line(const QString& values)
    {
        dm->ADOC1.exec("INSERT INTO cgglc(bj,dw,dh,txm,ppgg,sl,jg,zk,je) VALUES('dz','台','" + values + ")");
    }
    static void openOn(Query& q, const QStringList& sql)
    {
        q.close();
        q.setSql(sql);
        q.open();
    }
    // The lines of document dh in hand, as the purchase form holds them.
    void openLines(const QString& dh)
    {
        openOn(dm->AQcgc1, {"SELECT * FROM cgglc", "where dh=" + sqlQuote(dh), "and bj='dz'"});
    }
    QString scalar(const QString& sql)
    {
        const RecordSet rs = dm->ADOC1.execute(sql);
        return rs.rows.empty() ? QString() : rs.rows.front().value(0).toString();
    }

    // A stand-in caller field: an edit registered under tag and field.
    QLineEdit* field(const QString& tag, const QString& name, const QString& text = QString())
    {
        stand.push_back(std::make_unique<QLineEdit>(text));
        PickerTargets::registerField(tag, name, stand.back().get());
        return stand.back().get();
    }

    static void key(QWidget* w, int k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
    static void click(QAbstractButton* b) { b->click(); }
    static void doubleClickRow(QTableView* grid, int row)
    {
        const QPointF at = grid->visualRect(grid->model()->index(row, 0)).center();
        const QPointF global = grid->viewport()->mapToGlobal(at);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
            QMouseEvent e(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &e);
        }
    }

    std::unique_ptr<TempShop> shop;
    TDM1* dm = nullptr;
    std::vector<std::unique_ptr<QLineEdit>> stand;
    MessageRecorder rec;
    ModalScript modal;
};

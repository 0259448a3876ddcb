#pragma once
// A small shop for the picker and line-dialog tests: a fresh database in a temporary
// folder as the program's data module, with two warehouses, suppliers, employees,
// categories, goods and purchase lines, and helpers to drive the windows offscreen.

#include "basic/PickerTargets.h"
#include "data/DM1.h"
#include "support/Recorder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QTableView>
#include <memory>
#include <vector>

class PickerShop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        dm = std::make_unique<TDM1>(dir.filePath(QStringLiteral("shop.db")));
        previous = DM1;
        DM1 = dm.get();
        for (const char* ck : {"总仓", "分仓"})
            insert("ck", {"ck"}, {ck});
        for (const char* mc : {"美的电器", "O'Neil家电"})
            insert("ghs", {"mc"}, {mc});
        for (const char* xm : {"张三", "李四", "张小明", "O'Brien"})
            insert("yg", {"xm"}, {xm});
        for (const char* lb : {"冰箱", "空调"})
            insert("lb", {"lb"}, {lb});
        //        lb      txm     ppgg            dw    ck      jj      kcsl   kcjg   kcje
        goods("冰箱", "BX01", "冰箱 BCD-180", "台", "总仓", "1200", "10", "1150", "11500");
        goods("空调", "KT01", "空调 KFR-35", "台", "总仓", "9.99", "-2", "10", "-20");
        goods("冰箱", "BX01", "冰箱 BCD-180", "台", "分仓", "1200", "3", "1100", "3300");
        goods("空调", "KT02", "O'Neil 挂机", "套", "分仓", "2100.5", "0", "2000", "0");
        goods("冰箱", "BX02", "冰箱 BCD-210", "台", "分仓", "1800", "5", "1700.25", "8501.25");
    }
    void TearDown() override
    {
        for (const char* tag : {"tjcg", "zu", "chai", "tjfkfx", "tjskfx", "tjszfx", "kcfx"})
            PickerTargets::unregisterTag(QString::fromLatin1(tag));
        for (Query* q : {&dm->AQck1, &dm->AQghs1, &dm->AQyg1, &dm->AQsp1, &dm->AQkcfx1, &dm->AQcgc1})
            q->close();
        DM1 = previous;
        stand.clear();
        dm.reset();
    }

    void insert(const char* table, const QStringList& cols, const QStringList& values)
    {
        QStringList quoted;
        for (const QString& v : values)
            quoted << sqlQuote(v);
        dm->ADOC1.exec(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                           .arg(QString::fromLatin1(table), cols.join(QLatin1Char(',')), quoted.join(QLatin1Char(','))));
    }
    void goods(const char* lb, const char* txm, const char* ppgg, const char* dw, const char* ck, const char* jj,
               const char* kcsl, const char* kcjg, const char* kcje)
    {
        insert("sp", {"lb", "txm", "ppgg", "dw", "ck", "jj", "kcsl", "kcjg", "kcje"},
               {QString::fromUtf8(lb), QString::fromUtf8(txm), QString::fromUtf8(ppgg), QString::fromUtf8(dw),
                QString::fromUtf8(ck), QString::fromUtf8(jj), QString::fromUtf8(kcsl), QString::fromUtf8(kcjg),
                QString::fromUtf8(kcje)});
    }
    void line(const char* dh, const char* txm, const char* ppgg, const char* sl, const char* jg, const char* zk,
              const char* je)
    {
        insert("cgglc", {"dh", "bj", "txm", "ppgg", "dw", "sl", "jg", "zk", "je"},
               {QString::fromUtf8(dh), QStringLiteral("dz"), QString::fromUtf8(txm), QString::fromUtf8(ppgg),
                QStringLiteral("台"), QString::fromUtf8(sl), QString::fromUtf8(jg), QString::fromUtf8(zk),
                QString::fromUtf8(je)});
    }
    // Opens q on the lines given.
    static void openOn(Query& q, const QStringList& sql)
    {
        q.close();
        q.setSql(sql);
        q.open();
    }
    // The purchase lines of document dh in hand, as the purchase form holds them.
    void openLines(const QString& dh)
    {
        openOn(dm->AQcgc1, {QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("where dh=") + sqlQuote(dh),
                            QStringLiteral("and bj='dz'")});
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
    // A double-click on the first visible cell of a row of a grid.
    static void doubleClickRow(QTableView* grid, int row)
    {
        const QRect r = grid->visualRect(grid->model()->index(row, 0));
        const QPointF at = r.center();
        QMouseEvent press(QEvent::MouseButtonPress, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &release);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &dbl);
    }

    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    TDM1* previous = nullptr;
    std::vector<std::unique_ptr<QLineEdit>> stand;
    MessageRecorder rec;
    ModalScript modal;
};

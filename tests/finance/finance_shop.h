#pragma once
// The finance tests' shop: an empty shop on 2024-05-03 with the items 1 收入 房租收入 and
// 2 支出 水电费, the employees 张三 and 李四, the print name 禾岚家电; helpers that drive the
// other income and expense list and its dialogs.

#include "finance_test.h"

#include "data/Clock.h"
#include "finance/Ucxszfx1.h"
#include "finance/Uszfx1.h"
#include "finance/Usztj1.h"
#include "finance/Uszxm1.h"
#include "finance/Utjszfx1.h"

#include <QApplication>

class FinanceShop : public ShopTest {
protected:
    FinanceShop() : ShopTest(false) {}
    void SetUp() override
    {
        Clock::pin(QDateTime(QDate(2024, 5, 3), QTime(10, 0)));
        exec("INSERT INTO szxm(lb,xm) VALUES('收入','房租收入'),('支出','水电费');"
             "INSERT INTO yg(xm) VALUES('张三'),('李四');"
             "UPDATE danwei SET mcdy='禾岚家电'");
    }
    void TearDown() override
    {
        delete Fszfx1.data();
        delete Fsztj1.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Clock::unpin();
    }

    // An entry written straight into the table.
    void entry(const char* rq, const char* lb, const char* xm, const char* se, const char* ze, const char* jsr)
    {
        exec(QStringLiteral("INSERT INTO szfx(rq,lb,xm,se,ze,jsr,bz) VALUES(%1,%2,%3,%4,%5,%6,'')")
                 .arg(sqlQuote(rq), sqlQuote(lb), sqlQuote(xm), se, ze, sqlQuote(jsr)));
    }
    TFszfx1& list()
    {
        openOtherIncomeList();
        return *Fszfx1;
    }
    // Panels 2, 3, 4: income, expense, difference.
    QStringList panels() const
    {
        QStringList out;
        for (int i : {2, 3, 4})
            out << Fszfx1->StatusBar1->panelText(i);
        return out;
    }
    // Opens the entry dialog through button b of the list and hands it to step.
    void entryDialog(QAbstractButton* b, std::function<void(TFtjszfx1&)> step)
    {
        modal.next([step](QDialog& d) { step(static_cast<TFtjszfx1&>(d)); });
        b->click();
    }
    // Runs the list's condition dialog with set.
    void query(const std::function<void(TConditionDialog&)>& set = {}) { runQuery(modal, *Fszfx1, set); }
    // Chooses, through the item picker opened by the dialog's button, the item in row.
    void pickItem(TFtjszfx1& d, int row)
    {
        modal.next([row](QDialog& p) {
            auto& picker = static_cast<TFszxm1&>(p);
            picker.DBGrid1->query()->moveTo(row);
            picker.xuan->click();
        });
        d.SpeedButton1->click();
    }
    // Chooses the employee named name through the employee picker.
    void pickEmployee(TFtjszfx1& d, const QString& name)
    {
        modal.next([name](QDialog& p) {
            auto* filter = p.findChild<QLineEdit*>("Edit1");
            filter->setText(name);
            sendKey(filter, Qt::Key_Return);
        });
        d.SpeedButton2->click();
    }
    // The rows of szfx as "rq lb xm se ze jsr", in id order.
    QStringList rows()
    {
        return scalar("SELECT group_concat(rq||' '||lb||' '||xm||' '||se||' '||ze||' '||jsr, '|') FROM "
                      "(SELECT * FROM szfx ORDER BY id)")
            .split('|', Qt::SkipEmptyParts);
    }
};

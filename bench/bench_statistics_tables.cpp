// The employee commission table and the purchase-sales-stock statistics over large
// ledgers: N rows in each of cgfx, xsfx and rkfx (default 1,000,000) over 500 goods items
// in two warehouses. Each run is timed as the window does it (统计 clicked: the statement
// on the shared query, the rows walked into the total panels), beside SQLite alone
// stepping through the same statement text and reading every cell; best of three.
//   ./build/bench/bench_statistics_tables [rows]

#include "bench_support.h"
#include "data/Sql.h"
#include "queries/Ukctj1.h"
#include "queries/Uxstj3.h"
#include "queries/statistics_tables.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

namespace {

// Goods rows: every item in both warehouses, every 50th item without rates. Ledger rows:
// 400 a day from 2020 on, four lines a document, one in thirteen a return.
void fill(Connection& c, long rows)
{
    Transaction tx(c);
    c.exec(QStringLiteral(
        "INSERT INTO sp (lb,txm,ppgg,dw,ck,slt,jet) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n "
        "WHERE i<999) SELECT '彩电',printf('SP%03d',i/2),printf('商品%d号彩电',i/2),'台',"
        "CASE i%2 WHEN 0 THEN '一号库' ELSE '二号库' END,"
        "CASE WHEN (i/2)%50=0 THEN NULL ELSE (i/2)%5*0.5 END,CASE WHEN (i/2)%50=0 THEN NULL ELSE (i/2)%4*0.01 END "
        "FROM n"));
    // Built by concatenation: the statement's printf patterns are not QString::arg markers.
    for (const char* ledger : {"cgfx", "xsfx", "rkfx"})
        c.exec(QStringLiteral("INSERT INTO ") + QLatin1String(ledger)
               + QStringLiteral(" (rq,txm,ppgg,dw,sl,jg,je,jsr,dh,ck) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
                                "SELECT i+1 FROM n WHERE i<")
               + QString::number(rows - 1)
               + QStringLiteral("), d(i,day,sl,jg) AS (SELECT i,i/400,CASE WHEN i%13=0 THEN -1-i%7 ELSE 1+i%7 END,"
                                "100+(i%97)*2.5 FROM n) "
                                "SELECT printf('20%02d-%02d-%02d',20+day/336,1+(day/28)%12,1+day%28),"
                                "printf('SP%03d',i%500),printf('商品%d号彩电',i%500),'台',sl,jg,sl*jg,"
                                "CASE (i/4)%6 WHEN 0 THEN '王小明' WHEN 1 THEN '李红' WHEN 2 THEN '赵刚' "
                                "WHEN 3 THEN '陈静' WHEN 4 THEN '刘伟' ELSE '张三' END,printf('DH%d',i/4),"
                                "CASE (i/4)%2 WHEN 0 THEN '一号库' ELSE '二号库' END FROM d"));
    tx.commit();
}

struct Case {
    const char* what;
    QString text;
    std::optional<DateRange> dates;
};

// Times the window's run (统计) and SQLite alone on the same statement text.
void measure(QueryWindow& w, const Case& c)
{
    w.Edit1->setText(c.text);
    w.CheckBox1->setChecked(c.dates.has_value());
    if (c.dates) {
        w.DateTimePicker1->setDate(c.dates->from);
        w.DateTimePicker2->setDate(c.dates->to);
    }
    double ours = 1e300, alone = 1e300;
    long long rows = 0;
    for (int rep = 0; rep < 3; ++rep) {
        QElapsedTimer t;
        t.start();
        w.panelButton(QStringLiteral("BB1"))->click();
        ours = std::min(ours, ms(t));
        alone = std::min(alone, sqliteAlone(DM1->ADOC1.handle(), w.query().sqlText(), &rows));
    }
    if (w.query().recordCount() != rows)
        std::printf("  !! row counts differ: %d vs %lld\n", w.query().recordCount(), rows);
    std::printf("%-44s %5lld rows  window %8.1f ms  SQLite %8.1f ms  ratio %.2f  totals %s | %s\n", c.what, rows, ours,
                alone, ours / alone, qPrintable(w.StatusBar1->panelText(2)), qPrintable(w.StatusBar1->panelText(3)));
}

} // namespace

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    const long rows = static_cast<long>(shop.size);
    setMessageHandler([](const MessageRequest&) { return int(MbOk); });   // "统计完毕！"

    QElapsedTimer t;
    t.start();
    fill(DM1->ADOC1, rows);
    std::printf("fill sp (1000 rows) and cgfx, xsfx, rkfx with %ld rows each: %.1f ms\n\n", rows, ms(t));

    const DateRange march{QDate(2021, 3, 1), QDate(2021, 3, 31)};
    {
        TFxstj3 w;
        w.show();
        std::printf("employee commission (xsfx %ld rows)\n", rows);
        for (const Case& c : {Case{"every employee, all dates", QString()}, Case{"every employee, one month", QString(), march},
                              Case{"employee \"李\", all dates", QStringLiteral("李")}})
            measure(w, c);
    }
    {
        TFkctj1 w;
        w.show();
        std::printf("\npurchase-sales-stock (cgfx, xsfx, rkfx %ld rows each)\n", rows);
        for (const Case& c : {Case{"every item, all dates", QString()}, Case{"every item, one month", QString(), march},
                              Case{"fragment \"SP01\", all dates", QStringLiteral("SP01")},
                              Case{"fragment \"SP01\", one month", QStringLiteral("SP01"), march}})
            measure(w, c);
    }
    setMessageHandler({});
    return 0;
}

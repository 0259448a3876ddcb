// The data grid on a large query: opening, following the cursor to the last row, scrolling
// to the end and painting, sorting by a title click.
//   ./build/bench/bench_grid [rows]      (default 1000000)

#include "data/DM1.h"
#include "data/Sql.h"
#include "support/SampleShop.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QScrollBar>
#include <cstdio>

namespace {
double ms(QElapsedTimer& t)
{
    const double v = t.nsecsElapsed() / 1e6;
    t.restart();
    return v;
}

void fill(Connection& c, int rows)
{
    c.exec(QStringLiteral("CREATE TABLE benchgrid (id INTEGER PRIMARY KEY AUTOINCREMENT, dh TEXT, rq TEXT, "
                          "ppgg TEXT, sl DOUBLE, jg MONEY, je MONEY)"));
    Transaction tx(c);
    sqlite3_stmt* st = c.prepare(QStringLiteral("INSERT INTO benchgrid (dh, rq, ppgg, sl, jg, je) VALUES (?,?,?,?,?,?)"));
    for (int i = 0; i < rows; ++i) {
        const QByteArray dh = QStringLiteral("CG20240301%1").arg(i % 1000, 3, 10, QLatin1Char('0')).toUtf8();
        const QByteArray rq = QStringLiteral("2024-03-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')).toUtf8();
        const QByteArray name = QStringLiteral("商品%1").arg(i % 5000).toUtf8();
        sqlite3_bind_text(st, 1, dh.constData(), dh.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, rq.constData(), rq.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, name.constData(), name.size(), SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 4, 1 + i % 7);
        sqlite3_bind_double(st, 5, (i % 1000) / 4.0);
        sqlite3_bind_double(st, 6, (1 + i % 7) * (i % 1000) / 4.0);
        if (sqlite3_step(st) != SQLITE_DONE)
            c.fail(QStringLiteral("insert"));
        sqlite3_reset(st);
    }
    tx.commit();
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    ShopApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;

    TempShop shop;
    QElapsedTimer t;
    t.start();
    fill(DM1->ADOC1, rows);
    std::printf("rows                           %d\n", rows);
    std::printf("fill table                     %9.1f ms\n", ms(t));

    DataGrid grid;
    grid.setColumns({{QStringLiteral("dh"), QStringLiteral("单号"), 110},
                     {QStringLiteral("rq"), QStringLiteral("日期"), 80},
                     {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 120},
                     {QStringLiteral("sl"), QStringLiteral("数量"), 60, Qt::AlignRight | Qt::AlignVCenter},
                     {QStringLiteral("jg"), QStringLiteral("单价"), 70, Qt::AlignRight | Qt::AlignVCenter},
                     {QStringLiteral("je"), QStringLiteral("金额"), 80, Qt::AlignRight | Qt::AlignVCenter}});
    Query& q = DM1->AQ1;
    grid.setQuery(&q);
    grid.setRowStyler([&q](int row) {
        RowStyle s;
        if (q.cellMoney(row, 5).isZero()) s.font = Qt::red;
        return s;
    });
    grid.enableTitleSort();
    grid.resize(800, 600);
    grid.show();
    QApplication::processEvents();
    ms(t);

    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM benchgrid"));
    q.addSql(QStringLiteral("order by id"));
    q.disableControls();
    q.open();
    const double queryOpen = ms(t);
    q.enableControls();   // the grid takes the rows here: one reset
    const double gridReset = ms(t);
    grid.grab();
    const double firstPaint = ms(t);
    std::printf("query open (SQLite + rows)     %9.1f ms\n", queryOpen);
    std::printf("grid reset on the open query   %9.1f ms\n", gridReset);
    std::printf("first paint                    %9.1f ms\n", firstPaint);

    q.last();
    const double follow = ms(t);
    grid.grab();
    const double endPaint = ms(t);
    std::printf("cursor to last row, grid follows %7.1f ms (grid row %d of %d)\n", follow, grid.currentRow(),
                grid.model()->rowCount());
    std::printf("paint at the end               %9.1f ms\n", endPaint);

    // Scrolling page by page from the top to the end through the scroll bar.
    q.first();
    QApplication::processEvents();
    ms(t);
    QScrollBar* bar = grid.verticalScrollBar();
    int pages = 0;
    for (int v = 0; v < bar->maximum(); v += bar->pageStep() * 1000) {
        bar->setValue(v);
        grid.viewport()->repaint();
        ++pages;
    }
    bar->setValue(bar->maximum());
    grid.viewport()->repaint();
    const double scroll = ms(t);
    std::printf("scroll to the end (%d jumps)   %9.1f ms\n", pages + 1, scroll);

    grid.clickTitle(2);
    const double sortAsc = ms(t);
    grid.grab();
    const double sortPaint = ms(t);
    std::printf("title click sort ppgg ASC      %9.1f ms (+ paint %.1f ms)\n", sortAsc, sortPaint);
    grid.clickTitle(2);
    std::printf("title click sort ppgg DESC     %9.1f ms\n", ms(t));

    q.close();
    std::printf("close                          %9.1f ms\n", ms(t));
    grid.setQuery(nullptr);
    return 0;
}

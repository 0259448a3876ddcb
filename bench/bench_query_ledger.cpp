// Opening a large purchase ledger through Query: fills cgfx with N rows (default 1,000,000)
// in one transaction, opens "SELECT * FROM cgfx" and prints the time and the memory per row,
// beside the time sqlite3 alone takes to step through the same statement.
//
//   ./build/bench/bench_query_ledger [rows]

#include "data/DM1.h"
#include "data/Sql.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

long rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

void fill(TDM1& dm, long rows)
{
    Connection& c = dm.ADOC1;
    Transaction t(c);
    sqlite3_stmt* st = c.prepare(QStringLiteral(
        "INSERT INTO cgfx (rq,txm,ppgg,dw,sl,jg,zk,je,ghs,jsr,dh,ck) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"));
    const char* suppliers[] = {"华南电器", "华北电器", "北方电子"};
    const char* employees[] = {"王小明", "李红", "赵刚", "陈静"};
    for (long i = 0; i < rows; ++i) {
        const int day = static_cast<int>(i / 400);
        const QByteArray rq = QStringLiteral("20%1-%2-%3")
                                  .arg(20 + day / 365, 2, 10, QLatin1Char('0'))
                                  .arg(1 + (day / 28) % 12, 2, 10, QLatin1Char('0'))
                                  .arg(1 + day % 28, 2, 10, QLatin1Char('0'))
                                  .toUtf8();
        const long doc = i / 4; // four lines a document: they share date, number, supplier...
        const int item = static_cast<int>(i % 500);
        const QByteArray txm = QStringLiteral("SP%1").arg(item, 3, 10, QLatin1Char('0')).toUtf8();
        const QByteArray ppgg = QStringLiteral("商品%1号彩电").arg(item).toUtf8();
        const QByteArray dh = (QByteArrayLiteral("CG") + rq.left(4) + rq.mid(5, 2) + rq.mid(8, 2)
                               + QByteArray::number(100 + doc % 400));
        const double sl = 1 + i % 7;
        const double jg = 100 + (i % 97) * 2.5;
        sqlite3_bind_text(st, 1, rq.constData(), rq.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, txm.constData(), txm.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, ppgg.constData(), ppgg.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, "台", -1, SQLITE_STATIC);
        sqlite3_bind_double(st, 5, sl);
        sqlite3_bind_double(st, 6, jg);
        sqlite3_bind_double(st, 7, 1);
        sqlite3_bind_double(st, 8, sl * jg);
        sqlite3_bind_text(st, 9, suppliers[doc % 3], -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 10, employees[doc % 4], -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 11, dh.constData(), dh.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 12, doc % 2 ? "一号库" : "二号库", -1, SQLITE_STATIC);
        if (sqlite3_step(st) != SQLITE_DONE)
            c.fail(QStringLiteral("fill"));
        sqlite3_reset(st);
    }
    t.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("bench.db")));

    QElapsedTimer timer;
    timer.start();
    fill(dm, rows);
    std::printf("fill cgfx with %ld rows in one transaction: %8.1f ms\n", rows, timer.nsecsElapsed() / 1e6);

    const QString sql = QStringLiteral("SELECT * FROM cgfx");
    // sqlite3 alone: step through the statement, and step while reading every column.
    sqlite3_stmt* st = dm.ADOC1.prepare(sql);
    timer.restart();
    long n = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        ++n;
    sqlite3_reset(st);
    const double stepOnly = timer.nsecsElapsed() / 1e6;
    timer.restart();
    long long bytes = 0;
    const int cols = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < cols; ++i) {
            if (sqlite3_column_type(st, i) == SQLITE_TEXT)
                bytes += sqlite3_column_bytes(st, i);
            else
                bytes += static_cast<long long>(sqlite3_column_double(st, i)) & 1;
        }
    sqlite3_reset(st);
    const double stepRead = timer.nsecsElapsed() / 1e6;

    Query& q = dm.AQcgfx1;
    const long before = rssKb();
    timer.restart();
    q.open();
    const double openMs = timer.nsecsElapsed() / 1e6;
    const long after = rssKb();
    if (q.recordCount() != n) {
        std::fprintf(stderr, "row count differs: %d vs %ld\n", q.recordCount(), n);
        return 1;
    }
    timer.restart();
    q.last();
    Money total;
    for (int r = 0; r < q.recordCount(); ++r)
        total += q.cellMoney(r, q.fieldIndex(QStringLiteral("je")));
    const double walkMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    q.setSort(QStringLiteral("je DESC"));
    const double sortMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    q.setSort(QStringLiteral("ppgg ASC"));
    const double sortTextMs = timer.nsecsElapsed() / 1e6;

    std::printf("rows: %ld, columns: %d, text bytes: %lld\n", n, cols, bytes);
    std::printf("sqlite3 step only:                %8.1f ms\n", stepOnly);
    std::printf("sqlite3 step and read every cell: %8.1f ms\n", stepRead);
    std::printf("Query::open:                      %8.1f ms\n", openMs);
    std::printf("memory: RSS %ld KB before open, %ld KB after; %.1f bytes per row\n", before, after,
                n ? (after - before) * 1024.0 / n : 0.0);
    std::printf("sum of je over the rows in hand:  %8.1f ms (total %s)\n", walkMs, qPrintable(total.format00()));
    std::printf("sort je DESC in hand:             %8.1f ms\n", sortMs);
    std::printf("sort ppgg ASC (pinyin) in hand:   %8.1f ms\n", sortTextMs);
    return 0;
}

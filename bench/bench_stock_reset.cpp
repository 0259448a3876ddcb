// The stock reset (归零) of the rows the stock table shows, beside the time SQLite takes for
// the same update run directly: the same per-row statements in one transaction, and one
// set-based UPDATE over the same rows.
//
//   ./build/bench/bench_stock_reset [rows shown, default 10000] [other goods rows, default 90000]

#include "data/DM1.h"
#include "documents/stock_update.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

const QString kShown = QStringLiteral("风扇");

// Gives every goods row its stock back (kcsl 1..7, kcje = kcsl × kcjg).
void restock(Connection& c) { c.exec("UPDATE sp SET kcsl=1+id%7, kcje=(1+id%7)*kcjg"); }

double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int shown = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int others = argc > 2 ? std::atoi(argv[2]) : 90000;
    const int rounds = 7;

    QTemporaryDir dir;
    TDM1 dm(dir.filePath(QStringLiteral("TRZData1.db")));
    sqlite3* db = dm.ADOC1.handle();
    Connection& conn = dm.ADOC1;   // sqlite3_exec on the same handle
    // Every tenth row (up to the number shown) is of the category shown.
    conn.exec("BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" + QString::number(shown + others)
                + ") INSERT INTO sp(lb,txm,ppgg,dw,ck,kcjg,xjpf,xjls) SELECT CASE WHEN i%10=0 AND i/10<="
                + QString::number(shown) + " THEN " + sqlQuote(kShown)
                + " ELSE '其他' END, printf('G%06d',i), printf('商品%06d',i), '台', "
                  "CASE WHEN i%2=0 THEN '主仓库' ELSE '分仓库' END, 10+i%50, 20, 25 FROM n; COMMIT");
    const QStringList shownSql{QStringLiteral("SELECT * FROM sp"), QStringLiteral("where lb=") + sqlQuote(kShown),
                               QStringLiteral("order by id")};

    std::vector<double> reset, direct, setBased;
    int n = 0;
    for (int r = 0; r < rounds; ++r) {
        // The program: the rows shown in AQkcfx1, reset through the query in one transaction.
        restock(conn);
        dm.AQkcfx1.close();
        dm.AQkcfx1.setSql(shownSql);
        dm.AQkcfx1.open();
        QElapsedTimer t;
        t.start();
        n = resetShownStock(dm);
        reset.push_back(ms(t));

        // SQLite alone, the same statements: one UPDATE by id per row shown, one transaction.
        restock(conn);
        std::vector<qint64> ids;
        {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, "SELECT id FROM sp WHERE lb=?1 ORDER BY id", -1, &st, nullptr);
            const QByteArray lb = kShown.toUtf8();
            sqlite3_bind_text(st, 1, lb.constData(), lb.size(), SQLITE_TRANSIENT);
            while (sqlite3_step(st) == SQLITE_ROW)
                ids.push_back(sqlite3_column_int64(st, 0));
            sqlite3_finalize(st);
        }
        t.restart();
        conn.exec("BEGIN");
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "UPDATE \"sp\" SET \"kcsl\"=?,\"kcje\"=? WHERE id=?", -1, &st, nullptr);
        for (qint64 id : ids) {
            sqlite3_bind_double(st, 1, 0);
            sqlite3_bind_double(st, 2, 0);
            sqlite3_bind_int64(st, 3, id);
            if (sqlite3_step(st) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        conn.exec("COMMIT");
        direct.push_back(ms(t));

        // SQLite alone, one set-based statement over the same rows.
        restock(conn);
        t.restart();
        conn.exec("UPDATE sp SET kcsl=0,kcje=0 WHERE lb=" + sqlQuote(kShown));
        setBased.push_back(ms(t));
    }
    const int zeroed = dm.ADOC1.execute(QStringLiteral("SELECT count(*) FROM sp WHERE kcsl=0")).rows.at(0).value(0).toInt();

    const double a = median(reset), b = median(direct), c = median(setBased);
    std::printf("stock reset of %d rows shown (of %d goods rows), median of %d rounds\n", n, shown + others, rounds);
    std::printf("  program (AQkcfx1 walk, one transaction)     %8.2f ms\n", a);
    std::printf("  SQLite, same per-row UPDATEs, one txn       %8.2f ms   ratio %.2f\n", b, a / b);
    std::printf("  SQLite, one set-based UPDATE                %8.2f ms   ratio %.2f\n", c, a / c);
    std::printf("  rows at zero after the last run: %d\n", zeroed);
    return 0;
}

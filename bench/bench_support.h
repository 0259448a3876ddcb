#pragma once
// What the window benchmarks share: their program (offscreen, the size from the first
// argument, a fresh database as DM1) and what they compare with, SQLite alone stepping
// through a statement.

#include "data/DM1.h"
#include "ui/Forms.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

struct BenchShop {
    long long size;
    int qtArgc = 1;
    ShopApplication app;
    QTemporaryDir dir;
    TDM1 dm{dir.filePath(QStringLiteral("TRZData1.db"))};

    BenchShop(int argc, char** argv, long long defaultSize)
        : size(offscreen(argc > 1 ? std::atoll(argv[1]) : defaultSize)), app(qtArgc, argv)
    {
        DM1 = &dm;
    }
    ~BenchShop() { DM1 = nullptr; }

private:
    static long long offscreen(long long n)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return n;
    }
};

inline double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Steps through a statement reading every column as SQLite gives it; the time in ms (-1 when
// the statement does not prepare) and the row count in *rows.
inline double sqliteAlone(sqlite3* db, const QString& sql, long long* rows)
{
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
        return -1;
    }
    long long n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int cols = sqlite3_column_count(st);
        for (int c = 0; c < cols; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(st, c);
            else
                (void)sqlite3_column_double(st, c);
        }
        ++n;
    }
    sqlite3_finalize(st);
    *rows = n;
    return ms(t);
}

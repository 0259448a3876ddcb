#pragma once
// What the benchmarks measure SQLite alone with: a statement stepped through on the bare
// connection, every column read as SQLite gives it.

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

inline double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Steps a prepared statement to its end reading every cell of every row (text as text,
// numbers as numbers); returns the step's last result (SQLITE_DONE when all went well) and
// the rows in *rows.
inline int stepReadingEveryCell(sqlite3_stmt* st, long long* rows)
{
    const int cols = sqlite3_column_count(st);
    long long n = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(st, c);
            else
                (void)sqlite3_column_double(st, c);
        }
        ++n;
    }
    *rows = n;
    return rc;
}

// Steps through sql reading every column; returns the milliseconds taken (-1 when the
// statement does not prepare) and the rows in *rows.
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
    stepReadingEveryCell(st, rows);
    sqlite3_finalize(st);
    return ms(t);
}

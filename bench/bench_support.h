#pragma once
// What the benchmark suite's files share: the time a piece of work takes, a statement run on
// the bare connection, and a statement stepped through as SQLite alone runs it.

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QString>

#include <stdexcept>
#include <string>

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

namespace bench {

// Runs sql (one or more statements) on db; throws with SQLite's message when it fails.
inline void run(sqlite3* db, const QString& sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string text = err ? err : "?";
        sqlite3_free(err);
        throw std::runtime_error(text);
    }
}

// The milliseconds f takes.
template <class F>
double timed(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return ms(t);
}

} // namespace bench

#pragma once
// What the benchmark suite's files share beside SQLite alone (sqlite_alone.h): a statement
// run on the bare connection, and the time a piece of work takes.

#include "sqlite_alone.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QString>

#include <stdexcept>
#include <string>

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

#include "Sql.h"
#include "Query.h"
#include "exact_sum.h"

#include <sqlite3.h>

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <deque>
#include <exception>
#include <utility>

QString textFromDb(const char* utf8, qsizetype size)
{
    // The mark's three bytes take the decoder that keeps it; every other text the fast path.
    if (size >= 3 && static_cast<unsigned char>(utf8[0]) == 0xEF && static_cast<unsigned char>(utf8[1]) == 0xBB
        && static_cast<unsigned char>(utf8[2]) == 0xBF) {
        QStringDecoder keepMark(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return keepMark(QByteArrayView(utf8, size));
    }
    return QString::fromUtf8(utf8, size);
}

QString sqlQuote(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString dateRangeClause(const QString& column, const DateRange& range)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    return QStringLiteral("and ") + column + QStringLiteral(">=") + sqlQuote(range.from.toString(format))
        + QStringLiteral("and ") + column + QStringLiteral("<=") + sqlQuote(range.to.toString(format));
}

namespace {

constexpr int CacheLimit = 256;

QVariant columnValue(sqlite3_stmt* st, int col)
{
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(st, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, col));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        int n = sqlite3_column_bytes(st, col);
        return QVariant(textFromDb(p, n));
    }
    }
}

} // namespace

struct Connection::Cache {
    QHash<QString, sqlite3_stmt*> map;
    std::deque<QString> order;          // oldest first
    std::vector<sqlite3_stmt*> retired; // replaced while still running; finalized later

    void sweepRetired()
    {
        retired.erase(std::remove_if(retired.begin(), retired.end(), [](sqlite3_stmt* s) {
                          if (sqlite3_stmt_busy(s))
                              return false;
                          sqlite3_finalize(s);
                          return true;
                      }),
                      retired.end());
    }
    void clear()
    {
        for (auto* s : map)
            sqlite3_finalize(s);
        for (auto* s : retired)
            sqlite3_finalize(s);
        map.clear();
        order.clear();
        retired.clear();
    }
};

Connection::Connection(const QString& path)
    : path_(path)
    , cache_(std::make_unique<Cache>())
{
    openFile();
}

void Connection::openFile()
{
    const QByteArray p = path_.toUtf8();
    // The program uses its connection from the GUI thread alone: no mutex around every call.
    int rc = sqlite3_open_v2(p.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DbError(QStringLiteral("Cannot open database '%1': %2").arg(path_, msg));
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 5000);
    try {
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        // Every commit is one person's action: once it has returned it is on disk, and a power
        // cut or a crash of the system afterwards does not take it back.
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        // Reads go straight to the mapped file (up to 1 GB of it) instead of a system call
        // and a copy per page: a grouped statement that walks an index and looks its rows up
        // reads years of ledger rows in place.
        exec(QStringLiteral("PRAGMA mmap_size=1073741824"));
        // Totals are exact to the ten-thousandth however many rows they add up.
        installExactSum(db_);
    } catch (...) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw;
    }
}

Connection::~Connection()
{
    close();
}

void Connection::close()
{
    if (!db_)
        return;
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    depth_ = 0;
    failed_ = rolledBack_ = false;
    writers_.clear();
    cache_->clear();
    // Everything saved goes into the database file itself, so that the file alone, copied
    // elsewhere once the program has closed, holds it; the write-ahead log is left empty.
    sqlite3_exec(db_, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Connection::reopen()
{
    close();
    openFile();
}

void Connection::ensureOpen() const
{
    if (!db_)
        throw DbError(QStringLiteral("The database connection is closed"));
}

void Connection::fail(const QString& context) const
{
    QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("no connection");
    if (context.isEmpty())
        throw DbError(msg);
    throw DbError(context + QStringLiteral(": ") + msg);
}

void Connection::exec(const QString& sql)
{
    ensureOpen();
    char* err = nullptr;
    const QByteArray s = sql.toUtf8();
    int rc = sqlite3_exec(db_, s.constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_free(err);
        throw DbError(msg);
    }
}

sqlite3_stmt* Connection::prepare(const QString& sql)
{
    ensureOpen();
    Cache& c = *cache_;
    auto it = c.map.find(sql);
    if (it != c.map.end()) {
        sqlite3_stmt* st = it.value();
        if (!sqlite3_stmt_busy(st)) {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
            return st;
        }
        // Still being stepped by someone: hand out a fresh one and retire the old.
        c.retired.push_back(st);
        c.map.erase(it);
        c.order.erase(std::find(c.order.begin(), c.order.end(), sql));
    }
    c.sweepRetired();
    sqlite3_stmt* st = nullptr;
    const QByteArray s = sql.toUtf8();
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v3(db_, s.constData(), static_cast<int>(s.size()), SQLITE_PREPARE_PERSISTENT, &st, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(QString());
    }
    if (!st) // only blanks or a comment
        throw DbError(QStringLiteral("Empty statement"));
    for (const char* q = tail; q && q < s.constData() + s.size(); ++q)
        if (!isspace(static_cast<unsigned char>(*q)) && *q != ';') {
            sqlite3_finalize(st);
            throw DbError(QStringLiteral("Only one statement is allowed here: ") + sql);
        }
    keep(sql, st);
    return st;
}

void Connection::keep(const QString& sql, sqlite3_stmt* st)
{
    Cache& c = *cache_;
    while (static_cast<int>(c.order.size()) >= CacheLimit) {
        // Drop the oldest statement that is not running.
        auto victim = std::find_if(c.order.begin(), c.order.end(),
                                   [&](const QString& k) { return !sqlite3_stmt_busy(c.map.value(k)); });
        if (victim == c.order.end())
            break;
        sqlite3_finalize(c.map.take(*victim));
        c.order.erase(victim);
    }
    c.map.insert(sql, st);
    c.order.push_back(sql);
}

void Connection::forgetStatements()
{
    cache_->clear();
}

RecordSet Connection::execute(const QString& sql)
{
    ensureOpen();
    RecordSet rs;
    const QByteArray all = sql.toUtf8();
    const char* p = all.constData();
    const char* end = p + all.size();
    bool first = true;
    while (p < end) {
        sqlite3_stmt* st = nullptr;
        const char* tail = nullptr;
        bool cached = false;
        if (first && cache_->map.contains(sql)) {
            // Seen before as a single statement.
            st = prepare(sql);
            cached = true;
            tail = end;
            first = false;
        } else if (first) {
            // The common case, one statement: take it from the cache.
            sqlite3_stmt* probe = nullptr;
            if (sqlite3_prepare_v2(db_, p, static_cast<int>(end - p), &probe, &tail) != SQLITE_OK) {
                sqlite3_finalize(probe);
                fail(QString());
            }
            bool single = true;
            for (const char* q = tail; q && q < end; ++q)
                if (!isspace(static_cast<unsigned char>(*q)) && *q != ';') {
                    single = false;
                    break;
                }
            if (single && probe) {
                // Kept as it is prepared, not prepared again.
                cache_->sweepRetired();
                keep(sql, probe);
                st = probe;
                cached = true;
                tail = end;
            } else {
                st = probe;
            }
            first = false;
        } else if (sqlite3_prepare_v2(db_, p, static_cast<int>(end - p), &st, &tail) != SQLITE_OK) {
            sqlite3_finalize(st);
            fail(QString());
        }
        p = tail ? tail : end;
        if (!st)
            continue;
        const int n = sqlite3_column_count(st);
        const bool collect = n > 0 && rs.columns.isEmpty();
        if (collect)
            for (int i = 0; i < n; ++i)
                rs.columns << QString::fromUtf8(sqlite3_column_name(st, i));
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            if (!collect)
                continue;
            QVariantList row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row << columnValue(st, i);
            rs.rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
            if (cached)
                sqlite3_reset(st);
            else
                sqlite3_finalize(st);
            throw DbError(msg);
        }
        if (cached)
            sqlite3_reset(st);
        else
            sqlite3_finalize(st);
    }
    return rs;
}

int Connection::changes() const
{
    return db_ ? sqlite3_changes(db_) : 0;
}

qint64 Connection::lastInsertRowId() const
{
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

// --- transactions ---------------------------------------------------------------------

void Connection::noteWriter(Query* q)
{
    if (depth_ > 0 && std::find(writers_.begin(), writers_.end(), q) == writers_.end())
        writers_.push_back(q);
}

void Connection::forgetQuery(Query* q)
{
    writers_.erase(std::remove(writers_.begin(), writers_.end(), q), writers_.end());
}

void Connection::begin()
{
    if (depth_ == 0) {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        failed_ = false;
        rolledBack_ = false;
        writers_.clear();
    }
    ++depth_;
}

void Connection::rollbackNow()
{
    if (db_ && !sqlite3_get_autocommit(db_)) {
        char* err = nullptr;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, &err);
        sqlite3_free(err);
    }
    rolledBack_ = true;
    // Queries that wrote inside the transaction hold rows that are no longer there.
    std::vector<Query*> ws;
    ws.swap(writers_);
    for (Query* q : ws) {
        if (!q->isOpen())
            continue;
        try {
            q->open();
        } catch (...) {
            q->close();
        }
    }
}

void Connection::endScope(bool ok)
{
    if (depth_ <= 0)
        return;
    if (!ok)
        failed_ = true;
    if (--depth_ > 0)
        return;
    const bool wasRolledBack = rolledBack_;
    const bool failed = failed_;
    failed_ = false;
    rolledBack_ = false;
    if (wasRolledBack) {
        writers_.clear();
        return;
    }
    if (failed) {
        rollbackNow();
        rolledBack_ = false;
        if (ok) // the outer scope ends normally after an inner step failed
            throw DbError(QStringLiteral("The transaction was rolled back because one of its steps failed."));
        return;
    }
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
        rollbackNow();
        rolledBack_ = false;
        throw DbError(msg);
    }
    writers_.clear();
}

void Connection::commit()
{
    endScope(true);
}

void Connection::rollback()
{
    if (depth_ <= 0)
        return;
    if (!rolledBack_)
        rollbackNow();
    if (--depth_ == 0) {
        failed_ = false;
        rolledBack_ = false;
        writers_.clear();
    }
}

Transaction::Transaction(Connection& c)
    : c_(c)
    , uncaught_(std::uncaught_exceptions())
{
    c_.begin();
}

Transaction::~Transaction() noexcept(false)
{
    if (done_)
        return;
    done_ = true;
    if (std::uncaught_exceptions() > uncaught_)
        c_.endScope(false); // unwinding: never throws
    else
        c_.endScope(true);
}

void Transaction::commit()
{
    if (!std::exchange(done_, true))
        c_.commit();
}

void Transaction::rollback()
{
    if (!std::exchange(done_, true))
        c_.rollback();
}

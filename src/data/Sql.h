#pragma once
// The connection to the embedded database, transactions and the one quoting helper.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class Query;

class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The text between single quotes with every single quote doubled: "O'Neil" -> 'O''Neil'.
// Every value that goes into SQL text goes through it.
QString sqlQuote(const QString& text);

// A text of the database exactly as stored: a leading U+FEFF (which QString::fromUtf8 takes for
// a byte-order mark and drops) is kept, so a name read back finds the row it came from.
QString textFromDb(const char* utf8, qsizetype size);

// A date range of a query's conditions, both ends included.
struct DateRange {
    QDate from, to;
};
// The query windows' date clause: "and rq>='2024-01-01'and rq<='2024-01-31'" (no blank
// before the second "and"; the stored yyyy-mm-dd text is compared).
QString dateRangeClause(const QString& column, const DateRange& range);

// Rows of a statement run on the connection; callers mostly test whether it is empty.
struct RecordSet {
    QStringList columns;
    std::vector<QVariantList> rows;
    bool isEmpty() const { return rows.empty(); }
    bool eof() const { return rows.empty(); }
    int recordCount() const { return static_cast<int>(rows.size()); }
};

class Connection {
public:
    // Opens (creating when missing) the database file with WAL journaling.
    // Throws DbError when the file cannot be opened.
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // Closes the file (an open transaction is rolled back); every later use throws DbError
    // until reopen(). Used around copying the file (backup, restore, compaction) and at exit.
    void close();
    void reopen();
    bool isOpen() const { return db_ != nullptr; }

    // Runs a statement (or several separated by ';') that returns no rows.
    void exec(const QString& sql);
    // Runs one statement; returns the rows it yields (none for a write).
    RecordSet execute(const QString& sql);
    // Rows changed by the last write statement.
    int changes() const;
    qint64 lastInsertRowId() const;

    // A prepared statement from the connection's cache; reset and cleared of bindings.
    // The connection keeps ownership.
    sqlite3_stmt* prepare(const QString& sql);
    // Finalizes every cached statement (none may be running): the next use of a statement
    // prepares it again, as its first use did. The benchmarks time first uses so.
    void forgetStatements();
    // Throws DbError with the connection's last error message prefixed by context.
    [[noreturn]] void fail(const QString& context) const;

    // Transactions (see Transaction). Depth 0 means none is open.
    int transactionDepth() const { return depth_; }
    bool inTransaction() const { return depth_ > 0; }
    // A query that writes (or reads) inside a transaction registers itself; after a
    // rollback every registered query that is open is reopened on its SQL.
    void noteWriter(Query* q);
    void forgetQuery(Query* q);

private:
    friend class Transaction;
    void begin();
    void commit();
    void rollback();
    // Ends one scope: the outermost commits, or rolls back when a scope failed (and then
    // throws when this scope itself ended normally).
    void endScope(bool ok);
    void rollbackNow();
    // Puts a prepared statement into the cache under its text (the oldest idle one leaves
    // when the cache is full).
    void keep(const QString& sql, sqlite3_stmt* st);
    void openFile();
    void ensureOpen() const;

    QString path_;
    sqlite3* db_ = nullptr;
    int depth_ = 0;
    bool failed_ = false;
    bool rolledBack_ = false;
    struct Cache;
    std::unique_ptr<Cache> cache_;
    std::vector<Query*> writers_;
};

// A scope on the connection: commit at the end, rollback when an exception leaves it.
// A nested scope joins the outer one (an exception leaving the inner scope marks the
// whole transaction for rollback).
class Transaction {
public:
    explicit Transaction(Connection& c);
    ~Transaction() noexcept(false);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    // Ends the scope early: commits (outermost) or leaves the commit to the outer scope.
    void commit();
    // Rolls the whole transaction back now.
    void rollback();

private:
    Connection& c_;
    int uncaught_;
    bool done_ = false;
};

#pragma once
// What the suite compares the program with: the statements the program ran on its
// connection, caught while it ran, then run again by SQLite alone: each statement prepared
// once per replay, its values bound as the program bound them, stepped to the end with every
// cell read. Transaction statements are left out; a write replay runs in one transaction.

#include <QByteArray>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace suite {

struct Statement {
    QByteArray text;       // as prepared, with its '?' parameters
    QByteArray expanded;   // with the values that were bound in place of the parameters
};

// Catches every statement run on db while it lives (nested catchers are not supported).
class StatementCatcher {
public:
    explicit StatementCatcher(sqlite3* db);
    ~StatementCatcher();
    StatementCatcher(const StatementCatcher&) = delete;
    StatementCatcher& operator=(const StatementCatcher&) = delete;
    std::vector<Statement> statements;

private:
    sqlite3* db_;
};

struct Replayed {
    double ms = 0;
    long long rows = 0;      // rows the statements gave
    int statements = 0;      // statements run
};

// Runs the statements on db as SQLite alone; with inTransaction, between one BEGIN and one
// COMMIT (the time includes both). Throws when a statement fails.
Replayed replay(sqlite3* db, const std::vector<Statement>& statements, bool inTransaction);

// What SQLite's plans of the statements do that makes a user wait on a large shop, or empty:
// a temporary B-tree for GROUP BY, or a correlated subquery, at a level that scans a whole
// ledger (cgfx, xsfx, rkfx), directly or through a subquery that hands the rows of ledgers on
// as they are (a plain UNION ALL: COMPOUND QUERY). A subquery whose members come merged in key
// order (MERGE), one per group of its own, passes.
QByteArray planFault(sqlite3* db, const std::vector<Statement>& statements);

// The values of the parameters of text as expanded shows them, bound to st (parameter i
// gets the i-th value).
bool bindExpanded(sqlite3_stmt* st, const QByteArray& text, const QByteArray& expanded);

// Binds values of every kind (a quoted text, NULL, negative and large numbers, a blob) to a
// statement, reads SQLite's expanded text back through bindExpanded and checks that the same
// values come out; throws when they do not, so the suite never replays other values.
void checkReplayValues(sqlite3* db);

} // namespace suite

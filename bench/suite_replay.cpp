#include "suite_replay.h"

#include "bench_support.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace suite {

namespace {

int onStatement(unsigned type, void* context, void* p, void* x)
{
    if (type != SQLITE_TRACE_STMT)
        return 0;
    const char* text = static_cast<const char*>(x);
    if (text && text[0] == '-' && text[1] == '-')
        return 0;   // a trigger's statement
    auto* st = static_cast<sqlite3_stmt*>(p);
    Statement s;
    s.text = QByteArray(sqlite3_sql(st));
    if (char* e = sqlite3_expanded_sql(st)) {
        s.expanded = QByteArray(e);
        sqlite3_free(e);
    } else {
        s.expanded = s.text;
    }
    static_cast<std::vector<Statement>*>(context)->push_back(std::move(s));
    return 0;
}

bool isTransactionControl(const QByteArray& text)
{
    const QByteArray t = text.trimmed().toUpper();
    for (const char* word : {"BEGIN", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE", "PRAGMA"})
        if (t.startsWith(word))
            return true;
    return false;
}

// The end of the quoted part of s that starts at i (quotes doubled inside).
qsizetype quotedEnd(const QByteArray& s, qsizetype i)
{
    const char q = s[i] == '[' ? ']' : s[i];
    qsizetype j = i + 1;
    while (j < s.size()) {
        if (s[j] == q) {
            if (q != ']' && j + 1 < s.size() && s[j + 1] == q) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return j;
}

void check(sqlite3* db, int rc, const char* what)
{
    if (rc != SQLITE_OK)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

} // namespace

StatementCatcher::StatementCatcher(sqlite3* db) : db_(db)
{
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, onStatement, &statements);
}

StatementCatcher::~StatementCatcher()
{
    sqlite3_trace_v2(db_, 0, nullptr, nullptr);
}

bool bindExpanded(sqlite3_stmt* st, const QByteArray& text, const QByteArray& expanded)
{
    qsizetype i = 0, j = 0;
    int param = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const qsizetype n = quotedEnd(text, i) - i;
            i += n;
            j += n;
            continue;
        }
        if (c != '?') {
            ++i;
            ++j;
            continue;
        }
        ++i;
        ++param;
        if (j >= expanded.size())
            return false;
        if (expanded.mid(j, 4) == "NULL") {
            sqlite3_bind_null(st, param);
            j += 4;
        } else if (expanded[j] == '\'') {
            const qsizetype end = quotedEnd(expanded, j);
            QByteArray value = expanded.mid(j + 1, end - j - 2);
            value.replace("''", "'");
            sqlite3_bind_text(st, param, value.constData(), int(value.size()), SQLITE_TRANSIENT);
            j = end;
        } else if ((expanded[j] == 'x' || expanded[j] == 'X') && j + 1 < expanded.size() && expanded[j + 1] == '\'') {
            const qsizetype end = quotedEnd(expanded, j + 1);
            const QByteArray blob = QByteArray::fromHex(expanded.mid(j + 2, end - j - 3));
            sqlite3_bind_blob(st, param, blob.constData(), int(blob.size()), SQLITE_TRANSIENT);
            j = end;
        } else {
            qsizetype end = j;
            bool real = false;
            while (end < expanded.size()
                   && (std::isdigit(static_cast<unsigned char>(expanded[end])) || expanded[end] == '-'
                       || expanded[end] == '+' || expanded[end] == '.' || expanded[end] == 'e' || expanded[end] == 'E')) {
                real = real || expanded[end] == '.' || expanded[end] == 'e' || expanded[end] == 'E';
                ++end;
            }
            if (end == j)
                return false;
            const QByteArray number = expanded.mid(j, end - j);
            if (real)
                sqlite3_bind_double(st, param, std::strtod(number.constData(), nullptr));
            else
                sqlite3_bind_int64(st, param, std::strtoll(number.constData(), nullptr, 10));
            j = end;
        }
    }
    return j == expanded.size();
}

void checkReplayValues(sqlite3* db)
{
    const char* sql = "SELECT ?, ?, '?''s', ?, ?, ?, ?, ?";
    sqlite3_stmt* st = nullptr;
    check(db, sqlite3_prepare_v2(db, sql, -1, &st, nullptr), sql);
    sqlite3_bind_text(st, 1, "O'Neil 商品", -1, SQLITE_STATIC);
    sqlite3_bind_null(st, 2);
    sqlite3_bind_double(st, 3, -1234.5625);
    sqlite3_bind_int64(st, 4, -(1LL << 40));
    sqlite3_bind_double(st, 5, 1e-7);
    sqlite3_bind_blob(st, 6, "\x01\xff", 2, SQLITE_STATIC);
    sqlite3_bind_text(st, 7, "", 0, SQLITE_STATIC);
    char* e = sqlite3_expanded_sql(st);
    const QByteArray expanded(e);
    sqlite3_free(e);
    const auto row = [](sqlite3_stmt* s) {
        QByteArray out;
        if (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                out += QByteArray::number(sqlite3_column_type(s, c)) + ':'
                    + QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(s, c)), sqlite3_column_bytes(s, c)) + '|';
        sqlite3_reset(s);
        return out;
    };
    const QByteArray bound = row(st);
    sqlite3_clear_bindings(st);
    const bool read = bindExpanded(st, QByteArray(sql), expanded);
    const QByteArray replayed = row(st);
    sqlite3_finalize(st);
    if (!read || replayed != bound)
        throw std::runtime_error("the replay reads other values than were bound: " + expanded.toStdString());
}

Replayed replay(sqlite3* db, const std::vector<Statement>& statements, bool inTransaction)
{
    Replayed r;
    QHash<QByteArray, sqlite3_stmt*> prepared;
    QElapsedTimer t;
    t.start();
    if (inTransaction)
        check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), "BEGIN");
    for (const Statement& s : statements) {
        if (isTransactionControl(s.text))
            continue;
        sqlite3_stmt*& st = prepared[s.text];
        if (!st)
            check(db, sqlite3_prepare_v2(db, s.text.constData(), int(s.text.size()), &st, nullptr), s.text.constData());
        if (!bindExpanded(st, s.text, s.expanded))
            throw std::runtime_error("cannot read the values of " + s.expanded.toStdString());
        long long rows = 0;
        const int rc = stepReadingEveryCell(st, &rows);
        r.rows += rows;
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string(s.expanded.constData()) + ": " + sqlite3_errmsg(db));
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        ++r.statements;
    }
    if (inTransaction)
        check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "COMMIT");
    r.ms = ms(t);
    for (sqlite3_stmt* st : prepared)
        sqlite3_finalize(st);
    return r;
}

namespace {

struct PlanNode {
    int id = 0, parent = 0;
    QByteArray detail;
};

bool isLedger(const QByteArray& name) { return name == "cgfx" || name == "xsfx" || name == "rkfx"; }

// The second word of "SCAN xsfx USING ...", "CO-ROUTINE (subquery-1)", "MATERIALIZE g".
QByteArray objectOf(const QByteArray& detail)
{
    const QList<QByteArray> words = detail.split(' ');
    return words.size() > 1 ? words[1] : QByteArray();
}

// True when the subtree under id holds a plain UNION ALL that scans a ledger.
bool handsOnLedgerRows(const std::vector<PlanNode>& nodes, int id, bool inCompound = false)
{
    for (const PlanNode& n : nodes) {
        if (n.parent != id)
            continue;
        const bool compound = inCompound || n.detail.startsWith("COMPOUND QUERY");
        if (compound && n.detail.startsWith("SCAN ") && isLedger(objectOf(n.detail)))
            return true;
        if (handsOnLedgerRows(nodes, n.id, compound))
            return true;
    }
    return false;
}

} // namespace

QByteArray planFault(sqlite3* db, const std::vector<Statement>& statements)
{
    QSet<QByteArray> seen;
    for (const Statement& s : statements) {
        const QByteArray head = s.text.trimmed().left(6).toUpper();
        if ((head != "SELECT" && !head.startsWith("WITH")) || seen.contains(s.text))
            continue;
        seen.insert(s.text);
        const QByteArray text = "EXPLAIN QUERY PLAN " + s.text;
        sqlite3_stmt* st = nullptr;
        check(db, sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, nullptr), text.constData());
        bindExpanded(st, text, "EXPLAIN QUERY PLAN " + s.expanded);
        std::vector<PlanNode> nodes;
        while (sqlite3_step(st) == SQLITE_ROW)
            nodes.push_back({sqlite3_column_int(st, 0), sqlite3_column_int(st, 1),
                             QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 3)))});
        sqlite3_finalize(st);
        for (const PlanNode& n : nodes) {
            if (!n.detail.startsWith("USE TEMP B-TREE FOR GROUP BY") && !n.detail.startsWith("CORRELATED SCALAR SUBQUERY"))
                continue;
            for (const PlanNode& beside : nodes) {
                if (beside.parent != n.parent || !beside.detail.startsWith("SCAN "))
                    continue;
                const QByteArray object = objectOf(beside.detail);
                if (isLedger(object))
                    return n.detail + " over " + object;
                for (const PlanNode& sub : nodes)
                    if (sub.parent == n.parent && objectOf(sub.detail) == object
                        && (sub.detail.startsWith("CO-ROUTINE") || sub.detail.startsWith("MATERIALIZE"))
                        && handsOnLedgerRows(nodes, sub.id))
                        return n.detail + " over a union of ledger rows";
            }
        }
    }
    return QByteArray();
}

} // namespace suite

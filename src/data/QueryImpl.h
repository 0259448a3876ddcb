#pragma once
// What the pieces of Query share, private to them: the columns of the statement, the table a
// row is written back to, the rows in hand and the row in edit or insert.
//   Query.cpp       the SQL text, open and close, the cursor, reading fields
//   QueryCells.cpp  a cell read as text, money, number or value, and written to a statement
//   QueryWrite.cpp  writing fields, edit / append / post / cancel / delete and the write-back
//   QuerySort.cpp   locate and the in-memory sort

#include "Query.h"
#include "QueryCells.h"
#include "Sql.h"

#include <sqlite3.h>

#include <QString>

struct Query::Impl {
    using Cell = QueryCells::Cell;

    struct Col {
        QString name;
        FieldType type = FieldType::Text;
        bool declared = false;      // typed by its declaration; an expression by its values
    };
    std::vector<Col> cols;          // visible fields, then the hidden rowid when used
    int visible = 0;
    int keyCol = -1;                // id, or the hidden rowid
    bool byRowid = false;
    QString table;                  // written to; empty when not a single-table SELECT

    std::vector<QueryCells::ColumnCells> cells; // per column, the cells of the physical rows
    std::size_t physical = 0;       // physical rows
    // Rows in hand -> physical row; while `inOrder`, row i is physical row i and order is unused.
    bool inOrder = true;
    std::vector<std::uint32_t> order;
    QueryCells::Arena arena;

    std::vector<Cell> buf;          // the row in edit / insert
    std::vector<char> dirty;

    // A table without id is written by its rowid, selected as a last column of this name.
    static constexpr const char* HiddenRowid = "rowid$hidden";

    // --- the rows in hand (QueryCells.cpp) ---------------------------------------------
    std::size_t width() const { return cols.size(); }
    std::size_t physicalRow(int row) const { return inOrder ? static_cast<std::size_t>(row) : order[row]; }
    Cell cell(int row, int col) const { return cells[col].get(physicalRow(row)); }
    int rowCount() const { return static_cast<int>(inOrder ? physical : order.size()); }
    // The rows in hand as an explicit order (before a sort or a delete changes it).
    void takeOrder();
    void appendRow(const std::vector<Cell>& row);
    void reset();

    Cell textCell(const QString& s);
    Cell textCell(const char* p, std::uint32_t n)
    {
        using namespace QueryCells;
        if (n == 0)
            return EmptyCell;
        return (TagText << 48) | arena.put(p, n);
    }
    Cell intCell(std::int64_t v)
    {
        using namespace QueryCells;
        const std::int64_t lim = std::int64_t(1) << 47;
        if (v >= -lim && v < lim)
            return (TagInt << 48) | (static_cast<std::uint64_t>(v) & PayloadMask);
        return (TagBigInt << 48) | arena.put(reinterpret_cast<const char*>(&v), sizeof v);
    }
    // The cell of a value a statement gives.
    Cell readValue(sqlite3_value* v, int type)
    {
        switch (type) {
        case SQLITE_INTEGER: return intCell(sqlite3_value_int64(v));
        case SQLITE_FLOAT: return QueryCells::realCell(sqlite3_value_double(v));
        case SQLITE_NULL: return QueryCells::NullCell;
        default: {
            const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
            return textCell(p, static_cast<std::uint32_t>(sqlite3_value_bytes(v)));
        }
        }
    }

    std::int64_t intOf(Cell c) const;
    QString textOf(Cell c) const;
    Money moneyOf(Cell c) const;
    double numberOf(Cell c) const;
    qint64 integerOf(Cell c) const;
    QVariant variantOf(Cell c) const;
    void bind(sqlite3_stmt* st, int pos, Cell c) const;

    // --- opening (Query.cpp) -----------------------------------------------------------
    // The statement of sql, with the hidden rowid added when it is written back by rowid.
    sqlite3_stmt* prepareRows(Connection& c, const QString& sql);
    // The fields of the statement, their types and the form of their cells.
    void describeColumns(sqlite3_stmt* st);
    // Reads every row of the statement (when fetch) and gives each expression column the
    // type of its values.
    void fetchRows(sqlite3_stmt* st, bool fetch);

    // --- writing back (QueryWrite.cpp) -------------------------------------------------
    QString keyName() const { return byRowid ? QStringLiteral("rowid") : cols[keyCol].name; }
    std::vector<int> dirtyColumns() const;
    // Writes the changed fields of the row in edit to its row of the table and the rows in
    // hand; q names the errors.
    void updateRow(Connection& c, Query& q, int row);
    // Inserts the row in insert and reads back what the table stored for it into buf.
    void insertRow(Connection& c, Query& q);

    // --- shared by the pieces ----------------------------------------------------------
    static QString nameOf(const Query& q) { return q.name().isEmpty() ? QStringLiteral("Query") : q.name(); }
    static DbError closedDataset(const Query& q)
    {
        return DbError(nameOf(q) + QStringLiteral(": Cannot perform this operation on a closed dataset"));
    }
    [[noreturn]] static void noField(const Query& q, const QString& field)
    {
        throw DbError(nameOf(q) + QStringLiteral(": Field '%1' not found").arg(field));
    }
    // Before the cursor moves: the query must be open, and a row in edit or insert is posted.
    static void leaveRow(Query& q)
    {
        if (q.state() == Query::State::Inactive)
            throw closedDataset(q);
        if (q.state() != Query::State::Browse)
            q.post();
    }
    static std::int64_t roundToInteger(Money m) { return m.rounded(0).raw() / Money::Scale; }
};

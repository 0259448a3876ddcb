#pragma once
// The data set that windows share: SQL text kept as lines, every row in memory with a
// current row (a static cursor), fields read and written by name, edit/append/post/delete
// written back to the one table of a single-table SELECT, an in-memory sort, and
// change notifications that grids observe.

#include "Money.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class Connection;

enum class FieldType { Text, Money, Number, Integer };

class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    // designSql: the statement the query holds before any caller rewrites it (may be empty).
    Query(Connection& c, const QString& name, const QString& designSql = QString());
    ~Query() override;

    const QString& name() const { return name_; }
    Connection& connection() const { return c_; }

    // --- SQL text -------------------------------------------------------------------
    void clearSql();
    void addSql(const QString& line);
    void setSql(const QStringList& lines);
    QStringList sqlLines() const { return lines_; }
    QString sqlText() const { return lines_.join(QLatin1Char('\n')); }

    // --- open / close / execute -----------------------------------------------------
    // Runs the SQL text and keeps every row. Throws DbError (the query stays closed).
    void open();
    void close();
    // Opens a closed query on its SQL for appending only: the fields are known, no row is
    // read. A ledger that no window shows takes new rows without loading years of them.
    // An open query stays as it is.
    void openForAppend();
    // Opens as open() does; but while no grid shows the query, its rows are read only when
    // something first asks for them (the count, a row, the cursor, an edit, a locate, a
    // sort), and an append before that starts from no rows, as on a query opened for
    // appending. A statement that then fails throws from the call that asked.
    void openDeferred();
    // True while the rows of openDeferred() have not been read.
    bool rowsDeferred() const { return deferred_; }
    bool isOpen() const { return state_ != State::Inactive; }
    // Changes whenever the rows in hand change: a run of the statement (an open, a refresh, a
    // rollback's reopen), a posted edit or append, a delete; not a sort or a move. A window that
    // adds up the rows it shows tells from it whether they changed since it last did.
    quint64 rowsVersion() const { return rowsVersion_; }
    State state() const { return state_; }
    // Runs the SQL text as a statement that returns no rows; returns the rows changed.
    // The query's open state and rows are not touched.
    int execSql();
    // Reopens on the same SQL, keeping the current row index where possible.
    void refresh();
    // Closes, takes lines as the SQL text and opens: a new statement's rows.
    void reopen(const QStringList& lines);

    // --- cursor ---------------------------------------------------------------------
    // After open or first(): row 0 with bof set; eof set only when there are no rows.
    // last() sets eof; next() on the last row sets eof and stays; prior() on the first row
    // sets bof and stays; a step onto the first or last row from its neighbour sets no mark.
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const { readDeferred(); return cur_; }   // 0-based; -1 when there are no rows
    bool bof() const { readDeferred(); return bof_; }
    bool eof() const { readDeferred(); return eof_; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);                        // clamps; clears both marks unless empty

    // --- fields ---------------------------------------------------------------------
    int fieldCount() const;
    QString fieldName(int col) const;
    int fieldIndex(const QString& name) const;   // case-insensitive; -1 when absent
    FieldType fieldType(int col) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }

    // Of the current row (or the row in edit/insert). Unknown field names throw DbError.
    bool isNull(const QString& field) const;
    QString text(const QString& field) const;    // numbers as Money::plainText(), NULL ""
    Money money(const QString& field) const;     // NULL 0; rounded to four decimals
    double number(const QString& field) const;   // NULL 0
    qint64 integer(const QString& field) const;  // NULL 0
    QVariant value(const QString& field) const;  // NULL invalid

    // Writes need edit() or append() first (else DbError). Text is converted by the
    // column's type: empty text writes '' to a text column and NULL to a numeric one;
    // a text that is not a number throws MoneyFormatError. A money or number column takes
    // only values in the program's range (Money::inRange); beyond it MoneyRangeError. Either
    // error on a money or number column drops the row being written (as a refused post does),
    // so nothing of it is kept.
    void setText(const QString& field, const QString& text);
    void setMoney(const QString& field, Money m);
    void setNumber(const QString& field, double v);
    void setInteger(const QString& field, qint64 v);
    void setNull(const QString& field);

    // Random access for grids and reports, without moving the cursor.
    QString cellText(int row, int col) const;
    Money cellMoney(int row, int col) const;
    bool cellIsNull(int row, int col) const;
    QVariant cellValue(int row, int col) const;  // NULL invalid
    qint64 cellInteger(int row, int col) const;  // as integer(): NULL 0, others rounded

    // --- editing --------------------------------------------------------------------
    // Written by id (or rowid for tables without id) to the table of a single-table
    // SELECT. An appended row gets its id and stored values back and stays in the rows
    // in hand (after the current row... appended at the end) even when it does not match
    // the WHERE; it becomes the current row.
    void edit();
    void append();
    void post();
    void cancel();
    void deleteRow();                            // deletes the current row from table and rows
    QString tableName() const;                   // empty when not a single-table SELECT

    // --- locate and sort ------------------------------------------------------------
    // Moves to the first row whose fields equal the values (text compared without case,
    // numbers numerically); returns false and stays when none does.
    bool locate(const QStringList& fields, const QVariantList& values);
    // "field ASC" / "field DESC" / "a ASC, b DESC" / "": orders the rows in hand without a
    // statement (numbers numerically, texts in Chinese pinyin order); the current row
    // stays the same row. An empty sort keeps the order in hand.
    void setSort(const QString& sort);
    QString sort() const { return sort_; }

    // --- controls -------------------------------------------------------------------
    // Counted; while disabled, observers do not follow changes, and on the last enable
    // they get one dataReset().
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

signals:
    // Emitted only while controls are enabled.
    void dataReset();               // opened, closed, reordered, rows inserted or deleted
    void rowChanged(int row);       // one row's values changed (post)
    void currentChanged(int row);   // the cursor moved

public:
    struct Impl;
private:
    void openRows(bool fetch, bool notify = true);
    // The rows of openDeferred(), read when first wanted (no notification: the open gave it).
    void readDeferred() const
    {
        if (deferred_)
            readDeferredRows();
    }
    void readDeferredRows() const;
    // The row in edit or insert written back to the table and the rows in hand.
    void writeRow();
    // Back to browsing, the row in edit or insert dropped.
    void endEditing();
    void notifyReset();
    void notifyRow(int row);
    void notifyCurrent();
    int writableField(const QString& field) const;
    void requireWritable() const;

    Connection& c_;
    QString name_;
    QStringList lines_;
    State state_ = State::Inactive;
    int cur_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    QString sort_;
    int disabled_ = 0;
    bool pendingReset_ = false;
    mutable bool deferred_ = false;
    quint64 rowsVersion_ = 0;
    std::unique_ptr<Impl> d_;
};

// Keeps a query's grids still for a walk over its rows and lets them follow again however
// the walk ends.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Query& q) : q_(q) { q_.disableControls(); }
    ~ControlsDisabled() { q_.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;
private:
    Query& q_;
};

// Writing a query's fields, and edit / append / post / cancel / delete of its current row,
// written back by id (or rowid) to the one table of its statement.

#include "QueryImpl.h"

using namespace QueryCells;

// --- writing fields -------------------------------------------------------------------

int Query::writableField(const QString& field) const
{
    const int col = fieldIndex(field);
    if (col < 0)
        Impl::noField(*this, field);
    if (state_ != State::Edit && state_ != State::Insert)
        throw DbError(Impl::nameOf(*this) + QStringLiteral(": Dataset not in edit or insert mode"));
    return col;
}

namespace {
// A money or number column takes no value beyond the program's range: the row being written
// is dropped, as a refused post drops it, and MoneyRangeError thrown.
void refuseOutOfRange(Query& q, FieldType type, bool inRange)
{
    if (!inRange && (type == FieldType::Money || type == FieldType::Number)) {
        q.cancel();
        throw MoneyRangeError();
    }
}

// A typed text's value for a money or number column; one that is no number or out of range
// drops the row being written as above.
Money columnValue(Query& q, const QString& text)
{
    try {
        return Money::parse(text).checkedRange();
    } catch (...) {
        q.cancel();
        throw;
    }
}
}

void Query::setText(const QString& field, const QString& text)
{
    const int col = writableField(field);
    Impl& d = *d_;
    Cell c = NullCell;
    switch (d.cols[col].type) {
    case FieldType::Text:
        c = d.textCell(text);
        break;
    case FieldType::Money:
        c = text.trimmed().isEmpty() ? NullCell : realCell(columnValue(*this, text).toDouble());
        break;
    case FieldType::Number:
        if (text.trimmed().isEmpty()) {
            c = NullCell;
        } else {
            const Money m = columnValue(*this, text);
            bool ok = false;
            const double v = text.trimmed().toDouble(&ok);
            c = realCell(ok ? v : m.toDouble());
        }
        break;
    case FieldType::Integer:
        c = text.trimmed().isEmpty() ? NullCell : d.intCell(Impl::roundToInteger(Money::parse(text)));
        break;
    }
    d.buf[col] = c;
    d.dirty[col] = 1;
}

void Query::setMoney(const QString& field, Money m)
{
    const int col = writableField(field);
    Impl& d = *d_;
    const FieldType type = d.cols[col].type;
    refuseOutOfRange(*this, type, m.inRange());
    switch (type) {
    case FieldType::Text: d.buf[col] = d.textCell(m.plainText()); break;
    case FieldType::Money:
    case FieldType::Number: d.buf[col] = realCell(m.toDouble()); break;
    case FieldType::Integer: d.buf[col] = d.intCell(Impl::roundToInteger(m)); break;
    }
    d.dirty[col] = 1;
}

void Query::setNumber(const QString& field, double v)
{
    const int col = writableField(field);
    Impl& d = *d_;
    const FieldType type = d.cols[col].type;
    refuseOutOfRange(*this, type, std::fabs(v) < Money::Limit);
    switch (type) {
    case FieldType::Text: d.buf[col] = d.textCell(QString::number(v, 'g', 15)); break;
    case FieldType::Money: d.buf[col] = realCell(Money::fromDouble(v).toDouble()); break;
    case FieldType::Number: d.buf[col] = realCell(v); break;
    case FieldType::Integer: d.buf[col] = d.intCell(static_cast<std::int64_t>(std::nearbyint(v))); break;
    }
    d.dirty[col] = 1;
}

void Query::setInteger(const QString& field, qint64 v)
{
    const int col = writableField(field);
    Impl& d = *d_;
    refuseOutOfRange(*this, d.cols[col].type, v > -Money::Limit && v < Money::Limit);
    switch (d.cols[col].type) {
    case FieldType::Text: d.buf[col] = d.textCell(QString::number(v)); break;
    case FieldType::Money:
    case FieldType::Number: d.buf[col] = realCell(static_cast<double>(v)); break;
    case FieldType::Integer: d.buf[col] = d.intCell(v); break;
    }
    d.dirty[col] = 1;
}

void Query::setNull(const QString& field)
{
    const int col = writableField(field);
    Impl& d = *d_;
    // Text columns are NOT NULL: their empty value is ''.
    d.buf[col] = d.cols[col].type == FieldType::Text ? EmptyCell : NullCell;
    d.dirty[col] = 1;
}

// --- editing --------------------------------------------------------------------------

QString Query::tableName() const
{
    return d_->table;
}

void Query::requireWritable() const
{
    if (state_ == State::Inactive)
        throw Impl::closedDataset(*this);
    if (d_->table.isEmpty() || d_->keyCol < 0)
        throw DbError(Impl::nameOf(*this) + QStringLiteral(": Cannot modify a read-only dataset"));
}

void Query::edit()
{
    readDeferred();
    requireWritable();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (isEmpty()) {
        append();
        return;
    }
    Impl& d = *d_;
    d.buf.assign(d.width(), NullCell);
    for (std::size_t i = 0; i < d.width(); ++i)
        d.buf[i] = d.cell(cur_, static_cast<int>(i));
    d.dirty.assign(d.width(), 0);
    state_ = State::Edit;
}

void Query::append()
{
    // Rows not read yet are not read for an append: it starts from none.
    deferred_ = false;
    requireWritable();
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    Impl& d = *d_;
    d.buf.assign(d.width(), NullCell);
    d.dirty.assign(d.width(), 0);
    state_ = State::Insert;
}

void Query::cancel()
{
    if (state_ == State::Edit || state_ == State::Insert)
        endEditing();
}

void Query::post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    // A row the database refused is dropped: left in edit or insert, the next move or
    // append would try to write it again.
    try {
        writeRow();
    } catch (...) {
        cancel();
        throw;
    }
}

void Query::writeRow()
{
    Impl& d = *d_;
    if (state_ == State::Edit) {
        d.updateRow(c_, *this, cur_);
        ++rowsVersion_;
        endEditing();
        notifyRow(cur_);
        return;
    }
    d.insertRow(c_, *this);
    d.appendRow(d.buf);
    ++rowsVersion_;
    cur_ = recordCount() - 1;
    bof_ = eof_ = false;
    endEditing();
    notifyReset();
    notifyCurrent();
}

void Query::endEditing()
{
    state_ = State::Browse;
    d_->buf.clear();
    d_->dirty.clear();
}

std::vector<int> Query::Impl::dirtyColumns() const
{
    std::vector<int> changed;
    for (int i = 0; i < visible; ++i)
        if (dirty[i])
            changed.push_back(i);
    return changed;
}

void Query::Impl::updateRow(Connection& c, Query& q, int row)
{
    const std::vector<int> changed = dirtyColumns();
    if (changed.empty())
        return;
    QStringList sets;
    for (int col : changed)
        sets << QStringLiteral("\"%1\"=?").arg(cols[col].name);
    const QString sql = QStringLiteral("UPDATE \"%1\" SET %2 WHERE %3=?").arg(table, sets.join(QLatin1Char(',')), keyName());
    sqlite3_stmt* st = c.prepare(sql);
    int pos = 1;
    for (int col : changed)
        bind(st, pos++, buf[col]);
    bind(st, pos, cell(row, keyCol));
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        c.fail(nameOf(q));
    if (c.changes() == 0)
        throw DbError(nameOf(q) + QStringLiteral(": Row cannot be located for updating"));
    c.noteWriter(&q);
    const std::size_t phys = physicalRow(row);
    for (int col : changed)
        cells[col].set(phys, buf[col]);
}

void Query::Impl::insertRow(Connection& c, Query& q)
{
    const std::vector<int> changed = dirtyColumns();
    QStringList names, marks;
    for (int col : changed) {
        names << QStringLiteral("\"%1\"").arg(cols[col].name);
        marks << QStringLiteral("?");
    }
    const QString sql = changed.empty()
        ? QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    sqlite3_stmt* st = c.prepare(sql);
    int pos = 1;
    for (int col : changed)
        bind(st, pos++, buf[col]);
    int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        c.fail(nameOf(q));
    c.noteWriter(&q);
    const qint64 rowid = c.lastInsertRowId();

    // Read the stored row back: id, defaults and the values as the columns keep them.
    const QString back = byRowid
        ? QStringLiteral("SELECT *, rowid AS \"%1\" FROM \"%2\" WHERE rowid=?").arg(QLatin1String(HiddenRowid), table)
        : QStringLiteral("SELECT * FROM \"%1\" WHERE rowid=?").arg(table);
    st = c.prepare(back);
    sqlite3_bind_int64(st, 1, rowid);
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i) {
            const QString name = QString::fromUtf8(sqlite3_column_name(st, i));
            const int col = (byRowid && name == QLatin1String(HiddenRowid)) ? keyCol : q.fieldIndex(name);
            if (col >= 0) {
                sqlite3_value* v = sqlite3_column_value(st, i);
                buf[col] = readValue(v, sqlite3_value_type(v));
            }
        }
    }
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        c.fail(nameOf(q));
}

void Query::deleteRow()
{
    readDeferred();
    requireWritable();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (isEmpty())
        throw DbError(Impl::nameOf(*this) + QStringLiteral(": Cannot perform this operation on an empty dataset"));
    Impl& d = *d_;
    sqlite3_stmt* st = c_.prepare(QStringLiteral("DELETE FROM \"%1\" WHERE %2=?").arg(d.table, d.keyName()));
    d.bind(st, 1, d.cell(cur_, d.keyCol));
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        c_.fail(Impl::nameOf(*this));
    c_.noteWriter(this);
    d.takeOrder();
    d.order.erase(d.order.begin() + cur_);
    ++rowsVersion_;
    if (isEmpty()) {
        cur_ = -1;
        bof_ = eof_ = true;
    } else if (cur_ >= recordCount()) {
        cur_ = recordCount() - 1;
        bof_ = false;
        eof_ = true;
    } else {
        bof_ = eof_ = false;
    }
    notifyReset();
    notifyCurrent();
}

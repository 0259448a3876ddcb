#include "QueryImpl.h"

#include <QMetaMethod>
#include <QRegularExpression>

#include <algorithm>

using namespace QueryCells;

namespace {

bool cellInRange(const Query& q, int row, int col)
{
    return row >= 0 && row < q.recordCount() && col >= 0 && col < q.fieldCount();
}

// The one table of "SELECT * FROM t [where ...] [order by ...]" (also "SELECT *FROM t").
QString singleTable(const QString& sql, int* fromEnd)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*select\s*\*\s*from\s+([A-Za-z_][A-Za-z0-9_]*)(\s*$|\s+(where|order)\b))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    auto m = re.match(sql);
    if (!m.hasMatch())
        return QString();
    if (fromEnd)
        *fromEnd = m.capturedEnd(1);
    return m.captured(1);
}

// Whether text holds word (upper-case ASCII), ignoring ASCII case.
bool containsWord(const char* text, const char* word)
{
    const std::size_t n = std::strlen(word);
    for (const char* p = text; *p; ++p)
        if (qstrnicmp(p, word, n) == 0)
            return true;
    return false;
}

FieldType typeFromDecl(const char* decl)
{
    auto has = [decl](const char* word) { return containsWord(decl, word); };
    if (has("MONEY") || has("CURRENCY"))
        return FieldType::Money;
    if (has("INT"))
        return FieldType::Integer;
    if (has("DOUB") || has("REAL") || has("FLOA") || has("NUM") || has("DEC"))
        return FieldType::Number;
    return FieldType::Text;
}

} // namespace

Query::Query(Connection& c, const QString& name, const QString& designSql)
    : c_(c)
    , name_(name)
    , d_(std::make_unique<Impl>())
{
    setObjectName(name);
    if (!designSql.isEmpty())
        lines_ = designSql.split(QLatin1Char('\n'));
}

Query::~Query()
{
    c_.forgetQuery(this);
}

// --- SQL text -------------------------------------------------------------------------

void Query::clearSql() { lines_.clear(); }
void Query::addSql(const QString& line) { lines_ << line; }
void Query::setSql(const QStringList& lines) { lines_ = lines; }

// --- notifications --------------------------------------------------------------------

void Query::notifyReset()
{
    if (disabled_ == 0)
        emit dataReset();
}

void Query::notifyRow(int row)
{
    if (disabled_ == 0)
        emit rowChanged(row);
}

void Query::notifyCurrent()
{
    if (disabled_ == 0)
        emit currentChanged(cur_);
}

void Query::disableControls()
{
    ++disabled_;
}

void Query::enableControls()
{
    if (disabled_ == 0)
        return;
    if (--disabled_ == 0) {
        pendingReset_ = false;
        emit dataReset();
        emit currentChanged(cur_);
    }
}

// --- open / close ---------------------------------------------------------------------

void Query::open()
{
    openRows(true);
}

void Query::reopen(const QStringList& lines)
{
    close();
    setSql(lines);
    open();
}

void Query::openForAppend()
{
    if (state_ == State::Inactive)
        openRows(false);
}

void Query::openDeferred()
{
    // A grid that shows the query takes its rows now.
    if (isSignalConnected(QMetaMethod::fromSignal(&Query::dataReset))) {
        open();
        return;
    }
    openRows(false);
    deferred_ = true;
}

void Query::readDeferredRows() const
{
    deferred_ = false;
    const_cast<Query*>(this)->openRows(true, false);
}

void Query::openRows(bool fetch, bool notify)
{
    deferred_ = false;
    const bool wasOpen = state_ != State::Inactive;
    state_ = State::Inactive;
    sort_.clear();
    d_->reset();
    cur_ = -1;
    bof_ = eof_ = true;

    Impl& d = *d_;
    try {
        sqlite3_stmt* st = d.prepareRows(c_, sqlText());
        d.describeColumns(st);
        d.fetchRows(st, fetch);
    } catch (const DbError& e) {
        // The query stays closed; grids that showed its rows are told.
        d.reset();
        if (wasOpen && notify)
            notifyReset();
        throw DbError(Impl::nameOf(*this) + QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }

    const int rows = d.rowCount();
    state_ = State::Browse;
    if (fetch)
        ++rowsVersion_;
    cur_ = rows ? 0 : -1;
    bof_ = true;
    eof_ = rows == 0;
    // Rows read inside a transaction may not be kept: a rollback reopens this query too.
    c_.noteWriter(this);
    if (notify) {
        notifyReset();
        notifyCurrent();
    }
}

sqlite3_stmt* Query::Impl::prepareRows(Connection& c, const QString& sql)
{
    int fromEnd = 0;
    table = singleTable(sql, &fromEnd);
    sqlite3_stmt* st = c.prepare(sql);
    const int n = sqlite3_column_count(st);
    if (n == 0)
        throw DbError(QStringLiteral("the statement returns no rows"));
    bool hasId = false;
    for (int i = 0; i < n && !hasId; ++i)
        hasId = qstricmp(sqlite3_column_name(st, i), "id") == 0;
    if (table.isEmpty() || hasId)
        return st;
    const QString withRowid = QStringLiteral("SELECT *, rowid AS \"%1\" FROM ").arg(QLatin1String(HiddenRowid))
        + sql.mid(fromEnd - table.size());
    try {
        st = c.prepare(withRowid);
        byRowid = true;
    } catch (const DbError&) {
        table.clear(); // a view or the like: read only
        st = c.prepare(sql);
    }
    return st;
}

void Query::Impl::describeColumns(sqlite3_stmt* st)
{
    const int n = sqlite3_column_count(st);
    cols.resize(n);
    for (int i = 0; i < n; ++i) {
        cols[i].name = QString::fromUtf8(sqlite3_column_name(st, i));
        const char* decl = sqlite3_column_decltype(st, i);
        cols[i].declared = decl != nullptr;
        if (decl)
            cols[i].type = typeFromDecl(decl);
    }
    visible = n;
    if (byRowid) {
        keyCol = n - 1;
        visible = n - 1;
        cols[keyCol].type = FieldType::Integer;
        cols[keyCol].declared = true;
    } else if (!table.isEmpty()) {
        for (int i = 0; i < n; ++i)
            if (cols[i].name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0) {
                keyCol = i;
                break;
            }
    }

    // Declared text and integer columns keep 4-byte cells.
    cells.reserve(n);
    for (const Col& col : cols) {
        ColumnCells::Form form = ColumnCells::Form::Wide;
        if (col.declared && col.type == FieldType::Text)
            form = ColumnCells::Form::Text;
        else if (col.declared && col.type == FieldType::Integer)
            form = ColumnCells::Form::Int;
        cells.emplace_back(form);
    }
}

void Query::Impl::fetchRows(sqlite3_stmt* st, bool fetch)
{
    const int n = static_cast<int>(width());
    enum : char { SeenReal = 1, SeenInt = 2, SeenText = 4 };
    std::vector<char> seen(n);
    // A text equal to the one above it in its column shares its storage (ledgers repeat the
    // date, document number, supplier and warehouse row after row).
    std::vector<Cell> above(n, NullCell);
    int rc = SQLITE_DONE;
    // Each cell is read through its value, one call into the statement a cell (the connection
    // is used by one thread, so the value needs no protection).
    while (fetch && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            ColumnCells& column = cells[i];
            sqlite3_value* v = sqlite3_column_value(st, i);
            const int type = sqlite3_value_type(v);
            if (type == SQLITE_TEXT) {
                seen[i] |= SeenText;
                const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
                const auto len = static_cast<std::uint32_t>(sqlite3_value_bytes(v));
                if (len == 0) {
                    column.push(EmptyCell);
                    continue;
                }
                std::uint32_t prevLen = 0;
                const char* prev = tagOf(above[i]) == TagText ? arena.at(above[i] & PayloadMask, &prevLen) : nullptr;
                if (!(prev && prevLen == len && std::memcmp(prev, p, len) == 0))
                    above[i] = textCell(p, len);
                column.pushText(above[i] & PayloadMask);
                continue;
            }
            const Cell c = readValue(v, type);
            if (type == SQLITE_FLOAT)
                seen[i] |= SeenReal;
            else if (type == SQLITE_INTEGER)
                seen[i] |= SeenInt;
            else if (type != SQLITE_NULL)
                seen[i] |= SeenText;
            column.push(c);
        }
        ++physical;
    }
    if (rc != SQLITE_DONE) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(st)));
        sqlite3_reset(st);
        throw DbError(msg);
    }
    sqlite3_reset(st);
    // An expression column takes its type from its values.
    for (int i = 0; i < n; ++i) {
        if (cols[i].declared)
            continue;
        cols[i].type = seen[i] & SeenReal ? FieldType::Money
            : seen[i] & SeenInt           ? FieldType::Integer
            : seen[i] & SeenText          ? FieldType::Text
                                          : FieldType::Money;
    }
}

void Query::close()
{
    deferred_ = false;
    if (state_ == State::Inactive)
        return;
    state_ = State::Inactive;
    d_->reset();
    cur_ = -1;
    bof_ = eof_ = true;
    sort_.clear();
    notifyReset();
}

int Query::execSql()
{
    const QString sql = sqlText();
    try {
        c_.exec(sql);
    } catch (const DbError& e) {
        throw DbError(Impl::nameOf(*this) + QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }
    c_.noteWriter(this);
    return c_.changes();
}

void Query::refresh()
{
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    const int keep = cur_;
    disableControls();
    try {
        open();
    } catch (...) {
        enableControls();
        throw;
    }
    if (keep > 0 && !isEmpty())
        moveTo(std::min(keep, recordCount() - 1));
    enableControls();
}

// --- cursor ---------------------------------------------------------------------------

int Query::recordCount() const
{
    readDeferred();
    return d_->rowCount();
}

void Query::first()
{
    readDeferred();
    Impl::leaveRow(*this);
    cur_ = isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = isEmpty();
    notifyCurrent();
}

void Query::last()
{
    readDeferred();
    Impl::leaveRow(*this);
    cur_ = recordCount() - 1;
    eof_ = true;
    bof_ = isEmpty();
    notifyCurrent();
}

void Query::next()
{
    readDeferred();
    Impl::leaveRow(*this);
    if (cur_ >= recordCount() - 1) {
        eof_ = true;
        return;
    }
    ++cur_;
    bof_ = eof_ = false;
    notifyCurrent();
}

void Query::prior()
{
    readDeferred();
    Impl::leaveRow(*this);
    if (cur_ <= 0) {
        bof_ = true;
        return;
    }
    --cur_;
    bof_ = eof_ = false;
    notifyCurrent();
}

void Query::moveTo(int row)
{
    readDeferred();
    Impl::leaveRow(*this);
    if (isEmpty()) {
        cur_ = -1;
        bof_ = eof_ = true;
    } else {
        cur_ = std::clamp(row, 0, recordCount() - 1);
        bof_ = eof_ = false;
    }
    notifyCurrent();
}

// --- fields ---------------------------------------------------------------------------

int Query::fieldCount() const { return d_->visible; }

QString Query::fieldName(int col) const
{
    return col >= 0 && col < d_->visible ? d_->cols[col].name : QString();
}

int Query::fieldIndex(const QString& name) const
{
    // A few columns: looked through in order, so the first of equal names wins.
    const Impl& d = *d_;
    for (int i = 0; i < d.visible; ++i)
        if (d.cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

FieldType Query::fieldType(int col) const
{
    readDeferred();
    return col >= 0 && col < d_->visible ? d_->cols[col].type : FieldType::Text;
}

// The cell of the current row (or of the row in edit / insert).
static Cell currentCell(const Query& q, const Query::Impl& d, Query::State state, int cur, const QString& field)
{
    const int col = q.fieldIndex(field);
    if (col < 0)
        Query::Impl::noField(q, field);
    if (state == Query::State::Edit || state == Query::State::Insert)
        return d.buf[col];
    if (cur < 0)
        return NullCell;
    return d.cell(cur, col);
}

bool Query::isNull(const QString& field) const
{
    readDeferred();
    return kindOf(currentCell(*this, *d_, state_, cur_, field)) == Kind::Null;
}

QString Query::text(const QString& field) const
{
    readDeferred();
    return d_->textOf(currentCell(*this, *d_, state_, cur_, field));
}

Money Query::money(const QString& field) const
{
    readDeferred();
    return d_->moneyOf(currentCell(*this, *d_, state_, cur_, field));
}

double Query::number(const QString& field) const
{
    readDeferred();
    return d_->numberOf(currentCell(*this, *d_, state_, cur_, field));
}

qint64 Query::integer(const QString& field) const
{
    readDeferred();
    return d_->integerOf(currentCell(*this, *d_, state_, cur_, field));
}

QVariant Query::value(const QString& field) const
{
    readDeferred();
    return d_->variantOf(currentCell(*this, *d_, state_, cur_, field));
}

QString Query::cellText(int row, int col) const
{
    return cellInRange(*this, row, col) ? d_->textOf(d_->cell(row, col)) : QString();
}

Money Query::cellMoney(int row, int col) const
{
    return cellInRange(*this, row, col) ? d_->moneyOf(d_->cell(row, col)) : Money();
}

bool Query::cellIsNull(int row, int col) const
{
    return !cellInRange(*this, row, col) || kindOf(d_->cell(row, col)) == Kind::Null;
}

QVariant Query::cellValue(int row, int col) const
{
    return cellInRange(*this, row, col) ? d_->variantOf(d_->cell(row, col)) : QVariant();
}

qint64 Query::cellInteger(int row, int col) const
{
    return cellInRange(*this, row, col) ? d_->integerOf(d_->cell(row, col)) : 0;
}

#include "moc_Query.cpp"

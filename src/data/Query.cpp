#include "Query.h"
#include "Sql.h"

#include <sqlite3.h>

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <QMetaMethod>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// --- cells ------------------------------------------------------------------------------
// A cell is 8 bytes: a double as it is, or a NaN-boxed tag with a 48-bit payload (an integer,
// or the place of a string in the query's arena). No cell owns heap memory.

using Cell = std::uint64_t;

enum class Kind { Null, Int, Real, Text };

constexpr std::uint64_t TagNull = 0xFFF9;
constexpr std::uint64_t TagInt = 0xFFFA;    // signed 48-bit integer
constexpr std::uint64_t TagText = 0xFFFB;   // arena place of [uint32 length][utf-8 bytes]
constexpr std::uint64_t TagEmpty = 0xFFFC;  // ''
constexpr std::uint64_t TagBigInt = 0xFFFD; // arena place of an 8-byte integer
constexpr std::uint64_t PayloadMask = 0xFFFFFFFFFFFFULL;
constexpr Cell NullCell = TagNull << 48;
constexpr Cell EmptyCell = TagEmpty << 48;

inline std::uint64_t tagOf(Cell c) { return c >> 48; }

inline Kind kindOf(Cell c)
{
    switch (tagOf(c)) {
    case TagNull: return Kind::Null;
    case TagInt:
    case TagBigInt: return Kind::Int;
    case TagText:
    case TagEmpty: return Kind::Text;
    default: return Kind::Real;
    }
}

inline Cell realCell(double d)
{
    if (std::isnan(d))
        d = std::numeric_limits<double>::quiet_NaN(); // 0x7FF8..., never one of our tags
    Cell c = NullCell;
    std::memcpy(&c, &d, sizeof c);
    return c;
}

inline double realOf(Cell c)
{
    double d;
    std::memcpy(&d, &c, sizeof d);
    return d;
}

// Strings live in 1 MB chunks; a place is (chunk << 20) | offset, so the places of the first
// 4 GB of text fit 32 bits.
class Arena {
public:
    static constexpr unsigned ChunkBits = 20;
    static constexpr std::size_t ChunkSize = std::size_t(1) << ChunkBits;

    std::uint64_t put(const char* p, std::uint32_t n)
    {
        const std::size_t need = n + sizeof(std::uint32_t);
        char* dst;
        std::uint64_t place;
        if (need > ChunkSize / 4) {
            // A large string gets a chunk of its own; small ones then start a new chunk.
            chunks_.emplace_back(new char[need]);
            place = static_cast<std::uint64_t>(chunks_.size() - 1) << ChunkBits;
            dst = chunks_.back().get();
            used_ = ChunkSize;
        } else {
            if (chunks_.empty() || used_ + need > ChunkSize) {
                chunks_.emplace_back(new char[ChunkSize]);
                used_ = 0;
            }
            place = (static_cast<std::uint64_t>(chunks_.size() - 1) << ChunkBits) | used_;
            dst = chunks_.back().get() + used_;
            used_ += need;
        }
        std::memcpy(dst, &n, sizeof n);
        std::memcpy(dst + sizeof n, p, n);
        return place;
    }

    const char* at(std::uint64_t place, std::uint32_t* n) const
    {
        const char* p = chunks_[place >> ChunkBits].get() + (place & (ChunkSize - 1));
        std::memcpy(n, p, sizeof *n);
        return p + sizeof *n;
    }

    void clear()
    {
        chunks_.clear();
        used_ = ChunkSize;
    }

private:
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t used_ = ChunkSize;
};

// --- rows in hand ----------------------------------------------------------------------
// Each column keeps its cells in blocks of 16,384 rows (the first block grows from 16 rows),
// so reading a million rows never copies what it has read and leaves no more than one block
// unused. A text column keeps the 4-byte place of each text in the arena, an integer column
// 4-byte values; a cell that such a column cannot hold turns it into a column of 8-byte cells.

template <class T>
class Blocks {
public:
    static constexpr unsigned Shift = 14;
    static constexpr std::size_t BlockRows = std::size_t(1) << Shift;

    std::size_t size() const { return size_; }
    T get(std::size_t i) const { return blocks_[i >> Shift][i & (BlockRows - 1)]; }
    void set(std::size_t i, T v) { blocks_[i >> Shift][i & (BlockRows - 1)] = v; }
    void push(T v)
    {
        if (size_ == capacity_)
            grow();
        set(size_++, v);
    }
    void clear()
    {
        std::vector<std::unique_ptr<T[]>>().swap(blocks_);
        size_ = capacity_ = 0;
    }

private:
    void grow()
    {
        if (capacity_ < BlockRows) {
            const std::size_t cap = capacity_ ? capacity_ * 2 : 16;
            std::unique_ptr<T[]> b(new T[cap]);
            if (size_)
                std::memcpy(b.get(), blocks_[0].get(), size_ * sizeof(T));
            if (blocks_.empty())
                blocks_.push_back(std::move(b));
            else
                blocks_[0] = std::move(b);
            capacity_ = cap;
        } else {
            blocks_.emplace_back(new T[BlockRows]);
            capacity_ += BlockRows;
        }
    }

    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0, capacity_ = 0;
};

class ColumnCells {
public:
    enum class Form : std::uint8_t { Text, Int, Wide };

    explicit ColumnCells(Form f = Form::Wide) : form_(f) {}

    Cell get(std::size_t row) const
    {
        switch (form_) {
        case Form::Text: {
            const std::uint32_t v = narrow_.get(row);
            if (v == TextNull)
                return NullCell;
            if (v == TextEmpty)
                return EmptyCell;
            return (TagText << 48) | v;
        }
        case Form::Int: {
            const auto v = static_cast<std::int32_t>(narrow_.get(row));
            if (v == IntNull)
                return NullCell;
            return (TagInt << 48) | (static_cast<std::uint64_t>(static_cast<std::int64_t>(v)) & PayloadMask);
        }
        case Form::Wide:
            break;
        }
        return wide_.get(row);
    }

    void push(Cell c)
    {
        std::uint32_t v;
        if (narrowed(c, &v))
            narrow_.push(v);
        else if (form_ == Form::Wide)
            wide_.push(c);
        else {
            widen();
            wide_.push(c);
        }
    }
    void set(std::size_t row, Cell c)
    {
        std::uint32_t v;
        if (narrowed(c, &v))
            narrow_.set(row, v);
        else {
            widen();
            wide_.set(row, c);
        }
    }
    // The fill's fast way in: a text's arena place.
    void pushText(std::uint64_t place)
    {
        if (form_ == Form::Text && place < TextEmpty)
            narrow_.push(static_cast<std::uint32_t>(place));
        else
            push((TagText << 48) | place);
    }

private:
    static constexpr std::uint32_t TextNull = 0xFFFFFFFF;
    static constexpr std::uint32_t TextEmpty = 0xFFFFFFFE;
    static constexpr std::int32_t IntNull = std::numeric_limits<std::int32_t>::min();

    // The 4-byte form of c in this column; false when it has none.
    bool narrowed(Cell c, std::uint32_t* v) const
    {
        switch (form_) {
        case Form::Text:
            switch (tagOf(c)) {
            case TagNull: *v = TextNull; return true;
            case TagEmpty: *v = TextEmpty; return true;
            case TagText:
                if ((c & PayloadMask) >= TextEmpty)
                    return false;
                *v = static_cast<std::uint32_t>(c & PayloadMask);
                return true;
            default: return false;
            }
        case Form::Int:
            if (tagOf(c) == TagNull) {
                *v = static_cast<std::uint32_t>(IntNull);
                return true;
            }
            if (tagOf(c) == TagInt) {
                const std::int64_t i = static_cast<std::int64_t>(c << 16) >> 16;
                if (i > IntNull && i <= std::numeric_limits<std::int32_t>::max()) {
                    *v = static_cast<std::uint32_t>(static_cast<std::int32_t>(i));
                    return true;
                }
            }
            return false;
        case Form::Wide:
            break;
        }
        return false;
    }

    void widen()
    {
        if (form_ == Form::Wide)
            return;
        Blocks<Cell> wide;
        for (std::size_t r = 0; r < narrow_.size(); ++r)
            wide.push(get(r));
        narrow_.clear();
        wide_ = std::move(wide);
        form_ = Form::Wide;
    }

    Form form_;
    Blocks<std::uint32_t> narrow_;
    Blocks<Cell> wide_;
};

QString dbName(const Query& q) { return q.name().isEmpty() ? QStringLiteral("Query") : q.name(); }

DbError closedDataset(const Query& q)
{
    return DbError(dbName(q) + QStringLiteral(": Cannot perform this operation on a closed dataset"));
}

bool cellInRange(const Query& q, int row, int col)
{
    return row >= 0 && row < q.recordCount() && col >= 0 && col < q.fieldCount();
}

// Before the cursor moves: the query must be open, and a row in edit or insert is posted.
void leaveRow(Query& q)
{
    if (q.state() == Query::State::Inactive)
        throw closedDataset(q);
    if (q.state() != Query::State::Browse)
        q.post();
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

std::int64_t roundToInteger(Money m)
{
    return m.rounded(0).raw() / Money::Scale;
}

} // namespace

struct Query::Impl {
    struct Col {
        QString name;
        FieldType type = FieldType::Text;
    };
    std::vector<Col> cols;          // visible fields, then the hidden rowid when used
    int visible = 0;
    int keyCol = -1;                // id, or the hidden rowid
    bool byRowid = false;
    QString table;                  // written to; empty when not a single-table SELECT

    std::vector<ColumnCells> cells; // per column, the cells of the physical rows
    std::size_t physical = 0;       // physical rows
    // Rows in hand -> physical row; while `inOrder`, row i is physical row i and order is unused.
    bool inOrder = true;
    std::vector<std::uint32_t> order;
    Arena arena;

    std::vector<Cell> buf;          // the row in edit / insert
    std::vector<char> dirty;

    std::size_t width() const { return cols.size(); }
    std::size_t physicalRow(int row) const { return inOrder ? static_cast<std::size_t>(row) : order[row]; }
    Cell cell(int row, int col) const { return cells[col].get(physicalRow(row)); }
    int rowCount() const { return static_cast<int>(inOrder ? physical : order.size()); }
    // The rows in hand as an explicit order (before a sort or a delete changes it).
    void takeOrder()
    {
        if (!inOrder)
            return;
        order.resize(physical);
        for (std::size_t r = 0; r < physical; ++r)
            order[r] = static_cast<std::uint32_t>(r);
        inOrder = false;
    }
    void appendRow(const std::vector<Cell>& row)
    {
        for (std::size_t i = 0; i < width(); ++i)
            cells[i].push(row[i]);
        if (!inOrder)
            order.push_back(static_cast<std::uint32_t>(physical));
        ++physical;
    }

    Cell textCell(const QString& s)
    {
        if (s.isEmpty())
            return EmptyCell;
        const QByteArray u = s.toUtf8();
        return textCell(u.constData(), static_cast<std::uint32_t>(u.size()));
    }
    Cell textCell(const char* p, std::uint32_t n)
    {
        if (n == 0)
            return EmptyCell;
        return (TagText << 48) | arena.put(p, n);
    }
    Cell intCell(std::int64_t v)
    {
        const std::int64_t lim = std::int64_t(1) << 47;
        if (v >= -lim && v < lim)
            return (TagInt << 48) | (static_cast<std::uint64_t>(v) & PayloadMask);
        return (TagBigInt << 48) | arena.put(reinterpret_cast<const char*>(&v), sizeof v);
    }

    std::int64_t intOf(Cell c) const
    {
        if (tagOf(c) == TagInt)
            return static_cast<std::int64_t>(c << 16) >> 16;
        std::uint32_t n;
        const char* p = arena.at(c & PayloadMask, &n);
        std::int64_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    QString textOf(Cell c) const
    {
        switch (kindOf(c)) {
        case Kind::Null: return QString();
        case Kind::Int: return QString::number(intOf(c));
        case Kind::Real: return Money::fromDouble(realOf(c)).plainText();
        case Kind::Text:
            if (tagOf(c) == TagEmpty)
                return QString(QLatin1String(""));
            std::uint32_t n;
            const char* p = arena.at(c & PayloadMask, &n);
            return textFromDb(p, n);
        }
        return QString();
    }
    Money moneyOf(Cell c) const
    {
        switch (kindOf(c)) {
        case Kind::Null: return Money();
        case Kind::Int: return Money::fromInt(intOf(c));
        case Kind::Real: return Money::fromDouble(realOf(c));
        case Kind::Text: {
            const QString t = textOf(c);
            return t.trimmed().isEmpty() ? Money() : Money::parse(t);
        }
        }
        return Money();
    }
    double numberOf(Cell c) const
    {
        switch (kindOf(c)) {
        case Kind::Null: return 0;
        case Kind::Int: return static_cast<double>(intOf(c));
        case Kind::Real: return realOf(c);
        case Kind::Text: {
            const QString t = textOf(c).trimmed();
            if (t.isEmpty())
                return 0;
            bool ok = false;
            double d = t.toDouble(&ok);
            return ok ? d : Money::parse(t).toDouble();
        }
        }
        return 0;
    }
    qint64 integerOf(Cell c) const
    {
        if (kindOf(c) == Kind::Int)
            return intOf(c);
        if (kindOf(c) == Kind::Null)
            return 0;
        return roundToInteger(moneyOf(c));
    }
    QVariant variantOf(Cell c) const
    {
        switch (kindOf(c)) {
        case Kind::Null: return QVariant();
        case Kind::Int: return QVariant(static_cast<qlonglong>(intOf(c)));
        case Kind::Real: return QVariant(realOf(c));
        case Kind::Text: return QVariant(textOf(c));
        }
        return QVariant();
    }

    Cell readValue(sqlite3_value* v, int type)
    {
        switch (type) {
        case SQLITE_INTEGER: return intCell(sqlite3_value_int64(v));
        case SQLITE_FLOAT: return realCell(sqlite3_value_double(v));
        case SQLITE_NULL: return NullCell;
        default: {
            const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
            return textCell(p, static_cast<std::uint32_t>(sqlite3_value_bytes(v)));
        }
        }
    }

    void bind(sqlite3_stmt* st, int pos, Cell c) const
    {
        switch (kindOf(c)) {
        case Kind::Null: sqlite3_bind_null(st, pos); break;
        case Kind::Int: sqlite3_bind_int64(st, pos, intOf(c)); break;
        case Kind::Real: sqlite3_bind_double(st, pos, realOf(c)); break;
        case Kind::Text: {
            if (tagOf(c) == TagEmpty) {
                sqlite3_bind_text(st, pos, "", 0, SQLITE_STATIC);
            } else {
                std::uint32_t n;
                const char* p = arena.at(c & PayloadMask, &n);
                sqlite3_bind_text(st, pos, p, static_cast<int>(n), SQLITE_TRANSIENT);
            }
            break;
        }
        }
    }

    void reset()
    {
        cols.clear();
        visible = 0;
        keyCol = -1;
        byRowid = false;
        table.clear();
        std::vector<ColumnCells>().swap(cells);
        physical = 0;
        inOrder = true;
        std::vector<std::uint32_t>().swap(order);
        arena.clear();
        buf.clear();
        dirty.clear();
    }
};

static const char* const HiddenRowid = "rowid$hidden";

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

    QString sql = sqlText();
    int fromEnd = 0;
    QString table = singleTable(sql, &fromEnd);
    sqlite3_stmt* st = nullptr;
    try {
        st = c_.prepare(sql);
    } catch (const DbError& e) {
        if (wasOpen && notify)
            notifyReset();
        throw DbError(dbName(*this) + QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }
    int n = sqlite3_column_count(st);
    if (n == 0) {
        if (wasOpen && notify)
            notifyReset();
        throw DbError(dbName(*this) + QStringLiteral(": the statement returns no rows"));
    }
    bool hasId = false;
    for (int i = 0; i < n && !hasId; ++i)
        hasId = qstricmp(sqlite3_column_name(st, i), "id") == 0;
    if (!table.isEmpty() && !hasId) {
        // A table without id is written by its rowid, selected as a hidden last column.
        const QString withRowid = QStringLiteral("SELECT *, rowid AS \"%1\" FROM ").arg(QLatin1String(HiddenRowid))
            + sql.mid(fromEnd - table.size());
        try {
            st = c_.prepare(withRowid);
        } catch (const DbError&) {
            table.clear(); // a view or the like: read only
            st = c_.prepare(sql);
        }
    }
    n = sqlite3_column_count(st);

    Impl& d = *d_;
    d.cols.resize(n);
    std::vector<bool> declared(n);
    for (int i = 0; i < n; ++i) {
        d.cols[i].name = QString::fromUtf8(sqlite3_column_name(st, i));
        const char* decl = sqlite3_column_decltype(st, i);
        declared[i] = decl != nullptr;
        if (decl)
            d.cols[i].type = typeFromDecl(decl);
    }
    d.visible = n;
    if (!table.isEmpty()) {
        d.table = table;
        if (hasId) {
            for (int i = 0; i < n; ++i)
                if (d.cols[i].name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0) {
                    d.keyCol = i;
                    break;
                }
        } else {
            d.byRowid = true;
            d.keyCol = n - 1;
            d.visible = n - 1;
            d.cols[n - 1].type = FieldType::Integer;
        }
    }

    // Declared text and integer columns keep 4-byte cells.
    d.cells.reserve(n);
    for (int i = 0; i < n; ++i) {
        ColumnCells::Form form = ColumnCells::Form::Wide;
        if (declared[i] || (d.byRowid && i == d.keyCol)) {
            if (d.cols[i].type == FieldType::Text)
                form = ColumnCells::Form::Text;
            else if (d.cols[i].type == FieldType::Integer)
                form = ColumnCells::Form::Int;
        }
        d.cells.emplace_back(form);
    }
    std::vector<char> seenReal(n), seenInt(n), seenText(n);
    // A text equal to the one above it in its column shares its storage (ledgers repeat the
    // date, document number, supplier and warehouse row after row).
    std::vector<Cell> above(n, NullCell);
    int rc = SQLITE_DONE;
    // Each cell is read through its value, one call into the statement a cell (the connection
    // is used by one thread, so the value needs no protection).
    while (fetch && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            ColumnCells& column = d.cells[i];
            sqlite3_value* v = sqlite3_column_value(st, i);
            const int type = sqlite3_value_type(v);
            if (type == SQLITE_TEXT) {
                seenText[i] = 1;
                const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
                const auto len = static_cast<std::uint32_t>(sqlite3_value_bytes(v));
                if (len == 0) {
                    column.push(EmptyCell);
                    continue;
                }
                std::uint32_t prevLen = 0;
                const char* prev = tagOf(above[i]) == TagText ? d.arena.at(above[i] & PayloadMask, &prevLen) : nullptr;
                if (!(prev && prevLen == len && std::memcmp(prev, p, len) == 0))
                    above[i] = d.textCell(p, len);
                column.pushText(above[i] & PayloadMask);
                continue;
            }
            const Cell c = d.readValue(v, type);
            if (type == SQLITE_FLOAT)
                seenReal[i] = 1;
            else if (type == SQLITE_INTEGER)
                seenInt[i] = 1;
            else if (type != SQLITE_NULL)
                seenText[i] = 1;
            column.push(c);
        }
        ++d.physical;
    }
    const auto rows = static_cast<std::uint32_t>(d.physical);
    if (rc != SQLITE_DONE) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(c_.handle()));
        sqlite3_reset(st);
        d.reset();
        if (wasOpen && notify)
            notifyReset();
        throw DbError(dbName(*this) + QStringLiteral(": ") + msg);
    }
    sqlite3_reset(st);
    // An expression column takes its type from its values.
    for (int i = 0; i < n; ++i) {
        if (declared[i] || (d.byRowid && i == d.keyCol))
            continue;
        d.cols[i].type = seenReal[i] ? FieldType::Money
            : seenInt[i]             ? FieldType::Integer
            : seenText[i]            ? FieldType::Text
                                     : FieldType::Money;
    }

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
        throw DbError(dbName(*this) + QStringLiteral(": ") + QString::fromUtf8(e.what()));
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
    leaveRow(*this);
    cur_ = isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = isEmpty();
    notifyCurrent();
}

void Query::last()
{
    readDeferred();
    leaveRow(*this);
    cur_ = recordCount() - 1;
    eof_ = true;
    bof_ = isEmpty();
    notifyCurrent();
}

void Query::next()
{
    readDeferred();
    leaveRow(*this);
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
    leaveRow(*this);
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
    leaveRow(*this);
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

namespace {
[[noreturn]] void noField(const Query& q, const QString& field)
{
    throw DbError(dbName(q) + QStringLiteral(": Field '%1' not found").arg(field));
}
}

// The cell of the current row (or of the row in edit / insert).
static Cell currentCell(const Query& q, const Query::Impl& d, Query::State state, int cur, const QString& field)
{
    const int col = q.fieldIndex(field);
    if (col < 0)
        noField(q, field);
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

// --- writing fields -------------------------------------------------------------------

int Query::writableField(const QString& field) const
{
    const int col = fieldIndex(field);
    if (col < 0)
        noField(*this, field);
    if (state_ != State::Edit && state_ != State::Insert)
        throw DbError(dbName(*this) + QStringLiteral(": Dataset not in edit or insert mode"));
    return col;
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
        c = text.trimmed().isEmpty() ? NullCell : realCell(Money::parse(text).toDouble());
        break;
    case FieldType::Number:
        if (text.trimmed().isEmpty()) {
            c = NullCell;
        } else {
            const Money m = Money::parse(text);
            bool ok = false;
            const double v = text.trimmed().toDouble(&ok);
            c = realCell(ok ? v : m.toDouble());
        }
        break;
    case FieldType::Integer:
        c = text.trimmed().isEmpty() ? NullCell : d.intCell(roundToInteger(Money::parse(text)));
        break;
    }
    d.buf[col] = c;
    d.dirty[col] = 1;
}

void Query::setMoney(const QString& field, Money m)
{
    const int col = writableField(field);
    Impl& d = *d_;
    switch (d.cols[col].type) {
    case FieldType::Text: d.buf[col] = d.textCell(m.plainText()); break;
    case FieldType::Money:
    case FieldType::Number: d.buf[col] = realCell(m.toDouble()); break;
    case FieldType::Integer: d.buf[col] = d.intCell(roundToInteger(m)); break;
    }
    d.dirty[col] = 1;
}

void Query::setNumber(const QString& field, double v)
{
    const int col = writableField(field);
    Impl& d = *d_;
    switch (d.cols[col].type) {
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
        throw closedDataset(*this);
    if (d_->table.isEmpty() || d_->keyCol < 0)
        throw DbError(dbName(*this) + QStringLiteral(": Cannot modify a read-only dataset"));
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
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    d_->buf.clear();
    d_->dirty.clear();
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
    const QString keyName = d.byRowid ? QStringLiteral("rowid") : d.cols[d.keyCol].name;

    if (state_ == State::Edit) {
        QStringList sets;
        std::vector<int> cols;
        for (int i = 0; i < d.visible; ++i)
            if (d.dirty[i]) {
                sets << QStringLiteral("\"%1\"=?").arg(d.cols[i].name);
                cols.push_back(i);
            }
        if (!cols.empty()) {
            const QString sql = QStringLiteral("UPDATE \"%1\" SET %2 WHERE %3=?").arg(d.table, sets.join(QLatin1Char(',')), keyName);
            sqlite3_stmt* st = c_.prepare(sql);
            int pos = 1;
            for (int col : cols)
                d.bind(st, pos++, d.buf[col]);
            d.bind(st, pos, d.cell(cur_, d.keyCol));
            const int rc = sqlite3_step(st);
            sqlite3_reset(st);
            if (rc != SQLITE_DONE)
                c_.fail(dbName(*this));
            if (c_.changes() == 0)
                throw DbError(dbName(*this) + QStringLiteral(": Row cannot be located for updating"));
            c_.noteWriter(this);
            const std::size_t phys = d.physicalRow(cur_);
            for (int col : cols)
                d.cells[col].set(phys, d.buf[col]);
            ++rowsVersion_;
        }
        state_ = State::Browse;
        d.buf.clear();
        d.dirty.clear();
        notifyRow(cur_);
        return;
    }

    // Insert.
    QStringList names, marks;
    std::vector<int> cols;
    for (int i = 0; i < d.visible; ++i)
        if (d.dirty[i]) {
            names << QStringLiteral("\"%1\"").arg(d.cols[i].name);
            marks << QStringLiteral("?");
            cols.push_back(i);
        }
    const QString sql = cols.empty()
        ? QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(d.table)
        : QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(d.table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    sqlite3_stmt* st = c_.prepare(sql);
    int pos = 1;
    for (int col : cols)
        d.bind(st, pos++, d.buf[col]);
    int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        c_.fail(dbName(*this));
    c_.noteWriter(this);
    const qint64 rowid = c_.lastInsertRowId();

    // Read the stored row back: id, defaults and the values as the columns keep them.
    const QString back = d.byRowid
        ? QStringLiteral("SELECT *, rowid AS \"%1\" FROM \"%2\" WHERE rowid=?").arg(QLatin1String(HiddenRowid), d.table)
        : QStringLiteral("SELECT * FROM \"%1\" WHERE rowid=?").arg(d.table);
    st = c_.prepare(back);
    sqlite3_bind_int64(st, 1, rowid);
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i) {
            const QString name = QString::fromUtf8(sqlite3_column_name(st, i));
            int col = (d.byRowid && name == QLatin1String(HiddenRowid)) ? d.keyCol : fieldIndex(name);
            if (col >= 0) {
                sqlite3_value* v = sqlite3_column_value(st, i);
                d.buf[col] = d.readValue(v, sqlite3_value_type(v));
            }
        }
    }
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        c_.fail(dbName(*this));

    d.appendRow(d.buf);
    ++rowsVersion_;
    cur_ = recordCount() - 1;
    bof_ = eof_ = false;
    state_ = State::Browse;
    d.buf.clear();
    d.dirty.clear();
    notifyReset();
    notifyCurrent();
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
        throw DbError(dbName(*this) + QStringLiteral(": Cannot perform this operation on an empty dataset"));
    Impl& d = *d_;
    const QString keyName = d.byRowid ? QStringLiteral("rowid") : d.cols[d.keyCol].name;
    sqlite3_stmt* st = c_.prepare(QStringLiteral("DELETE FROM \"%1\" WHERE %2=?").arg(d.table, keyName));
    d.bind(st, 1, d.cell(cur_, d.keyCol));
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        c_.fail(dbName(*this));
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

// --- locate and sort ------------------------------------------------------------------

bool Query::locate(const QStringList& fields, const QVariantList& values)
{
    readDeferred();
    leaveRow(*this);
    Impl& d = *d_;
    std::vector<int> cols;
    for (const QString& f : fields) {
        const int col = fieldIndex(f);
        if (col < 0)
            noField(*this, f);
        cols.push_back(col);
    }
    const int n = std::min<int>(static_cast<int>(cols.size()), static_cast<int>(values.size()));
    // Numeric targets are compared to four decimals.
    std::vector<std::optional<Money>> numbers(n);
    for (int k = 0; k < n; ++k) {
        if (d.cols[cols[k]].type == FieldType::Text || !values[k].isValid() || values[k].isNull())
            continue;
        if (values[k].typeId() == QMetaType::QString)
            numbers[k] = Money::tryParse(values[k].toString());
        else
            numbers[k] = Money::fromDouble(values[k].toDouble());
    }
    for (int r = 0; r < recordCount(); ++r) {
        bool all = true;
        for (int k = 0; k < n && all; ++k) {
            const Cell c = d.cell(r, cols[k]);
            const QVariant& v = values[k];
            if (!v.isValid() || v.isNull()) {
                all = kindOf(c) == Kind::Null;
            } else if (d.cols[cols[k]].type == FieldType::Text || kindOf(c) == Kind::Text) {
                all = kindOf(c) != Kind::Null
                    && d.textOf(c).compare(v.toString(), Qt::CaseInsensitive) == 0;
            } else {
                all = kindOf(c) != Kind::Null && numbers[k] && d.moneyOf(c) == *numbers[k];
            }
        }
        if (all) {
            cur_ = r;
            bof_ = eof_ = false;
            notifyCurrent();
            return true;
        }
    }
    return false;
}

void Query::setSort(const QString& sort)
{
    readDeferred();
    if (state_ == State::Inactive)
        return;
    if (state_ != State::Browse)
        post();
    Impl& d = *d_;
    struct Key {
        int col;
        bool desc;
        bool text;
    };
    std::vector<Key> keys;
    for (const QString& part : sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const int col = fieldIndex(words[0]);
        if (col < 0)
            noField(*this, words[0]);
        bool desc = false;
        if (words.size() > 1) {
            if (words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
                desc = true;
            else if (words[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
                throw DbError(dbName(*this) + QStringLiteral(": Invalid sort text '%1'").arg(sort));
        }
        keys.push_back({col, desc, d.cols[col].type == FieldType::Text});
    }
    sort_ = sort;
    if (keys.empty() || isEmpty()) {
        notifyReset();
        return;
    }

    const int rows = recordCount();
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    collator.setNumericMode(false);
    // Per key, precomputed values of the rows in hand: numbers as they are, texts as their
    // rank among the distinct texts in collation order (ledgers repeat their texts a lot).
    std::vector<std::vector<double>> numKeys(keys.size());
    std::vector<std::vector<char>> nulls(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        nulls[k].resize(rows);
        numKeys[k].resize(rows);
        if (keys[k].text) {
            QHash<QString, int> distinct;
            QStringList texts;
            std::vector<int> which(rows);
            for (int r = 0; r < rows; ++r) {
                const Cell c = d.cell(r, keys[k].col);
                nulls[k][r] = kindOf(c) == Kind::Null;
                const QString t = d.textOf(c);
                auto it = distinct.constFind(t);
                if (it == distinct.constEnd()) {
                    it = distinct.insert(t, static_cast<int>(texts.size()));
                    texts << t;
                }
                which[r] = it.value();
            }
            std::vector<int> byCollation(texts.size());
            for (int i = 0; i < texts.size(); ++i)
                byCollation[i] = i;
            std::sort(byCollation.begin(), byCollation.end(),
                      [&](int a, int b) { return collator.compare(texts[a], texts[b]) < 0; });
            std::vector<int> rank(texts.size());
            int current = 0;
            for (std::size_t i = 0; i < byCollation.size(); ++i) {
                if (i > 0 && collator.compare(texts[byCollation[i - 1]], texts[byCollation[i]]) != 0)
                    ++current;
                rank[byCollation[i]] = current;
            }
            for (int r = 0; r < rows; ++r)
                numKeys[k][r] = rank[which[r]];
        } else {
            for (int r = 0; r < rows; ++r) {
                const Cell c = d.cell(r, keys[k].col);
                nulls[k][r] = kindOf(c) == Kind::Null;
                numKeys[k][r] = nulls[k][r] ? 0.0 : d.numberOf(c);
            }
        }
    }
    std::vector<int> perm(rows);
    for (int r = 0; r < rows; ++r)
        perm[r] = r;
    std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            int cmp;
            const bool na = nulls[k][a], nb = nulls[k][b];
            if (na || nb) {
                cmp = na == nb ? 0 : (na ? -1 : 1);
            } else {
                const double x = numKeys[k][a], y = numKeys[k][b];
                cmp = x < y ? -1 : (x > y ? 1 : 0);
            }
            if (cmp != 0)
                return keys[k].desc ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    d.takeOrder();
    const std::uint32_t current = cur_ >= 0 ? d.order[cur_] : 0;
    std::vector<std::uint32_t> order(rows);
    for (int r = 0; r < rows; ++r) {
        order[r] = d.order[perm[r]];
        if (cur_ >= 0 && order[r] == current)
            cur_ = r;
    }
    d.order.swap(order);
    notifyReset();
    notifyCurrent();
}

#include "moc_Query.cpp"

// The rows in hand of a query: a cell read as text, money, number or value, bound to a
// statement, and the rows' order.

#include "QueryImpl.h"

using namespace QueryCells;

void Query::Impl::takeOrder()
{
    if (!inOrder)
        return;
    order.resize(physical);
    for (std::size_t r = 0; r < physical; ++r)
        order[r] = static_cast<std::uint32_t>(r);
    inOrder = false;
}

void Query::Impl::appendRow(const std::vector<Cell>& row)
{
    for (std::size_t i = 0; i < width(); ++i)
        cells[i].push(row[i]);
    if (!inOrder)
        order.push_back(static_cast<std::uint32_t>(physical));
    ++physical;
}

void Query::Impl::reset()
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

Cell Query::Impl::textCell(const QString& s)
{
    if (s.isEmpty())
        return EmptyCell;
    const QByteArray u = s.toUtf8();
    return textCell(u.constData(), static_cast<std::uint32_t>(u.size()));
}

std::int64_t Query::Impl::intOf(Cell c) const
{
    if (tagOf(c) == TagInt)
        return static_cast<std::int64_t>(c << 16) >> 16;
    std::uint32_t n;
    const char* p = arena.at(c & PayloadMask, &n);
    std::int64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

QString Query::Impl::textOf(Cell c) const
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

Money Query::Impl::moneyOf(Cell c) const
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

double Query::Impl::numberOf(Cell c) const
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

qint64 Query::Impl::integerOf(Cell c) const
{
    if (kindOf(c) == Kind::Int)
        return intOf(c);
    if (kindOf(c) == Kind::Null)
        return 0;
    return roundToInteger(moneyOf(c));
}

QVariant Query::Impl::variantOf(Cell c) const
{
    switch (kindOf(c)) {
    case Kind::Null: return QVariant();
    case Kind::Int: return QVariant(static_cast<qlonglong>(intOf(c)));
    case Kind::Real: return QVariant(realOf(c));
    case Kind::Text: return QVariant(textOf(c));
    }
    return QVariant();
}

void Query::Impl::bind(sqlite3_stmt* st, int pos, Cell c) const
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

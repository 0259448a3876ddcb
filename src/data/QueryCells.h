#pragma once
// The storage of a query's rows in hand, private to Query: cells of 8 bytes that own no heap
// memory, the arena their texts live in, and the columns that keep the cells of a million rows
// in blocks, 4 bytes a cell where the column's type allows.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace QueryCells {

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

} // namespace QueryCells

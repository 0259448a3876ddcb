#include "exact_sum.h"

#include "Money.h"
#include "Sql.h"

#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Values are added in hundred-millionths: eight decimals, so that a product of two
// four-decimal values is added whole.
constexpr long long kUnit = 100000000;
// Below this size a double still tells eight decimals apart (its error stays under a fifth of
// a hundred-millionth); above it a value is read to four decimals.
constexpr double kEightDecimalsBelow = 1e7;
constexpr __int128 kInt64Max = std::numeric_limits<long long>::max();

// Past 2^53 ten-thousandths (about 9.0e11) a double no longer holds every four-decimal value:
// such a total is refused as any amount out of range is, not shown with a wrong last decimal.
constexpr __int128 kExactRaw = __int128(1) << 53;

struct Total {
    __int128 units = 0;        // the sum so far
    long long count = 0;       // values added (NULLs are not)
    bool real = false;         // a value that is not an integer was added
    bool overflow = false;     // a value too large to be read as money
};

// SQLite's aggregate memory is aligned for 8 bytes, less than an __int128 wants: the total is
// copied out of it and back, never used in place. The memory starts zeroed, a total of nothing.
Total loadTotal(const void* memory)
{
    Total t;
    std::memcpy(static_cast<void*>(&t), memory, sizeof t);
    return t;
}

// The units a value stands for; false when it is too large to be read as money.
bool unitsOf(sqlite3_value* v, int type, __int128* units)
{
    if (type == SQLITE_INTEGER) {
        *units = static_cast<__int128>(sqlite3_value_int64(v)) * kUnit;
        return true;
    }
    const double d = sqlite3_value_double(v);
    if (std::fabs(d) < kEightDecimalsBelow) {
        *units = std::llrint(d * kUnit);
        return true;
    }
    const double tenThousandths = d * 1e4;
    if (!(std::fabs(tenThousandths) < 9.2e18)) // also NaN
        return false;
    *units = static_cast<__int128>(std::llrint(tenThousandths)) * (kUnit / 10000);
    return true;
}

void add(sqlite3_context* ctx, sqlite3_value* v, int sign)
{
    const int type = sqlite3_value_numeric_type(v);
    if (type == SQLITE_NULL)
        return;
    void* memory = sqlite3_aggregate_context(ctx, sizeof(Total));
    if (!memory)
        return;
    Total t = loadTotal(memory);
    __int128 units = 0;
    if (!unitsOf(v, type, &units))
        t.overflow = true;
    t.units += sign * units;
    t.count += sign;
    if (type != SQLITE_INTEGER)
        t.real = true;
    std::memcpy(memory, static_cast<const void*>(&t), sizeof t);
}

void step(sqlite3_context* ctx, int, sqlite3_value** argv) { add(ctx, argv[0], 1); }
void inverse(sqlite3_context* ctx, int, sqlite3_value** argv) { add(ctx, argv[0], -1); }

void value(sqlite3_context* ctx)
{
    const void* memory = sqlite3_aggregate_context(ctx, 0);
    const Total t = memory ? loadTotal(memory) : Total{};
    if (t.count == 0) {
        sqlite3_result_null(ctx);
        return;
    }
    if (t.overflow) {
        sqlite3_result_error(ctx, MoneyRangeError().what(), -1);
        return;
    }
    if (!t.real) {
        const __int128 whole = t.units / kUnit;
        if (whole > kInt64Max || whole < -kInt64Max - 1)
            sqlite3_result_error(ctx, "integer overflow", -1);
        else
            sqlite3_result_int64(ctx, static_cast<long long>(whole));
        return;
    }
    const __int128 raw = divHalfEven(t.units, kUnit / 10000);
    if (raw >= kExactRaw || raw <= -kExactRaw) {
        sqlite3_result_error(ctx, MoneyRangeError().what(), -1);
        return;
    }
    sqlite3_result_double(ctx, static_cast<double>(static_cast<long long>(raw)) / 1e4);
}

} // namespace

void installExactSum(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_window_function(db, "sum", 1, flags, nullptr, step, value, value, inverse, nullptr) != SQLITE_OK)
        throw DbError(QStringLiteral("Cannot set the sum function: ") + QString::fromUtf8(sqlite3_errmsg(db)));
}

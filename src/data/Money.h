#pragma once
// Fixed-point amounts: a signed 64-bit count of ten-thousandths. Every amount, quantity
// and rate of the program is computed in it.

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

class MoneyFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value beyond the program's range (Money::inRange), or arithmetic that would leave the 64
// bits: "数值超出范围！". The default error box shows it with the caption "错误".
class MoneyRangeError : public std::range_error {
public:
    MoneyRangeError();
};

// n / d rounded half to the even neighbour (d not zero): the one half-even rounding of the
// program, under Money's own roundings and the connection's exact sum.
__int128 divHalfEven(__int128 n, __int128 d);

class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    // The one range of every amount, price and quantity the operator types or the program
    // computes: |value| < 100 000 000 000. Below it a REAL column holds four decimals exactly.
    static constexpr std::int64_t Limit = 100'000'000'000LL;
    static constexpr std::int64_t LimitRaw = Limit * Scale;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t raw) { Money m; m.v_ = raw; return m; }
    static constexpr Money fromInt(std::int64_t whole)
    {
        std::int64_t raw = 0;
        if (__builtin_mul_overflow(whole, Scale, &raw))
            throw MoneyRangeError();
        return fromRaw(raw);
    }
    // Rounds to four decimals, halves to the even neighbour.
    static Money fromDouble(double value);

    // The system's fixed-point conversion: "12", "12.", ".5", "-3.25", blanks around;
    // four decimals kept, a fifth and further rounded half-even. Anything else throws
    // MoneyFormatError with the text "“<text>”不是有效的数值！"; a number too large for 64 bits
    // throws MoneyRangeError.
    static Money parse(const QString& text);
    static std::optional<Money> tryParse(const QString& text);

    constexpr std::int64_t raw() const { return v_; }
    double toDouble() const { return static_cast<double>(v_) / Scale; }
    constexpr bool isZero() const { return v_ == 0; }
    constexpr bool isNegative() const { return v_ < 0; }
    Money abs() const { return v_ < 0 ? -*this : *this; }
    constexpr bool inRange() const { return v_ > -LimitRaw && v_ < LimitRaw; }
    // This value; throws MoneyRangeError when it is not inRange().
    Money checkedRange() const;

    // Rounded to the given number of decimals (0 to 4), halves to the even neighbour: the one
    // rounding of the program, which every other rounds through.
    Money rounded(int decimals) const;
    // Rounded to two decimals, halves to the even neighbour.
    Money round2() const { return rounded(2); }
    // The "0.00" pattern, halves to the even neighbour: 1.005 -> "1.00", 1.015 -> "1.02".
    QString format00() const;
    // Plain decimal text: no separators, no padded decimals, "0" for zero ("160.5", "-5").
    QString plainText() const;

    // Arithmetic never wraps: a result beyond 64 bits throws MoneyRangeError.
    friend constexpr Money operator+(Money a, Money b)
    {
        std::int64_t r = 0;
        if (__builtin_add_overflow(a.v_, b.v_, &r))
            throw MoneyRangeError();
        return fromRaw(r);
    }
    friend constexpr Money operator-(Money a, Money b)
    {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(a.v_, b.v_, &r))
            throw MoneyRangeError();
        return fromRaw(r);
    }
    constexpr Money operator-() const { return Money() - *this; }
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    // Product and quotient taken to four decimals, halves to the even neighbour.
    // Division by zero throws std::domain_error.
    friend Money operator*(Money a, Money b);
    friend Money operator/(Money a, Money b);

    friend constexpr auto operator<=>(Money a, Money b) = default;
    friend constexpr bool operator==(Money a, Money b) = default;

private:
    std::int64_t v_ = 0;
};

// The typed-text rule of many fields: a text with more than two characters after its first
// "." is replaced by its format00() value; a shorter one stays as typed ("1.2" stays,
// "1.239" gives "1.24", "12." stays). A longer text that is not a number throws.
QString roundTypedText(const QString& text);

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

class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t raw) { Money m; m.v_ = raw; return m; }
    static constexpr Money fromInt(std::int64_t whole) { return fromRaw(whole * Scale); }
    // Rounds to four decimals, halves to the even neighbour.
    static Money fromDouble(double value);

    // The system's fixed-point conversion: "12", "12.", ".5", "-3.25", blanks around;
    // four decimals kept, a fifth and further rounded half-even. Anything else throws
    // MoneyFormatError with the text "'<text>' is not a valid floating point value".
    static Money parse(const QString& text);
    static std::optional<Money> tryParse(const QString& text);

    constexpr std::int64_t raw() const { return v_; }
    double toDouble() const { return static_cast<double>(v_) / Scale; }
    constexpr bool isZero() const { return v_ == 0; }
    constexpr bool isNegative() const { return v_ < 0; }
    Money abs() const { return fromRaw(v_ < 0 ? -v_ : v_); }

    // Rounded to the given number of decimals (0 to 4), halves to the even neighbour: the one
    // rounding of the program, which every other rounds through.
    Money rounded(int decimals) const;
    // Rounded to two decimals, halves to the even neighbour.
    Money round2() const { return rounded(2); }
    // The "0.00" pattern, halves to the even neighbour: 1.005 -> "1.00", 1.015 -> "1.02".
    QString format00() const;
    // Plain decimal text: no separators, no padded decimals, "0" for zero ("160.5", "-5").
    QString plainText() const;

    friend constexpr Money operator+(Money a, Money b) { return fromRaw(a.v_ + b.v_); }
    friend constexpr Money operator-(Money a, Money b) { return fromRaw(a.v_ - b.v_); }
    constexpr Money operator-() const { return fromRaw(-v_); }
    Money& operator+=(Money o) { v_ += o.v_; return *this; }
    Money& operator-=(Money o) { v_ -= o.v_; return *this; }
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

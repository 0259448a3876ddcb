#include "Money.h"

#include <cmath>
#include <limits>

__int128 divHalfEven(__int128 n, __int128 d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    __int128 q = n / d;
    __int128 r = n % d;           // same sign as n
    if (r == 0)
        return q;
    __int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += (n < 0) ? -1 : 1;
    return q;
}

namespace {

bool fits(__int128 v)
{
    return v <= std::numeric_limits<std::int64_t>::max() && v >= std::numeric_limits<std::int64_t>::min();
}

std::int64_t checked(__int128 v)
{
    if (!fits(v))
        throw MoneyRangeError();
    return static_cast<std::int64_t>(v);
}

MoneyFormatError formatError(const QString& text)
{
    return MoneyFormatError(QStringLiteral("“%1”不是有效的数值！").arg(text).toStdString());
}

enum class Parsed { Ok, NotANumber, TooLarge };

// The conversion of parse and tryParse: a number's text, or what is wrong with it.
Parsed parseText(const QString& text, std::int64_t& out)
{
    const QString t = text.trimmed();
    int i = 0;
    const int n = t.size();
    bool negative = false;
    if (i < n && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    __int128 whole = 0;
    bool tooLarge = false;
    int digits = 0;
    while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) {
        if (!tooLarge) {
            whole = whole * 10 + (t[i].unicode() - '0');
            tooLarge = whole > (__int128)std::numeric_limits<std::int64_t>::max();
        }
        ++digits;
        ++i;
    }
    // Five decimals are kept, and a sixth that only tells whether anything non-zero follows,
    // so that the rounding to four sees a half exactly as it is and anything beyond it as more.
    __int128 frac = 0;
    int fracDigits = 0;
    bool beyond = false;
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) {
            int d = t[i].unicode() - '0';
            if (fracDigits < 5)
                frac = frac * 10 + d;
            else if (d != 0)
                beyond = true;
            ++fracDigits;
            ++digits;
            ++i;
        }
    }
    if (i != n || digits == 0)
        return Parsed::NotANumber;
    if (tooLarge)
        return Parsed::TooLarge;
    for (int k = fracDigits; k < 5; ++k)
        frac *= 10;
    __int128 raw = divHalfEven((whole * Money::Scale * 10 + frac) * 10 + (beyond ? 1 : 0), 100);
    if (negative)
        raw = -raw;
    if (!fits(raw))
        return Parsed::TooLarge;
    out = static_cast<std::int64_t>(raw);
    return Parsed::Ok;
}

} // namespace

MoneyRangeError::MoneyRangeError() : std::range_error("数值超出范围！") {}

Money Money::checkedRange() const
{
    if (!inRange())
        throw MoneyRangeError();
    return *this;
}

Money Money::fromDouble(double value)
{
    double scaled = std::nearbyint(value * Scale); // default rounding mode: halves to even
    if (!(scaled < 9.2e18 && scaled > -9.2e18))   // NaN and infinities too
        throw MoneyRangeError();
    return fromRaw(static_cast<std::int64_t>(scaled));
}

std::optional<Money> Money::tryParse(const QString& text)
{
    std::int64_t raw = 0;
    if (parseText(text, raw) != Parsed::Ok)
        return std::nullopt;
    return fromRaw(raw);
}

Money Money::parse(const QString& text)
{
    std::int64_t raw = 0;
    switch (parseText(text, raw)) {
    case Parsed::Ok: return fromRaw(raw);
    case Parsed::TooLarge: throw MoneyRangeError();
    case Parsed::NotANumber: break;
    }
    throw formatError(text);
}

Money Money::rounded(int decimals) const
{
    if (decimals < 0 || decimals > 4)
        throw std::invalid_argument("decimals out of range");
    __int128 unit = 1;
    for (int k = decimals; k < 4; ++k)
        unit *= 10;
    return fromRaw(checked(divHalfEven(v_, unit) * unit));
}

QString Money::format00() const
{
    std::int64_t cents = round2().raw() / 100;
    const bool neg = cents < 0;
    unsigned long long a = neg ? 0ULL - static_cast<unsigned long long>(cents) : static_cast<unsigned long long>(cents);
    QString s = QString::number(a / 100) + QLatin1Char('.')
        + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
    return neg ? QLatin1Char('-') + s : s;
}

QString Money::plainText() const
{
    const bool neg = v_ < 0;
    unsigned long long a = neg ? 0ULL - static_cast<unsigned long long>(v_) : static_cast<unsigned long long>(v_);
    QString s = QString::number(a / Scale);
    unsigned long long f = a % Scale;
    if (f != 0) {
        QString fs = QStringLiteral("%1").arg(f, 4, 10, QLatin1Char('0'));
        while (fs.endsWith(QLatin1Char('0')))
            fs.chop(1);
        s += QLatin1Char('.') + fs;
    }
    return neg ? QLatin1Char('-') + s : s;
}

Money operator*(Money a, Money b)
{
    return Money::fromRaw(checked(divHalfEven((__int128)a.v_ * b.v_, Money::Scale)));
}

Money operator/(Money a, Money b)
{
    if (b.v_ == 0)
        throw std::domain_error("Division by zero");
    return Money::fromRaw(checked(divHalfEven((__int128)a.v_ * Money::Scale, b.v_)));
}

QString roundTypedText(const QString& text)
{
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0 || text.size() - dot - 1 <= 2)
        return text;
    return Money::parse(text).format00();
}

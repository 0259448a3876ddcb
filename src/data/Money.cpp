#include "Money.h"

#include <cmath>
#include <limits>

namespace {

// q = n / d rounded half to even: the one half-even rounding, whatever the digits.
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

std::int64_t checked(__int128 v)
{
    if (v > std::numeric_limits<std::int64_t>::max() || v < std::numeric_limits<std::int64_t>::min())
        throw std::overflow_error("Money overflow");
    return static_cast<std::int64_t>(v);
}

MoneyFormatError formatError(const QString& text)
{
    return MoneyFormatError(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
}

} // namespace

Money Money::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw std::overflow_error("Money overflow");
    double scaled = std::nearbyint(value * Scale); // default rounding mode: halves to even
    if (scaled >= 9.2e18 || scaled <= -9.2e18)
        throw std::overflow_error("Money overflow");
    return fromRaw(static_cast<std::int64_t>(scaled));
}

std::optional<Money> Money::tryParse(const QString& text)
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
    int digits = 0;
    while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) {
        whole = whole * 10 + (t[i].unicode() - '0');
        if (whole > (__int128)std::numeric_limits<std::int64_t>::max())
            return std::nullopt;
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
        return std::nullopt;
    for (int k = fracDigits; k < 5; ++k)
        frac *= 10;
    __int128 raw = divHalfEven((whole * Scale * 10 + frac) * 10 + (beyond ? 1 : 0), 100);
    if (negative)
        raw = -raw;
    if (raw > std::numeric_limits<std::int64_t>::max() || raw < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return fromRaw(static_cast<std::int64_t>(raw));
}

Money Money::parse(const QString& text)
{
    if (auto m = tryParse(text))
        return *m;
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

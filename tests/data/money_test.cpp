#include "data/Money.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {
Money m(const char* text) { return Money::parse(QString::fromUtf8(text)); }
}

TEST(Money, ParsesTheSystemsNumberFormsAndRoundsTheFifthDecimalHalfEven)
{
    const std::pair<const char*, qint64> cases[] = {
        {"12", 120000}, {"12.", 120000}, {".5", 5000}, {"-3.25", -32500}, {"  7.1  ", 71000}, {"+2", 20000},
        {"0.0001", 1}, {"-0", 0},
        {"1.00005", 10000}, {"1.00015", 10002}, {"1.000051", 10001}, {"1.00004999", 10000},  // ties to even
        {"-1.00015", -10002}, {"0.99995", 10000},
    };
    for (const auto& [text, raw] : cases)
        EXPECT_EQ(m(text).raw(), raw) << text;
    for (const char* bad : {"", " ", "abc", "1.2.3", "1,5", "--1", "-", ".", "12a", "1 2", "99999999999999999999"})
        EXPECT_FALSE(Money::tryParse(QString::fromUtf8(bad)).has_value()) << bad;
    try {
        Money::parse(QStringLiteral("12x"));
        FAIL() << "no error";
    } catch (const MoneyFormatError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "“12x”不是有效的数值！");
    }
}

// One range for every amount, price and quantity: |value| < 100 000 000 000, where a REAL
// column still holds four decimals exactly; arithmetic beyond 64 bits is an error, never a
// result that wrapped round.
TEST(Money, KnowsTheProgramsRangeAndNeverWraps)
{
    EXPECT_TRUE(m("99999999999.9999").inRange());
    EXPECT_TRUE(m("-99999999999.9999").inRange());
    EXPECT_FALSE(m("100000000000").inRange());
    EXPECT_FALSE(m("-100000000000").inRange());
    EXPECT_THROW(m("100000000000").checkedRange(), MoneyRangeError);
    const Money big = m("899999999999999.91"), least = Money::fromRaw(std::numeric_limits<std::int64_t>::min());
    const std::function<Money()> overflows[] = {
        [&] { return big + big; },   // two such lines: once -44674407370955.3664
        [&] { return -big - big; },
        [&] { Money t = big; return t += big; },
        [&] { Money t = -big; return t -= big; },
        [&] { return -least; },
        [&] { return least.abs(); },
        [&] { return big * m("10"); },
        [&] { return big / m("0.1"); },
        [&] { return Money::fromInt(std::numeric_limits<std::int64_t>::max() / 1000); },
        [&] { return Money::fromDouble(1e30); },
        [&] { return m("99999999999999999999"); },
    };
    for (const auto& f : overflows) {
        try {
            f();
            ADD_FAILURE() << "no error";
        } catch (const MoneyRangeError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), "数值超出范围！");
        }
    }
}

TEST(Money, Format00AndTypedTextRoundHalvesToEvenAndPlainTextIsBare)
{
    const std::pair<const char*, const char*> format00[] = {
        {"1.005", "1.00"}, {"1.015", "1.02"}, {"2.125", "2.12"}, {"0.625", "0.62"}, {"11.725", "11.72"},
        {"1.0051", "1.01"}, {"-1.015", "-1.02"}, {"-0.004", "0.00"}, {"0", "0.00"}, {"1234567.5", "1234567.50"},
        {"-0.5", "-0.50"},
    };
    for (const auto& [text, shown] : format00)
        EXPECT_EQ(m(text).format00(), shown) << text;
    EXPECT_EQ(m("2.125").round2().raw(), 21200);
    const std::pair<const char*, const char*> plain[] = {
        {"160.50", "160.5"}, {"20", "20"}, {"-5", "-5"}, {"0", "0"}, {"-0.05", "-0.05"}, {"1234567.0001", "1234567.0001"},
    };
    for (const auto& [text, shown] : plain)
        EXPECT_EQ(m(text).plainText(), shown) << text;
    // A typed amount keeps up to two decimals as typed and rounds a third away.
    for (const auto& [typed, kept] : {std::pair{"1.23", "1.23"}, {"12.", "12."}, {"abc", "abc"}, {"1.239", "1.24"}, {"1.005", "1.00"}})
        EXPECT_EQ(roundTypedText(QString::fromLatin1(typed)), kept) << typed;
    EXPECT_THROW(roundTypedText("1.2x4"), MoneyFormatError);
}

TEST(Money, ArithmeticKeepsFourDecimalsHalfEven)
{
    EXPECT_EQ((m("1.5") + m("2.25")).plainText(), "3.75");
    EXPECT_EQ((m("1.5") - m("2.25")).plainText(), "-0.75");
    EXPECT_EQ((m("3") * m("1.15")).plainText(), "3.45");
    EXPECT_EQ((m("0.0001") * m("0.5")).raw(), 0);  // 0.00005 -> even 0
    EXPECT_EQ((m("0.0003") * m("0.5")).raw(), 2);  // 0.00015 -> 0.0002
    EXPECT_EQ((m("-10") / m("3")).plainText(), "-3.3333");
    EXPECT_EQ((m("2") / m("3")).plainText(), "0.6667");
    EXPECT_EQ((m("0.0001") / m("2")).raw(), 0);   // 0.00005 -> even 0
    // Large values do not overflow in the intermediate product.
    EXPECT_EQ((m("900000000") * m("1000")).plainText(), "900000000000");
    EXPECT_THROW(m("1") / Money(), std::domain_error);
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2).raw(), 3000);
    EXPECT_EQ(Money::fromDouble(-2.00005).raw(), -20000);
    EXPECT_EQ(Money::fromDouble(1234.5678).raw(), 12345678);
}

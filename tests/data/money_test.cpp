#include "data/Money.h"

#include <gtest/gtest.h>

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
        EXPECT_STREQ(e.what(), "'12x' is not a valid floating point value");
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

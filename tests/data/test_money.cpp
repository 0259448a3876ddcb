#include "data/Money.h"

#include <gtest/gtest.h>

namespace {
Money m(const char* text) { return Money::parse(QString::fromUtf8(text)); }
}

TEST(Money, ParsesTheSystemsNumberForms)
{
    EXPECT_EQ(m("12").raw(), 120000);
    EXPECT_EQ(m("12.").raw(), 120000);
    EXPECT_EQ(m(".5").raw(), 5000);
    EXPECT_EQ(m("-3.25").raw(), -32500);
    EXPECT_EQ(m("  7.1  ").raw(), 71000);
    EXPECT_EQ(m("+2").raw(), 20000);
    EXPECT_EQ(m("0.0001").raw(), 1);
    EXPECT_EQ(m("-0").raw(), 0);
}

TEST(Money, FifthDecimalRoundsHalfToEven)
{
    EXPECT_EQ(m("1.00005").raw(), 10000);  // tie, even stays
    EXPECT_EQ(m("1.00015").raw(), 10002);  // tie, odd goes up
    EXPECT_EQ(m("1.000051").raw(), 10001); // above the tie
    EXPECT_EQ(m("1.00004999").raw(), 10000);
    EXPECT_EQ(m("-1.00015").raw(), -10002);
    EXPECT_EQ(m("0.99995").raw(), 10000);  // carries into the whole part
}

TEST(Money, RejectsTextThatIsNotANumber)
{
    for (const char* bad : {"", " ", "abc", "1.2.3", "1,5", "--1", "-", ".", "12a", "1 2", "99999999999999999999"}) {
        EXPECT_FALSE(Money::tryParse(QString::fromUtf8(bad)).has_value()) << bad;
    }
    try {
        Money::parse(QStringLiteral("12x"));
        FAIL() << "no error";
    } catch (const MoneyFormatError& e) {
        EXPECT_STREQ(e.what(), "'12x' is not a valid floating point value");
    }
}

TEST(Money, Format00RoundsHalvesToEven)
{
    EXPECT_EQ(m("1.005").format00(), "1.00");
    EXPECT_EQ(m("1.015").format00(), "1.02");
    EXPECT_EQ(m("2.125").format00(), "2.12");
    EXPECT_EQ(m("0.625").format00(), "0.62");
    EXPECT_EQ(m("11.725").format00(), "11.72");
    EXPECT_EQ(m("1.0051").format00(), "1.01");
    EXPECT_EQ(m("-1.015").format00(), "-1.02");
    EXPECT_EQ(m("-0.004").format00(), "0.00");
    EXPECT_EQ(m("0").format00(), "0.00");
    EXPECT_EQ(m("1234567.5").format00(), "1234567.50");
    EXPECT_EQ(m("-0.5").format00(), "-0.50");
    EXPECT_EQ(m("2.125").round2().raw(), 21200);
}

TEST(Money, PlainTextHasNoPaddingOrSeparators)
{
    EXPECT_EQ(m("160.50").plainText(), "160.5");
    EXPECT_EQ(m("20").plainText(), "20");
    EXPECT_EQ(m("-5").plainText(), "-5");
    EXPECT_EQ(m("0").plainText(), "0");
    EXPECT_EQ(m("-0.05").plainText(), "-0.05");
    EXPECT_EQ(m("1234567.0001").plainText(), "1234567.0001");
}

TEST(Money, ArithmeticKeepsFourDecimalsHalfEven)
{
    EXPECT_EQ((m("1.5") + m("2.25")).plainText(), "3.75");
    EXPECT_EQ((m("1.5") - m("2.25")).plainText(), "-0.75");
    EXPECT_EQ((m("3") * m("1.15")).plainText(), "3.45");
    EXPECT_EQ((m("0.0001") * m("0.5")).raw(), 0);  // 0.00005 -> even 0
    EXPECT_EQ((m("0.0003") * m("0.5")).raw(), 2);  // 0.00015 -> 0.0002
    EXPECT_EQ((m("10") / m("3")).plainText(), "3.3333");
    EXPECT_EQ((m("-10") / m("3")).plainText(), "-3.3333");
    EXPECT_EQ((m("2") / m("3")).plainText(), "0.6667");
    EXPECT_EQ((m("0.0001") / m("2")).raw(), 0);
    // Large values do not overflow in the intermediate product.
    EXPECT_EQ((m("900000000") * m("1000")).plainText(), "900000000000");
    EXPECT_THROW(m("1") / Money(), std::domain_error);
}

TEST(Money, FromDoubleRoundsToFourDecimals)
{
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2).raw(), 3000);
    EXPECT_EQ(Money::fromDouble(12.0).raw(), 120000);
    EXPECT_EQ(Money::fromDouble(-2.00005).raw(), -20000);
    EXPECT_EQ(Money::fromDouble(1234.5678).raw(), 12345678);
    EXPECT_EQ(Money::fromInt(-3).toDouble(), -3.0);
}

TEST(Money, TypedTextRule)
{
    EXPECT_EQ(roundTypedText("1.2"), "1.2");
    EXPECT_EQ(roundTypedText("1.23"), "1.23");
    EXPECT_EQ(roundTypedText("1.239"), "1.24");
    EXPECT_EQ(roundTypedText("12."), "12.");
    EXPECT_EQ(roundTypedText("12"), "12");
    EXPECT_EQ(roundTypedText("1.005"), "1.00");
    EXPECT_EQ(roundTypedText("abc"), "abc");
    EXPECT_THROW(roundTypedText("1.2x4"), MoneyFormatError);
}

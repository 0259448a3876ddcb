#include "shell/Capitals.h"

#include <gtest/gtest.h>

namespace {
QString caps(const char* amount) { return AmountToCapitals(Money::parse(QString::fromLatin1(amount))); }
}

TEST(AmountToCapitals, WrittenExamples)
{
    EXPECT_EQ(caps("1"), QStringLiteral("壹圆整"));
    EXPECT_EQ(caps("10"), QStringLiteral("壹拾圆整"));
    EXPECT_EQ(caps("101"), QStringLiteral("壹佰零壹圆整"));
    EXPECT_EQ(caps("1001"), QStringLiteral("壹仟零壹圆整"));
    EXPECT_EQ(caps("10010"), QStringLiteral("壹万零壹拾圆整"));
    EXPECT_EQ(caps("0.5"), QStringLiteral("伍角整"));
    EXPECT_EQ(caps("0.05"), QStringLiteral("伍分"));
    EXPECT_EQ(caps("1.05"), QStringLiteral("壹圆零伍分"));
    EXPECT_EQ(caps("1234.56"), QStringLiteral("壹仟贰佰叁拾肆圆伍角陆分"));
    EXPECT_EQ(caps("1000000.01"), QStringLiteral("壹佰万圆零壹分"));
    EXPECT_EQ(caps("100000000"), QStringLiteral("壹亿圆整"));
}

TEST(AmountToCapitals, ZerosInsideAndBetweenGroups)
{
    EXPECT_EQ(caps("1010"), QStringLiteral("壹仟零壹拾圆整"));
    EXPECT_EQ(caps("1100"), QStringLiteral("壹仟壹佰圆整"));
    EXPECT_EQ(caps("100.05"), QStringLiteral("壹佰圆零伍分"));
    EXPECT_EQ(caps("10.5"), QStringLiteral("壹拾圆伍角整"));
    EXPECT_EQ(caps("20.07"), QStringLiteral("贰拾圆零柒分"));
    EXPECT_EQ(caps("1000001"), QStringLiteral("壹佰万零壹圆整"));
    EXPECT_EQ(caps("1001000"), QStringLiteral("壹佰万壹仟圆整"));
    EXPECT_EQ(caps("100100"), QStringLiteral("壹拾万零壹佰圆整"));
}

TEST(AmountToCapitals, WanAndYiBoundaries)
{
    EXPECT_EQ(caps("9999"), QStringLiteral("玖仟玖佰玖拾玖圆整"));
    EXPECT_EQ(caps("10000"), QStringLiteral("壹万圆整"));
    EXPECT_EQ(caps("10001"), QStringLiteral("壹万零壹圆整"));
    EXPECT_EQ(caps("11000"), QStringLiteral("壹万壹仟圆整"));
    EXPECT_EQ(caps("99999999.99"), QStringLiteral("玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"));
    EXPECT_EQ(caps("100000001"), QStringLiteral("壹亿零壹圆整"));
    EXPECT_EQ(caps("100010000"), QStringLiteral("壹亿零壹万圆整"));
    EXPECT_EQ(caps("101000000"), QStringLiteral("壹亿零壹佰万圆整"));
    EXPECT_EQ(caps("110000000"), QStringLiteral("壹亿壹仟万圆整"));
    EXPECT_EQ(caps("1000000000000"), QStringLiteral("壹万亿圆整"));
    EXPECT_EQ(caps("1200003405678.9"), QStringLiteral("壹万贰仟亿零叁佰肆拾万伍仟陆佰柒拾捌圆玖角整"));
}

TEST(AmountToCapitals, RoundsHalfEvenToTheCentAndSigns)
{
    EXPECT_EQ(caps("0"), QStringLiteral("零"));
    EXPECT_EQ(caps("0.005"), QStringLiteral("零"));          // to the even cent: 0.00
    EXPECT_EQ(caps("0.015"), QStringLiteral("贰分"));        // 0.02
    EXPECT_EQ(caps("1.125"), QStringLiteral("壹圆壹角贰分")); // 1.12
    EXPECT_EQ(caps("1.0951"), QStringLiteral("壹圆壹角整"));  // 1.10
    EXPECT_EQ(caps("-12.3"), QStringLiteral("负壹拾贰圆叁角整"));
    EXPECT_EQ(caps("-0.001"), QStringLiteral("零"));
}

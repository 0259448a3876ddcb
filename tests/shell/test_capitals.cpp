#include "shell/Capitals.h"

#include <gtest/gtest.h>

TEST(AmountToCapitals, ExamplesZerosGroupsAndRounding)
{
    const std::pair<const char*, const char*> cases[] = {
        // The written examples.
        {"1", "壹圆整"}, {"10", "壹拾圆整"}, {"101", "壹佰零壹圆整"}, {"1001", "壹仟零壹圆整"},
        {"10010", "壹万零壹拾圆整"}, {"0.5", "伍角整"}, {"0.05", "伍分"}, {"1.05", "壹圆零伍分"},
        {"1234.56", "壹仟贰佰叁拾肆圆伍角陆分"}, {"1000000.01", "壹佰万圆零壹分"}, {"100000000", "壹亿圆整"},
        // Zeros inside a group and between groups.
        {"1010", "壹仟零壹拾圆整"}, {"100.05", "壹佰圆零伍分"}, {"10.5", "壹拾圆伍角整"},
        {"1000001", "壹佰万零壹圆整"}, {"1001000", "壹佰万壹仟圆整"}, {"100100", "壹拾万零壹佰圆整"},
        // The boundaries of 万 and 亿.
        {"9999", "玖仟玖佰玖拾玖圆整"}, {"10000", "壹万圆整"}, {"10001", "壹万零壹圆整"},
        {"99999999.99", "玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"}, {"100000001", "壹亿零壹圆整"},
        {"100010000", "壹亿零壹万圆整"}, {"101000000", "壹亿零壹佰万圆整"}, {"110000000", "壹亿壹仟万圆整"},
        {"1000000000000", "壹万亿圆整"}, {"1200003405678.9", "壹万贰仟亿零叁佰肆拾万伍仟陆佰柒拾捌圆玖角整"},
        // Half-even to the cent first; the sign.
        {"0", "零"}, {"0.005", "零"}, {"0.015", "贰分"}, {"1.125", "壹圆壹角贰分"}, {"1.0951", "壹圆壹角整"},
        {"-12.3", "负壹拾贰圆叁角整"}, {"-0.001", "零"},
    };
    for (const auto& [amount, capitals] : cases)
        EXPECT_EQ(AmountToCapitals(Money::parse(QString::fromLatin1(amount))), QString::fromUtf8(capitals)) << amount;
}

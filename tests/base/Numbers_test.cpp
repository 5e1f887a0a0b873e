// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "tests/support/TestSupport.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace twl;

struct IntCase {
    const char* text;
    bool ok;
    std::int32_t value;
};

class IntegerParsing : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerParsing, Rules) {
    const IntCase& c = GetParam();
    std::int32_t v = -12345;
    EXPECT_EQ(TryStrToInt(QString::fromUtf8(c.text), v), c.ok) << c.text;
    if (c.ok) {
        EXPECT_EQ(v, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerParsing,
    ::testing::Values(IntCase{"12", true, 12}, IntCase{"  -7", true, -7}, IntCase{"+3", true, 3},
                      IntCase{"$1F", true, 31}, IntCase{"x10", true, 16}, IntCase{"0x20", true, 32},
                      IntCase{"0X7fffffff", true, 2147483647},
                      IntCase{"2147483647", true, 2147483647},
                      IntCase{"-2147483648", true, std::numeric_limits<std::int32_t>::min()},
                      IntCase{"2147483648", false, 0}, IntCase{"$80000000", false, 0},
                      IntCase{"12 ", false, 0}, IntCase{"", false, 0}, IntCase{"   ", false, 0},
                      IntCase{"-", false, 0}, IntCase{"$", false, 0}, IntCase{"0x", false, 0},
                      IntCase{"-$10", false, 0}, IntCase{"12.5", false, 0},
                      IntCase{"1e3", false, 0},
                      IntCase{"1234567890123456789012345678901234567890", false, 0}));

TEST(FloatParsing, AcceptsTheDecimalGrammarOnly) {
    double v = 0;
    EXPECT_TRUE(TryStrToFloat("  -1.5e3 ", v, '.'));
    EXPECT_EQ(v, -1500);
    EXPECT_TRUE(TryStrToFloat("1,25", v, ','));
    EXPECT_EQ(v, 1.25);
    EXPECT_TRUE(TryStrToFloat(".5", v, '.'));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(TryStrToFloat("5.", v, '.'));
    EXPECT_TRUE(TryStrToFloat("1234567890123456789012345678901234567890", v, '.'));
    EXPECT_EQ(v, 1.2345678901234568e39);
    EXPECT_TRUE(TryStrToFloat("1e-400", v, '.')); // underflow passes silently
    // Out of range: the power of ten of the first significant digit tells an
    // overflow (no value) from an underflow (zero, keeping the sign).
    const std::pair<const char*, double> edges[] = {
        {"+2.5", 2.5},      {"-1e-400", -0.0},    {"0.00001e-320", 0.0}, {"12345e-330", 0.0},
        {"4e-320", 4e-320}, {"0.001e311", 1e308}, {"00000.5e1", 5.0},    {"1e-99999999999", 0.0}};
    for (const auto& [text, expected] : edges) {
        v = 99;
        EXPECT_TRUE(TryStrToFloat(text, v, '.')) << text;
        EXPECT_EQ(v, expected) << text;
        EXPECT_EQ(std::signbit(v), std::signbit(expected)) << text;
    }
    for (const char* over : {"1000e306", "0.1e310", "-1e99999999999", "17976931348623159e292"})
        EXPECT_FALSE(TryStrToFloat(over, v, '.')) << over;
    for (const char* bad : {"", " ", ".", "1.2.3", "1,5", "1e", "1e+", "e5", "NaN", "INF",
                            "-Infinity", "1e400", "0x10", "1 000", "12a", "+-1", "1.5\t"})
        EXPECT_FALSE(TryStrToFloat(bad, v, '.')) << bad;
    EXPECT_TRUE(TryParseInvariantFloat("88.85", v));
    EXPECT_FALSE(TryParseInvariantFloat(" 88.85", v));
    EXPECT_FALSE(TryParseInvariantFloat("SUM", v));
}

// Plain decimals of up to 15 digits take a shortcut of one division: it must
// give from_chars's double for every digit string and decimals count, the
// halfway cases of the binary grid and 15-digit extremes included.
TEST(FloatParsing, PlainDecimalsReadAsFromCharsReadsThem) {
    std::uint64_t state = 88172645463325252ull;
    const auto next = [&state] { // xorshift: the same sweep on every run
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "0.5",
                                      "999999999999999",
                                      "0.00000000000001",
                                      "-9.99999999999999",
                                      "9007199254740.993",
                                      "1.7976931348623"};
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(next() % 15);
        std::string t = next() % 2 ? "-" : "";
        const int decimals = static_cast<int>(next() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == digits - decimals) t += d == 0 ? "0." : ".";
            t += static_cast<char>('0' + next() % 10);
        }
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        double expected = 0, v = 0;
        std::from_chars(t.data(), t.data() + t.size(), expected);
        ASSERT_TRUE(TryStrToFloat(QString::fromStdString(t), v, '.')) << t;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(v), std::bit_cast<std::uint64_t>(expected)) << t;
        QString comma = QString::fromStdString(t);
        comma.replace('.', ',');
        ASSERT_TRUE(TryStrToFloat(QStringView(comma), v, ',')) << t;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(v), std::bit_cast<std::uint64_t>(expected)) << t;
    }
}

TEST(FloatParsing, StrictConversionsRaiseTheRuntimeMessages) {
    test::RegionalScope regional;
    try {
        StrToFloat("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'abc' is not a valid floating point value");
    }
    try {
        StrToInt("12.5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'12.5' is not a valid integer value");
    }
}

TEST(AmountFormat, FixedPointRounding) {
    const QChar dot('.');
    EXPECT_EQ(FormatFixed(0.125, 2, dot), "0.13"); // a half rounds away from zero
    EXPECT_EQ(FormatFixed(-0.125, 2, dot), "-0.13");
    EXPECT_EQ(FormatFixed(1.005, 2, dot), "1.00"); // 1.00499999999999989...
    EXPECT_EQ(FormatFixed(88.84878867834, 2, dot), "88.85");
    EXPECT_EQ(FormatFixed(0.004, 2, dot), "0.00");
    EXPECT_EQ(FormatFixed(-0.004, 2, dot), "0.00"); // no "-0.00"
    EXPECT_EQ(FormatFixed(0.005, 2, dot), "0.01");
    EXPECT_EQ(FormatFixed(9.995, 2, dot), "9.99"); // 9.99499999999999957...
    EXPECT_EQ(FormatFixed(99.5, 0, dot), "100");
    EXPECT_EQ(FormatFixed(1234567.891, 2, ','), "1234567,89");
    EXPECT_EQ(FormatFixed(0, 2, dot), "0.00");
    EXPECT_EQ(FormatFixed(1.5, 18, dot), "1.500000000000000000");
    EXPECT_EQ(FormatFixed(123456789012345678.0, 2, dot), "123456789012345680.00");
    EXPECT_EQ(FormatFixed(1e20, 2, dot), "1E20"); // more than 18 integer digits
    EXPECT_EQ(FormatFixed(-1.2345678901234567e25, 2, dot), "-1.23456789012345661E25");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2, dot), "NAN");
    EXPECT_EQ(FormatFixed(-HUGE_VAL, 2, dot), "-INF");
}

TEST(GeneralFormat, FifteenDigitsAndScientificLimits) {
    const QChar dot('.');
    EXPECT_EQ(FormatGeneral(1000, 15, dot), "1000");
    EXPECT_EQ(FormatGeneral(5.5, 15, dot), "5.5");
    EXPECT_EQ(FormatGeneral(0.1, 15, dot), "0.1");
    EXPECT_EQ(FormatGeneral(1.0 / 3, 15, dot), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(2.0 / 3, 15, dot), "0.666666666666667");
    EXPECT_EQ(FormatGeneral(1e20, 15, dot), "1E20");
    EXPECT_EQ(FormatGeneral(1.5e-7, 15, dot), "1.5E-7");
    EXPECT_EQ(FormatGeneral(0.0001, 15, dot), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00001, 15, dot), "1E-5");
    EXPECT_EQ(FormatGeneral(123456789012345.0, 15, dot), "123456789012345");
    EXPECT_EQ(FormatGeneral(1234567890123456.0, 15, dot), "1.23456789012346E15");
    EXPECT_EQ(FormatGeneral(999999999999999.9, 15, dot), "1E15");
    EXPECT_EQ(FormatGeneral(-7.25, 15, ','), "-7,25");
    EXPECT_EQ(FormatGeneral(0, 15, dot), "0");
    EXPECT_EQ(FormatGeneral(DBL_MAX, 15, dot), "1.79769313486232E308");
    EXPECT_EQ(FormatGeneral(4.9406564584124654e-324, 15, dot), "4.94065645841247E-324");
}

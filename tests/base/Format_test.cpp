// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/Format.h"
#include "tests/support/TestSupport.h"

using namespace twl;

TEST(Format, IntegersWidthPrecisionAndIndex) {
    EXPECT_EQ(Format("%d", {42}), "42");
    EXPECT_EQ(Format("No. %d", {7}), "No. 7");
    EXPECT_EQ(Format("%5d|%-5d|", {12, 34}), "   12|34   |");
    EXPECT_EQ(Format("%.4d", {-7}), "-0007");
    EXPECT_EQ(Format("%x %.4X", {255, 10}), "FF 000A");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(Format("%*d", {4, 5}), "   5");
    EXPECT_EQ(Format("100%%", {}), "100%");
}

TEST(Format, FloatsUseTheRegionalSeparator) {
    test::RegionalScope comma(QLatin1Char(','));
    EXPECT_EQ(Format("%f", {1.5}), "1,50");
    EXPECT_EQ(Format("%.3f", {2.0005}), "2,001");
    EXPECT_EQ(Format("%g", {0.1}), "0,1");
    EXPECT_EQ(Format("%e", {1234.5}), "1,23450000000000E+003");
    EXPECT_EQ(Format("%n", {1234567.891}), "1.234.567,89");
    EXPECT_EQ(Format("%m", {-5.0}), "-$5,00");
}

TEST(Format, StringsAndTheUpperCaseType) {
    EXPECT_EQ(Format("K\"%S\"", {"1"}), "K\"1\"");
    EXPECT_EQ(Format("%.2s|%4s", {"abcdef", "x"}), "ab|   x");
}

TEST(Format, BadPatternsRaiseErrorsNotUndefinedBehaviour) {
    EXPECT_THROW(Format("%s", {5}), EConvertError);         // integer for %s
    EXPECT_THROW(Format("%d", {"x"}), EConvertError);       // text for %d
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);      // missing argument
    EXPECT_THROW(Format("abc %", {1}), EConvertError);      // dangling %
    EXPECT_THROW(Format("%q", {1}), EConvertError);         // unknown type
    EXPECT_THROW(Format("%99999999d", {1}), EConvertError); // absurd width
    EXPECT_THROW(Format("%d", {1.5}), EConvertError);
    try {
        Format("%s", {1});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "Format '%s' invalid or incompatible with argument");
    }
}

TEST(Format, OneResultIsBoundedAndStarWidthsDoNotWrap) {
    // Each field is allowed, their sum is not.
    QString pattern;
    for (int i = 0; i < 17; ++i)
        pattern += "%0:1048576s";
    EXPECT_EQ(Format(QString("%0:1048576s").repeated(16), {"x"}).size(), 16 * 1048576);
    EXPECT_THROW(Format(pattern, {"x"}), EConvertError);
    // A 64-bit width below the int range means no width, as any negative one.
    EXPECT_EQ(Format("%*d", {-7843563264LL, 5}), "5");
    EXPECT_EQ(Format("%*d|%.*d", {-3, 5, -9223372036854775807LL, 6}), "5|6");
    EXPECT_THROW(Format("%*d", {7843563264LL, 5}), EConvertError);
}

// A pattern made for every row takes tighter limits; an indexed field, a
// precision or a width from the arguments counts as any other field.
TEST(Format, TighterLimitsCountEveryField) {
    const FormatLimits row{256, 1024};
    EXPECT_EQ(Format("%d", {7}, row), "7");
    EXPECT_EQ(Format("%0:256d", {7}, row).size(), 256);
    for (const char* pattern :
         {"%d%0:257d", "%d%.257d", "%*d", "%0:200d%0:200d%0:200d%0:200d%0:200d%0:200d"})
        EXPECT_THROW(Format(pattern, {300, 1}, row), EConvertError) << pattern;
    // The same patterns within the default limits.
    EXPECT_EQ(Format("%d%0:257d", {7}).size(), 258);
}

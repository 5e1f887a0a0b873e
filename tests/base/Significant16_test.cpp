// SPDX-License-Identifier: GPL-3.0-or-later
// The workbook's "%.16G" text against the standard library's, digit for digit.

#include "base/Significant16.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

using namespace twl;

namespace {

std::string ours(double value) {
    char text[40];
    return std::string(text, putSignificant16(text, value));
}

std::string reference(double value) {
    char text[40];
    std::string s(text, std::to_chars(text, text + 40, value, std::chars_format::general, 16).ptr);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

} // namespace

TEST(Significant16, EdgesOfTheExactRangeAndTiesMatchTheLibrary) {
    const double cases[] = {0.0,
                            -0.0,
                            1e-4,
                            9.99999999999999e-5,
                            0.00010000000000000001,
                            1e15,
                            999999999999999.9,
                            999999999999999.95,
                            1e15 - 0.125,
                            123456789012345.25,
                            123456789012345.75,
                            12345678901234.125,
                            12345678901234.375,
                            -98765432109876.625,
                            0.1,
                            0.3,
                            9.3,
                            921.15,
                            1000.0,
                            99999.99,
                            100000.0,
                            1.0 / 3.0,
                            2.0 / 3.0,
                            0.5,
                            1.5,
                            2.5,
                            1e14,
                            1e-3,
                            std::nextafter(1e3, 0.0),
                            std::nextafter(1e3, 2e3),
                            INFINITY,
                            -INFINITY,
                            NAN,
                            1e300,
                            -5e-324,
                            1.7976931348623157e308};
    for (const double v : cases)
        EXPECT_EQ(ours(v), reference(v)) << v;
}

TEST(Significant16, RandomValuesAndAmountsMatchTheLibrary) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> power(-6.0, 17.0);
    std::uniform_int_distribution<std::int64_t> cents(-100000000000000, 100000000000000);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 400000; ++i) {
        const double scaled = std::pow(10.0, power(random));
        const double amount = static_cast<double>(cents(random)) / 100.0;
        double raw = 0;
        const std::uint64_t b = bits(random);
        std::memcpy(&raw, &b, sizeof raw);
        for (const double v : {scaled, -scaled, amount, raw}) {
            ASSERT_EQ(ours(v), reference(v)) << v;
        }
    }
}

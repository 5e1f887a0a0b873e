// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Powers of ten as exact integers and exact doubles, and the one exact
// division that reads a short decimal as from_chars does.

#include <cstdint>
#include <iterator>

namespace twl {

// 10^0 up to 10^19, every power that 64 bits hold.
inline constexpr std::uint64_t PowersOfTen[] = {1ull,
                                                10ull,
                                                100ull,
                                                1000ull,
                                                10000ull,
                                                100000ull,
                                                1000000ull,
                                                10000000ull,
                                                100000000ull,
                                                1000000000ull,
                                                10000000000ull,
                                                100000000000ull,
                                                1000000000000ull,
                                                10000000000000ull,
                                                100000000000000ull,
                                                1000000000000000ull,
                                                10000000000000000ull,
                                                100000000000000000ull,
                                                1000000000000000000ull,
                                                10000000000000000000ull};

// 10^0 up to 10^22, every power that a double holds exactly.
inline constexpr double ExactDoublePowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// digits / 10^decimals (negated when `negative`) as the nearest double, the
// value from_chars gives the decimal text: where the digits are below 2^53
// and there are at most 22 decimals, both are exact doubles and the one
// division rounds once. False, and nothing set, for any other.
inline bool exactDecimalValue(std::uint64_t digits, int decimals, bool negative, double& value) {
    if (digits >= (std::uint64_t(1) << 53) || decimals < 0 ||
        decimals >= std::ssize(ExactDoublePowersOfTen))
        return false;
    const double v = static_cast<double>(digits) / ExactDoublePowersOfTen[decimals];
    value = negative ? -v : v;
    return true;
}

} // namespace twl

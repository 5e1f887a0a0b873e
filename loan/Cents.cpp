// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/Cents.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"

#include <charconv>
#include <cstdlib>

namespace twl {

namespace {

using Wide = __int128;

} // namespace

void raiseCentsOverflow() {
    throw EOverflow(LoadResString(rs::SOverflow));
}

ShortestDecimal shortestDecimal(double value) {
    // The shortest round trip, as "-d.ddde+XX": no locale is consulted.
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    ShortestDecimal d;
    if (ec != std::errc()) return d;
    bool negative = false;
    int fraction = 0;
    bool inFraction = false;
    const char* p = text;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '-')
            negative = true;
        else if (*p == '.')
            inFraction = true;
        else {
            d.digits = d.digits * 10 + (*p - '0');
            if (inFraction) ++fraction;
        }
    }
    int exponent = 0;
    if (p < end) std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    d.exponent = exponent - fraction;
    if (d.digits == 0) return {0, 0};
    while (d.digits % 10 == 0) {
        d.digits /= 10;
        ++d.exponent;
    }
    if (negative) d.digits = -d.digits;
    return d;
}

std::optional<std::int64_t> wholeCents(double value) {
    const ShortestDecimal d = shortestDecimal(value);
    if (d.exponent < -2 || value != value) return std::nullopt;
    std::int64_t cents = d.digits;
    for (int i = 0; i < d.exponent + 2; ++i) {
        if (std::llabs(cents) > MaxCents / 10) return std::nullopt;
        cents *= 10;
    }
    if (std::llabs(cents) > MaxCents) return std::nullopt;
    return cents;
}

bool hasFractionOfCent(double value) {
    return value == value && shortestDecimal(value).exponent < -2;
}

std::int64_t interestCents(std::int64_t balance, const ShortestDecimal& rate, int periodsPerYear) {
    // balance x digits x 10^exponent / (100 x periods), with a magnitude
    // rounded as floor(2x / divisor + 1) / 2; successive floor divisions by
    // positive integers give the floor of the whole division.
    Wide x = static_cast<Wide>(balance) * rate.digits;
    const bool negative = x < 0;
    if (negative) x = -x;
    for (int i = 0; i < rate.exponent && x != 0; ++i) {
        if (x > (Wide{1} << 120)) raiseCentsOverflow();
        x *= 10;
    }
    Wide twice = 2 * x / (100 * static_cast<Wide>(periodsPerYear));
    for (int i = 0; i < -rate.exponent && twice != 0; ++i)
        twice /= 10;
    const Wide cents = (twice + 1) / 2;
    if (cents > MaxCents) raiseCentsOverflow();
    return static_cast<std::int64_t>(negative ? -cents : cents);
}

std::int64_t addCents(std::int64_t a, std::int64_t b) {
    if (std::llabs(a) > MaxCents || std::llabs(b) > MaxCents) raiseCentsOverflow();
    const std::int64_t sum = a + b; // both within MaxCents: no wrap
    if (std::llabs(sum) > MaxCents) raiseCentsOverflow();
    return sum;
}

} // namespace twl

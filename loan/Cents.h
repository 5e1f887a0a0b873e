// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Money in whole cents, for the lender's rounding: the balance is a whole
// number of cents, the rate the decimal the user typed, and each interest is
// worked out exactly from those and rounded once, a half away from zero. A
// binary product would turn 124,611.00 x 0.5 % = 623.055 into 623.0549...

#include <cstdint>
#include <optional>

namespace twl {

// The most cents a rounded schedule keeps: every amount of it is then a
// double that holds its cents exactly (90,071,992,547,409.92).
inline constexpr std::int64_t MaxCents = std::int64_t{1} << 53;

// A double as the shortest decimal that reads back as it, digits x 10^exponent
// (the decimal typed, for any number of up to 15 significant digits).
struct ShortestDecimal {
    std::int64_t digits = 0; // with the sign, no trailing zeros
    int exponent = 0;
};
ShortestDecimal shortestDecimal(double value);

// The value in cents when its shortest decimal has at most two decimals and
// it is within MaxCents; nullopt otherwise.
std::optional<std::int64_t> wholeCents(double value);
// Whether the value has more than two decimals (a fraction of a cent).
bool hasFractionOfCent(double value);

// The interest of `balance` cents for one period at the annual rate `rate`
// percent divided among `periodsPerYear`: balance x rate / 100 / periodsPerYear,
// exact, rounded to the cent a half away from zero. Throws EOverflow when it
// leaves MaxCents.
std::int64_t interestCents(std::int64_t balance, const ShortestDecimal& rate, int periodsPerYear);

// Raises the overflow of an amount that leaves MaxCents.
[[noreturn]] void raiseCentsOverflow();

// a + b, which must stay within MaxCents (EOverflow otherwise).
std::int64_t addCents(std::int64_t a, std::int64_t b);

inline double centsToDouble(std::int64_t cents) {
    return static_cast<double>(cents) / 100;
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Integer arithmetic on cents for tests that check the lender's rounding
// without the program's own helpers.

#include <QString>
#include <cstdint>

namespace twl::test {

using Wide = __int128;

// n / d rounded to the nearest integer, a half away from zero (d > 0).
inline Wide nearestAwayFromZero(Wide n, Wide d) {
    const Wide magnitude = n < 0 ? -n : n;
    Wide q = magnitude / d;
    if (2 * (magnitude % d) >= d) ++q;
    return n < 0 ? -q : q;
}

// Cents as the amount cells show them with two decimals.
inline QString centsText(std::int64_t cents) {
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    return (cents < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) +
           QLatin1Char('.') + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

} // namespace twl::test

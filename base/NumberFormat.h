// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number-to-text conversions of the runtime: decimal digits are taken from the
// value rounded to 18 significant digits, then rounded again with a half away
// from zero, so 0.125 becomes 0.13 with two decimals.

#include <QChar>
#include <QString>

namespace twl {

// Fixed point with `decimals` decimals (0..18), no thousands separators; a value
// with more than 18 integer digits falls back to FormatGeneral with 18 digits.
QString FormatFixed(double value, int decimals, QChar decimalSeparator);
// The same text written at out, which has room for FixedTextCapacity
// characters; returns its length. Nothing is allocated.
inline constexpr int FixedTextCapacity = 64;
qsizetype FormatFixedTo(char16_t* out, double value, int decimals, QChar decimalSeparator);
// The same text in 8 bits, for a separator that Latin-1 holds.
qsizetype FormatFixedTo(char* out, double value, int decimals, QChar decimalSeparator);
// The length of that text, found without writing it where it can be.
qsizetype FormatFixedLength(double value, int decimals, QChar decimalSeparator);

// Shortest text with at most `precision` significant digits; scientific notation
// when the integer part has more than `precision` digits or |value| < 0.0001.
QString FormatGeneral(double value, int precision, QChar decimalSeparator);

// FormatGeneral with 15 digits and the regional separator.
QString FloatToStr(double value);

// Scientific: one digit, separator, precision-1 digits, "E", sign, at least three
// exponent digits (the runtime's "%e").
QString FormatScientific(double value, int precision, QChar decimalSeparator);

// Fixed with thousands separators (the runtime's "%n").
QString FormatNumber(double value, int decimals, QChar decimalSeparator, QChar thousandSeparator);

namespace detail {
// Decimal digits of |value| rounded to `significantDigits` (half away from
// zero, after rounding to 18): the digits without trailing zeros ("" for
// zero) and the decimal exponent of the first digit.
struct Decimal {
    bool negative = false;
    QString digits;
    int exponent = 0;
    bool special = false; // NaN or infinity; `digits` holds the text
};
Decimal toDecimal(double value, int significantDigits);
// FormatFixed always through the decimal digits, never through the integer
// shortcut it takes where that provably gives the same text.
QString FormatFixedByDigits(double value, int decimals, QChar decimalSeparator);
} // namespace detail

} // namespace twl

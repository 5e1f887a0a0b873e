// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text-to-number conversions with the runtime's rules.

#include <QChar>
#include <QString>
#include <cstdint>

namespace twl {

// Integer: leading spaces, then an optional sign and decimal digits, or a "$",
// "x" or "0x" prefix and hexadecimal digits; nothing may follow; the value must
// fit 32 bits signed. With hexWraps, hexadecimal up to FFFFFFFF is accepted and
// wraps to a negative value (colour texts such as "$80000005").
bool TryStrToInt(const QString& text, std::int32_t& value, bool hexWraps = false);
bool TryStrToInt(QStringView text, std::int32_t& value, bool hexWraps = false);
// Throws EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(const QString& text);

// An integer as INI files keep it: a text of more than two characters that
// starts with "0x" or "0X" is hexadecimal; otherwise the rules above.
bool TryIniTextToInt(const QString& text, std::int32_t& value);

// Decimal number: leading and trailing spaces, an optional sign, digits with at
// most one decimal separator, an optional exponent. A value too large for a
// double fails; one too small becomes zero or a denormal.
bool TryStrToFloat(const QString& text, double& value, QChar decimalSeparator);
bool TryStrToFloat(QStringView text, double& value, QChar decimalSeparator);
bool TryStrToFloat(const QString& text, double& value); // regional separator
// Throws EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const QString& text);

// The runtime's locale-independent float syntax: optional sign, digits, optional
// "." and fraction, optional exponent; the whole text, no blanks.
bool TryParseInvariantFloat(const QString& text, double& value);

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/NumberParse.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/PowersOfTen.h"
#include "base/RegionalSettings.h"

#include <charconv>
#include <string>
#include <system_error>

namespace twl {

namespace {
int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// Checks the decimal-number grammar and builds a copy with "." for from_chars.
bool normaliseFloat(QStringView text, QChar sep, bool allowBlanks, std::string& out) {
    qsizetype i = 0;
    qsizetype end = text.size();
    if (allowBlanks) {
        while (i < end && text.at(i) == QLatin1Char(' '))
            ++i;
        while (end > i && text.at(end - 1) == QLatin1Char(' '))
            --end;
    }
    out.clear();
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        out.push_back(static_cast<char>(text.at(i++).unicode()));
    int digits = 0;
    bool seenSep = false;
    for (; i < end; ++i) {
        const QChar c = text.at(i);
        if (isDigit(c)) {
            out.push_back(static_cast<char>(c.unicode()));
            ++digits;
        } else if (c == sep && !seenSep) {
            seenSep = true;
            out.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < end && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        out.push_back('e');
        ++i;
        if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            out.push_back(static_cast<char>(text.at(i++).unicode()));
        int expDigits = 0;
        for (; i < end && isDigit(text.at(i)); ++i) {
            out.push_back(static_cast<char>(text.at(i).unicode()));
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    return i == end;
}

// Whether an out-of-range decimal text is too large (rather than too small):
// the power of ten of its first significant digit decides.
bool overflows(const std::string& s) {
    long long magnitude = 0;
    bool seenPoint = false;
    bool significant = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] != 'e'; ++i) {
        const char c = s[i];
        if (c == '.') {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (!significant && c != '0') significant = true;
            if (significant && !seenPoint) ++magnitude;
            if (!significant && seenPoint) --magnitude;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < s.size()) {
        for (++i; i < s.size(); ++i) {
            if (s[i] == '-')
                negativeExponent = true;
            else if (s[i] >= '0' && s[i] <= '9' && exponent < 100000000)
                exponent = exponent * 10 + (s[i] - '0');
        }
    }
    return magnitude + (negativeExponent ? -exponent : exponent) > 0;
}

// std::from_chars, not strtod: the C library's numeric locale must not decide
// what a "." means.
bool convert(const std::string& s, double& value) {
    const char* first = s.data();
    const char* last = s.data() + s.size();
    const bool negative = first != last && *first == '-';
    if (first != last && *first == '+') ++first;
    double v = 0;
    const auto result = std::from_chars(first, last, v);
    if (result.ptr != last) return false;
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow is not a value; an underflow to zero or a denormal is.
        if (overflows(s)) return false;
        v = negative ? -0.0 : 0.0;
    } else if (result.ec != std::errc()) {
        return false;
    }
    value = v;
    return true;
}
} // namespace

bool TryStrToInt(const QString& text, std::int32_t& value, bool hexWraps) {
    return TryStrToInt(QStringView(text), value, hexWraps);
}

bool TryStrToInt(QStringView text, std::int32_t& value, bool hexWraps) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i == n) return false;
    const QChar c = text.at(i);
    bool hex = false;
    if (c == QLatin1Char('$') || c == QLatin1Char('x') || c == QLatin1Char('X')) {
        hex = true;
        ++i;
    } else if (c == QLatin1Char('0') && i + 1 < n &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (hex) {
        if (i == n) return false;
        std::uint64_t v = 0;
        for (; i < n; ++i) {
            const int d = hexDigit(text.at(i));
            if (d < 0) return false;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFull) return false;
        }
        if (v > 0x7FFFFFFFull && !hexWraps) return false;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        return true;
    }
    bool negative = false;
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
        negative = c == QLatin1Char('-');
        ++i;
    }
    if (i == n) return false;
    std::int64_t v = 0;
    for (; i < n; ++i) {
        if (!isDigit(text.at(i))) return false;
        v = v * 10 + (text.at(i).unicode() - '0');
        if (v > 0x80000000ll) return false;
    }
    if (negative) v = -v;
    if (v > 0x7FFFFFFFll) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

bool TryIniTextToInt(const QString& text, std::int32_t& value) {
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X')))
        return TryStrToInt(QLatin1Char('$') + text.mid(2), value);
    return TryStrToInt(text, value);
}

std::int32_t StrToInt(const QString& text) {
    std::int32_t v = 0;
    if (!TryStrToInt(text, v))
        throw EConvertError(Format(LoadResString(rs::SInvalidInteger), {text}));
    return v;
}

bool TryStrToFloat(const QString& text, double& value, QChar decimalSeparator) {
    return TryStrToFloat(QStringView(text), value, decimalSeparator);
}

namespace {
// A plain decimal (an optional "-", digits, at most one separator, at most 15
// digits in all), read by one exact division (exactDecimalValue). False for
// any other text.
bool plainDecimal(QStringView text, QChar sep, double& value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    const bool negative = n > 0 && text[0] == QLatin1Char('-');
    if (negative) ++i;
    std::uint64_t m = 0;
    int digits = 0, decimals = 0;
    bool seenSep = false;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u >= u'0' && u <= u'9') {
            if (++digits > 15) return false;
            m = m * 10 + (u - u'0');
            if (seenSep) ++decimals;
        } else if (text[i] == sep && !seenSep) {
            seenSep = true;
        } else {
            return false;
        }
    }
    return digits > 0 && exactDecimalValue(m, decimals, negative, value);
}
} // namespace

bool TryStrToFloat(QStringView text, double& value, QChar decimalSeparator) {
    if (plainDecimal(text, decimalSeparator, value)) return true;
    std::string s;
    return normaliseFloat(text, decimalSeparator, true, s) && convert(s, value);
}

bool TryStrToFloat(const QString& text, double& value) {
    return TryStrToFloat(text, value, regionalSettings().decimalSeparator);
}

double StrToFloat(const QString& text) {
    double v = 0;
    if (!TryStrToFloat(text, v))
        throw EConvertError(Format(LoadResString(rs::SInvalidFloat), {text}));
    return v;
}

bool TryParseInvariantFloat(const QString& text, double& value) {
    std::string s;
    return normaliseFloat(text, QLatin1Char('.'), false, s) && convert(s, value);
}

} // namespace twl

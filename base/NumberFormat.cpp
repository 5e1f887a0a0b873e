// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/NumberFormat.h"

#include "base/PowersOfTen.h"

#include "base/RegionalSettings.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace twl {

namespace {

constexpr int ExtendedDigits = 18;

// Significant digits without trailing zeros, and the decimal exponent of the
// first digit. Kept in a fixed buffer: a schedule formats hundreds of
// thousands of cells.
struct Digits {
    bool negative = false;
    char d[ExtendedDigits + 2] = {};
    int len = 0; // 0 means zero
    int exponent = 0;
};

// 18 significant digits of |value| (exact binary-to-decimal, then one rounding).
void digits18(double value, char* digits, int& exponent) {
    char buf[48];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    // buf: d.ddddddddddddddddde[+-]x
    digits[0] = buf[0];
    std::memcpy(digits + 1, buf + 2, 17);
    const char* e = buf + 20; // after 'e'
    const bool negExp = *e == '-';
    ++e;
    int x = 0;
    for (; e < res.ptr; ++e)
        x = x * 10 + (*e - '0');
    exponent = negExp ? -x : x;
}

// Rounds the 18 digits to `keep` digits, half away from zero.
Digits roundDigits(bool negative, const char* d18, int exponent, int keep) {
    Digits r;
    r.negative = negative;
    if (keep <= 0) {
        // Everything is rounded away; only a first digit of 5 or more at
        // position 0 rounds up to one unit of the next higher place.
        if (keep == 0 && d18[0] >= '5') {
            r.d[0] = '1';
            r.len = 1;
            r.exponent = exponent + 1;
        } else {
            r.negative = false;
        }
        return r;
    }
    keep = std::min(keep, ExtendedDigits);
    std::memcpy(r.d, d18, static_cast<std::size_t>(keep));
    int len = keep;
    if (keep < ExtendedDigits && d18[keep] >= '5') {
        int i = keep - 1;
        while (i >= 0 && r.d[i] == '9')
            r.d[i--] = '0';
        if (i >= 0) {
            ++r.d[i];
        } else {
            // 999.. rounded to 1000..: one more integer digit.
            std::memmove(r.d + 1, r.d, static_cast<std::size_t>(len));
            r.d[0] = '1';
            ++len;
            ++exponent;
        }
    }
    while (len > 0 && r.d[len - 1] == '0')
        --len;
    r.len = len;
    r.exponent = exponent;
    if (len == 0) r.negative = false;
    return r;
}

const char* specialText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    return nullptr;
}

Digits significant(double value, int digits) {
    if (value == 0) return {};
    char d18[ExtendedDigits];
    int exponent = 0;
    digits18(value, d18, exponent);
    return roundDigits(std::signbit(value), d18, exponent, digits);
}

// |value| * 10^decimals rounded to the nearest integer, where that is
// provably what rounding to 18 significant digits and then to `decimals`
// decimals gives, which is most values of a schedule; false elsewhere.
// t = |value| * 10^decimals is one rounding in extended precision (10^18 is
// exact there), so below 10^15 - 1 < 2^50 it is off by at most 2^-14. Rounding
// to 18 significant digits moves at most 0.5 * 10^-3 units of the last
// decimal there (t has at most 15 integer digits). Both together stay under
// 1/1024, so where t lies at least that far from a half, every value the two
// roundings can see rounds to the same nearest integer.
bool nearestUnits(double value, int decimals, std::uint64_t& units) {
    if constexpr (LDBL_MANT_DIG < 64) return false; // the bound above needs 64 bits
    static constexpr long double pow10[ExtendedDigits + 1] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L, 1e9L,
        1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
    const long double t = std::fabs(static_cast<long double>(value)) * pow10[decimals];
    if (!(t < 1e15L - 1)) return false;
#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
    // Adding 2^63 rounds t to the nearest integer (ties aside, which the test
    // below refuses) and leaves it in the low bits of the x87 significand,
    // the first eight bytes: no conversion, so no change of rounding mode.
    const long double big = t + 0x1p63L;
    std::uint64_t significand = 0;
    std::memcpy(&significand, &big, sizeof significand);
    // Exact: t and its nearest integer are close and both below 2^50.
    const long double offset = t - (big - 0x1p63L);
    if (0.5L - std::fabs(offset) < 1.0L / 1024) return false;
    units = significand - (std::uint64_t{1} << 63);
#else
    const auto whole = static_cast<std::uint64_t>(t);
    const long double fraction = t - static_cast<long double>(whole);
    if (std::fabs(fraction - 0.5L) < 1.0L / 1024) return false;
    units = whole + (fraction > 0.5L ? 1 : 0);
#endif
    return true;
}

Digits unitsDigits(bool negative, std::uint64_t units, int decimals) {
    Digits r;
    if (units == 0) return r;
    r.negative = negative;
    char buf[24];
    int len = static_cast<int>(std::to_chars(buf, buf + sizeof buf, units).ptr - buf);
    r.exponent = len - 1 - decimals;
    while (buf[len - 1] == '0')
        --len;
    std::memcpy(r.d, buf, static_cast<std::size_t>(len));
    r.len = len;
    return r;
}

Digits fixedPlaces(double value, int decimals, bool integerPath = true) {
    if (value == 0) return {};
    std::uint64_t units = 0;
    if (integerPath && nearestUnits(value, decimals, units))
        return unitsDigits(std::signbit(value), units, decimals);
    char d18[ExtendedDigits];
    int exponent = 0;
    digits18(value, d18, exponent);
    return roundDigits(std::signbit(value), d18, exponent, exponent + 1 + decimals);
}

// Plain positional digits with exactly `decimals` decimals and an optional
// thousands separator, written at buf; returns their count. Char is char16_t,
// or char where both separators are Latin-1.
template <class Char>
int positionalTo(Char* buf, const Digits& d, int decimals, QChar sep, QChar group = QChar()) {
    int n = 0;
    if (d.negative) buf[n++] = Char('-');
    const int intDigits = d.len == 0 || d.exponent < 0 ? 1 : d.exponent + 1;
    for (int i = 0; i < intDigits; ++i) {
        if (!group.isNull() && i > 0 && (intDigits - i) % 3 == 0) buf[n++] = Char(group.unicode());
        const int pos = d.len == 0 || d.exponent < 0 ? -1 : i; // digit index
        buf[n++] = pos >= 0 && pos < d.len ? Char(d.d[pos]) : Char('0');
    }
    if (decimals > 0) {
        buf[n++] = Char(sep.unicode());
        for (int j = 0; j < decimals; ++j) {
            // Fraction digit j has decimal exponent -(j+1).
            const int pos = d.len == 0 ? -1 : d.exponent + 1 + j;
            buf[n++] = pos >= 0 && pos < d.len ? Char(d.d[pos]) : Char('0');
        }
    }
    return n;
}

QString positional(const Digits& d, int decimals, QChar sep, QChar group = QChar()) {
    char16_t buf[512];
    const int n = positionalTo(buf, d, decimals, sep, group);
    return QString(reinterpret_cast<const QChar*>(buf), n);
}

QString scientific(const Digits& d, int minFraction, int minExpDigits, bool plusSign, QChar sep) {
    char16_t buf[64];
    int n = 0;
    if (d.negative) buf[n++] = u'-';
    buf[n++] = d.len ? char16_t(d.d[0]) : u'0';
    const int fraction = std::max(d.len - 1, minFraction);
    if (fraction > 0) {
        buf[n++] = sep.unicode();
        for (int i = 1; i <= fraction; ++i)
            buf[n++] = i < d.len ? char16_t(d.d[i]) : u'0';
    }
    buf[n++] = u'E';
    const int e = d.len ? d.exponent : 0;
    if (e < 0)
        buf[n++] = u'-';
    else if (plusSign)
        buf[n++] = u'+';
    char exp[8];
    const auto res = std::to_chars(exp, exp + sizeof exp, std::abs(e));
    for (int pad = static_cast<int>(res.ptr - exp); pad < minExpDigits; ++pad)
        buf[n++] = u'0';
    for (const char* p = exp; p < res.ptr; ++p)
        buf[n++] = char16_t(*p);
    return QString(reinterpret_cast<const QChar*>(buf), n);
}

int clampPrecision(int p) {
    return std::clamp(p, 1, ExtendedDigits);
}
int clampDecimals(int d) {
    return std::clamp(d, 0, ExtendedDigits);
}

} // namespace

namespace detail {
Decimal toDecimal(double value, int significantDigits) {
    Decimal r;
    if (const char* s = specialText(value)) {
        r.special = true;
        r.negative = value < 0;
        r.digits = QLatin1String(s);
        return r;
    }
    const Digits d = significant(value, clampPrecision(significantDigits));
    r.negative = d.negative;
    r.digits = QString::fromLatin1(d.d, d.len);
    r.exponent = d.exponent;
    return r;
}
} // namespace detail

QString FormatGeneral(double value, int precision, QChar sep) {
    if (const char* s = specialText(value)) return QLatin1String(s);
    precision = clampPrecision(precision);
    const Digits d = significant(value, precision);
    if (d.len == 0) return QStringLiteral("0");
    if (d.exponent >= precision || d.exponent < -4) return scientific(d, 0, 1, false, sep);
    return positional(d, std::max(0, d.len - d.exponent - 1), sep);
}

namespace {
// The length of the text of units / 10^decimals, as fixedFromUnitsTo writes
// it: the sign of a negative non-zero, the integer digits (at least a zero),
// the separator and the decimals.
int fixedFromUnitsLength(bool negative, std::uint64_t units, int decimals) {
    // The digits from the bit width (log10(2) is about 1233 / 4096), one
    // fewer below that power of ten.
    const int estimate = std::bit_width(units | 1) * 1233 >> 12;
    const int digits = estimate + ((units | 1) >= PowersOfTen[estimate] ? 1 : 0);
    return (negative && units != 0 ? 1 : 0) + std::max(digits - decimals, 1) +
           (decimals > 0 ? 1 + decimals : 0);
}

// The text of units / 10^decimals, written at buf; returns its length. The
// digits go where they belong, and the decimals move one place on for the
// separator (a table of a million rows formats four million amounts).
int fixedFromUnitsTo(char* buf, bool negative, std::uint64_t units, int decimals, QChar sep) {
    char* p = buf;
    if (negative && units != 0) *p++ = '-';
    char* digits = p;
    const int len = static_cast<int>(std::to_chars(digits, digits + 24, units).ptr - digits);
    if (decimals == 0) return static_cast<int>(digits + len - buf);
    // A few characters move, one by one: a call to move them costs more.
    const int intLen = len - decimals;
    if (intLen > 0) {
        for (int i = len; i > intLen; --i)
            digits[i] = digits[i - 1];
        digits[intLen] = static_cast<char>(sep.unicode());
        return static_cast<int>(digits + len + 1 - buf);
    }
    // 0, the separator, the zeros the digits lack, then the digits.
    const int zeros = -intLen;
    for (int i = len - 1; i >= 0; --i)
        digits[i + 2 + zeros] = digits[i];
    digits[0] = '0';
    digits[1] = static_cast<char>(sep.unicode());
    for (int i = 0; i < zeros; ++i)
        digits[2 + i] = '0';
    return static_cast<int>(digits + 2 + decimals - buf);
}

// The same in 16 bits, through the 8-bit text: the separator alone may
// need more than 8 bits, and it stands before the decimals.
int fixedFromUnitsTo(char16_t* buf, bool negative, std::uint64_t units, int decimals, QChar sep) {
    char narrow[FixedTextCapacity];
    const int n = fixedFromUnitsTo(narrow, negative, units, decimals, sep);
    std::copy(narrow, narrow + n, buf);
    if (decimals > 0) buf[n - decimals - 1] = sep.unicode();
    return n;
}

template <class Char> int copyText(Char* out, QStringView text) {
    std::transform(text.utf16(), text.utf16() + text.size(), out,
                   [](char16_t c) { return static_cast<Char>(c); });
    return static_cast<int>(text.size());
}

template <class Char>
int formatFixedTo(Char* out, double value, int decimals, QChar sep, bool integerPath) {
    std::uint64_t units = 0;
    if (integerPath && nearestUnits(value, clampDecimals(decimals), units))
        return fixedFromUnitsTo(out, std::signbit(value), units, clampDecimals(decimals), sep);
    if (const char* s = specialText(value)) return copyText(out, QString::fromLatin1(s));
    if (value != 0 && std::fabs(value) >= 1e18 &&
        significant(value, ExtendedDigits).exponent >= ExtendedDigits)
        return copyText(out, FormatGeneral(value, ExtendedDigits, sep));
    decimals = clampDecimals(decimals);
    return positionalTo(out, fixedPlaces(value, decimals, integerPath), decimals, sep);
}

QString formatFixed(double value, int decimals, QChar sep, bool integerPath) {
    char16_t buf[FixedTextCapacity];
    const int n = formatFixedTo(buf, value, decimals, sep, integerPath);
    return QString(reinterpret_cast<const QChar*>(buf), n);
}
} // namespace

qsizetype FormatFixedTo(char16_t* out, double value, int decimals, QChar sep) {
    return formatFixedTo(out, value, decimals, sep, true);
}

qsizetype FormatFixedTo(char* out, double value, int decimals, QChar sep) {
    return formatFixedTo(out, value, decimals, sep, true);
}

qsizetype FormatFixedLength(double value, int decimals, QChar sep) {
    std::uint64_t units = 0;
    if (nearestUnits(value, clampDecimals(decimals), units))
        return fixedFromUnitsLength(std::signbit(value), units, clampDecimals(decimals));
    char16_t buf[FixedTextCapacity];
    return formatFixedTo(buf, value, decimals, sep, true);
}

QString FormatFixed(double value, int decimals, QChar sep) {
    return formatFixed(value, decimals, sep, true);
}

namespace detail {
QString FormatFixedByDigits(double value, int decimals, QChar sep) {
    return formatFixed(value, decimals, sep, false);
}
} // namespace detail

QString FormatScientific(double value, int precision, QChar sep) {
    if (const char* s = specialText(value)) return QLatin1String(s);
    precision = clampPrecision(precision);
    return scientific(significant(value, precision), precision - 1, 3, true, sep);
}

QString FormatNumber(double value, int decimals, QChar sep, QChar group) {
    if (const char* s = specialText(value)) return QLatin1String(s);
    if (value != 0 && std::fabs(value) >= 1e18 &&
        significant(value, ExtendedDigits).exponent >= ExtendedDigits)
        return FormatGeneral(value, ExtendedDigits, sep);
    return positional(fixedPlaces(value, clampDecimals(decimals)), clampDecimals(decimals), sep,
                      group);
}

QString FloatToStr(double value) {
    return FormatGeneral(value, 15, regionalSettings().decimalSeparator);
}

} // namespace twl

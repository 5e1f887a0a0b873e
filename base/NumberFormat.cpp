#include "base/NumberFormat.h"

#include "base/RegionalSettings.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace twl {

namespace detail {

namespace {
constexpr int ExtendedDigits = 18;

// 18 significant digits of |value| (exact binary-to-decimal, then one rounding).
void digits18(double value, char* digits, int& exponent)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    *res.ptr = '\0';
    // buf: d.ddddddddddddddddde[+-]x
    int k = 0;
    digits[k++] = buf[0];
    for (int i = 2; i < 19; ++i)
        digits[k++] = buf[i];
    digits[k] = '\0';
    exponent = std::atoi(std::strchr(buf, 'e') + 1);
}

// Rounds the 18-digit string to `keep` digits, half away from zero.
Decimal roundDigits(bool negative, const char* d18, int exponent, int keep)
{
    Decimal r;
    r.negative = negative;
    if (keep <= 0) {
        // Everything is rounded away; it rounds up to one unit at the position
        // `keep` when the first digit is at least 5 and keep is exactly 0.
        if (keep == 0 && d18[0] >= '5') {
            r.digits = QStringLiteral("1");
            r.exponent = exponent + 1;
        }
        if (r.digits.isEmpty())
            r.negative = false;
        return r;
    }
    if (keep > ExtendedDigits)
        keep = ExtendedDigits;
    char d[ExtendedDigits + 2];
    std::memcpy(d, d18, keep);
    int len = keep;
    if (keep < ExtendedDigits && d18[keep] >= '5') {
        int i = keep - 1;
        while (i >= 0) {
            if (d[i] == '9') {
                d[i] = '0';
                --i;
            } else {
                ++d[i];
                break;
            }
        }
        if (i < 0) {
            // 999.. rounded to 1000..: one more integer digit.
            std::memmove(d + 1, d, len);
            d[0] = '1';
            ++len;
            ++exponent;
        }
    }
    while (len > 0 && d[len - 1] == '0')
        --len;
    r.digits = QString::fromLatin1(d, len);
    r.exponent = exponent;
    if (r.digits.isEmpty())
        r.negative = false;
    return r;
}

bool special(double value, Decimal& r)
{
    if (std::isnan(value)) {
        r.special = true;
        r.digits = QStringLiteral("NAN");
        return true;
    }
    if (std::isinf(value)) {
        r.special = true;
        r.negative = value < 0;
        r.digits = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
        return true;
    }
    return false;
}
} // namespace

Decimal toDecimal(double value, int significantDigits)
{
    Decimal r;
    if (special(value, r))
        return r;
    if (value == 0)
        return r;
    char d18[ExtendedDigits + 1];
    int exponent = 0;
    digits18(value, d18, exponent);
    return roundDigits(std::signbit(value), d18, exponent, significantDigits);
}

Decimal toDecimalFixed(double value, int decimals)
{
    Decimal r;
    if (special(value, r))
        return r;
    if (value == 0)
        return r;
    char d18[ExtendedDigits + 1];
    int exponent = 0;
    digits18(value, d18, exponent);
    return roundDigits(std::signbit(value), d18, exponent, exponent + 1 + decimals);
}

} // namespace detail

namespace {

QString scientific(const detail::Decimal& d, int minFraction, int minExpDigits, bool plusSign, QChar sep)
{
    QString s;
    if (d.negative)
        s += QLatin1Char('-');
    const QString digits = d.digits.isEmpty() ? QStringLiteral("0") : d.digits;
    s += digits.at(0);
    QString fraction = digits.mid(1);
    while (fraction.size() < minFraction)
        fraction += QLatin1Char('0');
    if (!fraction.isEmpty())
        s += sep + fraction;
    s += QLatin1Char('E');
    const int e = d.digits.isEmpty() ? 0 : d.exponent;
    if (e < 0)
        s += QLatin1Char('-');
    else if (plusSign)
        s += QLatin1Char('+');
    s += QString::number(std::abs(e)).rightJustified(minExpDigits, QLatin1Char('0'));
    return s;
}

// Plain positional digits with exactly `decimals` decimals.
QString positional(const detail::Decimal& d, int decimals, QChar sep, QChar group = QChar())
{
    QString intPart;
    QString frac;
    const int e = d.exponent;
    const int n = static_cast<int>(d.digits.size());
    if (n == 0) {
        intPart = QStringLiteral("0");
    } else if (e < 0) {
        intPart = QStringLiteral("0");
        frac = QString(-e - 1, QLatin1Char('0')) + d.digits;
    } else {
        intPart = d.digits.left(e + 1);
        if (intPart.size() < e + 1)
            intPart += QString(e + 1 - intPart.size(), QLatin1Char('0'));
        frac = d.digits.mid(e + 1);
    }
    if (frac.size() < decimals)
        frac += QString(decimals - frac.size(), QLatin1Char('0'));
    frac.truncate(decimals);
    if (!group.isNull()) {
        for (qsizetype i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, group);
    }
    QString s;
    if (d.negative)
        s += QLatin1Char('-');
    s += intPart;
    if (decimals > 0)
        s += sep + frac;
    return s;
}

} // namespace

QString FormatGeneral(double value, int precision, QChar sep)
{
    if (precision < 1)
        precision = 1;
    if (precision > 18)
        precision = 18;
    const detail::Decimal d = detail::toDecimal(value, precision);
    if (d.special)
        return d.digits;
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    if (d.exponent >= precision || d.exponent < -4)
        return scientific(d, 0, 1, false, sep);
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent - 1);
    return positional(d, decimals, sep);
}

QString FormatFixed(double value, int decimals, QChar sep)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 18)
        decimals = 18;
    const detail::Decimal whole = detail::toDecimal(value, 18);
    if (whole.special)
        return whole.digits;
    if (!whole.digits.isEmpty() && whole.exponent >= 18)
        return FormatGeneral(value, 18, sep);
    return positional(detail::toDecimalFixed(value, decimals), decimals, sep);
}

QString FormatScientific(double value, int precision, QChar sep)
{
    if (precision < 1)
        precision = 1;
    if (precision > 18)
        precision = 18;
    const detail::Decimal d = detail::toDecimal(value, precision);
    if (d.special)
        return d.digits;
    return scientific(d, precision - 1, 3, true, sep);
}

QString FormatNumber(double value, int decimals, QChar sep, QChar group)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 18)
        decimals = 18;
    const detail::Decimal whole = detail::toDecimal(value, 18);
    if (whole.special)
        return whole.digits;
    if (!whole.digits.isEmpty() && whole.exponent >= 18)
        return FormatGeneral(value, 18, sep);
    return positional(detail::toDecimalFixed(value, decimals), decimals, sep, group);
}

QString FloatToStr(double value) { return FormatGeneral(value, 15, regionalSettings().decimalSeparator); }

} // namespace twl

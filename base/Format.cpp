// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Format.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"

#include <limits>

namespace twl {

namespace {

[[noreturn]] void invalid(const QString& pattern) {
    // The message quotes the pattern itself; the pattern is not a format here.
    QString msg = LoadResString(rs::SInvalidFormat);
    msg.replace(QLatin1String("%s"), pattern);
    throw EConvertError(msg);
}

[[noreturn]] void missing(const QString& pattern) {
    QString msg = LoadResString(rs::SArgumentMissing);
    msg.replace(QLatin1String("%s"), pattern);
    throw EConvertError(msg);
}

struct Parser {
    const QString& pattern;
    const std::vector<FormatArg>& args;
    // A larger field is a pattern error, not a memory hog; many fields of
    // the largest width must not add up to gigabytes either.
    const FormatLimits& limits;
    qsizetype pos = 0;
    std::size_t argIndex = 0;

    bool atDigit() const {
        return pos < pattern.size() && pattern.at(pos).unicode() >= '0' &&
               pattern.at(pos).unicode() <= '9';
    }

    int number() {
        std::int64_t v = 0;
        while (atDigit()) {
            v = v * 10 + (pattern.at(pos++).unicode() - '0');
            if (v > limits.maxWidth) invalid(pattern);
        }
        return static_cast<int>(v);
    }

    const FormatArg& nextArg() {
        if (argIndex >= args.size()) missing(pattern);
        return args[argIndex++];
    }

    // A number or "*" (taken from an integer argument).
    int numberOrStar() {
        if (pos < pattern.size() && pattern.at(pos) == QLatin1Char('*')) {
            ++pos;
            const FormatArg& a = nextArg();
            if (a.kind() != FormatArg::Kind::Integer || a.integer() > limits.maxWidth)
                invalid(pattern);
            // A negative value means no width; one below the int range must
            // not wrap around to a huge positive width.
            return a.integer() < 0 ? -1 : static_cast<int>(a.integer());
        }
        return number();
    }
};

QString integerText(std::int64_t v, int precision) {
    const bool negative = v < 0;
    QString digits;
    if (v == std::numeric_limits<std::int64_t>::min())
        digits = QStringLiteral("9223372036854775808");
    else
        digits = QString::number(negative ? -v : v);
    if (precision > digits.size())
        digits = QString(precision - digits.size(), QLatin1Char('0')) + digits;
    return negative ? QLatin1Char('-') + digits : digits;
}

} // namespace

QString Format(const QString& pattern, const std::vector<FormatArg>& args) {
    return Format(pattern, args, FormatLimits{});
}

QString Format(const QString& pattern, const std::vector<FormatArg>& args,
               const FormatLimits& limits) {
    Parser p{pattern, args, limits};
    QString out;
    const RegionalSettings& regional = regionalSettings();
    const qsizetype n = pattern.size();
    while (p.pos < n) {
        const qsizetype pct = pattern.indexOf(QLatin1Char('%'), p.pos);
        if (pct < 0) {
            out += QStringView(pattern).mid(p.pos);
            break;
        }
        out += QStringView(pattern).mid(p.pos, pct - p.pos);
        p.pos = pct + 1;
        if (p.pos >= n) invalid(pattern);
        if (pattern.at(p.pos) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++p.pos;
            continue;
        }
        // Optional index: digits or "*" followed by ":".
        {
            const qsizetype save = p.pos;
            const std::size_t saveArg = p.argIndex;
            int idx = -1;
            if (p.atDigit())
                idx = p.number();
            else if (pattern.at(p.pos) == QLatin1Char('*')) {
                idx = p.numberOrStar();
            }
            if (p.pos < n && pattern.at(p.pos) == QLatin1Char(':') && idx >= 0) {
                ++p.pos;
                p.argIndex = static_cast<std::size_t>(idx);
            } else {
                p.pos = save;
                p.argIndex = saveArg;
            }
        }
        bool left = false;
        if (p.pos < n && pattern.at(p.pos) == QLatin1Char('-')) {
            left = true;
            ++p.pos;
        }
        int width = -1;
        if (p.pos < n && (p.atDigit() || pattern.at(p.pos) == QLatin1Char('*')))
            width = p.numberOrStar();
        int precision = -1;
        if (p.pos < n && pattern.at(p.pos) == QLatin1Char('.')) {
            ++p.pos;
            precision = p.numberOrStar();
        }
        if (p.pos >= n) invalid(pattern);
        const char16_t type = pattern.at(p.pos++).toLower().unicode();
        const FormatArg& arg = p.nextArg();
        QString text;
        switch (type) {
        case 'd':
            if (arg.kind() != FormatArg::Kind::Integer) invalid(pattern);
            text = integerText(arg.integer(), precision);
            break;
        case 'u':
            if (arg.kind() != FormatArg::Kind::Integer) invalid(pattern);
            text = integerText(static_cast<std::int64_t>(static_cast<std::uint32_t>(arg.integer())),
                               precision);
            break;
        case 'x': {
            if (arg.kind() != FormatArg::Kind::Integer) invalid(pattern);
            const std::int64_t v = arg.integer();
            const std::uint64_t bits = (v >= std::numeric_limits<std::int32_t>::min() &&
                                        v <= std::numeric_limits<std::uint32_t>::max())
                                           ? static_cast<std::uint32_t>(v)
                                           : static_cast<std::uint64_t>(v);
            text = QString::number(bits, 16).toUpper();
            if (precision > text.size())
                text = QString(precision - text.size(), QLatin1Char('0')) + text;
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            double v = 0;
            if (arg.kind() == FormatArg::Kind::Float)
                v = arg.floating();
            else
                invalid(pattern);
            const QChar sep = regional.decimalSeparator;
            if (type == 'e')
                text = FormatScientific(v, precision < 0 ? 15 : precision, sep);
            else if (type == 'f')
                text = FormatFixed(v, precision < 0 ? 2 : precision, sep);
            else if (type == 'g')
                text = FormatGeneral(v, precision < 0 ? 15 : precision, sep);
            else if (type == 'n')
                text =
                    FormatNumber(v, precision < 0 ? 2 : precision, sep, regional.thousandSeparator);
            else {
                const QString num = FormatNumber(v < 0 ? -v : v, precision < 0 ? 2 : precision, sep,
                                                 regional.thousandSeparator);
                text = (v < 0 ? QStringLiteral("-") : QString()) + regional.currencyString + num;
            }
            break;
        }
        case 's':
            if (arg.kind() != FormatArg::Kind::String) invalid(pattern);
            text = arg.string();
            if (precision >= 0 && precision < text.size()) text.truncate(precision);
            break;
        default:
            invalid(pattern);
        }
        const qsizetype fieldLength = qMax<qsizetype>(width, text.size());
        if (out.size() + fieldLength > limits.maxLength) invalid(pattern);
        if (width > text.size()) {
            const QString pad(width - text.size(), QLatin1Char(' '));
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    if (out.size() > limits.maxLength) invalid(pattern);
    return out;
}

} // namespace twl

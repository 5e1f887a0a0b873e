// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Variant.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"

#include <cmath>
#include <limits>

namespace twl {

namespace {
[[noreturn]] void badCast() {
    throw EConvertError(LoadResString(rs::SInvalidVarCast));
}

bool isIntegerType(std::uint16_t t) {
    switch (t) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varBoolean:
        return true;
    default:
        return false;
    }
}

bool isFloatType(std::uint16_t t) {
    return t == varSingle || t == varDouble || t == varCurrency;
}

bool isStringType(std::uint16_t t) {
    return t == varOleStr || t == varString || t == varStrArg;
}
} // namespace

TVariant TVariant::null() {
    TVariant v;
    v.m_type = varNull;
    return v;
}

TVariant TVariant::withType(std::uint16_t type, std::int64_t integer, double floating,
                            const QString& text) {
    TVariant v;
    v.m_type = type;
    v.m_int = integer;
    v.m_double = floating;
    v.m_string = text;
    return v;
}

std::int32_t TVariant::toInt() const {
    if (m_type == varEmpty) return 0;
    if (isIntegerType(m_type)) {
        if (m_int < std::numeric_limits<std::int32_t>::min() ||
            m_int > std::numeric_limits<std::int32_t>::max())
            badCast();
        return static_cast<std::int32_t>(m_int);
    }
    if (isFloatType(m_type)) {
        const double r = std::nearbyint(m_double);
        if (!(r >= -2147483648.0 && r <= 2147483647.0)) badCast();
        return static_cast<std::int32_t>(r);
    }
    if (isStringType(m_type)) {
        std::int32_t v = 0;
        if (TryStrToInt(m_string, v)) return v;
        double d = 0;
        if (TryStrToFloat(m_string, d)) {
            const double r = std::nearbyint(d);
            if (r >= -2147483648.0 && r <= 2147483647.0) return static_cast<std::int32_t>(r);
        }
        badCast();
    }
    badCast();
}

double TVariant::toDouble() const {
    if (m_type == varEmpty) return 0;
    if (isIntegerType(m_type)) return static_cast<double>(m_int);
    if (isFloatType(m_type)) return m_double;
    if (isStringType(m_type)) {
        double d = 0;
        if (TryStrToFloat(m_string, d)) return d;
        badCast();
    }
    if (m_type == varDate && m_date.isValid()) {
        // Days since 1899-12-30, the runtime's date-time value.
        const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), m_date.timeSpec());
        return static_cast<double>(epoch.msecsTo(m_date)) / 86400000.0;
    }
    badCast();
}

bool TVariant::toBool() const {
    if (m_type == varEmpty) return false;
    if (isIntegerType(m_type)) return m_int != 0;
    if (isFloatType(m_type)) return m_double != 0;
    if (isStringType(m_type)) {
        if (m_string.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
        if (m_string.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
        double d = 0;
        if (TryStrToFloat(m_string, d)) return d != 0;
        badCast();
    }
    badCast();
}

QString TVariant::toString() const {
    switch (m_type) {
    case varEmpty:
    case varNull:
        return {};
    case varBoolean:
        return m_int ? QStringLiteral("True") : QStringLiteral("False");
    case varDate:
        return DateTimeToStr(m_date);
    default:
        break;
    }
    if (isIntegerType(m_type)) return QString::number(m_int);
    if (isFloatType(m_type))
        return FloatToStr(m_type == varSingle ? static_cast<double>(static_cast<float>(m_double))
                                              : m_double);
    if (isStringType(m_type)) return m_string;
    badCast();
}

QDateTime TVariant::toDateTime() const {
    if (m_type == varDate) return m_date;
    badCast();
}

bool TVariant::operator==(const TVariant& o) const {
    return m_type == o.m_type && m_int == o.m_int && m_double == o.m_double &&
           m_string == o.m_string && m_date == o.m_date;
}

} // namespace twl

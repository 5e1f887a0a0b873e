// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tagged value whose 16-bit type code follows the OLE VARIANT codes plus the
// runtime's own string (0x0100) and "any" (0x0101). The whole type word is kept,
// so array or by-reference codes survive and writers can refuse them.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace twl {

enum VarType : std::uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varSmallint = 0x0002,
    varInteger = 0x0003,
    varSingle = 0x0004,
    varDouble = 0x0005,
    varCurrency = 0x0006,
    varDate = 0x0007,
    varOleStr = 0x0008,
    varDispatch = 0x0009,
    varError = 0x000A,
    varBoolean = 0x000B,
    varVariant = 0x000C,
    varUnknown = 0x000D,
    varShortInt = 0x0010,
    varByte = 0x0011,
    varWord = 0x0012,
    varLongWord = 0x0013,
    varInt64 = 0x0014,
    varStrArg = 0x0048,
    varString = 0x0100,
    varAny = 0x0101,
    varArray = 0x2000,
    varByRef = 0x4000,
};

class TVariant {
public:
    TVariant() = default; // empty
    TVariant(const QString& s)
        : m_type(varString)
        , m_string(s) {}
    TVariant(const char* s)
        : m_type(varString)
        , m_string(QString::fromUtf8(s)) {}
    TVariant(std::int32_t v)
        : m_type(varInteger)
        , m_int(v) {}
    TVariant(double v)
        : m_type(varDouble)
        , m_double(v) {}
    TVariant(bool v)
        : m_type(varBoolean)
        , m_int(v ? 1 : 0) {}
    TVariant(const QDateTime& dt)
        : m_type(varDate)
        , m_date(dt) {}

    static TVariant null();
    // A value of any type code carrying the given payloads (tests and writers
    // that need a single, currency, byte, or an array code).
    static TVariant withType(std::uint16_t type, std::int64_t integer = 0, double floating = 0,
                             const QString& text = {});

    std::uint16_t type() const { return m_type; }
    bool isNull() const { return m_type == varNull; }
    bool isEmpty() const { return m_type == varEmpty; }

    // Conversions; an impossible one raises EConvertError "Invalid variant type conversion".
    std::int32_t toInt() const;
    double toDouble() const;
    bool toBool() const;
    // The standard string conversion (numbers in general format with the
    // regional separator, dates in short date and long time, booleans "True"/"False").
    QString toString() const;
    QDateTime toDateTime() const;

    bool operator==(const TVariant& o) const;

private:
    std::uint16_t m_type = varEmpty;
    std::int64_t m_int = 0;
    double m_double = 0;
    QString m_string;
    QDateTime m_date;
};

using TkxValues = std::vector<TVariant>;

} // namespace twl

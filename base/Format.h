// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The runtime's Format() for user-supplied patterns: "%" [index ":"] ["-"]
// [width] ["." precision] type, with types d u e f g n m s x (either case)
// and "*" for width or precision taken from the arguments. A bad pattern or an
// argument of the wrong kind raises EConvertError; nothing is undefined.

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace twl {

class FormatArg {
public:
    enum class Kind { Integer, Float, String };

    FormatArg(int v)
        : m_kind(Kind::Integer)
        , m_int(v) {}
    FormatArg(unsigned v)
        : m_kind(Kind::Integer)
        , m_int(v) {}
    FormatArg(long v)
        : m_kind(Kind::Integer)
        , m_int(v) {}
    FormatArg(long long v)
        : m_kind(Kind::Integer)
        , m_int(v) {}
    FormatArg(unsigned long v)
        : m_kind(Kind::Integer)
        , m_int(static_cast<std::int64_t>(v)) {}
    FormatArg(double v)
        : m_kind(Kind::Float)
        , m_float(v) {}
    FormatArg(const QString& v)
        : m_kind(Kind::String)
        , m_string(v) {}
    FormatArg(const char* v)
        : m_kind(Kind::String)
        , m_string(QString::fromUtf8(v)) {}

    Kind kind() const { return m_kind; }
    std::int64_t integer() const { return m_int; }
    double floating() const { return m_float; }
    const QString& string() const { return m_string; }

private:
    Kind m_kind;
    std::int64_t m_int = 0;
    double m_float = 0;
    QString m_string;
};

// What one result of a pattern may grow to; beyond it the pattern is refused
// as a bad one. The defaults suit a text made once; a text made for every row
// of a document takes tighter ones, so that a pattern cannot make a document
// of gigabytes a row at a time.
struct FormatLimits {
    int maxWidth = 1 << 20;                 // any width or precision
    qsizetype maxLength = 16 * 1024 * 1024; // the whole result
};

QString Format(const QString& pattern, const std::vector<FormatArg>& args);
QString Format(const QString& pattern, const std::vector<FormatArg>& args,
               const FormatLimits& limits);
inline QString Format(const QString& pattern, std::initializer_list<FormatArg> args) {
    return Format(pattern, std::vector<FormatArg>(args));
}

} // namespace twl

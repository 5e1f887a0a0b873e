// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterUtils.h"

#include "base/Format.h"
#include "export/kxExportTypeTable.h"
#include "export/writers/kxWriterConst.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace twl {

QString kxSheetFullMessage(int Rows, int HolderType) {
    const QString full = Format(LoadResString(rs::SkxSheetFull), {Rows});
    const TkxExportTypeRow* holder = kxExportTypeRow(HolderType);
    if (!holder) return full;
    return Format(LoadResString(rs::SkxSheetFullUse), {full, LoadResString(holder->Entry)});
}

QString RepeatChar(QChar Ch, int Count) {
    return Count > 0 ? QString(Count, Ch) : QString();
}

Padding LeftPadding(qsizetype Length, int Width) {
    return {Length >= Width ? 0 : Width - static_cast<int>(Length), 0};
}

Padding RightPadding(qsizetype Length, int Width) {
    return {0, Length >= Width ? 0 : Width - static_cast<int>(Length)};
}

Padding CenterPadding(qsizetype Length, int Width) {
    if (Length >= Width) return {};
    const int length = static_cast<int>(Length);
    const int after = Width / 2 - length / 2;
    return {Width - length - after, after};
}

QString Padded(const QString& S, QChar Ch, Padding Fill) {
    if (Fill.before <= 0 && Fill.after <= 0) return S;
    const int before = std::max(Fill.before, 0);
    const int after = std::max(Fill.after, 0);
    QString t(S.size() + before + after, Qt::Uninitialized);
    QChar* out = std::fill_n(t.data(), before, Ch);
    out = std::copy(S.cbegin(), S.cend(), out);
    std::fill_n(out, after, Ch);
    return t;
}

QString PadLeft(const QString& S, QChar Ch, int Width) {
    return Padded(S, Ch, LeftPadding(S.size(), Width));
}

QString PadRight(const QString& S, QChar Ch, int Width) {
    return Padded(S, Ch, RightPadding(S.size(), Width));
}

QString PadCenter(const QString& S, int Width) {
    return Padded(S, QLatin1Char(' '), CenterPadding(S.size(), Width));
}

QString TruncateText(const QString& S, int Width, const QString& Symbol) {
    if (Width >= S.size()) return S;
    const qsizetype keep = Width - Symbol.size();
    return keep > 0 ? S.left(keep) + Symbol : Symbol;
}

namespace {
// Whether QuoteField encloses S, and how many double quotes it doubles.
template <class View> bool enclosesField(View S, bool AlwaysQuote, qsizetype& quotes) {
    quotes = 0;
    bool enclose = AlwaysQuote;
    for (const auto c : S) {
        const char16_t u = QChar(c).unicode();
        // Every character that matters lies at or below ',' (digits do not).
        if (u > u',') continue;
        if (u == u'"') ++quotes;
        enclose = enclose || u == u' ' || u == u',' || u == u'"' || u == u'\r' || u == u'\n';
    }
    return enclose;
}
} // namespace

// One pass and one allocation: every cell of a CSV, DIF or SYLK document
// goes through here.
QString QuoteField(const QString& S, bool AlwaysQuote) {
    qsizetype quotes = 0;
    if (!enclosesField(QStringView(S), AlwaysQuote, quotes)) return S;
    QString t;
    t.reserve(S.size() + quotes + 2);
    t += QLatin1Char('"');
    if (quotes == 0) {
        t += S;
    } else {
        for (const QChar c : S) {
            t += c;
            if (c == QLatin1Char('"')) t += c;
        }
    }
    t += QLatin1Char('"');
    return t;
}

bool IsPrintableAscii(QStringView S) {
    return std::all_of(S.begin(), S.end(), [](QChar c) { return c >= u' ' && c <= u'~'; });
}

namespace {
// Whether a byte of the text lies outside Low to High (both ASCII), eight
// bytes at a time: a cell is mostly shorter than sixteen. The eight-byte
// steps overlap at the end instead of leaving a tail.
template <unsigned Low, unsigned High> bool anyOutside(const char* p, qsizetype n) {
    static_assert(Low >= 1 && High < 0x80);
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    const auto outside = [](std::uint64_t x) {
        // A byte below Low, or one above High, sets its top bit here; so
        // does every byte from 0x80.
        return (((x - Ones * Low) & ~x) | ((x + Ones * (0x7F - High)) | x)) & Highs;
    };
    if (n >= 8) {
        std::uint64_t x = 0;
        for (qsizetype i = 0; i + 8 < n; i += 8) {
            std::memcpy(&x, p + i, 8);
            if (outside(x)) return true;
        }
        std::memcpy(&x, p + n - 8, 8);
        return outside(x) != 0;
    }
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        if (c < Low || c > High) return true;
    }
    return false;
}
} // namespace

bool IsPrintableAscii(QLatin1StringView S) {
    return !anyOutside<0x20, 0x7E>(S.data(), S.size());
}

char* PutRepeated(char* Out, char Ch, int Count) {
    return Count > 0 ? std::fill_n(Out, Count, Ch) : Out;
}

char* PutQuotedField(char* Out, QLatin1StringView S, bool AlwaysQuote) {
    // Every character that matters lies at or below ',': most texts (digits,
    // points and signs) have none.
    if (!AlwaysQuote && !anyOutside<',' + 1, 0x7F>(S.data(), S.size())) return PutAscii(Out, S);
    qsizetype quotes = 0;
    if (!enclosesField(S, AlwaysQuote, quotes)) return PutAscii(Out, S);
    *Out++ = '"';
    if (quotes == 0) {
        Out = PutAscii(Out, S);
    } else {
        for (const char c : S) {
            *Out++ = c;
            if (c == '"') *Out++ = '"';
        }
    }
    *Out++ = '"';
    return Out;
}

} // namespace twl

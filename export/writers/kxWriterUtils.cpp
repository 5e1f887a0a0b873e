#include "export/writers/kxWriterUtils.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace twl {

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

// One pass and one allocation: every cell of a CSV, DIF or SYLK document
// goes through here.
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

bool IsPrintableAscii(QLatin1StringView S) {
    const auto* p = reinterpret_cast<const signed char*>(S.data());
    const auto* end = p + S.size();
#ifdef __SSE2__
    // Sixteen at a time: as signed bytes, each of 0x20 to 0x7E lies above
    // 0x1F and below 0x7F, and every byte from 0x80 is negative.
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i inside = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(0x1F)),
                                             _mm_cmplt_epi8(v, _mm_set1_epi8(0x7F)));
        if (_mm_movemask_epi8(inside) != 0xFFFF) return false;
    }
#endif
    for (; p < end; ++p) {
        if (*p < 0x20 || *p > 0x7E) return false;
    }
    return true;
}

char* PutAscii(char* Out, QStringView S) {
    const char16_t* p = S.utf16();
    for (qsizetype i = 0; i < S.size(); ++i)
        Out[i] = static_cast<char>(p[i]);
    return Out + S.size();
}

char* PutAscii(char* Out, QLatin1StringView S) {
    if (!S.isEmpty()) std::memcpy(Out, S.data(), static_cast<std::size_t>(S.size()));
    return Out + S.size();
}

char* PutRepeated(char* Out, char Ch, int Count) {
    return Count > 0 ? std::fill_n(Out, Count, Ch) : Out;
}

char* PutQuotedField(char* Out, QLatin1StringView S, bool AlwaysQuote) {
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

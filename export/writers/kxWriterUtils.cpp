#include "export/writers/kxWriterUtils.h"

#include <algorithm>

namespace twl {

QString RepeatChar(QChar Ch, int Count) {
    return Count > 0 ? QString(Count, Ch) : QString();
}

namespace {
// S with `before` and `after` fill characters around it, made at its size.
QString padded(const QString& S, QChar Ch, int before, int after) {
    before = std::max(before, 0);
    after = std::max(after, 0);
    QString t(S.size() + before + after, Qt::Uninitialized);
    QChar* out = std::fill_n(t.data(), before, Ch);
    out = std::copy(S.cbegin(), S.cend(), out);
    std::fill_n(out, after, Ch);
    return t;
}
} // namespace

QString PadLeft(const QString& S, QChar Ch, int Width) {
    return S.size() >= Width ? S : padded(S, Ch, Width - static_cast<int>(S.size()), 0);
}

QString PadRight(const QString& S, QChar Ch, int Width) {
    return S.size() >= Width ? S : padded(S, Ch, 0, Width - static_cast<int>(S.size()));
}

QString PadCenter(const QString& S, int Width) {
    const int length = static_cast<int>(S.size());
    if (length >= Width) return S;
    const int after = Width / 2 - length / 2;
    return padded(S, QLatin1Char(' '), Width - length - after, after);
}

QString TruncateText(const QString& S, int Width, const QString& Symbol) {
    if (Width >= S.size()) return S;
    const qsizetype keep = Width - Symbol.size();
    return keep > 0 ? S.left(keep) + Symbol : Symbol;
}

// One pass and one allocation: every cell of a CSV, DIF or SYLK document
// goes through here.
QString QuoteField(const QString& S, bool AlwaysQuote) {
    qsizetype quotes = 0;
    bool enclose = AlwaysQuote;
    for (const QChar c : S) {
        const char16_t u = c.unicode();
        // Every character that matters lies at or below ',' (digits do not).
        if (u > u',') continue;
        if (u == u'"') ++quotes;
        enclose = enclose || u == u' ' || u == u',' || u == u'"' || u == u'\r' || u == u'\n';
    }
    if (!enclose) return S;
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

} // namespace twl

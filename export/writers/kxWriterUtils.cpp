#include "export/writers/kxWriterUtils.h"

namespace twl {

QString RepeatChar(QChar Ch, int Count) {
    return Count > 0 ? QString(Count, Ch) : QString();
}

QString PadLeft(const QString& S, QChar Ch, int Width) {
    return S.size() >= Width ? S : RepeatChar(Ch, Width - static_cast<int>(S.size())) + S;
}

QString PadRight(const QString& S, QChar Ch, int Width) {
    return S.size() >= Width ? S : S + RepeatChar(Ch, Width - static_cast<int>(S.size()));
}

QString PadCenter(const QString& S, int Width) {
    const int length = static_cast<int>(S.size());
    if (length >= Width) return S;
    const int after = Width / 2 - length / 2;
    return RepeatChar(QLatin1Char(' '), Width - length - after) + S +
           RepeatChar(QLatin1Char(' '), after);
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

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

QString QuoteField(const QString& S, bool AlwaysQuote) {
    QString t = S;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    const bool enclose = AlwaysQuote || S.contains(QLatin1Char(' ')) ||
                         S.contains(QLatin1Char(',')) || S.contains(QLatin1Char('"')) ||
                         S.contains(QLatin1Char('\r')) || S.contains(QLatin1Char('\n'));
    return enclose ? QLatin1Char('"') + t + QLatin1Char('"') : t;
}

} // namespace twl

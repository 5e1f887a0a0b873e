#pragma once
// String utilities shared by the document writers.

#include <QChar>
#include <QString>
#include <string_view>

namespace twl {

// A few ASCII characters a format treats specially, as the bits of two
// words: whether a text holds any of them is one test a character.
class AsciiSet {
public:
    constexpr explicit AsciiSet(std::u16string_view Characters) {
        for (const char16_t c : Characters)
            m_bits[c >> 6] |= quint64{1} << (c & 63);
    }
    constexpr bool contains(char16_t c) const {
        return c < 128 && ((m_bits[c >> 6] >> (c & 63)) & 1);
    }
    bool foundIn(const QString& Text) const {
        for (const QChar c : Text) {
            if (contains(c.unicode())) return true;
        }
        return false;
    }

private:
    quint64 m_bits[2] = {};
};

// Count copies of Ch; "" when Count is 0 or less.
QString RepeatChar(QChar Ch, int Count);
// S, filled on the left (PadLeft) or right (PadRight) with Ch up to Width.
QString PadLeft(const QString& S, QChar Ch, int Width);
QString PadRight(const QString& S, QChar Ch, int Width);
// S centred in Width: A = Width div 2 - Length(S) div 2 spaces after it, the
// rest before it.
QString PadCenter(const QString& S, int Width);
// S cut to Width characters, its end replaced by Symbol (just Symbol when
// Width leaves no room for any of S).
QString TruncateText(const QString& S, int Width, const QString& Symbol);
// S with every double quote doubled, enclosed in double quotes when
// AlwaysQuote or when it holds a space, a comma, a double quote, CR or LF, so
// that a CSV reader gets back exactly the value.
QString QuoteField(const QString& S, bool AlwaysQuote);

} // namespace twl

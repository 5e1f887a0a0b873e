// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// String utilities shared by the document writers.

#include <QChar>
#include <QString>
#include <cstdint>
#include <cstring>
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
    // Whether a character of the text is one of them (a QString or a
    // Latin-1 view).
    template <class Text> bool foundIn(const Text& S) const {
        for (const auto c : S) {
            if (contains(QChar(c).unicode())) return true;
        }
        return false;
    }

private:
    quint64 m_bits[2] = {};
};

// The refusal of a table longer than a sheet of Rows rows, naming the type
// (its entry of the format list) that holds it.
QString kxSheetFullMessage(int Rows, int HolderType);

// Count copies of Ch; "" when Count is 0 or less.
QString RepeatChar(QChar Ch, int Count);
// The fill before and after a text of Length to make it Width long: all on
// the left (LeftPadding), all on the right (RightPadding), or centred with
// A = Width div 2 - Length div 2 after it and the rest before it. None where
// the text is as long already.
struct Padding {
    int before = 0;
    int after = 0;
};
Padding LeftPadding(qsizetype Length, int Width);
Padding RightPadding(qsizetype Length, int Width);
Padding CenterPadding(qsizetype Length, int Width);
// S with the padding's fill characters around it.
QString Padded(const QString& S, QChar Ch, Padding Fill);
// S, filled on the left (PadLeft) or right (PadRight) with Ch up to Width.
QString PadLeft(const QString& S, QChar Ch, int Width);
QString PadRight(const QString& S, QChar Ch, int Width);
// S centred in Width with blanks.
QString PadCenter(const QString& S, int Width);
// S cut to Width characters, its end replaced by Symbol (just Symbol when
// Width leaves no room for any of S).
QString TruncateText(const QString& S, int Width, const QString& Symbol);
// S with every double quote doubled, enclosed in double quotes when
// AlwaysQuote or when it holds a space, a comma, a double quote, CR or LF, so
// that a CSV reader gets back exactly the value.
QString QuoteField(const QString& S, bool AlwaysQuote);

// --- Plain cells, written straight as a document's bytes ---
// Whether every character is printable ASCII (a blank to a tilde): such a
// text is its own bytes in every code page the documents use, and holds no
// line end. The Latin-1 test is the one made for every cell.
bool IsPrintableAscii(QStringView S);
bool IsPrintableAscii(QLatin1StringView S);
// S, printable ASCII, as its bytes at Out; returns the end. Inline: a
// literal's length is then known where it is copied.
inline char* PutAscii(char* Out, QStringView S) {
    const char16_t* p = S.utf16();
    for (qsizetype i = 0; i < S.size(); ++i)
        Out[i] = static_cast<char>(p[i]);
    return Out + S.size();
}
inline char* PutAscii(char* Out, QLatin1StringView S) {
    const char* p = S.data();
    const qsizetype n = S.size();
    // A text of 8 to 16 bytes as two overlapping moves, not a call.
    if (n >= 8 && n <= 16) {
        std::uint64_t a = 0, b = 0;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + n - 8, 8);
        std::memcpy(Out, &a, 8);
        std::memcpy(Out + n - 8, &b, 8);
    } else if (n > 0) {
        std::memcpy(Out, p, static_cast<std::size_t>(n));
    }
    return Out + n;
}
// Count copies of Ch at Out (none for 0 or less); returns the end.
char* PutRepeated(char* Out, char Ch, int Count);
// QuoteField of printable ASCII, as its bytes at Out (room for twice S and
// two more); returns the end.
char* PutQuotedField(char* Out, QLatin1StringView S, bool AlwaysQuote);

} // namespace twl

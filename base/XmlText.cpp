// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/XmlText.h"

namespace twl {

namespace {
bool impossible(const char16_t* at, const char16_t* begin, const char16_t* end, bool lineEndsToo) {
    const char16_t u = *at;
    if (u < 0x20) return u != u'\t' && (lineEndsToo || (u != u'\n' && u != u'\r'));
    if (u == 0xFFFE || u == 0xFFFF) return true;
    if (QChar::isHighSurrogate(u)) return at + 1 == end || !QChar::isLowSurrogate(at[1]);
    if (QChar::isLowSurrogate(u)) return at == begin || !QChar::isHighSurrogate(at[-1]);
    return false;
}
} // namespace

QString xmlCharacters(const QString& text, bool lineEndsToo) {
    const auto* begin = reinterpret_cast<const char16_t*>(text.constData());
    const auto* end = begin + text.size();
    const char16_t* at = begin;
    while (at != end && !impossible(at, begin, end, lineEndsToo))
        ++at;
    if (at == end) return text;
    QString clean = text;
    for (; at != end; ++at) {
        if (impossible(at, begin, end, lineEndsToo)) clean[at - begin] = QLatin1Char(' ');
    }
    return clean;
}

QString xmlEscaped(const QString& text, bool lineEndsToo) {
    return xmlCharacters(text, lineEndsToo).toHtmlEscaped();
}

void appendXmlEscaped(QByteArray& out, const QString& text, bool lineEndsToo) {
    out += xmlEscaped(text, lineEndsToo).toUtf8();
}

void replaceImpossibleXmlBytes(QByteArray& utf8) {
    // No byte of a longer UTF-8 sequence is below 0x80, so a control byte is
    // always a character of its own.
    const qsizetype size = utf8.size();
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(utf8.at(i));
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            utf8[i] = ' ';
        } else if (c == 0xEF && i + 2 < size &&
                   static_cast<unsigned char>(utf8.at(i + 1)) == 0xBF &&
                   (static_cast<unsigned char>(utf8.at(i + 2)) & 0xFE) == 0xBE) {
            utf8.replace(i, 3, "   ");
            i += 2;
        }
    }
}

} // namespace twl

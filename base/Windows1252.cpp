// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Windows1252.h"

#include <QStringDecoder>
#include <array>

namespace twl {

namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (kept as C1 controls).
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QChar Windows1252Codec::decodeByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char16_t c = HighTable[byte - 0x80];
        return QChar(c ? c : char16_t(byte));
    }
    return QChar(char16_t(byte));
}

char Windows1252Codec::encodeChar(QChar ch) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (int i = 0; i < 32; ++i) {
        if (HighTable[i] == u || (HighTable[i] == 0 && u == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

void Windows1252Codec::appendEncoded(QByteArray& out, const QString& text) {
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* end = encodeTo(out.data() + start, text.constData(), text.size());
    out.resize(end - out.constData());
}

char* Windows1252Codec::encodeTo(char* out, const QChar* src, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = src[i];
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
            continue;
        }
        // A surrogate pair is one character outside the code page: one '?'.
        if (c.isHighSurrogate() && i + 1 < n && src[i + 1].isLowSurrogate()) ++i;
        *out++ = encodeChar(c);
    }
    return out;
}

QByteArray Windows1252Codec::encode(const QString& text) {
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

QString Windows1252Codec::decode(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = decodeByte(static_cast<unsigned char>(data[i]));
    return out;
}

QString Windows1252Codec::decode(const QByteArray& bytes) {
    return decode(bytes.constData(), bytes.size());
}

QString decodeTextFile(const QByteArray& bytes, TextFileEncoding& encoding) {
    static constexpr char Bom[] = "\xEF\xBB\xBF";
    const bool bom = bytes.startsWith(Bom);
    // Without the mark, so that it can never end up glued to the first line.
    const QByteArrayView body = bom ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    encoding = bom ? TextFileEncoding::Utf8WithBom : TextFileEncoding::Windows1252;
    bool nonAscii = false;
    for (char c : body) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            nonAscii = true;
            break;
        }
    }
    if (nonAscii || bom) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(body);
        if (!utf8.hasError()) {
            if (!bom) encoding = TextFileEncoding::Utf8;
            return text;
        }
    }
    return Windows1252Codec::decode(body.data(), body.size());
}

QString decodeTextFile(const QByteArray& bytes) {
    TextFileEncoding ignored{};
    return decodeTextFile(bytes, ignored);
}

QByteArray encodeTextFile(const QString& text, TextFileEncoding encoding) {
    switch (encoding) {
    case TextFileEncoding::Utf8:
        return text.toUtf8();
    case TextFileEncoding::Utf8WithBom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TextFileEncoding::Windows1252:
        break;
    }
    return Windows1252Codec::encode(text);
}

} // namespace twl

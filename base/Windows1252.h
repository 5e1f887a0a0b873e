// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's single-byte code page. Documents, workbook labels and language
// files convert here; the settings file alone is kept as Latin-1, byte for byte.

#include <QByteArray>
#include <QString>

namespace twl {

class Windows1252Codec {
public:
    // Characters that the code page cannot hold become '?'.
    static QByteArray encode(const QString& text);
    static void appendEncoded(QByteArray& out, const QString& text);
    // Writes the n characters' bytes at out, which has room for n bytes (a
    // text never takes more bytes than characters); returns the end.
    static char* encodeTo(char* out, const QChar* text, qsizetype n);
    static QString decode(const QByteArray& bytes);
    static QString decode(const char* data, qsizetype size);
    // One character to its byte, '?' when it has none.
    static char encodeChar(QChar ch);
    static QChar decodeByte(unsigned char byte);
};

// Language files may be UTF-8: text that is valid UTF-8 and holds a non-ASCII
// byte is read as UTF-8, anything else as Windows-1252. A leading UTF-8
// byte-order mark is always dropped.
QString decodeTextFile(const QByteArray& bytes);

// The encoding a text file was read in, so that it can be written back in it.
enum class TextFileEncoding { Windows1252, Utf8, Utf8WithBom };
// As decodeTextFile; a file that starts with the mark counts as UTF-8 with it.
QString decodeTextFile(const QByteArray& bytes, TextFileEncoding& encoding);
QByteArray encodeTextFile(const QString& text, TextFileEncoding encoding);

} // namespace twl

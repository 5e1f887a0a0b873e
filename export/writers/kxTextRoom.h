// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Room made once at the end of a part's text, written through a pointer: a
// row's pieces are copied straight in, without a call and a size check per
// piece. The text keeps what was written when the room goes.

#include "export/writers/kxWriterUtils.h"

#include <QByteArray>
#include <charconv>
#include <cstring>

namespace twl {

class TkxTextRoom {
public:
    // Room for at most Most bytes.
    TkxTextRoom(QByteArray& Text, qsizetype Most)
        : m_text(Text)
        , m_start(Text.size()) {
        Text.resize(m_start + Most);
        m_at = Text.data() + m_start;
    }
    ~TkxTextRoom() { m_text.resize(m_at - m_text.constData()); }
    TkxTextRoom(const TkxTextRoom&) = delete;
    TkxTextRoom& operator=(const TkxTextRoom&) = delete;

    template <std::size_t N> void put(const char (&Literal)[N]) {
        std::memcpy(m_at, Literal, N - 1);
        m_at += N - 1;
    }
    void put(const char* Bytes, qsizetype Size) {
        std::memcpy(m_at, Bytes, std::size_t(Size));
        m_at += Size;
    }
    void put(const QByteArray& Bytes) { put(Bytes.constData(), Bytes.size()); }
    void put(char C) { *m_at++ = C; }
    // Printable ASCII, as its bytes.
    void ascii(QStringView Text) { m_at = PutAscii(m_at, Text); }
    // At most 20 characters.
    void integer(long long Value) { m_at = std::to_chars(m_at, m_at + 20, Value).ptr; }
    // The shortest text that reads back as Value; at most 24 characters.
    void shortest(double Value) { m_at = std::to_chars(m_at, m_at + 24, Value).ptr; }
    // Where the next byte goes, for a caller's own writing.
    char*& at() { return m_at; }

private:
    QByteArray& m_text;
    qsizetype m_start;
    char* m_at = nullptr;
};

} // namespace twl

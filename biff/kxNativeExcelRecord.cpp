// SPDX-License-Identifier: GPL-3.0-or-later
#include "biff/kxNativeExcelRecord.h"

#include "base/Windows1252.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <cstring>

namespace twl::biff {

namespace {
constexpr qsizetype InitialCapacity = 4096;
}

Record::Record(std::uint16_t id)
    : m_id(id) {
    m_data[0] = static_cast<char>(id & 0xFF);
    m_data[1] = static_cast<char>(id >> 8);
}

void Record::u8(std::uint8_t v) {
    Q_ASSERT(m_size + 1 <= int(m_data.size()));
    m_data[m_size++] = static_cast<char>(v);
}

void Record::u16(std::uint16_t v) {
    Q_ASSERT(m_size + 2 <= int(m_data.size()));
    m_data[m_size++] = static_cast<char>(v & 0xFF);
    m_data[m_size++] = static_cast<char>(v >> 8);
}

void Record::f64(double v) {
    Q_ASSERT(m_size + 8 <= int(m_data.size()));
    std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i, bits >>= 8)
        m_data[m_size++] = static_cast<char>(bits & 0xFF);
}

void Record::shortText(QStringView text) {
    const int lengthAt = m_size++;
    const int room = std::min<int>(MaxTextBytes, int(m_data.size()) - m_size);
    const QChar* src = text.data();
    const qsizetype n = text.size();
    int written = 0;
    for (qsizetype i = 0; i < n && written < room; ++i) {
        const QChar c = src[i];
        if (c.unicode() == 0) break;
        // A surrogate pair is one character the code page cannot hold: one '?'.
        if (c.isHighSurrogate() && i + 1 < n && src[i + 1].isLowSurrogate()) ++i;
        m_data[m_size + written++] =
            c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : Windows1252Codec::encodeChar(c);
    }
    m_data[lengthAt] = static_cast<char>(written);
    m_size += written;
}

void Record::shortText(const char* bytes) {
    const int lengthAt = m_size++;
    const int room = std::min<int>(MaxTextBytes, int(m_data.size()) - m_size);
    int written = 0;
    if (bytes) {
        while (written < room && bytes[written] != '\0')
            ++written;
        std::memcpy(m_data.data() + m_size, bytes, static_cast<size_t>(written));
    }
    m_data[lengthAt] = static_cast<char>(written);
    m_size += written;
}

QByteArrayView Record::finish() {
    const std::uint16_t length = bodyLength();
    m_data[2] = static_cast<char>(length & 0xFF);
    m_data[3] = static_cast<char>(length >> 8);
    return QByteArrayView(m_data.data(), m_size);
}

RecordStream::RecordStream() {
    m_bytes.reserve(InitialCapacity);
}

void RecordStream::clear() {
    // resize keeps the allocation unless a saved copy shares it.
    m_bytes.resize(0);
}

void RecordStream::append(Record& record) {
    const QByteArrayView bytes = record.finish();
    const qsizetype needed = m_bytes.size() + bytes.size();
    if (needed > m_bytes.capacity())
        m_bytes.reserve(std::max({needed, m_bytes.capacity() * 2, InitialCapacity}));
    m_bytes.append(bytes.data(), bytes.size());
}

} // namespace twl::biff

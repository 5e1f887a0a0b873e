// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one record-writing helper of the workbook writer: every record is
// assembled here, in fixed local storage with explicit little-endian fields,
// and appended to the stream in one piece.

#include "biff/kxNativeExcelConst.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <array>
#include <cstdint>

namespace twl::biff {

class Record {
public:
    // The largest body: a cell position, three attribute bytes, a length byte
    // and 255 bytes of text.
    static constexpr int MaxBody = 4 + 3 + 1 + MaxTextBytes;

    explicit Record(std::uint16_t id);

    std::uint16_t id() const { return m_id; }
    std::uint16_t bodyLength() const { return static_cast<std::uint16_t>(m_size - 4); }

    void u8(std::uint8_t v);
    void u16(std::uint16_t v);
    void f64(double v);
    // A one-byte length, then the text in Windows-1252: up to its first NUL
    // character and at most 255 bytes.
    void shortText(QStringView text);
    // The same for text that is already 8-bit; stops at its first zero byte.
    void shortText(const char* bytes);

    // Header and body, with the header's length filled in.
    QByteArrayView finish();

private:
    std::uint16_t m_id;
    int m_size = 4;
    std::array<char, 4 + MaxBody> m_data;
};

// The workbook's byte stream. Appends grow the buffer geometrically, so a
// record costs no allocation of its own; emptying it keeps the allocation.
class RecordStream {
public:
    RecordStream();

    const QByteArray& bytes() const { return m_bytes; }
    void clear();
    void append(Record& record);

private:
    QByteArray m_bytes;
};

} // namespace twl::biff

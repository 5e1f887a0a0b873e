// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxReportSpool.h"

#include "base/Exceptions.h"

#include <cstring>

namespace twl {

namespace {

// Bytes read from the file at a time.
constexpr qsizetype ReadChunk = 1 << 20;

// A row: its number of cells, then per cell its length in UTF-16 units
// (shifted left, the low bit its alignment) and its text, in this machine's
// byte order (the file lives only as long as the report).
template <typename T> void put(QByteArray& Out, T Value) {
    Out.append(reinterpret_cast<const char*>(&Value), sizeof Value);
}

} // namespace

TkxRowSpool::TkxRowSpool()
    : m_file(std::make_unique<TemporaryFile>()) {
    if (!m_file->open()) throw Exception(m_file->errorString());
}

void TkxRowSpool::Append(const std::vector<TkxGridCell>& Cells) {
    m_row.clear();
    put(m_row, static_cast<quint32>(Cells.size()));
    for (const TkxGridCell& cell : Cells) {
        put(m_row, (static_cast<quint32>(cell.Text.size()) << 1) | (cell.AlignRight ? 1u : 0u));
        m_row.append(reinterpret_cast<const char*>(cell.Text.utf16()),
                     cell.Text.size() * qsizetype(sizeof(char16_t)));
    }
    if (m_file->write(m_row) != m_row.size()) throw Exception(m_file->errorString());
    ++m_rows;
}

void TkxRowSpool::Finish() {
    if (!m_file->flush()) throw Exception(m_file->errorString());
}

TkxRowSpool::Reader::Reader(const TkxRowSpool& Spool)
    : m_file(Spool.m_file->fileName()) {
    if (!m_file.open(QIODevice::ReadOnly)) throw Exception(m_file.errorString());
}

const char* TkxRowSpool::Reader::take(qsizetype Bytes) {
    if (m_buffer.size() - m_at < Bytes) {
        m_buffer.remove(0, m_at);
        m_at = 0;
        const QByteArray more = m_file.read(qMax(ReadChunk, Bytes - m_buffer.size()));
        m_buffer.append(more);
        if (m_buffer.size() < Bytes) throw Exception(m_file.errorString());
    }
    const char* at = m_buffer.constData() + m_at;
    m_at += Bytes;
    return at;
}

void TkxRowSpool::Reader::Next(std::vector<TkxGridCell>& Cells) {
    quint32 count = 0;
    std::memcpy(&count, take(sizeof count), sizeof count);
    Cells.resize(count);
    for (TkxGridCell& cell : Cells) {
        quint32 header = 0;
        std::memcpy(&header, take(sizeof header), sizeof header);
        const qsizetype length = header >> 1;
        cell.AlignRight = (header & 1) != 0;
        // The text keeps its storage: a page's rows reuse it.
        cell.Text.resize(length);
        std::memcpy(cell.Text.data(), take(length * qsizetype(sizeof(char16_t))),
                    std::size_t(length) * sizeof(char16_t));
    }
}

} // namespace twl

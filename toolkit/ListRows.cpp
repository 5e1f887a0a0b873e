// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ListRows.h"

#include <algorithm>
#include <cstring>

namespace twl {

namespace {

// A row is its cell count, then each cell: a header of its length times four
// plus its kind, then its bytes. Numbers take seven bits a byte, low bits
// first, so a cell of up to 31 characters has a header of one byte.
enum CellKind : unsigned { NullCell = 0, Latin1Cell = 1, Utf16Cell = 2 };
constexpr std::size_t MaxNumberBytes = 10;

unsigned char* putNumber(unsigned char* to, std::uint64_t n) {
    while (n >= 0x80) {
        *to++ = static_cast<unsigned char>(n | 0x80);
        n >>= 7;
    }
    *to++ = static_cast<unsigned char>(n);
    return to;
}

std::uint64_t takeNumber(const unsigned char*& from) {
    std::uint64_t n = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char b = *from++;
        n |= static_cast<std::uint64_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return n;
    }
}

struct CellHeader {
    unsigned kind;
    std::size_t length; // in characters
    std::size_t bytes() const { return kind == Utf16Cell ? 2 * length : length; }
};

CellHeader takeHeader(const unsigned char*& from) {
    const std::uint64_t h = takeNumber(from);
    return {static_cast<unsigned>(h & 3), static_cast<std::size_t>(h >> 2)};
}

} // namespace

void ListRows::append(std::span<const QStringView> cells) {
    m_rows.push_back(write(cells));
}

std::uint64_t ListRows::write(std::span<const QStringView> cells) {
    std::size_t worst = MaxNumberBytes;
    for (const QStringView c : cells)
        worst += MaxNumberBytes + 2 * static_cast<std::size_t>(c.size());
    std::uint64_t where = 0;
    unsigned char* const start = reserve(worst, where);
    unsigned char* to = putNumber(start, cells.size());
    for (const QStringView c : cells) {
        if (c.isNull()) {
            to = putNumber(to, NullCell);
            continue;
        }
        const auto n = static_cast<std::size_t>(c.size());
        unsigned char* const header = to;
        to = putNumber(to, (std::uint64_t{n} << 2) | Latin1Cell);
        // Narrowed first, tested after: one pass the compiler can widen.
        const char16_t* from = c.utf16();
        char16_t all = 0;
        for (std::size_t i = 0; i < n; ++i) {
            all |= from[i];
            to[i] = static_cast<unsigned char>(from[i]);
        }
        if (all > 0xFF) {
            // The kind is in the header's first byte, whose length it does not change.
            header[0] = static_cast<unsigned char>((header[0] & ~3u) | Utf16Cell);
            std::memcpy(to, from, 2 * n);
            to += 2 * n;
        } else {
            to += n;
        }
    }
    m_used += static_cast<std::size_t>(to - start);
    return where;
}

unsigned char* ListRows::reserve(std::size_t bytes, std::uint64_t& where) {
    if (m_blocks.empty() || m_used + bytes > m_blocks.back().size) {
        // A row larger than a block gets a block of its own.
        const std::size_t size = std::max(bytes, BlockSize);
        // Left uninitialised: a page costs memory only once a row is written to it.
        m_blocks.push_back({std::unique_ptr<unsigned char[]>(new unsigned char[size]), size});
        m_used = 0;
    }
    where = (static_cast<std::uint64_t>(m_blocks.size() - 1) << 32) | m_used;
    return m_blocks.back().bytes.get() + m_used;
}

qsizetype ListRows::cellCount(int row) const {
    const unsigned char* from = rowBytes(row);
    return static_cast<qsizetype>(takeNumber(from));
}

QString ListRows::cell(int row, qsizetype column) const {
    const unsigned char* from = rowBytes(row);
    const auto count = static_cast<qsizetype>(takeNumber(from));
    if (column < 0 || column >= count) return QString();
    for (qsizetype i = 0; i < column; ++i)
        from += takeHeader(from).bytes();
    const CellHeader h = takeHeader(from);
    if (h.kind == NullCell) return QString();
    if (h.length == 0) return QStringLiteral(""); // empty, not null
    QString text(static_cast<qsizetype>(h.length), Qt::Uninitialized);
    if (h.kind == Utf16Cell) {
        std::memcpy(text.data(), from, h.bytes());
    } else {
        // Widened in place: a cell is a few characters, too short for a call to pay.
        char16_t* to = reinterpret_cast<char16_t*>(text.data());
        for (std::size_t i = 0; i < h.length; ++i)
            to[i] = from[i];
    }
    return text;
}

void ListRows::setCell(int row, qsizetype column, QStringView text) {
    const qsizetype count = cellCount(row);
    std::vector<QString> texts(static_cast<std::size_t>(std::max(count, column + 1)));
    for (qsizetype i = 0; i < count; ++i)
        texts[static_cast<std::size_t>(i)] = cell(row, i);
    texts[static_cast<std::size_t>(column)] = text.toString();
    const std::vector<QStringView> views(texts.begin(), texts.end());
    std::uint64_t& entry = m_rows.at(index(row));
    entry = write(views) | (entry & SelectedBit);
}

void ListRows::setSelected(int row, bool selected) {
    std::uint64_t& entry = m_rows.at(index(row));
    entry = selected ? entry | SelectedBit : entry & ~SelectedBit;
}

void ListRows::clear() {
    // The memory goes back too: a long table cleared for a short one keeps none.
    std::vector<Block>().swap(m_blocks);
    std::vector<std::uint64_t>().swap(m_rows);
    m_used = 0;
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a list view kept as bytes rather than a text object per cell:
// a schedule of a million rows would otherwise take hundreds of megabytes.
// A row's cells are stored one after the other in large blocks, each cell as
// Latin-1 bytes when every character fits in one (digits, signs, a no-break
// space), else as UTF-16 units, so every text reads back exactly as it was
// put, null apart from empty. A text object is made only for a cell that is
// read.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace twl {

class ListRows {
public:
    int count() const { return static_cast<int>(m_rows.size()); }
    // Appends a row of the given cells.
    void append(std::span<const QStringView> cells);
    // The cells of a row (rows are 0 to count() - 1).
    qsizetype cellCount(int row) const;
    // A cell's text; null past the row's last cell.
    QString cell(int row, qsizetype column) const;
    // Replaces a cell, or appends one when `column` is the row's cell count.
    // The row is written anew at the end; its old bytes stay unused until clear().
    void setCell(int row, qsizetype column, QStringView text);
    bool selected(int row) const { return (m_rows.at(index(row)) & SelectedBit) != 0; }
    void setSelected(int row, bool selected);
    void clear();

private:
    static constexpr std::uint64_t SelectedBit = std::uint64_t{1} << 63;
    // A block's size: large enough that its end wastes little, small enough
    // that a short table takes little.
    static constexpr std::size_t BlockSize = 256 * 1024;

    static std::size_t index(int row) { return static_cast<std::size_t>(row); }
    // Where a row's bytes start.
    const unsigned char* rowBytes(int row) const {
        const std::uint64_t entry = m_rows.at(index(row)) & ~SelectedBit;
        return m_blocks[static_cast<std::size_t>(entry >> 32)].bytes.get() + (entry & 0xFFFFFFFFu);
    }
    // Room for `bytes` at the end of the blocks, and where that room is (the
    // row's entry without its selected bit).
    unsigned char* reserve(std::size_t bytes, std::uint64_t& where);
    // Writes the cells as a row at the end; its entry.
    std::uint64_t write(std::span<const QStringView> cells);

    struct Block {
        std::unique_ptr<unsigned char[]> bytes;
        std::size_t size = 0;
    };
    std::vector<Block> m_blocks;
    std::size_t m_used = 0; // bytes taken in the last block
    // Per row: its block in the upper half, its offset in the lower, the
    // selected state in the top bit.
    std::vector<std::uint64_t> m_rows;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worksheet's rows exactly as the workbook library writes them in its
// constant-memory mode, composed here into one buffer and packed as they
// come: the library took a formatted print per cell and packed the sheet at
// a slow level. The library still writes every other part and the sheet's
// frame (its extent, views, columns, page texts); the package takes those
// as the library wrote them, with the rows in the sheet's data.

#include "export/writers/kxPackedPart.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace twl {

class TkxTextRoom;

class TkxXLSXSheetRows {
public:
    explicit TkxXLSXSheetRows(int Level)
        : m_part(Level) {}

    // Cells of row Row (from 0), in rising columns, between these two; a row
    // without cells is left out. Style is the cell format's index (0: none).
    void beginRow(std::uint32_t Row);
    void number(std::uint16_t Column, double Value, int Style);
    // False, writing nothing, for a text longer than a cell holds; an empty
    // text is a blank cell.
    bool text(std::uint16_t Column, const QString& Text, int Style);
    // A cell with a format and no value.
    void blank(std::uint16_t Column, int Style);
    void endRow();

    // Whether a cell was written, and the extent of those written.
    bool hasCells() const { return m_lastRow >= m_firstRow; }
    std::uint32_t firstRow() const { return m_firstRow; }
    std::uint32_t lastRow() const { return m_lastRow; }
    std::uint16_t firstColumn() const { return m_firstColumn; }
    std::uint16_t lastColumn() const { return m_lastColumn; }

    // The workbook the library wrote (at LibraryFile), with these rows in its
    // sheet. Raises Exception.
    QByteArray package(const QByteArray& LibraryFile);

private:
    void cellStart(TkxTextRoom& Room, std::uint16_t Column, int Style);
    void spool();

    TkxPackedPart m_part;
    QByteArray m_rows;
    std::uint32_t m_row = 0;
    bool m_rowOpen = false;
    std::uint32_t m_firstRow = UINT32_MAX;
    std::uint32_t m_lastRow = 0;
    std::uint16_t m_firstColumn = UINT16_MAX;
    std::uint16_t m_lastColumn = 0;
};

} // namespace twl

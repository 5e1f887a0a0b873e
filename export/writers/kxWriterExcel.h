// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workbook: the rows go cell by cell into the component's TkxNativeExcel,
// header text down column 1, the caption row and one sheet row per table row
// going right, the footer text down column 1 two rows below the table.

#include "export/writers/kxWriterFrame.h"

namespace twl {

class TkxExcelWriter : public TkxFormatWriter {
public:
    void Prolog() override;
    void HeaderText(const QStringList& Lines) override;
    QString CaptionRowNumberCell() override;
    void RowLines(const QStringList&) override {}
    void RowEnd(bool IsHeader) override;
    void HeaderSeparator() override {}
    void Footer(const QStringList& Lines) override;
    TkxDocument Finish() override;
    // Both write the cell at the cursor and return "".
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    QString RowNumberCell(const QString& N, int L) override;

private:
    TkxNativeExcel& excel() const;
    // Before each cell of a table row: the row must lie below the rows
    // already written and hold no more cells than the sheet has columns,
    // else the document ends.
    void beginCell(bool DataRow);
    // The errors that end a document that does not fit on the sheet.
    [[noreturn]] static void sheetFull();
    [[noreturn]] static void sheetTooNarrow();
    void setCellBorders();

    // The last sheet row that holds cells of the header text or the table.
    int m_lastUsedRow = 0;
    int m_cellsInRow = 0;
};

} // namespace twl

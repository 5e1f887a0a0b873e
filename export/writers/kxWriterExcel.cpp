// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxWriterExcel.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/NumberParse.h"
#include "biff/kxNativeExcelConst.h"
#include "export/kxExport.h"
#include "export/writers/kxWriterConst.h"
#include "export/writers/kxWriterUtils.h"

namespace twl {

namespace {

// The readers of these versions of the format stop at this row (they were
// made for sheets of 16,384 rows): some refuse the file, some drop the rest.
constexpr int ReadableRows = 16384;

TkxBIFFVersion biffVersion(TkxExcelVersion Version) {
    switch (Version) {
    case xls21:
        return bvBIFF2;
    case xls30:
        return bvBIFF3;
    case xls40:
        return bvBIFF4;
    default:
        return bvBIFF5;
    }
}

} // namespace

TkxNativeExcel& TkxExcelWriter::excel() const {
    return *Frame().Export().ExcelWriter();
}

void TkxExcelWriter::sheetFull() {
    throw Exception(kxSheetFullMessage(ReadableRows, xtXLSX));
}

void TkxExcelWriter::sheetTooNarrow() {
    throw Exception(Format(LoadResString(rs::SkxSheetTooNarrow), {int(biff::LastColumn)}));
}

void TkxExcelWriter::Prolog() {
    const TkxExcelOptions& options = *Frame().Export().EXCEL();
    TkxNativeExcel& xls = excel();
    xls.setFileName(Frame().FileName());
    xls.setMoveAfterEnter(maRight);
    xls.setColumn(1);
    xls.setRow(1);
    xls.setBorders({});
    xls.setAlignment(eaGeneral);
    xls.setBIFF(biffVersion(options.ExcelVersion()));
    xls.Open();
    // Every label is written in code page 1252; without saying so, readers
    // take the workbook for ASCII and fail on the first accented label.
    xls.WriteCodePage(1252);
    xls.WriteFont(options.DefaultFont());
    xls.WriteFont(options.HeaderFont());
    xls.WriteFont(options.TableFont());
    xls.WriteCellFormat();
    if (!options.Header().isEmpty()) xls.WriteHeader(options.Header());
    if (!options.Footer().isEmpty()) xls.WriteFooter(options.Footer());
    if (options.Options().contains(reSetMargins)) {
        xls.WriteLeftMargin(options.LeftMargin());
        xls.WriteBottomMargin(options.BottomMargin());
        xls.WriteTopMargin(options.TopMargin());
        xls.WriteRightMargin(options.RightMargin());
    }
    if (options.Options().contains(reSetColumnWidths))
        xls.WriteColumnWidth(1, biff::LastColumn, options.ColumnWidth());
    m_lastUsedRow = 0;
    m_cellsInRow = 0;
}

void TkxExcelWriter::HeaderText(const QStringList& Lines) {
    TkxNativeExcel& xls = excel();
    // The lines and the blank below them go down column 1.
    if (!Lines.isEmpty() && Lines.size() + 1 > ReadableRows) sheetFull();
    xls.setMoveAfterEnter(maDown);
    xls.setActiveFont(0);
    xls.setBorders({});
    for (const QString& line : Lines)
        xls.WriteValue(TVariant(line));
    if (!Lines.isEmpty()) xls.WriteBlank();
    xls.setMoveAfterEnter(maRight);
    m_lastUsedRow = xls.Row() - 1;
}

QString TkxExcelWriter::CaptionRowNumberCell() {
    beginCell(false);
    excel().setActiveFont(1);
    excel().WriteBlank();
    return {};
}

void TkxExcelWriter::RowEnd(bool) {
    m_lastUsedRow = excel().Row();
    m_cellsInRow = 0;
}

void TkxExcelWriter::beginCell(bool DataRow) {
    // The frame moves the cursor one row down before each data row; at the
    // sheet's last row that move is refused and the row would land on the
    // previous one.
    if (m_cellsInRow == 0 &&
        (excel().Row() > ReadableRows || (DataRow && excel().Row() <= m_lastUsedRow)))
        sheetFull();
    // Past the last column the cursor wraps into the next row, where the
    // next table row would be written over it.
    if (++m_cellsInRow > biff::LastColumn) sheetTooNarrow();
}

void TkxExcelWriter::setCellBorders() {
    const bool borders = Frame().Export().EXCEL()->Options().contains(reUseBorders);
    excel().setBorders(borders ? TkxExcelBorderSet::all() : TkxExcelBorderSet());
}

QString TkxExcelWriter::Cell(int Index, const TVariant& Value, int Width, bool IsHeader) {
    beginCell(!IsHeader);
    TkxNativeExcel& xls = excel();
    const QString text = Frame().CellText(Value, Width);
    const TkxExcelAlignment alignment = Frame().CellAlignment(Index);
    if (alignment == eaGeneral || alignment == eaLeft || alignment == eaRight ||
        alignment == eaCenter)
        xls.setAlignment(alignment);
    xls.setActiveFont(IsHeader ? 1 : 2);
    setCellBorders();
    double number = 0;
    std::int32_t integer = 0;
    if (Frame().Export().EXCEL()->Options().contains(reCellsAsText))
        xls.WriteValue(TVariant(text));
    else if (TryParseInvariantFloat(text, number))
        xls.WriteValue(TVariant(number));
    else if (TryStrToInt(text, integer))
        xls.WriteValue(TVariant(integer));
    else
        xls.WriteValue(TVariant(text));
    xls.setAlignment(eaGeneral);
    return {};
}

QString TkxExcelWriter::RowNumberCell(const QString& N, int) {
    beginCell(true);
    TkxNativeExcel& xls = excel();
    xls.setActiveFont(2);
    setCellBorders();
    std::int32_t number = 0;
    if (!Frame().Export().EXCEL()->Options().contains(reCellsAsText) && TryStrToInt(N, number))
        xls.WriteInteger(number);
    else
        xls.WriteValue(TVariant(N));
    return {};
}

void TkxExcelWriter::Footer(const QStringList& Lines) {
    TkxNativeExcel& xls = excel();
    // One empty row between the table and the footer text.
    if (!Lines.isEmpty() && xls.Row() + 2 + Lines.size() - 1 > ReadableRows) sheetFull();
    xls.setRow(xls.Row() + 2);
    xls.setMoveAfterEnter(maDown);
    xls.setColumn(1);
    xls.setActiveFont(0);
    xls.setBorders({});
    for (const QString& line : Lines)
        xls.WriteValue(TVariant(line));
}

TkxDocument TkxExcelWriter::Finish() {
    TkxNativeExcel& xls = excel();
    if (Frame().Export().EXCEL()->Protected()) xls.WriteProtect(true);
    xls.Close();
    TkxDocument document;
    document.Bytes = xls.buffer();
    return document;
}

} // namespace twl

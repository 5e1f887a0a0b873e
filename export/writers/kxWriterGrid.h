// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The common part of the page and spreadsheet formats (workbook, OpenDocument
// spreadsheet, PDF report): they do not compose text rows but receive each
// table row as a list of typed cells, the header text and footer text as
// lines of their own, and the document's title.

#include "export/writers/kxWriterFrame.h"
#include "export/writers/kxWriterGridDates.h"

#include <QDate>

#include <vector>

namespace twl {

class TkxExcelOptions;

// One cell as the table shows it; a number as well when its text is one.
struct TkxGridCell {
    QString Text;
    bool IsNumber = false;
    double Value = 0;
    // Digits after the decimal separator in Text (the amount decimals).
    int Decimals = 0;
    // Text in the exponent form (5.07E18): Decimals counts the mantissa's.
    bool Scientific = false;
    // A date in the regional short date format, in a row of the table.
    bool IsDate = false;
    QDate Date;
    // Right-aligned in the table.
    bool AlignRight = false;
};

// Reads a cell's text as a number: an optional minus, digits and at most one
// decimal separator (the regional one, or '.') followed by digits, then, as
// the table writes its largest amounts, optionally "E", a sign and digits;
// nothing else. Scientific, where given, tells whether the exponent was there.
bool kxParseGridNumber(const QString& Text, QChar Separator, double& Value, int& Decimals,
                       bool* Scientific = nullptr);

class TkxGridWriter : public TkxFormatWriter {
public:
    // --- What a grid format writes ---
    // Before anything else, with the document's title.
    virtual void BeginDocument(const QString& Title) = 0;
    // A line of the header or footer text, in the first column.
    virtual void TextLine(const QString& Line) = 0;
    // A blank line between the header text and the table, or table and footer.
    virtual void BlankLine() = 0;
    // A table row; IsHeader for the caption row.
    virtual void TableRow(const std::vector<TkxGridCell>& Cells, bool IsHeader) = 0;
    // The finished file.
    virtual QByteArray EndDocument() = 0;

    // --- The frame's hooks, mapped onto those ---
    void Prolog() override;
    void HeaderText(const QStringList& Lines) override;
    QString CaptionRowNumberCell() override;
    void RowStart(bool IsHeader) override;
    void RowLines(const QStringList& Lines) override { (void)Lines; }
    void RowEnd(bool IsHeader) override;
    void HeaderSeparator() override {}
    void Footer(const QStringList& Lines) override;
    TkxDocument Finish() override;
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    QString RowNumberCell(const QString& N, int L) override;

protected:
    // The title of the document: the HTML title when one is set, else the program's.
    QString DocumentTitle() const;
    // The header font, the table font and the header and footer texts of the
    // workbook options, which the spreadsheet formats follow.
    const TkxExcelOptions& ExcelOptions() const;

    // Per column, the length of its longest table text (long texts count as
    // 60 characters), for widths that fit.
    const std::vector<int>& ColumnChars() const { return m_columnChars; }

private:
    void addCell(const QString& Text, bool AlignRight, bool IsHeader);
    std::vector<TkxGridCell> m_row;
    std::vector<int> m_columnChars;
    QChar m_separator;
    // The regional short date taken apart; none where its dates cannot be
    // date cells.
    std::vector<TkxDatePart> m_dateParts;
};

} // namespace twl

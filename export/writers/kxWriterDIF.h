// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two spreadsheet interchange formats: DIF (a header of keyword triples,
// then one tuple of string values per row) and SYLK (one cell record per
// value with its column and row). Both write every cell as text and carry no
// header or footer text, separator or date line.

#include "export/writers/kxWriterFrame.h"

namespace twl {

// What DIF and SYLK share: no header text, no footer, no separators.
class TkxInterchangeWriter : public TkxFormatWriter {
public:
    QByteArray* StreamedBuffer() override { return &Frame().DocumentLines().buffer(); }
    bool RowLinesAreDocumentLines() const override { return true; }
    void HeaderText(const QStringList&) override {}
    void HeaderSeparator() override {}
    void Footer(const QStringList&) override {}

protected:
    // The document's title: the export component's class name in capitals.
    QString Title() const;
    // A value on one line: a line break inside it would split the record.
    static QString OneLine(const QString& Text);
};

class TkxDIFWriter : public TkxInterchangeWriter {
public:
    void Prolog() override;
    QString CaptionRowNumberCell() override { return QStringLiteral("1,0\r\n\"\"\r\n"); }
    void RowStart(bool IsHeader) override;
    TkxDocument Finish() override;
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override;
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString RowNumberCell(const QString& N, int L) override;
};

class TkxSYLKWriter : public TkxInterchangeWriter {
public:
    void Prolog() override;
    // Column 1 of the caption row stays empty; the captions start at column 2.
    QString CaptionRowNumberCell() override { return {}; }
    TkxDocument Finish() override;
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override;
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString RowNumberCell(const QString& N, int L) override;

    // A K value on one line with its semicolons doubled.
    static QString CellValue(const QString& Text);

private:
    // The C record of the current row's column X.
    // With Plain, Text is a value that needs nothing but its quotes.
    QString record(int X, const QString& Text, bool Plain = false) const;
    // The record's start, up to its K, at Out; returns the end.
    char* recordStart(int X, char* Out) const;
    // The column X of column Index.
    int column(int Index) const { return Index + (Frame().HasOption(xoRowNumbers) ? 2 : 1); }
    static constexpr int RecordStartRoom = 32;
};

} // namespace twl

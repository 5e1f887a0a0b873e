// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line-based text formats: column-aligned plain text (also the clipboard
// text), comma-separated and tab-separated values.

#include "export/writers/kxWriterFrame.h"
#include "export/writers/kxWriterUtils.h"

namespace twl {

// Plain text: cells padded to their column width, one space between them,
// dash lines as separators. The clipboard type writes the same text to the
// clipboard instead of a file.
class TkxPlainTextWriter : public TkxFormatWriter {
public:
    QByteArray* StreamedBuffer() override { return &Frame().DocumentLines().buffer(); }
    bool RowLinesAreDocumentLines() const override { return true; }
    explicit TkxPlainTextWriter(bool ToClipboard)
        : m_toClipboard(ToClipboard) {}
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override { return 2; }
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString CellSeparator() const override { return QStringLiteral(" "); }
    QString RowNumberCell(const QString& N, int L) override;
    QString SeparatorText() override;
    TkxDocument Finish() override;

private:
    // The blanks around a cell's text of Length, by its column's alignment.
    Padding cellPadding(int Index, qsizetype Length, int Width) const;

    bool m_toClipboard;
};

// Comma-separated values: no header or footer text, no separators, no date line.
class TkxCSVWriter : public TkxFormatWriter {
public:
    QByteArray* StreamedBuffer() override { return &Frame().DocumentLines().buffer(); }
    bool RowLinesAreDocumentLines() const override { return true; }
    void HeaderText(const QStringList&) override {}
    QString CaptionRowNumberCell() override;
    void Footer(const QStringList&) override {}
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override { return 2; }
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString CellSeparator() const override { return QStringLiteral(","); }
    QString RowNumberCell(const QString& N, int L) override;
};

// Tab-separated values: header and footer text and the date line, but no
// separator lines.
class TkxTabWriter : public TkxFormatWriter {
public:
    QByteArray* StreamedBuffer() override { return &Frame().DocumentLines().buffer(); }
    bool RowLinesAreDocumentLines() const override { return true; }
    QString CaptionRowNumberCell() override;
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override { return 2; }
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString CellSeparator() const override { return QStringLiteral("\t"); }
    QString RowNumberCell(const QString& N, int L) override;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Rich Text document, written for both the RTF and the Word type (a Word
// document is the same bytes under another extension): font and colour
// tables, margins, the header paragraphs, a fixed style block, one table row
// per caption or data row, and the footer paragraphs.

#include "base/TColor.h"
#include "export/writers/kxWriterFrame.h"

#include <functional>

namespace twl {

class TFont;

class TkxRTFWriter : public TkxFormatWriter {
public:
    QByteArray* StreamedBuffer() override;
    bool RowLinesAppendWithoutLineEnds() const override { return true; }
    // The family class and character set of a font as the system realises it.
    struct FontClass {
        QString Family;  // "fswiss", "froman", ...
        QString Charset; // "fcharset0", ...
    };

    void Prolog() override;
    void HeaderText(const QStringList& Lines) override;
    QString CaptionRowNumberCell() override { return QStringLiteral(" \\cell "); }
    void RowStart(bool IsHeader) override;
    void RowLines(const QStringList& Lines) override;
    void RowEnd(bool IsHeader) override;
    void HeaderSeparator() override {}
    void TableEnd() override;
    void Footer(const QStringList& Lines) override;
    TkxDocument Finish() override;
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override { return 16; }
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString RowNumberCell(const QString& N, int L) override;

    // Appends the text's single-byte bytes to the document buffer.
    void WriteRTF(const QString& Text);

    // "\redR\greenG\blueB;" of a colour value, bytes as stored.
    static QString RTFColorEntry(TColor Color);
    // "{\fN\family\charset name;}".
    static QString RTFFontEntry(int Number, const TFont& Font);
    // "\fsN" (points times two), then "\b", "\i", "\ul", "\strike" as set.
    static QString RTFFontSpec(const TFont& Font);
    // Well-known faces from a table, others from the desktop's font matching.
    static FontClass FontClassOf(const TFont& Font);
    // Backslash and braces escaped; line breaks pass through (the frame splits a
    // row at them and RowLines joins the pieces, so a break inside a cell is dropped).
    static QString Escape(const QString& Text);

    // The screen's logical pixels per inch (96 without a screen). Tests
    // replace the source so that the cell edges do not depend on the display;
    // an empty function restores the screen.
    static int ScreenPixelsPerInch();
    static void setPixelsPerInchSource(std::function<int()> Source);

private:
    TColor roleColor(int Role) const;
    QString rowDefinition(const QString& Shading) const;

    QString m_defaultSpec;
    QByteArray m_captionRowStart;
    QByteArray m_dataRowStart;
    QByteArray m_oddRowStart;
};

} // namespace twl

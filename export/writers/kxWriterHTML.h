// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTML page: a fixed head, a body coloured by a colour template (or the
// custom colours), and one table with one TD line per cell.

#include "base/TColor.h"
#include "export/writers/kxWriterFrame.h"

#include <array>
#include <vector>

namespace twl {

class TkxHTMLWriter : public TkxFormatWriter {
public:
    QByteArray* StreamedBuffer() override { return &Frame().DocumentLines().buffer(); }
    bool RowLinesAreDocumentLines() const override { return true; }
    // The ten colour roles, in the order of the template tables.
    enum ColorRole {
        ActiveLinkRole,
        BackgroundRole,
        DefaultLinkRole,
        DefaultTextRole,
        VisitedLinkRole,
        HeaderBackgroundRole,
        HeadersFontColorRole,
        TableBackgroundRole,
        TableOddBackgroundRole,
        TableFontColorRole,
    };

    void Prolog() override;
    void HeaderText(const QStringList& Lines) override;
    QString CaptionRowNumberCell() override;
    void RowStart(bool IsHeader) override;
    void RowEnd(bool IsHeader) override;
    void HeaderSeparator() override {}
    void TableStartWithoutCaptions() override { tableStart(); }
    void TableEnd() override;
    TkxDocument Finish() override;
    QString Cell(int Index, const TVariant& Value, int Width, bool IsHeader) override;
    int PreparePlainCells() override;
    char* PlainCell(int Index, QLatin1StringView Text, int Width, char* Out) override;
    QString CellSeparator() const override { return QStringLiteral("\r\n"); }
    QString RowNumberCell(const QString& N, int L) override;
    QString SeparatorText() override { return QStringLiteral("  <HR>"); }

    // "#" and the colour's value in upper-case hexadecimal, at least six
    // digits, bytes as stored (255 gives "#0000FF").
    static QString HTMLColor(TColor Color);
    // Whether Text holds one of the link prefixes, with exact case.
    static bool IsLink(QStringView Text);
    static bool IsLink(QLatin1StringView Text);
    // Text with "&", "<", ">" and the double quote as entities.
    static QString Escape(const QString& Text);

private:
    // The role's colour text of the current template.
    const QString& color(ColorRole Role) const { return m_colors[Role]; }
    QString fontFace(bool ForTable) const;
    void tableStart();
    // A cell's WIDTH and ALIGN attributes, as far as they are set.
    QString cellAttributes(int Index) const;
    // A data cell's TD line up to its content.
    QString dataCellStart(int Index) const;

    std::array<QString, 10> m_colors;
    QByteArray m_oddRowStart;
    std::vector<QByteArray> m_plainCellStarts; // each column's dataCellStart
    bool m_plainLinks = false;                 // whether a plain cell may be a link
};

} // namespace twl

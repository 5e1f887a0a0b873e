// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The glyphs of the report's cells, shaped once rather than laid out for
// every cell: a text of digits and the separators of amounts and dates is put
// together from its characters' glyphs (where no two of them kern or join),
// any other text is shaped whole and kept. A row's cells then go to the page
// as one glyph run, every glyph where the painter's own text layout puts it
// (to its 1/64 pixel), so that the page looks and reads the same.

#include <QFont>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <array>
#include <vector>

class QPaintDevice;
class QPainter;

namespace twl {

// A text's glyphs from its start on the baseline, in the painter's 1/64
// pixel steps.
struct TkxShapedText {
    struct Glyph {
        quint32 Index = 0;
        // Which of the source's fonts holds the glyph.
        int Font = 0;
        qint32 X = 0, Y = 0;
    };
    std::vector<Glyph> Glyphs;
    qint32 Advance = 0;
    // False for a text that only the painter's own layout draws as it should
    // (line breaks, tabs, right-to-left scripts): Glyphs are then not to be
    // drawn, Advance still holds.
    bool Runs = true;
};

class TkxReportGlyphs {
public:
    // Font as the painter sets it on Device.
    TkxReportGlyphs(const QFont& Font, QPaintDevice* Device);

    // Text's glyphs; valid until the next call.
    const TkxShapedText& Shape(const QString& Text);
    // Text's width as the font's metrics give it.
    double Advance(const QString& Text) { return Shape(Text).Advance / 64.0; }
    const QRawFont& Font(int Index) const { return m_fonts[static_cast<std::size_t>(Index)]; }

private:
    TkxShapedText shapeWhole(const QString& Text);
    bool composes(const QString& Text);
    int fontIndex(const QRawFont& Font);

    QFont m_font;
    QPaintDevice* m_device;
    std::vector<QRawFont> m_fonts;
    // The characters that may be put together, by their code (0: not yet
    // shaped, 1: shaped alone, 2: never put together), and each pair's verdict.
    static constexpr std::size_t Alphabet = 128;
    std::array<std::uint8_t, Alphabet> m_charState{};
    std::array<TkxShapedText, Alphabet> m_chars;
    std::vector<std::uint8_t> m_pairs = std::vector<std::uint8_t>(Alphabet * Alphabet, 0);
    QHash<QString, TkxShapedText> m_texts;
    TkxShapedText m_composed;
};

// The glyphs of one row of cells, drawn as one run per font.
class TkxGlyphLine {
public:
    // Text's glyphs with their start at (X, Y), placed as the painter places
    // a text drawn at that point.
    void Add(const TkxReportGlyphs& Source, const TkxShapedText& Text, double X, double Y);
    // Draws the glyphs added since the last call.
    void Draw(QPainter& Painter);

private:
    // Glyphs from Start on, up to the next segment, are of one font.
    struct Segment {
        const TkxReportGlyphs* Source;
        int Font;
        qsizetype Start;
    };
    std::vector<Segment> m_segments;
    // The last glyph; whether a reader finds the run's glyphs at their exact
    // places across, and all of them on the run's first line.
    qint64 m_lastX = 0, m_lastY = 0;
    bool m_exactX = false, m_sameY = false;
    QList<quint32> m_indexes;
    QList<QPointF> m_positions;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxReportGlyphs.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <bit>

namespace twl {

namespace {

// Texts other than digits and separators kept before the cache starts over.
constexpr qsizetype MaxTexts = 4096;

enum : std::uint8_t { Unknown = 0, Composes = 1, Whole = 2 };

// The characters of amounts, row numbers and dates.
bool composable(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u',' || c == u'-' || c == u'/' ||
           c == u':' || c == u'+' || c == u'%';
}

// A position in the painter's fixed point: it cuts a coordinate to 1/64
// pixel towards zero.
qint32 fixedPoint(double Value) {
    return static_cast<qint32>(Value * 64);
}

// Whether a text is drawn from its shaped glyphs as the painter draws it at
// a point: on one line, left to right.
bool runs(const QString& Text) {
    for (const QChar c : Text) {
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDF:
        case QChar::DirPDI:
            return false;
        default:
            break;
        }
    }
    return true;
}

// Whether the PDF writer prints a coordinate (in 1/64 pixel) exactly: it
// writes nine significant digits and cuts the rest, and 1/64 takes six
// decimals (1/32 five, and so on).
bool printsExactly(qint64 Value) {
    const quint64 magnitude = Value < 0 ? quint64(-Value) : quint64(Value);
    quint64 whole = magnitude / 64;
    const unsigned fraction = static_cast<unsigned>(magnitude % 64);
    int decimals = 9;
    for (; whole > 0; whole /= 10)
        --decimals;
    const int needed = fraction == 0 ? 0 : 6 - std::countr_zero(fraction);
    return needed <= decimals;
}

} // namespace

TkxReportGlyphs::TkxReportGlyphs(const QFont& Font, QPaintDevice* Device)
    : m_font(Font)
    , m_device(Device) {}

int TkxReportGlyphs::fontIndex(const QRawFont& Font) {
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == Font) return static_cast<int>(i);
    }
    m_fonts.push_back(Font);
    return static_cast<int>(m_fonts.size() - 1);
}

TkxShapedText TkxReportGlyphs::shapeWhole(const QString& Text) {
    TkxShapedText shaped;
    QTextLayout layout(Text, m_font, m_device);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const double baseline = line.y() + line.ascent();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const int font = fontIndex(run.rawFont());
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            shaped.Glyphs.push_back({indexes[i], font, qRound(positions[i].x() * 64),
                                     qRound((positions[i].y() - baseline) * 64)});
        }
    }
    shaped.Advance = qRound(QFontMetricsF(m_font, m_device).horizontalAdvance(Text) * 64);
    shaped.Runs = runs(Text);
    return shaped;
}

// Whether Text may be put together from its characters: each one a single
// glyph on the baseline, and every neighbouring pair shaped as the two alone.
bool TkxReportGlyphs::composes(const QString& Text) {
    char16_t previous = 0;
    for (const QChar qc : Text) {
        const char16_t c = qc.unicode();
        if (!composable(c)) return false;
        if (m_charState[c] == Unknown) {
            m_chars[c] = shapeWhole(QString(qc));
            const auto& glyphs = m_chars[c].Glyphs;
            m_charState[c] =
                glyphs.size() == 1 && glyphs[0].Y == 0 && glyphs[0].X == 0 ? Composes : Whole;
        }
        if (m_charState[c] != Composes) return false;
        if (previous != 0) {
            std::uint8_t& pair = m_pairs[previous * Alphabet + c];
            if (pair == Unknown) {
                const TkxShapedText both = shapeWhole(QString(QChar(previous)) + qc);
                const TkxShapedText& a = m_chars[previous];
                const TkxShapedText& b = m_chars[c];
                const bool same =
                    both.Glyphs.size() == 2 && both.Advance == a.Advance + b.Advance &&
                    both.Glyphs[0].Index == a.Glyphs[0].Index &&
                    both.Glyphs[1].Index == b.Glyphs[0].Index &&
                    both.Glyphs[0].Font == a.Glyphs[0].Font &&
                    both.Glyphs[1].Font == b.Glyphs[0].Font && both.Glyphs[0].X == 0 &&
                    both.Glyphs[1].X == a.Advance && both.Glyphs[0].Y == 0 && both.Glyphs[1].Y == 0;
                pair = same ? Composes : Whole;
            }
            if (pair != Composes) return false;
        }
        previous = c;
    }
    return true;
}

const TkxShapedText& TkxReportGlyphs::Shape(const QString& Text) {
    if (!Text.isEmpty() && composes(Text)) {
        m_composed.Glyphs.clear();
        qint32 x = 0;
        for (const QChar c : Text) {
            TkxShapedText::Glyph glyph = m_chars[c.unicode()].Glyphs[0];
            glyph.X = x;
            m_composed.Glyphs.push_back(glyph);
            x += m_chars[c.unicode()].Advance;
        }
        m_composed.Advance = x;
        return m_composed;
    }
    auto known = m_texts.constFind(Text);
    if (known == m_texts.constEnd()) {
        if (m_texts.size() >= MaxTexts) m_texts.clear();
        known = m_texts.insert(Text, shapeWhole(Text));
    }
    return *known;
}

void TkxGlyphLine::Add(const TkxReportGlyphs& Source, const TkxShapedText& Text, double X,
                       double Y) {
    const qint32 x = fixedPoint(X);
    const qint32 y = fixedPoint(Y);
    bool first = true;
    for (const TkxShapedText::Glyph& glyph : Text.Glyphs) {
        const qint64 gx = qint64(x) + glyph.X, gy = qint64(y) + glyph.Y;
        // The writer places a run's first glyph absolutely and every other
        // one from the one before, each to nine digits: a text joins the run
        // only where a reader then finds it exactly where it found the text
        // drawn alone. Across it finds every coordinate that is written in
        // full; down it finds the run's first line where the text stays on it.
        const bool joins = !m_segments.empty() && m_segments.back().Source == &Source &&
                           m_segments.back().Font == glyph.Font &&
                           (!first || (m_exactX && printsExactly(gx) &&
                                       printsExactly(gx - m_lastX) && m_sameY && gy == m_lastY));
        if (!joins) {
            m_segments.push_back({&Source, glyph.Font, m_indexes.size()});
            m_exactX = printsExactly(gx);
            m_sameY = true;
        } else {
            m_exactX = m_exactX && printsExactly(gx - m_lastX);
            m_sameY = m_sameY && gy == m_lastY;
        }
        first = false;
        m_lastX = gx;
        m_lastY = gy;
        m_indexes.push_back(glyph.Index);
        m_positions.push_back(QPointF(gx / 64.0, gy / 64.0));
    }
}

void TkxGlyphLine::Draw(QPainter& Painter) {
    for (std::size_t s = 0; s < m_segments.size(); ++s) {
        const Segment& segment = m_segments[s];
        const qsizetype end =
            s + 1 < m_segments.size() ? m_segments[s + 1].Start : m_indexes.size();
        QGlyphRun run;
        run.setRawFont(segment.Source->Font(segment.Font));
        if (m_segments.size() == 1) {
            run.setGlyphIndexes(m_indexes);
            run.setPositions(m_positions);
        } else {
            run.setGlyphIndexes(m_indexes.mid(segment.Start, end - segment.Start));
            run.setPositions(m_positions.mid(segment.Start, end - segment.Start));
        }
        Painter.drawGlyphRun(QPointF(), run);
    }
    m_segments.clear();
    m_indexes.clear();
    m_positions.clear();
}

} // namespace twl

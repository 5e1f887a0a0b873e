// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxReportPages.h"
#include "export/writers/kxReportGlyphs.h"
#include "export/writers/kxReportPagesLayout.h"

#include "base/Exceptions.h"
#include "base/Format.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

namespace twl {

namespace {

// Rows without a number held back at most; more of them are ordinary rows.
constexpr std::size_t MaxSummaryRows = 16;
// The size at which texts are measured, in pixels: large enough that no
// glyph snaps to a pixel, so that a width scales to every size.
constexpr int EmPixels = 1000;
// Shapes kept per column before the cache starts over.
constexpr qsizetype MaxShapes = 4096;

bool numbered(const std::vector<TkxGridCell>& Cells) {
    return !Cells.empty() && Cells.front().IsNumber;
}

QFont emFont(bool Bold) {
    QFont f = report::font(report::BodyPoints, Bold);
    f.setPixelSize(EmPixels);
    return f;
}

} // namespace

TkxReportPages::TkxReportPages(QString Title, QString PageNumbers)
    : m_title(std::move(Title))
    , m_pageNumbers(std::move(PageNumbers))
    , m_ems(emFont(false))
    , m_boldEms(emFont(true)) {
    const double zero = m_ems.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (m_ems.horizontalAdvance(QLatin1Char(digit)) != zero ||
            m_boldEms.horizontalAdvance(QLatin1Char(digit)) !=
                m_boldEms.horizontalAdvance(QLatin1Char('0')))
            m_tabularDigits = false;
    }
    m_spool = std::make_unique<TkxRowSpool>();
}

void TkxReportPages::AddTopLine(const QString& Line) {
    m_topLines.push_back(Line);
}

void TkxReportPages::SetCaptions(const std::vector<TkxGridCell>& Cells) {
    m_captions = Cells;
    measure(Cells, true);
}

void TkxReportPages::AddRow(const std::vector<TkxGridCell>& Cells) {
    if (numbered(Cells)) {
        m_seenNumbered = true;
        for (const auto& row : m_pending)
            spool(row);
        m_pending.clear();
        spool(Cells);
        return;
    }
    m_pending.push_back(Cells);
    if (m_pending.size() > MaxSummaryRows) {
        for (const auto& row : m_pending)
            spool(row);
        m_pending.clear();
    }
}

void TkxReportPages::AddFooterLine(const QString& Line) {
    m_footerLines.push_back(Line);
}

void TkxReportPages::Finish() {
    // Rows without a number after numbered ones are the table's summary; in a
    // table without numbered rows they are just rows.
    if (m_seenNumbered) {
        m_summary = std::move(m_pending);
    } else {
        for (const auto& row : m_pending)
            spool(row);
    }
    m_pending.clear();
    m_spool->Finish();
}

void TkxReportPages::spool(const std::vector<TkxGridCell>& Cells) {
    // Only rows of the table set its columns' widths; the summary flows.
    measure(Cells, false);
    m_spool->Append(Cells);
}

void TkxReportPages::measure(const std::vector<TkxGridCell>& Cells, bool Bold) {
    if (m_columns.size() < Cells.size()) {
        m_columns.resize(Cells.size());
        m_columnRight.resize(Cells.size(), false);
    }
    QString shape;
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const QString& text = Cells[i].Text;
        if (!Bold && Cells[i].AlignRight) m_columnRight[i] = true;
        if (text.isEmpty()) continue;
        ColumnWidth& column = m_columns[i];
        // Amounts and dates repeat a few shapes: each is measured once.
        shape = text;
        if (m_tabularDigits) {
            for (QChar& c : shape) {
                if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) c = QLatin1Char('0');
            }
        }
        if (Bold) shape.prepend(QChar(0));
        auto known = column.Shapes.constFind(shape);
        if (known == column.Shapes.constEnd()) {
            if (column.Shapes.size() >= MaxShapes) column.Shapes.clear();
            const double ems = (Bold ? m_boldEms : m_ems).horizontalAdvance(text) / EmPixels;
            known = column.Shapes.insert(shape, ems);
        }
        if (*known > column.Ems) {
            column.Ems = *known;
            column.Widest = text;
            column.Bold = Bold;
        }
    }
}

QString TkxReportPages::pageText(int Page, int Pages) const {
    try {
        return Format(m_pageNumbers, {Page, Pages});
    } catch (const Exception&) {
        // A translation that lost its %d still numbers the pages.
        return Format(QStringLiteral("%d / %d"), {Page, Pages});
    }
}

void TkxReportPages::Paint(QPagedPaintDevice& Device) const {
    // A table too wide for a portrait page even at the smallest size turns
    // the page; too wide for that as well, its columns go over pages.
    Layout l = layout(Device, false);
    if (!l.Fits && Device.pageLayout().orientation() == QPageLayout::Portrait) {
        Device.setPageOrientation(QPageLayout::Landscape);
        l = layout(Device, true);
    } else if (!l.Fits) {
        l = layout(Device, true);
    }
    QPainter painter;
    if (!painter.begin(&Device)) throw Exception(QStringLiteral("The pages could not be started"));

    TkxRowSpool::Reader reader(*m_spool);
    std::vector<std::vector<TkxGridCell>> block;
    auto readBlock = [&](qint64 rows) {
        block.resize(static_cast<std::size_t>(rows));
        for (std::vector<TkxGridCell>& cells : block)
            reader.Next(cells);
    };

    // A report of thousands of pages spends its time on its cells: each
    // row's texts go to the page as one glyph run of glyphs shaped once (or,
    // for reference, each cell through the painter's own text layout). A cell
    // is never shortened: its column was made wide enough for it.
    TkxReportGlyphs bodyGlyphs(l.Body, &Device), boldGlyphs(l.Bold, &Device);
    TkxGlyphLine line;
    const QFontMetricsF bodyMetrics(l.Body, &Device), boldMetrics(l.Bold, &Device);
    auto drawRow = [&](const std::vector<TkxGridCell>& row, const std::vector<std::size_t>& group,
                       double y, bool bold) {
        const QFontMetricsF& metrics = bold ? boldMetrics : bodyMetrics;
        TkxReportGlyphs& glyphs = bold ? boldGlyphs : bodyGlyphs;
        const double baseline = y + (l.RowHeight + metrics.ascent() - metrics.descent()) / 2;
        double left = 0;
        for (std::size_t i : group) {
            const double width = l.ColumnWidths[i] - 2 * l.Pad;
            if (i < row.size()) {
                const QString& text = row[i].Text;
                const TkxShapedText* shaped = m_referenceText ? nullptr : &glyphs.Shape(text);
                const double advance =
                    shaped ? shaped->Advance / 64.0 : metrics.horizontalAdvance(text);
                const double x = row[i].AlignRight ? left + l.Pad + width - advance : left + l.Pad;
                if (shaped && shaped->Runs) {
                    line.Add(glyphs, *shaped, x, baseline);
                } else {
                    line.Draw(painter);
                    painter.drawText(QPointF(x, baseline), text);
                }
            }
            left += l.ColumnWidths[i];
        }
        line.Draw(painter);
        return left;
    };
    auto drawLines = [&](const std::vector<QString>& lines, double& y) {
        for (const QString& line : lines) {
            painter.drawText(QRectF(0, y, l.Width, l.RowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                             line);
            y += l.RowHeight;
        }
    };
    auto drawCaptions = [&](const std::vector<std::size_t>& group, double& y) {
        if (m_captions.empty()) return;
        painter.setFont(l.Bold);
        std::vector<TkxGridCell> captions = m_captions;
        for (std::size_t i = 0; i < captions.size() && i < m_columnRight.size(); ++i)
            captions[i].AlignRight = m_columnRight[i];
        const double right = drawRow(captions, group, y, true);
        y += l.RowHeight;
        painter.drawLine(QPointF(0, y), QPointF(right, y));
        painter.setFont(l.Body);
    };
    auto drawFoot = [&](int page) {
        painter.setFont(l.Body);
        painter.drawText(QRectF(0, l.Height - l.RowHeight, l.Width, l.RowHeight), Qt::AlignCenter,
                         pageText(page, l.Pages));
    };
    auto newPage = [&](int page) {
        if (page > 1 && !Device.newPage()) throw Exception(QStringLiteral("No new page"));
    };

    int page = 0;
    qint64 written = 0;
    for (qint64 b = 0; b < l.Blocks; ++b) {
        const qint64 capacity = b == 0 ? l.FirstPageRows : l.PageRows;
        readBlock(qMin(capacity, m_spool->Rows() - written));
        written += static_cast<qint64>(block.size());
        for (std::size_t g = 0; g < l.Groups.size(); ++g) {
            newPage(++page);
            double y = 0;
            if (page == 1) {
                painter.setFont(l.TitleFont);
                painter.drawText(QRectF(0, 0, l.Width, l.TitleHeight), Qt::AlignLeft | Qt::AlignTop,
                                 m_title);
                y = l.TitleHeight;
                painter.setFont(l.Body);
                drawLines(l.TopLines, y);
                painter.setFont(l.Bold);
                drawLines(l.SummaryLines, y);
                painter.setFont(l.Body);
                if (!l.TopLines.empty() || !l.SummaryLines.empty()) y += l.RowHeight;
            } else if (b == 0) {
                // The first rows stand as low as on the first page.
                y = l.TopHeight;
            }
            drawCaptions(l.Groups[g], y);
            for (const std::vector<TkxGridCell>& row : block) {
                drawRow(row, l.Groups[g], y, false);
                y += l.RowHeight;
            }
            const bool last = b + 1 == l.Blocks && g + 1 == l.Groups.size();
            if (last && !l.FooterOnNewPage && !l.FooterLines.empty()) {
                y += l.RowHeight;
                drawLines(l.FooterLines, y);
            }
            drawFoot(page);
        }
    }
    if (l.FooterOnNewPage) {
        newPage(++page);
        double y = 0;
        drawLines(l.FooterLines, y);
        drawFoot(page);
    }
    painter.end();
}

} // namespace twl

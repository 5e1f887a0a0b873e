// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxReportPagesLayout.h"

#include <QPagedPaintDevice>
#include <QStringList>
#include <cmath>

namespace twl {

namespace report {

QFont font(double Points, bool Bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(Points);
    f.setBold(Bold);
    return f;
}

std::vector<QString> flowLines(const std::vector<QString>& Items, const QString& Gap,
                               const QFontMetricsF& Metrics, double Width) {
    std::vector<QString> lines;
    QString line;
    auto place = [&](const QString& piece, const QString& gap) {
        if (line.isEmpty()) {
            line = piece;
        } else if (Metrics.horizontalAdvance(line + gap + piece) <= Width) {
            line += gap + piece;
        } else {
            lines.push_back(line);
            line = piece;
        }
    };
    for (const QString& item : Items) {
        if (item.isEmpty()) continue;
        if (Metrics.horizontalAdvance(item) <= Width) {
            place(item, Gap);
            continue;
        }
        // Too wide for a line of its own: its words flow on.
        const QStringList words = item.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype w = 0; w < words.size(); ++w)
            place(words[w], w == 0 ? Gap : QStringLiteral(" "));
    }
    if (!line.isEmpty() || lines.empty()) lines.push_back(line);
    return lines;
}

} // namespace report

namespace {

// Every text of the report scales with its point size, except where glyphs
// snap to the device's pixels: a little room covers that.
constexpr double MeasureSlack = 1.02;

} // namespace

TkxReportPages::Layout TkxReportPages::layout(const QPagedPaintDevice& Device,
                                              bool SplitColumns) const {
    Layout l;
    l.Width = Device.width();
    l.Height = Device.height();
    const double dpi = Device.logicalDpiY();

    auto columnWidths = [&](double points, std::vector<double>& widths) {
        const QFontMetricsF body(report::font(points, false), &Device);
        const QFontMetricsF bold(report::font(points, true), &Device);
        const double em = points * dpi / 72;
        const double pad = 0.4 * em;
        double total = 0;
        widths.clear();
        for (const ColumnWidth& c : m_columns) {
            const double text =
                std::max(c.Ems * em, (c.Bold ? bold : body).horizontalAdvance(c.Widest));
            widths.push_back(std::ceil(text * MeasureSlack + 2 * pad));
            total += widths.back();
        }
        return total;
    };

    // The body size, or smaller down to the smallest legible one, so that a
    // row fits the page's width.
    double points = report::BodyPoints;
    double total = columnWidths(points, l.ColumnWidths);
    if (total > l.Width) {
        points = std::floor(points * l.Width / total * 2) / 2;
        while (points >= report::MinPoints && columnWidths(points, l.ColumnWidths) > l.Width)
            points -= 0.5;
        if (points < report::MinPoints) {
            points = report::MinPoints;
            columnWidths(points, l.ColumnWidths);
            l.Fits = false;
        }
    }
    l.Points = points;
    l.Body = report::font(points, false);
    l.Bold = report::font(points, true);
    l.TitleFont = report::font(report::TitlePoints, true);
    const QFontMetricsF body(l.Body, &Device);
    const QFontMetricsF bold(l.Bold, &Device);
    const QFontMetricsF title(l.TitleFont, &Device);
    l.Pad = 0.4 * points * dpi / 72;

    // The columns of each page: all of them, or, split, the first column and
    // as many of the next as fit.
    const std::size_t columns = l.ColumnWidths.size();
    if (l.Fits || !SplitColumns || columns < 2) {
        std::vector<std::size_t> all;
        for (std::size_t i = 0; i < columns; ++i)
            all.push_back(i);
        l.Groups.push_back(all);
    } else {
        std::size_t next = 1;
        while (next < columns) {
            std::vector<std::size_t> group = {0, next};
            double used = l.ColumnWidths[0] + l.ColumnWidths[next];
            for (++next; next < columns && used + l.ColumnWidths[next] <= l.Width; ++next) {
                used += l.ColumnWidths[next];
                group.push_back(next);
            }
            l.Groups.push_back(group);
        }
    }

    l.RowHeight = std::ceil(body.height() * 1.35);
    l.TitleHeight = std::ceil(title.height() * 1.6);
    l.FootHeight = l.RowHeight * 2;
    const QString gap = QStringLiteral("    ");
    for (const QString& line : m_topLines) {
        for (QString& piece : report::flowLines({line}, gap, body, l.Width))
            l.TopLines.push_back(std::move(piece));
    }
    for (const auto& row : m_summary) {
        std::vector<QString> texts;
        for (const TkxGridCell& cell : row)
            texts.push_back(cell.Text);
        for (QString& piece : report::flowLines(texts, gap, bold, l.Width))
            l.SummaryLines.push_back(std::move(piece));
    }
    for (const QString& line : m_footerLines) {
        for (QString& piece : report::flowLines({line}, gap, body, l.Width))
            l.FooterLines.push_back(std::move(piece));
    }
    const std::size_t topLines = l.TopLines.size() + l.SummaryLines.size();
    l.TopHeight = l.TitleHeight + l.RowHeight * static_cast<double>(topLines) +
                  (topLines == 0 ? 0 : l.RowHeight);

    const double tableArea = l.Height - l.FootHeight - (m_captions.empty() ? 0 : l.RowHeight);
    l.FirstPageRows = qMax<qint64>(1, static_cast<qint64>((tableArea - l.TopHeight) / l.RowHeight));
    l.PageRows = qMax<qint64>(1, static_cast<qint64>(tableArea / l.RowHeight));
    const qint64 rest = qMax<qint64>(0, m_spool->Rows() - l.FirstPageRows);
    l.Blocks = 1 + (rest + l.PageRows - 1) / l.PageRows;
    // Rows of the last block, and whether the footer text fits beneath them.
    const qint64 lastRows = rest == 0 ? m_spool->Rows() : rest - (l.Blocks - 2) * l.PageRows;
    const qint64 lastCapacity = l.Blocks == 1 ? l.FirstPageRows : l.PageRows;
    const qint64 footerRows =
        l.FooterLines.empty() ? 0 : static_cast<qint64>(l.FooterLines.size()) + 1;
    l.FooterOnNewPage = footerRows > 0 && lastRows + footerRows > lastCapacity;
    l.Pages = static_cast<int>(l.Blocks * static_cast<qint64>(l.Groups.size())) +
              (l.FooterOnNewPage ? 1 : 0);
    return l;
}

} // namespace twl

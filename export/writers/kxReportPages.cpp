// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/writers/kxReportPages.h"

#include "base/Exceptions.h"
#include "base/Format.h"

#include <QDataStream>
#include <QFile>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

namespace twl {

namespace {

// Rows without a number held back at most; more of them are ordinary rows.
constexpr std::size_t MaxSummaryRows = 16;
constexpr int BodyPoints = 9;
constexpr int TitlePoints = 14;

QFont reportFont(int Points, bool Bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(Points);
    font.setBold(Bold);
    return font;
}

bool numbered(const std::vector<TkxGridCell>& Cells) {
    return !Cells.empty() && Cells.front().IsNumber;
}

QString joinedCells(const std::vector<TkxGridCell>& Cells) {
    QStringList texts;
    for (const TkxGridCell& cell : Cells) {
        if (!cell.Text.isEmpty()) texts << cell.Text;
    }
    return texts.join(QStringLiteral("    "));
}

} // namespace

struct TkxReportPages::Layout {
    QFont Body, Bold, TitleFont;
    double Width = 0, Height = 0;
    double RowHeight = 0, TitleHeight = 0, FootHeight = 0, TopHeight = 0;
    std::vector<double> Columns; // left edges, then the right edge of the last
    qint64 FirstPageRows = 1, PageRows = 1;
    int Pages = 1;
    // Whether the footer text starts a page of its own.
    bool FooterOnNewPage = false;
};

TkxReportPages::TkxReportPages(QString Title, QString PageNumbers)
    : m_title(std::move(Title))
    , m_pageNumbers(std::move(PageNumbers)) {
    m_spool = std::make_unique<QTemporaryFile>();
    if (!m_spool->open()) throw Exception(m_spool->errorString());
}

void TkxReportPages::AddTopLine(const QString& Line) {
    m_topLines.push_back(Line);
}

void TkxReportPages::SetCaptions(const std::vector<TkxGridCell>& Cells) {
    m_captions = Cells;
    measure(Cells, false);
}

void TkxReportPages::AddRow(const std::vector<TkxGridCell>& Cells) {
    measure(Cells, numbered(Cells));
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
    if (!m_spool->flush()) throw Exception(m_spool->errorString());
}

void TkxReportPages::spool(const std::vector<TkxGridCell>& Cells) {
    QDataStream out(m_spool.get());
    out << quint32(Cells.size());
    for (const TkxGridCell& cell : Cells)
        out << cell.Text << cell.AlignRight;
    if (out.status() != QDataStream::Ok) throw Exception(m_spool->errorString());
    ++m_rowCount;
}

void TkxReportPages::measure(const std::vector<TkxGridCell>& Cells, bool IsData) {
    if (m_columnChars.size() < Cells.size()) {
        m_columnChars.resize(Cells.size(), 0);
        m_columnRight.resize(Cells.size(), false);
    }
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        m_columnChars[i] =
            qMax(m_columnChars[i], static_cast<int>(qMin<qsizetype>(Cells[i].Text.size(), 80)));
        if (IsData && Cells[i].AlignRight) m_columnRight[i] = true;
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

TkxReportPages::Layout TkxReportPages::layout(QPainter& Painter,
                                              const QPagedPaintDevice& Device) const {
    Layout l;
    l.Body = reportFont(BodyPoints, false);
    l.Bold = reportFont(BodyPoints, true);
    l.TitleFont = reportFont(TitlePoints, true);
    l.Width = Device.width();
    l.Height = Device.height();
    Painter.setFont(l.Body);
    const QFontMetricsF body(l.Body, Painter.device());
    const QFontMetricsF title(l.TitleFont, Painter.device());
    l.RowHeight = std::ceil(body.height() * 1.35);
    l.TitleHeight = std::ceil(title.height() * 1.6);
    l.FootHeight = l.RowHeight * 2;
    const std::size_t summaryLines = m_summary.size();
    l.TopHeight = l.TitleHeight +
                  l.RowHeight * static_cast<double>(m_topLines.size() + summaryLines) +
                  (m_topLines.empty() && summaryLines == 0 ? 0 : l.RowHeight);

    // Columns as wide as their longest text, shrunk together to fit the page.
    const double digit = body.horizontalAdvance(QLatin1Char('0'));
    std::vector<double> widths;
    double total = 0;
    for (int chars : m_columnChars) {
        widths.push_back((chars + 2) * digit);
        total += widths.back();
    }
    const double scale = total > l.Width ? l.Width / total : 1.0;
    double x = 0;
    for (double w : widths) {
        l.Columns.push_back(x);
        x += w * scale;
    }
    l.Columns.push_back(x);

    const double tableArea = l.Height - l.FootHeight - (m_captions.empty() ? 0 : l.RowHeight);
    l.FirstPageRows = qMax<qint64>(1, static_cast<qint64>((tableArea - l.TopHeight) / l.RowHeight));
    l.PageRows = qMax<qint64>(1, static_cast<qint64>(tableArea / l.RowHeight));
    qint64 rest = qMax<qint64>(0, m_rowCount - l.FirstPageRows);
    l.Pages = 1 + static_cast<int>((rest + l.PageRows - 1) / l.PageRows);
    // Rows on the last page, and whether the footer text fits beneath them.
    const qint64 lastRows = rest == 0 ? m_rowCount : rest - (l.Pages - 2) * l.PageRows;
    const qint64 lastCapacity = l.Pages == 1 ? l.FirstPageRows : l.PageRows;
    const qint64 footerRows =
        m_footerLines.empty() ? 0 : static_cast<qint64>(m_footerLines.size()) + 1;
    if (footerRows > 0 && lastRows + footerRows > lastCapacity) {
        l.FooterOnNewPage = true;
        ++l.Pages;
    }
    return l;
}

void TkxReportPages::Paint(QPagedPaintDevice& Device) const {
    QPainter painter;
    if (!painter.begin(&Device)) throw Exception(QStringLiteral("The pages could not be started"));
    const Layout l = layout(painter, Device);

    QFile file(m_spool->fileName());
    if (!file.open(QIODevice::ReadOnly)) throw Exception(file.errorString());
    QDataStream in(&file);
    std::vector<TkxGridCell> cells;
    auto readRow = [&] {
        quint32 count = 0;
        in >> count;
        cells.resize(count);
        for (TkxGridCell& cell : cells)
            in >> cell.Text >> cell.AlignRight;
        if (in.status() != QDataStream::Ok) throw Exception(file.errorString());
    };

    const double pad = l.RowHeight * 0.25;
    // Text drawn at a point, not laid out in a box: a report of thousands of
    // pages spends its time here.
    auto drawRow = [&](const std::vector<TkxGridCell>& row, double y) {
        const QFontMetricsF metrics(painter.font(), painter.device());
        const double baseline = y + (l.RowHeight + metrics.ascent() - metrics.descent()) / 2;
        for (std::size_t i = 0; i < row.size() && i + 1 < l.Columns.size(); ++i) {
            const double left = l.Columns[i] + pad;
            const double width = l.Columns[i + 1] - l.Columns[i] - 2 * pad;
            QString text = row[i].Text;
            double advance = metrics.horizontalAdvance(text);
            if (advance > width) {
                text = metrics.elidedText(text, Qt::ElideRight, width);
                advance = metrics.horizontalAdvance(text);
            }
            painter.drawText(QPointF(row[i].AlignRight ? left + width - advance : left, baseline),
                             text);
        }
    };
    auto drawLines = [&](const std::vector<QString>& lines, double& y) {
        for (const QString& line : lines) {
            painter.drawText(
                QRectF(0, y, l.Width, l.RowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                painter.fontMetrics().elidedText(line, Qt::ElideRight, qRound(l.Width)));
            y += l.RowHeight;
        }
    };
    auto drawCaptions = [&](double& y) {
        if (m_captions.empty()) return;
        painter.setFont(l.Bold);
        std::vector<TkxGridCell> captions = m_captions;
        for (std::size_t i = 0; i < captions.size() && i < m_columnRight.size(); ++i)
            captions[i].AlignRight = m_columnRight[i];
        drawRow(captions, y);
        y += l.RowHeight;
        painter.drawLine(QPointF(0, y), QPointF(l.Columns.back(), y));
        painter.setFont(l.Body);
    };
    auto drawFoot = [&](int page) {
        painter.setFont(l.Body);
        painter.drawText(QRectF(0, l.Height - l.RowHeight, l.Width, l.RowHeight), Qt::AlignCenter,
                         pageText(page, l.Pages));
    };

    qint64 written = 0;
    for (int page = 1; page <= l.Pages; ++page) {
        if (page > 1 && !Device.newPage()) throw Exception(QStringLiteral("No new page"));
        double y = 0;
        painter.setFont(l.Body);
        if (page == 1) {
            painter.setFont(l.TitleFont);
            painter.drawText(QRectF(0, 0, l.Width, l.TitleHeight), Qt::AlignLeft | Qt::AlignTop,
                             m_title);
            y = l.TitleHeight;
            painter.setFont(l.Body);
            drawLines(m_topLines, y);
            painter.setFont(l.Bold);
            for (const auto& row : m_summary) {
                drawLines({joinedCells(row)}, y);
            }
            painter.setFont(l.Body);
            if (!m_topLines.empty() || !m_summary.empty()) y += l.RowHeight;
        }
        const bool footerPage = l.FooterOnNewPage && page == l.Pages;
        if (!footerPage) {
            drawCaptions(y);
            const qint64 capacity = page == 1 ? l.FirstPageRows : l.PageRows;
            for (qint64 n = 0; n < capacity && written < m_rowCount; ++n, ++written) {
                readRow();
                drawRow(cells, y);
                y += l.RowHeight;
            }
        }
        if (page == l.Pages && !m_footerLines.empty()) {
            if (!footerPage) y += l.RowHeight;
            drawLines(m_footerLines, y);
        }
        drawFoot(page);
    }
    painter.end();
}

} // namespace twl

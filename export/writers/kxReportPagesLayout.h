// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the report's pages are laid out on one device: the font size, the
// columns (and, for a table wider than a landscape page, the columns of each
// page), the wrapped lines and the number of pages.

#include "export/writers/kxReportPages.h"

#include <QFontMetricsF>

namespace twl {

namespace report {
inline constexpr double BodyPoints = 9;
// The smallest size still read comfortably on paper.
inline constexpr double MinPoints = 6;
inline constexpr double TitlePoints = 14;

QFont font(double Points, bool Bold);

// Items joined by Gap into lines no wider than Width; an item too wide on
// its own breaks between words, a word too wide stands on a line of its own.
std::vector<QString> flowLines(const std::vector<QString>& Items, const QString& Gap,
                               const QFontMetricsF& Metrics, double Width);
} // namespace report

struct TkxReportPages::Layout {
    // False when the table is too wide for the page even at the smallest size
    // and its columns were not allowed to be split.
    bool Fits = true;
    double Points = report::BodyPoints;
    QFont Body, Bold, TitleFont;
    double Width = 0, Height = 0;
    double RowHeight = 0, TitleHeight = 0, FootHeight = 0, TopHeight = 0, Pad = 0;
    // Per column, its width on the page, padding included.
    std::vector<double> ColumnWidths;
    // The columns on each page of a block of rows; one group unless split.
    std::vector<std::vector<std::size_t>> Groups;
    std::vector<QString> TopLines, SummaryLines, FooterLines;
    qint64 FirstPageRows = 1, PageRows = 1, Blocks = 1;
    int Pages = 1;
    // Whether the footer text starts a page of its own.
    bool FooterOnNewPage = false;
};

} // namespace twl

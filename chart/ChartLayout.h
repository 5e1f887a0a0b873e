// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where everything of the chart goes, in logical coordinates for a given
// size: the text lines, the plot, its axes and ticks, the bars, the balance
// line and the legend. The widget, the PNG and the SVG outputs all paint one
// layout, so they show the same picture.

#include "chart/ChartData.h"
#include "chart/ChartTexts.h"

#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace twl::chart {

// Bars never get thinner than this (in logical pixels, gap included).
inline constexpr double MinBarPitch = 6;

struct PlacedText {
    QRectF rect;
    QString text;
};

struct PlacedBar {
    QRectF principal;
    QRectF interest;
};

enum class LegendKind { Principal, Interest, Balance };

struct LegendEntry {
    LegendKind kind;
    QRectF swatch;
    PlacedText label;
};

struct ChartLayout {
    QSizeF size;
    QFont font;
    QFont titleFont;
    PlacedText title;
    std::vector<PlacedText> lines; // inputs, then totals
    QRectF plot;
    std::vector<double> grid; // y of the left axis' ticks
    std::vector<PlacedText> leftTicks;
    std::vector<PlacedText> rightTicks;
    std::vector<PlacedText> bottomTicks;
    std::vector<double> bottomTickX;
    PlacedText leftTitle;  // drawn turned a quarter left, centred on its rect
    PlacedText rightTitle; // turned a quarter right
    PlacedText bottomTitle;
    std::vector<PlacedBar> bars;
    double baseline = 0; // y of the bars' zero: above the plot's bottom when some are negative
    QPolygonF balance;
    // Where a rate change starts: the x of the start of its payment's period.
    std::vector<double> rateChangeX;
    std::vector<LegendEntry> legend;
    int yearsPerBar = 1;
};

// The layout for `size`; `font` is the body font (the title is larger).
ChartLayout layoutChart(const ChartData& data, const ChartTexts& texts, QSizeF size,
                        const QFont& font);

// The inputs line and the totals as the chart shows them.
QString inputsLine(const ChartData& data, const ChartTexts& texts);
QString totalsLine(const ChartData& data, const ChartTexts& texts);

// The font the outputs use without a window: a sans face of 13 pixels.
QFont defaultChartFont();

} // namespace twl::chart

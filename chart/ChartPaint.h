// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints a chart layout with QPainter only. The two bar series differ in
// lightness (dark principal, light interest) and the interest bars carry a
// hatch, so the picture reads in greyscale and without telling hues apart;
// the balance is a black line with a white edge over the bars.

#include "chart/ChartLayout.h"

class QPainter;

namespace twl::chart {

// `emptyNote` is drawn in place of the plot when the layout has none.
void paintChart(QPainter& painter, const ChartLayout& layout, const QString& emptyNote = {});

} // namespace twl::chart

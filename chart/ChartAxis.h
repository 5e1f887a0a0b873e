// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Round axis steps: 1, 2 or 5 times a power of ten, and tick labels in the
// form of the chart's totals (the regional separator, no thousands separators).

#include <QChar>
#include <QString>
#include <vector>

namespace twl::chart {

struct AxisTicks {
    double first = 0; // the lowest tick, at or below the range
    double step = 1;
    int count = 1;    // ticks from `first` on, the last at or above the range
    int decimals = 0; // decimals a label needs to show the step

    double value(int i) const { return first + step * i; }
    double last() const { return value(count - 1); }
};

// The smallest round step that splits `span` into at most `maxSteps` steps.
double roundStep(double span, int maxSteps);

// Ticks covering [low, high] (an empty range is widened to one step), with at
// most about `maxSteps` steps; zero is a tick whenever the range holds it.
AxisTicks axisTicks(double low, double high, int maxSteps);

// A tick's label: fixed decimals as the totals show amounts; beyond the
// digits a fixed text holds, the 15 significant digits a tick's round value
// needs (never the rounding noise of first + i * step).
QString tickLabel(double value, int decimals, QChar decimalSeparator);

} // namespace twl::chart

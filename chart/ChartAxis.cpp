// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartAxis.h"

#include "base/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace twl::chart {

double roundStep(double span, int maxSteps) {
    if (!(span > 0) || !std::isfinite(span)) return 1;
    const double raw = span / std::max(1, maxSteps);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        // A little slack keeps 0.3 / 3 from stepping up to 0.2 on a rounding error.
        if (m * power >= raw * (1 - 1e-9)) return m * power;
    }
    return 10 * power;
}

AxisTicks axisTicks(double low, double high, int maxSteps) {
    AxisTicks t;
    if (!std::isfinite(low) || !std::isfinite(high)) return t;
    if (low > high) std::swap(low, high);
    if (low == high) {
        // One value: a round step around it, from zero where it stands.
        const double magnitude = low == 0 ? 1 : std::abs(low);
        high = std::max(high, 0.0) + (low >= 0 ? magnitude : 0);
        low = std::min(low, 0.0);
    }
    t.step = roundStep(high - low, maxSteps);
    t.first = std::floor(low / t.step) * t.step;
    const double end = std::ceil(high / t.step) * t.step;
    t.count = static_cast<int>(std::llround((end - t.first) / t.step)) + 1;
    t.decimals = std::clamp(static_cast<int>(-std::floor(std::log10(t.step) + 1e-9)), 0, 18);
    return t;
}

QString tickLabel(double value, int decimals, QChar decimalSeparator) {
    // A tick computed as first + i * step may miss zero by a rounding error.
    if (std::abs(value) < 1e-12) value = 0;
    // FormatFixed shows 18 significant digits from 1e18 on.
    if (std::abs(value) >= 1e18) return FormatGeneral(value, 15, decimalSeparator);
    return FormatFixed(value, decimals, decimalSeparator);
}

} // namespace twl::chart

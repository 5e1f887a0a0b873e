// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart in words, for screen readers: the totals and the shape.

#include "chart/ChartData.h"
#include "chart/ChartTexts.h"

#include <QString>

namespace twl::chart {

QString describeChart(const ChartData& data, const ChartTexts& texts);

} // namespace twl::chart

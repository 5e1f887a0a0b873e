// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart as a picture file, drawn without a window: a PNG of any logical
// size and device pixel ratio, or an SVG. Both paint the widget's layout.

#include "chart/ChartData.h"
#include "chart/ChartLayout.h"
#include "chart/ChartTexts.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QSize>

namespace twl::chart {

inline constexpr QSize DefaultPictureSize{960, 640};

// `size` in logical pixels; the image has size * ratio pixels.
QImage chartImage(const ChartData& data, const ChartTexts& texts, QSize size, qreal ratio,
                  const QFont& font = defaultChartFont());
QByteArray chartPng(const ChartData& data, const ChartTexts& texts, QSize size, qreal ratio,
                    const QFont& font = defaultChartFont());
QByteArray chartSvg(const ChartData& data, const ChartTexts& texts, QSize size,
                    const QFont& font = defaultChartFont());

} // namespace twl::chart

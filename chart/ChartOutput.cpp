// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartOutput.h"

#include "chart/ChartDescription.h"
#include "chart/ChartLayout.h"
#include "chart/ChartPaint.h"

#include "base/XmlText.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

namespace twl::chart {

QImage chartImage(const ChartData& data, const ChartTexts& texts, QSize size, qreal ratio,
                  const QFont& font) {
    size = size.expandedTo(QSize(1, 1));
    ratio = std::clamp(ratio, 0.25, 8.0);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter p(&image);
    paintChart(p, layoutChart(data, texts, size, font));
    return image;
}

QByteArray chartPng(const ChartData& data, const ChartTexts& texts, QSize size, qreal ratio,
                    const QFont& font) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    chartImage(data, texts, size, ratio, font).save(&buffer, "PNG");
    return bytes;
}

QByteArray chartSvg(const ChartData& data, const ChartTexts& texts, QSize size, const QFont& font) {
    size = size.expandedTo(QSize(1, 1));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    // The generator writes these two as they are given, markup and all.
    svg.setTitle(xmlEscaped(texts.title));
    svg.setDescription(xmlEscaped(describeChart(data, texts)));
    {
        QPainter p(&svg);
        paintChart(p, layoutChart(data, texts, size, font));
    }
    // A translation's control character would reach the painted texts too.
    replaceImpossibleXmlBytes(bytes);
    return bytes;
}

} // namespace twl::chart

// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartWidget.h"

#include "chart/ChartDescription.h"
#include "chart/ChartLayout.h"
#include "chart/ChartPaint.h"

#include <QPainter>

namespace twl::chart {

ChartWidget::ChartWidget(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartWidget::setChart(ChartData data, ChartTexts texts) {
    m_data = std::move(data);
    m_texts = std::move(texts);
    setAccessibleName(m_texts.title);
    setAccessibleDescription(describeChart(m_data, m_texts));
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont f = font();
    if (f.pixelSize() <= 0) f.setPixelSize(std::max(9, QFontInfo(f).pixelSize()));
    paintChart(p, layoutChart(m_data, m_texts, size(), f));
}

} // namespace twl::chart

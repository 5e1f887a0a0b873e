// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart on screen: lays the data out for the widget's size and paints it;
// its accessible description tells the totals and the shape.

#include "chart/ChartData.h"
#include "chart/ChartTexts.h"

#include <QWidget>

namespace twl::chart {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    void setChart(ChartData data, ChartTexts texts);
    const ChartData& data() const { return m_data; }
    const ChartTexts& texts() const { return m_texts; }

    QSize sizeHint() const override { return {720, 480}; }
    // Room for the plot between the texts: below it, labels would overlap.
    QSize minimumSizeHint() const override { return {400, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartData m_data;
    ChartTexts m_texts;
};

} // namespace twl::chart

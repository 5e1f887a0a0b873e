// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window: the chart of the main window's current schedule, or a
// one-line note while the table is empty, with "Save picture..." (PNG or SVG)
// and "Copy" (the picture to the clipboard). Not modal; the main window hands
// it each new calculation and closes it when it closes.

#include "chart/ChartData.h"
#include "chart/ChartTexts.h"

#include <QImage>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace twl {

namespace chart {
class ChartWidget;
}
class TChartTexts;

// Three bars and a falling line, 16 x 16: the picture of the Chart button.
QImage chartGlyph();

class TChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit TChartWindow(QWidget* parent = nullptr);

    // Shows `data` (or the note when it is empty) in the words given.
    void setChart(const chart::ChartData& data, const chart::ChartTexts& texts,
                  const TChartTexts& words);

    void savePicture();
    void copyPicture();
    // Writes the picture to `path`: SVG for a name ending in .svg, else PNG.
    // Raises EFileSaveError when the file cannot be written.
    void writePicture(const QString& path) const;

    // Asks for the picture's file name; returns "" when the user cancels. Tests
    // replace it.
    std::function<QString(const QString& title, const QString& filters)> askFileName;

    chart::ChartWidget* chart;
    QLabel* note;
    QPushButton* savebtn;
    QPushButton* copybtn;

private:
    QSize pictureSize() const;

    QStackedWidget* m_pages;
    QString m_saveTitle;
    QString m_filters;
};

} // namespace twl

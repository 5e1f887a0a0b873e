// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window: the chart of the main window's current schedule, or a
// one-line note when there is none (nothing calculated yet, a failed
// calculation, a schedule without payments), with "Save picture..." (PNG or
// SVG), "Copy" (the picture to the clipboard) and "Close" (also Escape and
// Ctrl+W). Not modal; the main window hands it each new calculation and
// closes it when it closes.

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

// What the last Calculate left for the chart.
enum class ChartState { NotCalculated, Failed, Drawn };

// Three bars and a falling line, 16 x 16: the picture of the Chart button.
QImage chartGlyph();

class TChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit TChartWindow(QWidget* parent = nullptr);

    // Shows `data` in the words given, or the note that `state` calls for
    // when there is nothing to draw.
    void setChart(const chart::ChartData& data, const chart::ChartTexts& texts,
                  const TChartTexts& words, ChartState state = ChartState::Drawn);

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
    QPushButton* closebtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSize pictureSize() const;

    QStackedWidget* m_pages;
    QString m_saveTitle;
    QString m_filters;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartWindow.h"

#include "app/ChartWindowTexts.h"
#include "base/Exceptions.h"
#include "base/FileSave.h"
#include "chart/ChartOutput.h"
#include "chart/ChartWidget.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/ModalGuard.h"
#include "toolkit/ScreenPlacement.h"
#include "widgets/LbButtons.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace twl {

QImage chartGlyph() {
    // Hard pixels on the see-through key, as the other button pictures.
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(TransparentKey);
    const auto fill = [&](int x, int y, int w, int h, QRgb c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                image.setPixel(i, j, c);
    };
    const QRgb dark = qRgb(0x1F, 0x3A, 0x68);
    const QRgb light = qRgb(0xF6, 0xC2, 0x8B);
    const QRgb ink = qRgb(0x20, 0x20, 0x20);
    fill(1, 14, 14, 1, ink);                            // the base line
    const int heights[3][2] = {{3, 6}, {5, 4}, {7, 2}}; // principal, interest
    for (int b = 0; b < 3; ++b) {
        const int x = 2 + b * 4;
        fill(x, 14 - heights[b][0], 3, heights[b][0], dark);
        fill(x, 14 - heights[b][0] - heights[b][1], 3, heights[b][1], light);
    }
    for (int i = 0; i < 12; ++i) // the balance, falling
        image.setPixel(2 + i, 1 + i * 10 / 12, ink);
    return image;
}

TChartWindow::TChartWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("chartfrm"));
    // The main window's closing ends the program, whether or not this is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(760, 560);

    m_pages = new QStackedWidget(this);
    note = new QLabel(m_pages);
    note->setObjectName(QStringLiteral("note"));
    note->setAlignment(Qt::AlignCenter);
    chart = new chart::ChartWidget(m_pages);
    chart->setObjectName(QStringLiteral("chart"));
    m_pages->addWidget(note);
    m_pages->addWidget(chart);

    savebtn = new QPushButton(this);
    savebtn->setObjectName(QStringLiteral("savebtn"));
    copybtn = new QPushButton(this);
    copybtn->setObjectName(QStringLiteral("copybtn"));
    closebtn = new QPushButton(this);
    closebtn->setObjectName(QStringLiteral("closebtn"));
    connect(savebtn, &QPushButton::clicked, this, [this] { savePicture(); });
    connect(copybtn, &QPushButton::clicked, this, [this] { copyPicture(); });
    connect(closebtn, &QPushButton::clicked, this, &QWidget::close);
    // The window is closed from the keyboard as a dialog is.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(savebtn);
    buttons->addWidget(copybtn);
    buttons->addWidget(closebtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    askFileName = [this](const QString& title, const QString& filters) {
        return QFileDialog::getSaveFileName(this, title, QString(), filters);
    };
}

void TChartWindow::setChart(const chart::ChartData& data, const chart::ChartTexts& texts,
                            const TChartTexts& words, ChartState state) {
    setWindowTitle(words.Caption);
    note->setText(state == ChartState::NotCalculated ? words.EmptyNote
                  : state == ChartState::Failed      ? words.FailedNote
                                                     : words.NoPaymentsNote);
    savebtn->setText(words.SavePicture);
    copybtn->setText(words.Copy);
    closebtn->setText(words.Close);
    m_saveTitle = words.SaveTitle;
    m_filters = words.PngFilter + QStringLiteral(" (*.png);;") + words.SvgFilter +
                QStringLiteral(" (*.svg)");
    chart->setChart(data, texts);
    const bool empty = data.empty();
    m_pages->setCurrentWidget(empty ? static_cast<QWidget*>(note) : chart);
    savebtn->setEnabled(!empty);
    copybtn->setEnabled(!empty);
}

void TChartWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Opened beside a main window near the screen's edge, or on a small or
    // scaled screen, the whole window is brought into view.
    keepFrameOnScreen(*this);
}

QSize TChartWindow::pictureSize() const {
    // The chart as the user sees it, unless the window has not been laid out yet.
    return chart->isVisible() ? chart->size() : chart::DefaultPictureSize;
}

void TChartWindow::writePicture(const QString& path) const {
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    saveFileAtomically(path, svg ? chart::chartSvg(chart->data(), chart->texts(), pictureSize())
                                 : chart::chartPng(chart->data(), chart->texts(), pictureSize(),
                                                   devicePixelRatioF()));
}

void TChartWindow::savePicture() {
    if (chart->data().empty()) return;
    QString path = askFileName(m_saveTitle, m_filters);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    try {
        writePicture(path);
    } catch (const Exception& e) {
        showMessageBox(QMessageBox::Warning, applicationTitle(), e.message(), this);
    }
}

void TChartWindow::copyPicture() {
    if (chart->data().empty()) return;
    QGuiApplication::clipboard()->setImage(
        chart::chartImage(chart->data(), chart->texts(), pictureSize(), devicePixelRatioF()));
}

} // namespace twl

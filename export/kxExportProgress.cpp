// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportProgress.h"

#include "toolkit/ShowPainted.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>
#include <QScreen>

namespace twl {

namespace {

// Drops the user's input while a run is busy, unless a modal window the run
// opened is waiting for an answer: Qt then blocks the other windows itself.
class InputBlock : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (QApplication::activeModalWidget()) return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        case QEvent::Close:
            // The window manager's close of any window waits for the run.
            if (!event->spontaneous()) return false;
            event->ignore();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

Tfrm_ProgressForm::Tfrm_ProgressForm(QWidget* parent)
    : TForm(parent,
            Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frm_ProgressForm"));
    resize(186, 61);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setOrientation(Qt::Horizontal);
    ProgressBar->setGeometry(8, 32, 169, 16);
    ProgressBar->setTextVisible(false);

    ProgressLabel = new TLabel(this);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->setGeometry(8, 8, 67, 13);
}

Tfrm_ProgressForm::~Tfrm_ProgressForm() = default;

void Tfrm_ProgressForm::centreOnDesktop() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(frameGeometry().topLeft(), QSize(Width(), Height()));
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

void Tfrm_ProgressForm::setText(const QString& text) {
    m_hasText = !text.isEmpty();
    if (m_hasText) {
        ProgressLabel->move(8, 8);
        ProgressLabel->setCaption(text);
    }
    arrange();
}

void Tfrm_ProgressForm::arrange() {
    QProgressBar* bar = ProgressBar;
    bar->setGeometry(8, bar->y(), ClientWidth() - 16, bar->height());
    const int frame = Height() - ClientHeight();
    if (m_hasText)
        bar->move(bar->x(),
                  frame + (ClientHeight() - ProgressLabel->height() - 16 - bar->height()) / 2);
    else
        bar->move(bar->x(), (frame + (ClientHeight() - bar->height() - 16)) / 2);
}

void Tfrm_ProgressForm::resizeEvent(QResizeEvent* e) {
    TForm::resizeEvent(e);
    arrange();
}

void Tfrm_ProgressForm::beginRun() {
    if (!m_inputBlock) {
        m_inputBlock = std::make_unique<InputBlock>();
        qApp->installEventFilter(m_inputBlock.get());
    }
    showPainted(*this);
    QCoreApplication::processEvents();
}

void Tfrm_ProgressForm::step(int value) {
    ProgressBar->setValue(value);
    // Serves exposes and the repaint of the bar; the input block keeps the
    // user's clicks out meanwhile.
    if (isRunning() && isVisible()) QCoreApplication::processEvents();
}

void Tfrm_ProgressForm::endRun() {
    m_inputBlock.reset();
    hide();
}

void Tfrm_ProgressForm::hideForQuestion() {
    hide();
}

void Tfrm_ProgressForm::resumeAfterQuestion() {
    if (isRunning()) showPainted(*this);
}

void Tfrm_ProgressForm::showEvent(QShowEvent* e) {
    centreOnDesktop();
    TForm::showEvent(e);
}

void Tfrm_ProgressForm::closeEvent(QCloseEvent* e) {
    if (isRunning())
        e->ignore();
    else
        TForm::closeEvent(e);
}

} // namespace twl

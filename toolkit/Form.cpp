// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Form.h"

#include "base/GuiConversions.h"
#include "toolkit/FixedPalette.h"

#include <QPalette>
#include <QTimer>

namespace twl {

TForm::TForm(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , m_font(new TFont(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_font, &TFont::changed, this, [this] { applyLook(); });
    applyLook();
}

TForm::~TForm() = default;

void TForm::applyLook() {
    setFont(toQFont(*m_font));
    // A palette of its own in full: the desktop theme's colours never mix in.
    QPalette pal = fixedPalette();
    pal.setColor(QPalette::Window, toQColor(m_color));
    pal.setColor(QPalette::WindowText, toQColor(m_font->Color()));
    setPalette(pal);
    setAutoFillBackground(true);
}

void TForm::setColor(int c) {
    m_color = c;
    applyLook();
}

int TForm::Left() const {
    return frameGeometry().x();
}
void TForm::setLeft(int v) {
    move(v, frameGeometry().y());
}
int TForm::Top() const {
    return frameGeometry().y();
}
void TForm::setTop(int v) {
    move(frameGeometry().x(), v);
}

int TForm::Width() const {
    return m_pendingOuter ? m_pendingOuter->width() : frameGeometry().width();
}

int TForm::Height() const {
    return m_pendingOuter ? m_pendingOuter->height() : frameGeometry().height();
}

void TForm::setWidth(int v) {
    const int frame = frameGeometry().width() - width();
    resize(qMax(0, v - frame), height());
    if (!isVisible()) m_pendingOuter = QSize(v, Height());
}

void TForm::setHeight(int v) {
    const int frame = frameGeometry().height() - height();
    resize(width(), qMax(0, v - frame));
    if (!isVisible()) m_pendingOuter = QSize(Width(), v);
}

void TForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (m_pendingOuter) QTimer::singleShot(0, this, [this] { applyPendingOuterSize(); });
}

void TForm::applyPendingOuterSize() {
    if (!m_pendingOuter) return;
    const QSize outer = *m_pendingOuter;
    m_pendingOuter.reset();
    const int fw = frameGeometry().width() - width();
    const int fh = frameGeometry().height() - height();
    resize(qMax(0, outer.width() - fw), qMax(0, outer.height() - fh));
}

void TForm::finishBuilding() {
    m_loaded = true;
    emit Loaded();
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Controls.h"

#include "base/GuiConversions.h"

#include <QPainter>

namespace twl {

TPanel::TPanel(QWidget* parent)
    : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
}

void TPanel::setCaption(const QString& c) {
    m_caption = c;
    update();
}

void TPanel::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    QPainter p(this);
    // Raised bevel: light on the top and left, shadow on the bottom and right.
    const int r = width() - 1;
    const int b = height() - 1;
    p.setPen(toQColor(clBtnHighlight));
    p.drawLine(0, 0, r, 0);
    p.drawLine(0, 0, 0, b);
    p.setPen(toQColor(clBtnShadow));
    p.drawLine(r, 0, r, b);
    p.drawLine(0, b, r, b);
    if (!m_caption.isEmpty()) {
        p.setPen(toQColor(Font()->Color()));
        p.drawText(rect(), Qt::AlignCenter, m_caption);
    }
}

TLabel::TLabel(QWidget* parent)
    : QLabel(parent) {
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(Font(), &TFont::changed, this, [this] { fit(); });
}

void TLabel::setCaption(const QString& c) {
    setText(c);
    fit();
}

void TLabel::setAutoSize(bool v) {
    m_autoSize = v;
    fit();
}

void TLabel::setAlignmentProperty(TAlignment a) {
    m_alignment = a;
    setAlignment(toQtAlignment(a) | Qt::AlignTop);
}

void TLabel::fit() {
    if (m_autoSize) resize(sizeHint());
}

TEdit::TEdit(QWidget* parent)
    : QLineEdit(parent) {}

TMemo::TMemo(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_lines(new TStrings(this)) {
    connect(m_lines, &TStrings::changed, this, [this] { showLines(); });
    connect(this, &QPlainTextEdit::textChanged, this, [this] { takeEdits(); });
}

void TMemo::setLines(TStrings* lines) {
    if (lines) m_lines->Assign(*lines);
}

void TMemo::setWordWrap(bool v) {
    setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::showLines() {
    if (m_syncing) return;
    m_syncing = true;
    setPlainText(m_lines->Strings().join(QLatin1Char('\n')));
    m_syncing = false;
}

void TMemo::takeEdits() {
    if (m_syncing) return;
    m_syncing = true;
    m_lines->setStrings(toPlainText().split(QLatin1Char('\n')));
    m_syncing = false;
}

} // namespace twl

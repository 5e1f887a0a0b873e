// SPDX-License-Identifier: GPL-3.0-or-later
// The speed button's pointer, key, focus and accelerator handling.
#include "widgets/LbSpeedButton.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcutEvent>

namespace twl {

namespace {

// The character after a single ampersand.
QChar acceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1];
        ++i;
    }
    return {};
}

} // namespace

bool TLbSpeedButton::canTrackPointer() const {
    // isVisible() holds only while every parent is showing as well.
    return isEnabled() && isVisible();
}

bool TLbSpeedButton::acceleratorPressed(QChar key) {
    const QChar accel = acceleratorOf(m_caption);
    if (accel.isNull() || accel.toUpper() != key.toUpper() || !canTrackPointer()) return false;
    QPointer<TLbSpeedButton> self(this);
    const bool wasDown = m_down;
    setDown(true);
    repaint();
    Click();
    if (!self) return true;
    setDown(wasDown);
    repaint();
    return true;
}

bool TLbSpeedButton::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::Shortcut: {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->shortcutId() == m_shortcutId && m_shortcutId != 0) {
            acceleratorPressed(acceleratorOf(m_caption));
            return true;
        }
        break;
    }
    case QEvent::ToolTip:
        if (!effectiveShowHint()) {
            e->ignore();
            return true;
        }
        break;
    case QEvent::ParentChange:
        watchParent();
        syncParentFont();
        // Moved in while down: the new parent's group keeps one down button.
        if (m_down) releaseGroupMembers();
        update();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void TLbSpeedButton::leftButtonPressed() {
    m_clickPending = true;
    if (m_groupIndex == 0)
        setDown(true);
    else if (!m_down)
        setDown(true);
    else if (m_allowAllUp)
        setDown(false);
}

void TLbSpeedButton::mousePressEvent(QMouseEvent* e) {
    QPointer<TLbSpeedButton> self(this);
    const QPoint pos = e->position().toPoint();
    if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), pos.x(), pos.y());
    if (self && e->button() == Qt::LeftButton) leftButtonPressed();
}

void TLbSpeedButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double-click arrives as this event instead of a
    // press (press, release, double-click, release): it is one more press.
    mousePressEvent(e);
}

void TLbSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
    QPointer<TLbSpeedButton> self(this);
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton && m_clickPending) {
        m_clickPending = false;
        if (rect().contains(pos)) Click();
        if (!self) return;
    }
    if (OnMouseUp) OnMouseUp(this, e->button(), e->modifiers(), pos.x(), pos.y());
    if (self && m_groupIndex == 0) setDown(false);
}

void TLbSpeedButton::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (OnMouseMove) OnMouseMove(this, e->modifiers(), pos.x(), pos.y());
}

void TLbSpeedButton::enterEvent(QEnterEvent* /*e*/) {
    if (!canTrackPointer()) return;
    m_mouseInControl = true;
    m_fadeStep = 8;
    repaintButton();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TLbSpeedButton::leaveEvent(QEvent* /*e*/) {
    m_mouseInControl = false;
    if (m_slowDecease && m_fadeThread) {
        if (m_fadeThread->Suspended()) m_fadeThread->Resume();
    } else {
        m_fadeStep = 0;
        repaintButton();
    }
    if (canTrackPointer() && OnMouseExit) OnMouseExit(this);
}

void TLbSpeedButton::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space || e->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(e);
        return;
    }
    if (!e->isAutoRepeat() && !m_spacePending) {
        m_spacePending = true;
        // The down state a mouse press gives, groups and AllowAllUp included;
        // a mouse press under way keeps its own click.
        const bool mousePending = m_clickPending;
        leftButtonPressed();
        m_clickPending = mousePending;
    }
    e->accept();
}

void TLbSpeedButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space || e->isAutoRepeat() || !m_spacePending) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    m_spacePending = false;
    e->accept();
    QPointer<TLbSpeedButton> self(this);
    Click();
    if (self && m_groupIndex == 0) setDown(false);
}

void TLbSpeedButton::focusInEvent(QFocusEvent* e) {
    update();
    QWidget::focusInEvent(e);
}

void TLbSpeedButton::focusOutEvent(QFocusEvent* e) {
    // Focus gone while Space is held: no click, as with a pointer dragged off.
    if (m_spacePending) {
        m_spacePending = false;
        if (m_groupIndex == 0) setDown(false);
    }
    update();
    QWidget::focusOutEvent(e);
}

void TLbSpeedButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(e);
}

} // namespace twl

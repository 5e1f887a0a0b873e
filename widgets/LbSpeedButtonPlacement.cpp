// SPDX-License-Identifier: GPL-3.0-or-later
// Placement of the speed button inside its parent: docking (Align) beside the
// parent's other docked controls, and anchoring (Anchors) as the parent resizes.

#include "widgets/LbSpeedButton.h"

#include <QMetaProperty>
#include <QResizeEvent>

namespace twl {

namespace {

// The name of the Align value a widget publishes ("alTop"), or nullptr.
const char* publishedAlign(const QWidget* w) {
    const QMetaObject* mo = w->metaObject();
    const int index = mo->indexOfProperty("Align");
    if (index < 0) return nullptr;
    const QMetaProperty p = mo->property(index);
    if (!p.isEnumType()) return nullptr;
    return p.enumerator().valueToKey(p.read(w).toInt());
}

} // namespace

void TLbSpeedButton::setAlign(Lb::TAlign v) {
    m_align = v;
    if (v != Lb::alNone && parentWidget()) setGeometry(alignedGeometry());
}

void TLbSpeedButton::setAnchors(Lb::TAnchors v) {
    m_anchors = v;
    m_anchorRulesValid = false;
}

void TLbSpeedButton::watchParent() {
    if (m_watchedParent) m_watchedParent->removeEventFilter(this);
    m_watchedParent = parentWidget();
    if (m_watchedParent) m_watchedParent->installEventFilter(this);
    m_anchorRulesValid = false;
}

bool TLbSpeedButton::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_watchedParent && e->type() == QEvent::Resize) {
        const auto* re = static_cast<QResizeEvent*>(e);
        parentResized(re->oldSize(), re->size());
    }
    return QWidget::eventFilter(watched, e);
}

void TLbSpeedButton::parentResized(QSize was, QSize now) {
    if (m_align != Lb::alNone) {
        setGeometry(alignedGeometry());
        return;
    }
    // The rules are the bounds against the parent's size when they were
    // taken; bounds set since then by anyone else start new rules.
    if (!m_anchorRulesValid || geometry() != m_anchoredGeometry) {
        if (was.width() <= 0 || was.height() <= 0) return;
        m_anchorRules = geometry();
        m_anchorParentSize = was;
        m_anchorRulesValid = true;
    }
    // One direction at a time: stretch, follow the far edge, or keep the centre.
    auto place = [](int& pos, int& size, int before, int after, bool nearEdge, bool farEdge) {
        if (nearEdge && farEdge)
            size = std::max(size + after - before, 0);
        else if (farEdge)
            pos += after - before;
        else if (!nearEdge)
            pos = static_cast<int>(static_cast<long long>(pos + size / 2) * after / before) -
                  size / 2;
    };
    int x = m_anchorRules.x(), y = m_anchorRules.y();
    int w = m_anchorRules.width(), h = m_anchorRules.height();
    place(x, w, m_anchorParentSize.width(), now.width(), m_anchors & Lb::akLeft,
          m_anchors & Lb::akRight);
    place(y, h, m_anchorParentSize.height(), now.height(), m_anchors & Lb::akTop,
          m_anchors & Lb::akBottom);
    setGeometry(x, y, w, h);
    m_anchoredGeometry = geometry();
}

QRect TLbSpeedButton::alignedGeometry() const {
    QRect client = parentWidget()->rect();
    const auto siblings = parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const char* kind : {"alTop", "alBottom", "alLeft", "alRight", "alClient"}) {
        const QByteArray name(kind);
        for (const QWidget* w : siblings) {
            const char* align = publishedAlign(w);
            if (!align || name != align || (w != this && w->isHidden())) continue;
            // Each docked control takes its strip off the remaining area.
            QRect strip = client;
            if (name == "alTop")
                strip.setHeight(w->height());
            else if (name == "alBottom")
                strip.setTop(client.bottom() + 1 - w->height());
            else if (name == "alLeft")
                strip.setWidth(w->width());
            else if (name == "alRight")
                strip.setLeft(client.right() + 1 - w->width());
            if (w == this) return strip;
            if (name == "alTop")
                client.setTop(strip.bottom() + 1);
            else if (name == "alBottom")
                client.setBottom(strip.top() - 1);
            else if (name == "alLeft")
                client.setLeft(strip.right() + 1);
            else if (name == "alRight")
                client.setRight(strip.left() - 1);
        }
    }
    return geometry();
}

} // namespace twl

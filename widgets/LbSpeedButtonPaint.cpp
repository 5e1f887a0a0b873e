// SPDX-License-Identifier: GPL-3.0-or-later
// The speed button's painting: its state for the drawing routines, the
// off-screen surface and the paint event.
#include "widgets/LbSpeedButton.h"

#include "base/GuiConversions.h"

#include <QPainter>
#include <cmath>

namespace twl {

TLbButtonPaintState TLbSpeedButton::paintState() const {
    TLbButtonPaintState s;
    s.width = width();
    s.height = height();
    s.style = m_style;
    s.layout = m_layout;
    s.alignment = m_alignment;
    s.enabled = isEnabled();
    s.down = m_down;
    s.flat = m_flat;
    s.transparent = m_transparent;
    s.wordWrap = m_wordWrap;
    s.mouseInControl = m_mouseInControl;
    s.hasPopupMenu = !m_popupMenu.isNull();
    s.fadeStep = m_fadeStep;
    s.color = Color();
    s.colorWhenDown = m_colorWhenDown;
    s.hotTrackColor = m_hotTrackColor;
    s.lightColor = m_lightColor;
    s.shadowColor = m_shadowColor;
    s.font = m_mouseInControl && m_useHotTrackFont ? m_hotTrackFont.get() : m_font.get();
    s.caption = m_caption;
    s.glyph = m_glyph;
    s.numGlyphs = m_numGlyphs;
    return s;
}

QImage TLbSpeedButton::paintSurface() {
    // Drawn at the screen's device pixel ratio: no scaled-up, blurred face
    // beside crisp labels.
    return paintSurface(devicePixelRatio());
}

QImage TLbSpeedButton::paintSurface(qreal ratio) {
    syncParentFont();
    const TLbButtonPaintState s = paintState();
    QImage surface(static_cast<int>(std::lround(std::max(s.width, 1) * ratio)),
                   static_cast<int>(std::lround(std::max(s.height, 1) * ratio)),
                   QImage::Format_RGB32);
    surface.setDevicePixelRatio(ratio);
    if (needsTransparentKey(s))
        surface.fill(TransparentKey);
    else
        surface.fill(Qt::black);
    DrawButton(surface, s);
    return surface;
}

void TLbSpeedButton::paintEvent(QPaintEvent* /*e*/) {
    if (m_loading || width() <= 0 || height() <= 0) return;
    const bool keyed = needsTransparentKey(paintState());
    QImage surface = paintSurface();
    if (keyed) {
        surface = surface.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < surface.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(surface.scanLine(y));
            for (int x = 0; x < surface.width(); ++x)
                if (line[x] == TransparentKey) line[x] = 0;
        }
    }
    QPainter p(this);
    p.drawImage(0, 0, surface);
    if (hasFocus()) {
        // The focus mark sits inside the bevel in the caption's colour, so it
        // reads on every face colour the caption reads on.
        QPen pen(toQColor(paintState().font->Color()));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace twl

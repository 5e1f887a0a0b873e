// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ControlFace.h"

#include "base/GuiConversions.h"

namespace twl {

ControlFace::ControlFace(QWidget* widget, QPalette::ColorRole role, TColor color,
                         bool fillBackground)
    : m_widget(widget)
    , m_font(new TFont(widget))
    , m_role(role)
    , m_color(color)
    , m_fill(fillBackground) {
    QObject::connect(m_font, &TFont::changed, widget, [this] { apply(); });
    apply();
}

void ControlFace::setColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    apply();
}

void ControlFace::apply() {
    m_widget->setFont(toQFont(*m_font));
    QPalette pal = m_widget->palette();
    pal.setColor(m_role, toQColor(m_color));
    const QColor text = toQColor(m_font->Color());
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    m_widget->setPalette(pal);
    if (m_role == QPalette::Window && m_fill) m_widget->setAutoFillBackground(true);
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The published look and placement shared by every visual control: font,
// colour, bounds, visibility, hint and tab order. Each control class lists
// TWL_CONTROL_PROPERTIES in its declaration and TWL_CONTROL_ACCESSORS in its
// body, so that the translator finds the same names on every control.

#include "base/Font.h"
#include "base/TColor.h"

#include <QPalette>
#include <QWidget>

namespace twl {

class ControlFace {
public:
    // `role` is the palette role the control's Color paints (Window or Base);
    // a control that does not fill its background shows its parent's colour.
    ControlFace(QWidget* widget, QPalette::ColorRole role, TColor color,
                bool fillBackground = true);

    TFont* font() const { return m_font; }
    TColor color() const { return m_color; }
    void setColor(TColor color);
    // Re-applies font and colour (after a palette or font reset by Qt).
    void apply();

    int tabOrder() const { return m_tabOrder; }
    void setTabOrder(int order) { m_tabOrder = order; }

private:
    QWidget* m_widget;
    TFont* m_font;
    QPalette::ColorRole m_role;
    TColor m_color;
    bool m_fill;
    int m_tabOrder = -1;
};

} // namespace twl

#define TWL_CONTROL_PROPERTIES                                                                     \
    Q_PROPERTY(int Left READ Left WRITE setLeft)                                                   \
    Q_PROPERTY(int Top READ Top WRITE setTop)                                                      \
    Q_PROPERTY(int Width READ Width WRITE setWidth)                                                \
    Q_PROPERTY(int Height READ Height WRITE setHeight)                                             \
    Q_PROPERTY(bool Visible READ Visible WRITE setVisibleProperty)                                 \
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledProperty)                                 \
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)                                               \
    Q_PROPERTY(twl::TFont* Font READ Font WRITE setFontProperty)                                   \
    Q_PROPERTY(int Color READ Color WRITE setColor)                                                \
    Q_PROPERTY(int TabOrder READ TabOrder WRITE setTabOrderProperty)

#define TWL_CONTROL_ACCESSORS                                                                      \
public:                                                                                            \
    int Left() const {                                                                             \
        return x();                                                                                \
    }                                                                                              \
    void setLeft(int v) {                                                                          \
        move(v, y());                                                                              \
    }                                                                                              \
    int Top() const {                                                                              \
        return y();                                                                                \
    }                                                                                              \
    void setTop(int v) {                                                                           \
        move(x(), v);                                                                              \
    }                                                                                              \
    int Width() const {                                                                            \
        return width();                                                                            \
    }                                                                                              \
    void setWidth(int v) {                                                                         \
        resize(qMax(0, v), height());                                                              \
    }                                                                                              \
    int Height() const {                                                                           \
        return height();                                                                           \
    }                                                                                              \
    void setHeight(int v) {                                                                        \
        resize(width(), qMax(0, v));                                                               \
    }                                                                                              \
    bool Visible() const {                                                                         \
        return !isHidden();                                                                        \
    }                                                                                              \
    void setVisibleProperty(bool v) {                                                              \
        setVisible(v);                                                                             \
    }                                                                                              \
    bool Enabled() const {                                                                         \
        return isEnabled();                                                                        \
    }                                                                                              \
    void setEnabledProperty(bool v) {                                                              \
        setEnabled(v);                                                                             \
    }                                                                                              \
    QString Hint() const {                                                                         \
        return toolTip();                                                                          \
    }                                                                                              \
    void setHint(const QString& v) {                                                               \
        setToolTip(v);                                                                             \
    }                                                                                              \
    twl::TFont* Font() const {                                                                     \
        return m_face.font();                                                                      \
    }                                                                                              \
    void setFontProperty(twl::TFont* f) {                                                          \
        if (f) m_face.font()->Assign(*f);                                                          \
    }                                                                                              \
    int Color() const {                                                                            \
        return m_face.color();                                                                     \
    }                                                                                              \
    void setColor(int c) {                                                                         \
        m_face.setColor(c);                                                                        \
    }                                                                                              \
    int TabOrder() const {                                                                         \
        return m_face.tabOrder();                                                                  \
    }                                                                                              \
    void setTabOrderProperty(int v) {                                                              \
        m_face.setTabOrder(v);                                                                     \
    }                                                                                              \
                                                                                                   \
private:

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A top-level window. Its bounds are the outer (frame) bounds, as the settings
// file stores them. When its building is complete it says so (`Loaded`), which
// is when a translator on it applies the current language.

#include "base/Font.h"
#include "base/TColor.h"

#include <QWidget>
#include <optional>

namespace twl {

class TForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE setClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE setClientHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisibleProperty)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledProperty)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(twl::TFont* Font READ Font WRITE setFontProperty)
    Q_PROPERTY(int Color READ Color WRITE setColor)

public:
    explicit TForm(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& c) { setWindowTitle(c); }
    int Left() const;
    void setLeft(int v);
    int Top() const;
    void setTop(int v);
    int Width() const;
    void setWidth(int v);
    int Height() const;
    void setHeight(int v);
    int ClientWidth() const { return width(); }
    void setClientWidth(int v) { resize(qMax(0, v), height()); }
    int ClientHeight() const { return height(); }
    void setClientHeight(int v) { resize(width(), qMax(0, v)); }
    bool Visible() const { return isVisible(); }
    void setVisibleProperty(bool v) { setVisible(v); }
    bool Enabled() const { return isEnabled(); }
    void setEnabledProperty(bool v) { setEnabled(v); }
    QString Hint() const { return toolTip(); }
    void setHint(const QString& v) { setToolTip(v); }
    TFont* Font() const { return m_font; }
    void setFontProperty(TFont* f) {
        if (f) m_font->Assign(*f);
    }
    TColor Color() const { return m_color; }
    void setColor(int c);

    bool isLoaded() const { return m_loaded; }

signals:
    // The window's building is complete (all its components exist).
    void Loaded();

protected:
    // A derived window calls this at the end of building its components.
    void finishBuilding();
    void showEvent(QShowEvent* e) override;

private:
    void applyLook();
    void applyPendingOuterSize();

    TFont* m_font;
    TColor m_color = clBtnFace;
    bool m_loaded = false;
    // Outer size asked for before the frame was known; applied once shown.
    std::optional<QSize> m_pendingOuter;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TLbSpeedButton: an owner-painted push button with a caption, an optional
// glyph strip, six drawing styles, hot-tracking and group behaviour. Each paint
// builds the whole image off-screen (LbButtons.h) and copies it once; a fade
// worker (LbButtonsThread.h) may count the hot-track colour back after the
// pointer leaves.

#include "base/Font.h"
#include "base/TColor.h"
#include "widgets/LbButtons.h"
#include "widgets/LbButtonsThread.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace twl {

class TLbSpeedButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QAction* Action READ Action WRITE setAction)
    Q_PROPERTY(twl::Lb::TAlign Align READ Align WRITE setAlign)
    Q_PROPERTY(twl::Lb::TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(twl::Lb::TAnchors Anchors READ Anchors WRITE setAnchors)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Color READ Color WRITE setColor)
    Q_PROPERTY(int ColorWhenDown READ ColorWhenDown WRITE setColorWhenDown)
    Q_PROPERTY(twl::Lb::TLbColorStyle ColorStyle READ ColorStyle WRITE setColorStyle STORED false)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool Flat READ Flat WRITE setFlat)
    Q_PROPERTY(twl::TFont* Font READ Font WRITE setFont)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(int HotTrackColor READ HotTrackColor WRITE setHotTrackColor)
    Q_PROPERTY(twl::TFont* HotTrackFont READ HotTrackFont WRITE setHotTrackFont)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(twl::Lb::TLbSpeedButtonLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(int LightColor READ LightColor WRITE setLightColor)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE setParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE setParentShowHint)
    Q_PROPERTY(QMenu* PopupMenu READ PopupMenu WRITE setPopupMenu)
    Q_PROPERTY(int ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)
    Q_PROPERTY(bool SlowDecease READ SlowDecease WRITE setSlowDecease)
    Q_PROPERTY(twl::Lb::TLbSpeedButtonStyle Style READ Style WRITE setStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool UseHotTrackFont READ UseHotTrackFont WRITE setUseHotTrackFont)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(int Height READ Height WRITE setHeight)

public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers shift, int x, int y)>;
    using TMouseMoveEvent =
        std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)>;

    // 100 x 23, up, no glyph, style bsNormal. The hot-track font starts as a
    // copy of the window's font when the window publishes one.
    explicit TLbSpeedButton(QWidget* parent = nullptr);
    // Stops the fade worker first.
    ~TLbSpeedButton() override;

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    QAction* Action() const { return m_action; }
    void setAction(QAction* action);
    // Docks the button against its parent's client area: aligned siblings
    // (any widget publishing an Align of these names) take their share first,
    // top, bottom, left, right, then client, each group in child order.
    Lb::TAlign Align() const { return m_align; }
    void setAlign(Lb::TAlign v);
    // The parent edges the button keeps its distance to; with neither edge of
    // a direction it keeps its centre at the same proportion of the parent.
    Lb::TAnchors Anchors() const { return m_anchors; }
    void setAnchors(Lb::TAnchors v);
    Lb::TAlignment Alignment() const { return m_alignment; }
    void setAlignment(Lb::TAlignment v);
    bool AllowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool v) { m_allowAllUp = v; }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& v);
    // The parent's colour while ParentColor is set.
    TColor Color() const;
    void setColor(int v);
    TColor ColorWhenDown() const { return m_colorWhenDown; }
    void setColorWhenDown(int v);
    // Always lcsCustom: a preset only fills in the other properties.
    TLbColorStyle ColorStyle() const { return m_colorStyle; }
    void setColorStyle(TLbColorStyle v);
    bool Down() const { return m_down; }
    void setDown(bool v);
    bool Flat() const { return m_flat; }
    void setFlat(bool v);
    TFont* Font() const { return m_font.get(); }
    void setFont(const TFont* v);
    using QWidget::setFont;
    QImage Glyph() const { return m_glyph; }
    void setGlyph(const QImage& v);
    int GroupIndex() const { return m_groupIndex; }
    void setGroupIndex(int v);
    TColor HotTrackColor() const { return m_hotTrackColor; }
    void setHotTrackColor(int v) { m_hotTrackColor = v; }
    TFont* HotTrackFont() const { return m_hotTrackFont.get(); }
    void setHotTrackFont(const TFont* v);
    QString Hint() const { return toolTip(); }
    void setHint(const QString& v) { setToolTip(v); }
    TLbSpeedButtonLayout Layout() const { return m_layout; }
    void setLayout(TLbSpeedButtonLayout v);
    using QWidget::setLayout;
    TColor LightColor() const { return m_lightColor; }
    void setLightColor(int v);
    int NumGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int v);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool v);
    bool ParentFont() const { return m_parentFont; }
    void setParentFont(bool v);
    bool ParentShowHint() const { return m_parentShowHint; }
    void setParentShowHint(bool v) { m_parentShowHint = v; }
    QMenu* PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* v);
    TColor ShadowColor() const { return m_shadowColor; }
    void setShadowColor(int v);
    bool ShowHint() const { return m_showHint; }
    void setShowHint(bool v);
    bool SlowDecease() const { return m_slowDecease; }
    void setSlowDecease(bool v);
    TLbSpeedButtonStyle Style() const { return m_style; }
    void setStyle(TLbSpeedButtonStyle v);
    using QWidget::setStyle;
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool v);
    bool UseHotTrackFont() const { return m_useHotTrackFont; }
    void setUseHotTrackFont(bool v) { m_useHotTrackFont = v; }
    bool Visible() const { return !isHidden(); }
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool v);
    int Left() const { return x(); }
    void setLeft(int v) { move(v, y()); }
    int Top() const { return y(); }
    void setTop(int v) { move(x(), v); }
    int Width() const { return width(); }
    void setWidth(int v) { resize(v, height()); }
    int Height() const { return height(); }
    void setHeight(int v) { resize(width(), v); }

    bool MouseInControl() const { return m_mouseInControl; }
    int FadeStep() const { return m_fadeStep; }
    TLbButtonThread* FadeThread() const { return m_fadeThread.get(); }

    // Shows the popup menu, if any, under the button, then fires OnClick (or,
    // without an OnClick, triggers the linked action).
    virtual void Click();
    // The fade worker's tick: one step back towards the plain face colour.
    void FadeTick(QObject* sender);
    // The caption's accelerator key was typed: press and click the button.
    // Returns false when the key is not this button's or it cannot take it.
    bool acceleratorPressed(QChar key);
    // While set, nothing is painted (for a host building a window around the
    // button); clearing it repaints.
    void setLoading(bool loading);

    // The button's look for its current state, and the off-screen image that
    // a paint copies to the screen (magenta where the parent shows through),
    // at the widget's device pixel ratio or the one given.
    TLbButtonPaintState paintState() const;
    QImage paintSurface();
    QImage paintSurface(qreal devicePixelRatio);

signals:
    // After every fade tick, with the new FadeStep.
    void fadeTicked(int fadeStep);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    // A button given a focus policy is pressed by Space: down while the key
    // is held, clicked when it is let go. Enter and Escape are left to others.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // "Repaint": a transparent button lets the parent redraw first, any other
    // paints at once.
    void repaintButton();
    void leftButtonPressed();
    // Puts every other down button of this button's group up.
    void releaseGroupMembers();
    void actionChanged();
    void syncParentFont();
    bool canTrackPointer() const;
    bool effectiveShowHint() const;
    void stopFadeThread() noexcept;
    void watchParent();
    void parentResized(QSize was, QSize now);
    QRect alignedGeometry() const;

    Lb::TAlignment m_alignment = Lb::taLeftJustify;
    bool m_allowAllUp = false;
    TColor m_colorWhenDown = clNone;
    bool m_down = false;
    bool m_flat = false;
    bool m_wordWrap = false;
    QImage m_glyph;
    int m_groupIndex = 0;
    TColor m_hotTrackColor = clNone;
    std::unique_ptr<TFont> m_hotTrackFont;
    TLbSpeedButtonLayout m_layout = Lb::blGlyphLeft;
    TColor m_lightColor = clWhite;
    int m_numGlyphs = 0;
    TColor m_shadowColor = clBlack;
    TLbSpeedButtonStyle m_style = Lb::bsNormal;
    bool m_transparent = false;
    bool m_useHotTrackFont = false;
    TLbColorStyle m_colorStyle = Lb::lcsCustom;
    bool m_mouseInControl = false;
    std::unique_ptr<TLbButtonThread> m_fadeThread;
    bool m_slowDecease = false;
    int m_fadeStep = 0;

    Lb::TAlign m_align = Lb::alNone;
    Lb::TAnchors m_anchors = Lb::akLeft | Lb::akTop;
    QRect m_anchorRules;
    QSize m_anchorParentSize;
    bool m_anchorRulesValid = false;
    QRect m_anchoredGeometry;
    QPointer<QWidget> m_watchedParent;

    QString m_caption;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    std::unique_ptr<TFont> m_font;
    bool m_parentFont = true;
    bool m_syncingFont = false;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    QPointer<QAction> m_action;
    QPointer<QMenu> m_popupMenu;
    int m_shortcutId = 0;
    bool m_clickPending = false;
    bool m_spacePending = false;
    bool m_loading = false;
    bool m_destroying = false;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LbSpeedButton.h"

#include "widgets/LbSpeedButtonAccessible.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <cmath>

namespace twl {

namespace {

// The TFont a widget publishes as its Font property, if any.
TFont* publishedFont(const QObject* o) {
    if (!o) return nullptr;
    return qvariant_cast<TFont*>(o->property("Font"));
}

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

TLbSpeedButton::TLbSpeedButton(QWidget* parent)
    : QWidget(parent)
    , m_hotTrackFont(std::make_unique<TFont>())
    , m_font(std::make_unique<TFont>()) {
    if (const TFont* ownerFont = publishedFont(parent ? parent->window() : nullptr))
        m_hotTrackFont->Assign(*ownerFont);
    syncParentFont();
    connect(m_font.get(), &TFont::changed, this, [this] {
        if (m_syncingFont) return;
        m_parentFont = false;
        update();
    });
    resize(100, 23);
    setMouseTracking(true);
    watchParent();
    installSpeedButtonAccessibility();
}

TLbSpeedButton::~TLbSpeedButton() {
    m_destroying = true;
    stopFadeThread();
}

void TLbSpeedButton::repaintButton() {
    if (m_transparent)
        update();
    else
        repaint();
}

void TLbSpeedButton::setAction(QAction* action) {
    if (m_action == action) return;
    if (m_action) disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (action) {
        connect(action, &QAction::changed, this, &TLbSpeedButton::actionChanged);
        actionChanged();
    }
}

void TLbSpeedButton::actionChanged() {
    if (!m_action) return;
    setCaption(m_action->text());
    setEnabled(m_action->isEnabled());
    setHint(m_action->toolTip());
    setVisible(m_action->isVisible());
    const QIcon icon = m_action->icon();
    if (!m_glyph.isNull() || icon.isNull()) return;
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
    QImage glyph(size, QImage::Format_RGB32);
    glyph.fill(TransparentKey);
    {
        QPainter p(&glyph);
        p.drawPixmap(0, 0, icon.pixmap(size, 1.0));
    }
    m_glyph = glyph;
    m_numGlyphs = 1;
    repaintButton();
}

void TLbSpeedButton::setAlignment(Lb::TAlignment v) {
    m_alignment = v;
    repaintButton();
}

void TLbSpeedButton::setCaption(const QString& v) {
    m_caption = v;
    if (m_shortcutId != 0) releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(v);
    if (!mnemonic.isEmpty()) m_shortcutId = grabShortcut(mnemonic);
    update();
}

TColor TLbSpeedButton::Color() const {
    const QWidget* parent = parentWidget();
    if (!m_parentColor || !parent) return m_color;
    const QVariant published = parent->property("Color");
    if (published.isValid() && published.canConvert<int>()) return published.toInt();
    return fromQColor(parent->palette().color(parent->backgroundRole()));
}

void TLbSpeedButton::setColor(int v) {
    m_color = v;
    m_parentColor = false;
    update();
}

void TLbSpeedButton::setParentColor(bool v) {
    m_parentColor = v;
    update();
}

void TLbSpeedButton::setColorWhenDown(int v) {
    m_colorWhenDown = v;
    repaintButton();
}

void TLbSpeedButton::setColorStyle(TLbColorStyle v) {
    if (v == Lb::lcsCustom) return;
    const TLbColorStyleValues preset = ApplyColorStyle(v);
    setColor(preset.faceColor);
    m_font->setColor(preset.fontColor);
    m_lightColor = preset.lightColor;
    m_shadowColor = preset.shadowColor;
    m_colorWhenDown = preset.downColor;
    m_hotTrackColor = preset.hotTrackColor;
    m_flat = preset.flat;
    // Straight into the field: a preset's style holds even on an 8-bit display.
    m_style = preset.style;
    repaint();
}

void TLbSpeedButton::setDown(bool v) {
    if (v == m_down) return;
    m_down = v;
    releaseGroupMembers();
    repaintButton();
}

// The others go up without running their own setDown: that would release
// this button in turn, and with two of them down the two would release each
// other without end.
void TLbSpeedButton::releaseGroupMembers() {
    if (m_groupIndex == 0 || !parentWidget()) return;
    const auto siblings = parentWidget()->findChildren<TLbSpeedButton*>(Qt::FindDirectChildrenOnly);
    for (TLbSpeedButton* other : siblings) {
        if (other == this || other->m_groupIndex != m_groupIndex || !other->m_down) continue;
        other->m_down = false;
        other->repaintButton();
    }
}

void TLbSpeedButton::setFlat(bool v) {
    m_flat = v;
    repaintButton();
}

void TLbSpeedButton::setFont(const TFont* v) {
    if (v) m_font->Assign(*v);
}

void TLbSpeedButton::setParentFont(bool v) {
    m_parentFont = v;
    syncParentFont();
    update();
}

void TLbSpeedButton::syncParentFont() {
    if (!m_parentFont) return;
    const TFont* parentFont = publishedFont(parentWidget());
    if (!parentFont) return;
    m_syncingFont = true;
    m_font->Assign(*parentFont);
    m_syncingFont = false;
}

void TLbSpeedButton::setGlyph(const QImage& v) {
    if (v.isNull()) {
        m_glyph = QImage();
        m_numGlyphs = 0;
    } else {
        // See-through pixels of an image with alpha become the key colour.
        QImage copy(v.size(), QImage::Format_RGB32);
        copy.fill(TransparentKey);
        QPainter p(&copy);
        p.drawImage(0, 0, v);
        p.end();
        m_glyph = copy;
        m_numGlyphs = copy.height() == 0 ? 0 : copy.width() / copy.height();
    }
    update();
}

void TLbSpeedButton::setGroupIndex(int v) {
    m_groupIndex = v;
    // A button that joins a group while down stays down and the group's
    // other down button goes up, as when Down is set: the last write wins
    // (a window file stores Down before GroupIndex).
    if (m_down) releaseGroupMembers();
    repaintButton();
}

void TLbSpeedButton::setHotTrackFont(const TFont* v) {
    if (v) m_hotTrackFont->Assign(*v);
}

void TLbSpeedButton::setLayout(TLbSpeedButtonLayout v) {
    m_layout = v;
    repaintButton();
}

void TLbSpeedButton::setLightColor(int v) {
    m_lightColor = v;
    repaintButton();
}

void TLbSpeedButton::setNumGlyphs(int v) {
    m_numGlyphs = v;
    update();
}

void TLbSpeedButton::setPopupMenu(QMenu* v) {
    m_popupMenu = v;
    update();
}

void TLbSpeedButton::setShadowColor(int v) {
    m_shadowColor = v;
    repaintButton();
}

void TLbSpeedButton::setShowHint(bool v) {
    m_showHint = v;
    m_parentShowHint = false;
}

bool TLbSpeedButton::effectiveShowHint() const {
    if (!m_parentShowHint) return m_showHint;
    // Up the parents to the first that decides for itself.
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        const QVariant show = w->property("ShowHint");
        if (!show.isValid()) continue;
        const QVariant inherit = w->property("ParentShowHint");
        if (!inherit.isValid() || !inherit.toBool()) return show.toBool();
    }
    return false;
}

void TLbSpeedButton::setSlowDecease(bool v) {
    m_slowDecease = v;
    if (v) {
        if (!m_fadeThread)
            m_fadeThread =
                std::make_unique<TLbButtonThread>([this](QObject* sender) { FadeTick(sender); });
    } else if (m_fadeThread) {
        m_fadeStep = 0;
        stopFadeThread();
    }
    update();
}

void TLbSpeedButton::stopFadeThread() noexcept {
    // Resume, terminate and wait swallow their own errors.
    if (m_fadeThread) m_fadeThread->stop();
    m_fadeThread.reset();
}

void TLbSpeedButton::setStyle(TLbSpeedButtonStyle v) {
    if (v == Lb::bsModern && displayBitsPerPixel() <= 8) v = Lb::bsNormal;
    m_style = v;
    update();
}

void TLbSpeedButton::setTransparent(bool v) {
    m_transparent = v;
    if (v)
        update();
    else
        repaint();
}

void TLbSpeedButton::setWordWrap(bool v) {
    m_wordWrap = v;
    repaintButton();
}

void TLbSpeedButton::setLoading(bool loading) {
    m_loading = loading;
    if (!loading) update();
}

void TLbSpeedButton::Click() {
    QPointer<TLbSpeedButton> self(this);
    if (m_popupMenu) {
        m_popupMenu->exec(mapToGlobal(QPoint(0, height())));
        if (!self) return;
    }
    if (OnClick)
        OnClick(this);
    else if (m_action)
        m_action->trigger();
}

void TLbSpeedButton::FadeTick(QObject* /*sender*/) {
    if (m_destroying) return;
    --m_fadeStep;
    if (m_fadeStep <= 0) {
        if (m_fadeThread && !m_fadeThread->Suspended()) m_fadeThread->Suspend();
        m_fadeStep = 0;
    }
    repaintButton();
    emit fadeTicked(m_fadeStep);
}

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

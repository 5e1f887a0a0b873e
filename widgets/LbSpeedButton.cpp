// SPDX-License-Identifier: GPL-3.0-or-later
// The speed button: construction, its action, its published properties, the
// click and the fade ticks. Input is in LbSpeedButtonInput.cpp, painting in
// LbSpeedButtonPaint.cpp.
#include "widgets/LbSpeedButton.h"

#include "base/GuiConversions.h"
#include "widgets/LbSpeedButtonAccessible.h"

#include <QAction>
#include <QMenu>

namespace twl {

namespace {

// The TFont a widget publishes as its Font property, if any.
TFont* publishedFont(const QObject* o) {
    if (!o) return nullptr;
    return qvariant_cast<TFont*>(o->property("Font"));
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

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ScreenPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <limits>

namespace twl {

namespace {

// Squared distance between two rectangles that do not overlap (0 when they do).
qint64 gap(const QRect& a, const QRect& b) {
    const qint64 dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const qint64 dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect i = a.intersected(b);
    return i.isEmpty() ? 0 : qint64(i.width()) * i.height();
}

int clampStart(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QRect placeOnScreens(const QRect& wanted, const QList<QRect>& areas) {
    if (areas.isEmpty() || wanted.isEmpty()) return wanted;
    QRegion covered;
    for (const QRect& a : areas)
        covered += a;
    if ((QRegion(wanted) - covered).isEmpty()) return wanted;

    const QRect* nearest = &areas.first();
    qint64 bestOverlap = -1;
    qint64 bestGap = std::numeric_limits<qint64>::max();
    for (const QRect& a : areas) {
        const qint64 o = overlap(wanted, a);
        const qint64 g = gap(wanted, a);
        if (o > bestOverlap || (o == 0 && bestOverlap == 0 && g < bestGap)) {
            nearest = &a;
            bestOverlap = o;
            bestGap = g;
        }
    }
    const QRect& area = *nearest;
    const QSize size(std::min(wanted.width(), area.width()),
                     std::min(wanted.height(), area.height()));
    return {QPoint(clampStart(wanted.x(), size.width(), area.x(), area.width()),
                   clampStart(wanted.y(), size.height(), area.y(), area.height())),
            size};
}

namespace {

// Re-places its window when the frame around it changes: the window manager's
// frame arrives after the window is shown.
class FrameWatch : public QObject {
public:
    static constexpr QLatin1StringView Name{"twl_framewatch"};

    explicit FrameWatch(QWidget& window)
        : QObject(&window)
        , m_window(window) {
        setObjectName(Name);
        window.installEventFilter(this);
    }
    void place() {
        // The platform window exists once shown; its exposure follows the
        // window manager's framing, which need not move the client at all.
        if (QWindow* handle = m_window.windowHandle(); handle && handle != m_handle) {
            m_handle = handle;
            handle->installEventFilter(this);
        }
        m_margins = frameMargins();
        const QRect frame = m_window.frameGeometry();
        const QRect placed = placeOnScreens(frame, availableScreenAreas());
        if (placed == frame) return;
        m_window.setGeometry(placed.marginsRemoved(m_margins));
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        const bool changed =
            e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Expose;
        if (changed && m_window.isVisible() && frameMargins() != m_margins) place();
        return false;
    }

private:
    QMargins frameMargins() const {
        const QRect frame = m_window.frameGeometry();
        const QRect client = m_window.geometry();
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    }

    QWidget& m_window;
    QPointer<QWindow> m_handle;
    QMargins m_margins{-1, -1, -1, -1};
};

} // namespace

void keepFrameOnScreen(QWidget& window) {
    auto* watch = static_cast<FrameWatch*>(
        window.findChild<QObject*>(FrameWatch::Name, Qt::FindDirectChildrenOnly));
    if (!watch) watch = new FrameWatch(window);
    watch->place();
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace twl

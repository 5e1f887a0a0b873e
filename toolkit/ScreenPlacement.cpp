// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ScreenPlacement.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
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

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace twl

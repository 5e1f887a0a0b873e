// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window stands when the place it remembers is off every screen (a
// monitor was removed or its resolution lowered).

#include <QList>
#include <QRect>

namespace twl {

// `wanted` unchanged when it lies wholly within the available areas taken
// together; otherwise moved the least distance that brings it wholly onto the
// nearest area (the one it overlaps most, else the closest), shrunk first
// where it is larger than that area. No areas: `wanted` unchanged.
QRect placeOnScreens(const QRect& wanted, const QList<QRect>& areas);

// The available areas of the screens the program can show windows on.
QList<QRect> availableScreenAreas();

} // namespace twl

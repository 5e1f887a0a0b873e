// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window stands when the place it remembers is off every screen (a
// monitor was removed or its resolution lowered).

#include <QList>
#include <QMargins>
#include <QRect>

class QWidget;

namespace twl {

// `wanted` unchanged when it lies wholly within the available areas taken
// together; otherwise moved the least distance that brings it wholly onto the
// nearest area (the one it overlaps most, else the closest), shrunk first
// where it is larger than that area. No areas: `wanted` unchanged.
QRect placeOnScreens(const QRect& wanted, const QList<QRect>& areas);

// The available areas of the screens the program can show windows on.
QList<QRect> availableScreenAreas();

// Brings a shown window's whole frame (title bar and borders included) onto
// the screens, moving and if need be shrinking its client area. A window
// manager tells the frame only after the window is shown, so `window` is
// checked when it is shown and again whenever its frame's size changes
// (never when the user merely moves it). Returns at once for a window that
// is already placed so.
void keepFrameOnScreen(QWidget& window);

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Showing a window that must be seen while the program is busy (the splash
// window at start-up, the progress window during an export). The window
// system maps a window some time after show(): what is painted before that is
// lost, and a busy program serves no expose event afterwards.

class QWidget;

namespace twl {

// Shows `window` and returns once it is exposed and painted, or after at most
// a second when the window system never exposes it (a minimised session).
// Clicks and keys arriving meanwhile wait for the event loop.
void showPainted(QWidget& window);

} // namespace twl

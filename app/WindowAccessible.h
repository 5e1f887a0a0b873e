// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Screen readers meet the program's own top-level windows (the main window,
// the chart window) as windows: without this Qt gives a plain widget the role
// of a client area, which a desktop's reader announces as "filler".

namespace twl {

// Installs the accessibility factory once; later calls do nothing.
void installWindowAccessibility();

} // namespace twl

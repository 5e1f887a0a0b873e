// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours the program's windows are drawn in, whatever the desktop's theme:
// every role of every colour group is set, so none is left for a dark (or any
// other) desktop palette to mix in.

#include <QPalette>

namespace twl {

// The classic light system colours (button face, white boxes, black text,
// navy selection) for every role.
QPalette fixedPalette();

} // namespace twl

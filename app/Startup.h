// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace twl {

// Start-up in order: the localization core before any window, the splash
// window shown and painted, the main window built, the splash window
// destroyed, the message loop; at the end the windows go first and the
// localization core last.
int runApplication(int argc, char** argv);

} // namespace twl

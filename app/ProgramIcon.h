// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's identity on the desktop: the application id that names its
// desktop file, metainfo and icon, and the icon itself, built into the program
// so that every window carries it wherever it is installed.

#include <QIcon>

namespace twl {

inline constexpr char ApplicationId[] = "org.tarnwell.Calculator";

// The installed theme's icon of that id where there is one, else the built-in picture.
QIcon programIcon();
// Names the desktop file and makes the icon that of every window opened from now on.
void applyProgramIdentity();

} // namespace twl

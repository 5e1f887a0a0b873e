#pragma once
// The program's icon, the same picture the desktop's menus show, built into
// the program so that every window carries it wherever it is installed.

#include <QIcon>

namespace twl {

QIcon programIcon();
// Makes it the icon of every window the program opens from now on.
void applyProgramIcon();

} // namespace twl

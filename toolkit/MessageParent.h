// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window, which carries the application title, and the window a
// message box belongs to.

class QWidget;

namespace twl {

// The window that carries the title; forgotten when it is destroyed.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

// The window a message box belongs to and is centred on: the active window
// (not a tool window such as the progress window), else the main window.
QWidget* messageParent();

} // namespace twl

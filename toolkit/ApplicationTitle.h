// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's own title and its main window. Window titles stay each
// window's caption exactly; the application title is shown where a Linux
// desktop shows an application's text: the main window's icon text (what
// task bars show) and the caption of the default error display.

#include <QString>

class QWidget;

namespace twl {

// The program file's name up to its first ".", every character but the first
// in lower case ("twlc" stays "twlc", "TWLC.old" gives "Twlc").
QString initialApplicationTitle(const QString& programPath);

// Until set, the initial title of the running program file.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// The window that carries the title; forgotten when it is destroyed.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

// The window a message box belongs to and is centred on: the active window
// (not a tool window such as the progress window), else the main window.
QWidget* messageParent();

} // namespace twl

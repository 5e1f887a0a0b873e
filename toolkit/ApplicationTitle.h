// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's own title. Window titles stay each window's caption
// exactly; the application title is shown where a Linux desktop shows an
// application's text: the main window's icon text (what task bars show, see
// MessageParent.h) and the caption of the default error display.

#include <QString>
#include <functional>

namespace twl {

// The program file's name up to its first ".", every character but the first
// in lower case ("twlc" stays "twlc", "TWLC.old" gives "Twlc").
QString initialApplicationTitle(const QString& programPath);

// Until set, the initial title of the running program file.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// Called with each title set from now on (the main window shows it).
void onApplicationTitleSet(std::function<void(const QString& title)> listener);

} // namespace twl

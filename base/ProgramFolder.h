// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder of the program file, with its trailing separator. The settings
// file and the language folder live there; tests and hosts may point it
// elsewhere.

#include <QString>

namespace twl {

QString programFolder();
// An empty text restores the real folder.
void setProgramFolder(const QString& folder);

} // namespace twl

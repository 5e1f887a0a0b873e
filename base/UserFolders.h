// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's own folders as the desktop's base-folder rules name them.

#include <QString>

namespace twl {

// $XDG_CONFIG_HOME or $XDG_DATA_HOME when absolute, else the home folder's
// default (".config/", ".local/share/" below `home`); with a trailing separator.
QString userBaseFolder(const QString& variable, const QString& home, const QString& fallback);
QString userDataFolder();
// $HOME when absolute, else the account's home folder.
QString userHomeFolder();

// Creates every missing folder of `path` with mode 0700, as the user's own
// configuration and data folders are made. False when one cannot be made.
bool makePrivateFolders(const QString& path);

} // namespace twl

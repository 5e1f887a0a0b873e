// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the calculator and twlc-export keep twlc.ini. The file beside the
// program when it can be written (a developer build, a copy in the user's own
// folder); otherwise the user's own file under $XDG_CONFIG_HOME, which starts
// from the file beside the program (the administrator's defaults) until the
// program first writes it.

#include <QString>
#include <functional>

namespace twl {

struct SettingsPlace {
    QString path;
    // The file whose values stand in while `path` does not exist; empty when
    // `path` is the file beside the program.
    QString seed;
};

struct SettingsEnvironment {
    QString programFolder; // with its trailing separator
    QString configHome;    // $XDG_CONFIG_HOME as set, possibly empty or relative
    QString home;
    // Whether a file (or, for one not there yet, its folder) can be written.
    std::function<bool(const QString&)> canWrite;
};

SettingsPlace settingsPlaceIn(const SettingsEnvironment& environment);
// The place for this process: the program folder, the environment, the file system.
SettingsPlace settingsPlace();
// Replaces the file-system check of settingsPlace() (tests run as root, who
// may write anywhere); an empty function restores it.
void setSettingsWriteCheck(std::function<bool(const QString&)> check);

// Lines for --help: where this user's settings file is, and the defaults' file.
QString settingsHelpText();

// The user's language folder: $XDG_DATA_HOME/tarnwell/language/.
QString userLanguageFolder();

} // namespace twl

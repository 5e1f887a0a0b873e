// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the calculator and twlc-export keep twlc.ini. An installed program
// (the package, `cmake --install`: its folder holds the install's mark) never
// writes beside itself, whoever runs it: it keeps the user's own file under
// $XDG_CONFIG_HOME, which starts from the administrator's defaults in the
// system's configuration folder (/etc/tarnwell/twlc.ini for the package) until
// the program first writes it. A build run from its build tree keeps the file
// beside the program when that can be written, else the user's own file,
// which then starts from the file beside the program.

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
    bool installed = false;
    QString systemFolder; // the administrator's folder, with its trailing separator
    QString configHome;   // $XDG_CONFIG_HOME as set, possibly empty or relative
    QString home;
    // Whether a file (or, for one not there yet, its folder) can be written.
    std::function<bool(const QString&)> canWrite;
};

SettingsPlace settingsPlaceIn(const SettingsEnvironment& environment);
// The name of the mark the install puts beside the programs.
extern const QString InstalledMarkName;
// The administrator's folder of an installed program: <sysconfdir>/tarnwell/.
QString systemSettingsFolder();
// The place for this process: the program folder, the environment, the file system.
SettingsPlace settingsPlace();
// Replaces the file-system check of settingsPlace() (tests run as root, who
// may write anywhere); an empty function restores it.
void setSettingsWriteCheck(std::function<bool(const QString&)> check);

// Lines for --help: where this user's settings file is, the defaults' file and
// the language folders.
QString settingsHelpText();

// The user's language folder: $XDG_DATA_HOME/tarnwell/language/.
QString userLanguageFolder();

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the user chose for the calculator and for twlc-export:
// `--language NAME` on the command line, else `Language=NAME` in section
// `Settings` of twlc.ini. NAME is a language file's name without ".lng", in
// any letter case. Without a choice the usual rule holds: English, else the
// first language found.

#include <QString>
#include <QStringList>

namespace twl {

class SettingsFile;
class TbsCorePolyglot;

// The name asked for: the command line's when given, else the settings
// file's; empty when neither names one.
QString requestedLanguage(const QString& commandLine, const SettingsFile* settings);

// Makes the requested language current (translating every window) when the
// core's folder lists it; without a request, English when listed, whatever
// the user's folder holds. Returns the requested name when it lists no such
// language (the current language stays), else empty.
QString chooseRequestedLanguage(TbsCorePolyglot& core, const QString& commandLine,
                                const SettingsFile* settings);

// The languages the core lists, in its order.
QStringList listedLanguages(const TbsCorePolyglot& core);

// One line for a command's standard error: the unknown name and the
// languages there are.
QString unknownLanguageText(const TbsCorePolyglot& core, const QString& name);

// The calculator's --language, given at start-up and applied when the main
// window moves to the language folder beside the program.
void setCommandLineLanguage(const QString& name);
QString commandLineLanguage();

} // namespace twl

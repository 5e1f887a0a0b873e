// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LanguageChoice.h"

#include "app/SettingsFile.h"
#include "i18n/bsPolyglotUn.h"

#include <QFileInfo>
#include <QStringList>

namespace twl {

namespace {
QString& commandLineSlot() {
    static QString name;
    return name;
}
} // namespace

QString requestedLanguage(const QString& commandLine, const SettingsFile* settings) {
    if (!commandLine.trimmed().isEmpty()) return commandLine.trimmed();
    if (!settings) return QString();
    return settings->ReadString(QStringLiteral("Settings"), QStringLiteral("Language"), QString())
        .trimmed();
}

QString chooseRequestedLanguage(TbsCorePolyglot& core, const QString& commandLine,
                                const SettingsFile* settings) {
    const QString wanted = requestedLanguage(commandLine, settings);
    if (wanted.isEmpty()) {
        // The core may have fallen back on a user's file while the shipped
        // folder was not yet listed; without a choice the default is English.
        const QString english = core.ListedLanguage(TbsCorePolyglot::DefaultLanguage);
        if (!english.isEmpty()) core.ChangeLanguage(english);
        return QString();
    }
    // The file's own spelling, so that the current language reads as listed.
    const QString listed = core.ListedLanguage(wanted);
    if (listed.isEmpty()) return wanted;
    core.ChangeLanguage(listed);
    return QString();
}

QStringList listedLanguages(const TbsCorePolyglot& core) {
    QStringList names;
    for (int i = 0; i < core.LanguageCount(); ++i)
        names << core.LanguageAt(i);
    return names;
}

QString unknownLanguageText(const TbsCorePolyglot& core, const QString& name) {
    const QStringList names = listedLanguages(core);
    const QString known =
        names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1String(", "));
    // The user's folder is named only where it exists: that is where a file would be put.
    QString folders = core.LanguagesFolder();
    const QString own = core.UserLanguagesFolder();
    if (!own.isEmpty() && QFileInfo(own).isDir()) folders += QStringLiteral(" or ") + own;
    return QStringLiteral("there is no language named %1 in %2 (languages: %3)")
        .arg(name, folders, known);
}

void setCommandLineLanguage(const QString& name) {
    commandLineSlot() = name;
}

QString commandLineLanguage() {
    return commandLineSlot();
}

} // namespace twl

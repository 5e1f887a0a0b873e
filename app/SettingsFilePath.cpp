// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsFilePath.h"

#include "base/ProgramFolder.h"
#include "base/UserFolders.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace twl {

namespace {

const QString SettingsName = QStringLiteral("twlc.ini");

bool canWritePath(const QString& path) {
    const QFileInfo info(path);
    const QString target = info.exists() || info.isSymLink() ? path : info.absolutePath();
    return ::access(QFile::encodeName(target).constData(), W_OK) == 0;
}

std::function<bool(const QString&)>& writeCheckSlot() {
    static std::function<bool(const QString&)> check;
    return check;
}

} // namespace

const QString InstalledMarkName = QStringLiteral("twlc.installed");

SettingsPlace settingsPlaceIn(const SettingsEnvironment& environment) {
    const QString own =
        userBaseFolder(environment.configHome, environment.home, QStringLiteral(".config/")) +
        QStringLiteral("tarnwell/") + SettingsName;
    // Root may write anywhere: a file beside an installed program would become
    // every new user's defaults and outlive the package.
    if (environment.installed) return {own, environment.systemFolder + SettingsName};
    const QString beside = environment.programFolder + SettingsName;
    if (environment.canWrite(beside)) return {beside, QString()};
    return {own, beside};
}

QString systemSettingsFolder() {
    return QStringLiteral(TWL_SYSCONFDIR "/tarnwell/");
}

SettingsPlace settingsPlace() {
    const auto& check = writeCheckSlot();
    const QString folder = programFolder();
    return settingsPlaceIn({folder, QFileInfo::exists(folder + InstalledMarkName),
                            systemSettingsFolder(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                            userHomeFolder(), check ? check : canWritePath});
}

void setSettingsWriteCheck(std::function<bool(const QString&)> check) {
    writeCheckSlot() = std::move(check);
}

QString settingsHelpText() {
    const SettingsPlace place = settingsPlace();
    QString text = QStringLiteral("\nSettings file: %1\n").arg(place.path);
    if (!place.seed.isEmpty())
        text += QStringLiteral("Administrator's defaults: %1 (read while the settings file does "
                               "not exist)\n")
                    .arg(place.seed);
    return text + QStringLiteral("Shipped language files: %1language/\n"
                                 "Your own language files: %2\n")
                      .arg(programFolder(), userLanguageFolder());
}

QString userLanguageFolder() {
    return userDataFolder() + QStringLiteral("tarnwell/language/");
}

} // namespace twl

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

SettingsPlace settingsPlaceIn(const SettingsEnvironment& environment) {
    const QString beside = environment.programFolder + SettingsName;
    if (environment.canWrite(beside)) return {beside, QString()};
    const QString own =
        userBaseFolder(environment.configHome, environment.home, QStringLiteral(".config/")) +
        QStringLiteral("tarnwell/") + SettingsName;
    return {own, beside};
}

SettingsPlace settingsPlace() {
    const auto& check = writeCheckSlot();
    return settingsPlaceIn({programFolder(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                            userHomeFolder(), check ? check : canWritePath});
}

void setSettingsWriteCheck(std::function<bool(const QString&)> check) {
    writeCheckSlot() = std::move(check);
}

QString settingsHelpText() {
    const SettingsPlace place = settingsPlace();
    QString text = QStringLiteral("\nSettings file: %1\n").arg(place.path);
    if (!place.seed.isEmpty())
        text += QStringLiteral("(while it does not exist, %1 gives the starting values)\n")
                    .arg(place.seed);
    return text + QStringLiteral("Your own language files: %1\n").arg(userLanguageFolder());
}

QString userLanguageFolder() {
    return userDataFolder() + QStringLiteral("tarnwell/language/");
}

} // namespace twl

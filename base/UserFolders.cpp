// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace twl {

QString userBaseFolder(const QString& variable, const QString& home, const QString& fallback) {
    // A relative value is ignored: it would depend on the current folder.
    if (QDir::isAbsolutePath(variable)) return QDir::cleanPath(variable) + QLatin1Char('/');
    return QDir::cleanPath(home) + QLatin1Char('/') + fallback;
}

QString userHomeFolder() {
    const QString home = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(home) ? home : QDir::homePath();
}

QString userDataFolder() {
    return userBaseFolder(qEnvironmentVariable("XDG_DATA_HOME"), userHomeFolder(),
                          QStringLiteral(".local/share/"));
}

bool makePrivateFolders(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (clean.isEmpty() || QFileInfo(clean).isDir()) return QFileInfo(clean).isDir();
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !makePrivateFolders(clean.left(slash))) return false;
    if (::mkdir(QFile::encodeName(clean).constData(), 0700) == 0) return true;
    return errno == EEXIST && QFileInfo(clean).isDir();
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace twl {

namespace {
QString& overrideSlot() {
    static QString folder;
    return folder;
}
} // namespace

QString programFolder() {
    QString folder = overrideSlot();
    // Before the application object exists (--help), the running file says it.
    if (folder.isEmpty())
        folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                              : QFileInfo(QStringLiteral("/proc/self/exe"))
                                                    .canonicalFilePath()
                                                    .section(QLatin1Char('/'), 0, -2);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

void setProgramFolder(const QString& folder) {
    overrideSlot() = folder;
}

} // namespace twl

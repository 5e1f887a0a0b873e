#include "base/ProgramFolder.h"

#include <QCoreApplication>

namespace twl {

namespace {
QString& overrideSlot() {
    static QString folder;
    return folder;
}
} // namespace

QString programFolder() {
    QString folder = overrideSlot();
    if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

void setProgramFolder(const QString& folder) {
    overrideSlot() = folder;
}

} // namespace twl

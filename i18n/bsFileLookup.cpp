// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsFileLookup.h"

#include <QDir>
#include <QFileInfo>

namespace twl {

namespace {

// The entry of folder named `name` without regard to case; empty when none.
QString entryIgnoringCase(const QString& folder, const QString& name) {
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    }
    return QString();
}

} // namespace

QString findPathIgnoringCase(const QString& path) {
    if (path.isEmpty()) return QString();
    if (QFileInfo::exists(path)) return path;
    const QChar sep = QLatin1Char('/');
    const bool trailing = path.endsWith(sep);
    QString resolved = path.startsWith(sep) ? QString(sep) : QString();
    const QStringList names = path.split(sep, Qt::SkipEmptyParts);
    for (const QString& name : names) {
        QString next = resolved + name;
        if (name != QLatin1String(".") && name != QLatin1String("..") && !QFileInfo::exists(next)) {
            const QString found = entryIgnoringCase(resolved, name);
            if (found.isEmpty()) return QString();
            next = resolved + found;
        }
        resolved = next + sep;
    }
    if (!trailing && resolved.size() > 1) resolved.chop(1);
    return resolved;
}

bool isHiddenName(const QString& name) {
    return name.startsWith(QLatin1Char('.'));
}

} // namespace twl

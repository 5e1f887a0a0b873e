// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <optional>

namespace twl {

namespace {

std::optional<QString>& titleSlot() {
    static std::optional<QString> title;
    return title;
}

std::function<void(const QString&)>& listenerSlot() {
    static std::function<void(const QString&)> listener;
    return listener;
}

} // namespace

QString initialApplicationTitle(const QString& programPath) {
    QString name = QFileInfo(programPath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) name.truncate(dot);
    return name.left(1) + name.mid(1).toLower();
}

QString applicationTitle() {
    if (!titleSlot()) return initialApplicationTitle(QCoreApplication::applicationFilePath());
    return *titleSlot();
}

void setApplicationTitle(const QString& title) {
    titleSlot() = title;
    if (listenerSlot()) listenerSlot()(title);
}

void onApplicationTitleSet(std::function<void(const QString& title)> listener) {
    listenerSlot() = std::move(listener);
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ApplicationTitle.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <optional>

namespace twl {

namespace {

std::optional<QString>& titleSlot() {
    static std::optional<QString> title;
    return title;
}

QPointer<QWidget>& mainWindowSlot() {
    static QPointer<QWidget> window;
    return window;
}

// The window system may hear of a new icon text only when the program next
// talks to it; passing the unchanged title on makes that happen now.
void showIconText(QWidget& window, const QString& text) {
    window.setWindowIconText(text);
    if (QWindow* handle = window.windowHandle()) handle->setTitle(handle->title());
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
    if (QWidget* window = mainWindowSlot()) showIconText(*window, title);
}

void setMainWindow(QWidget* window) {
    mainWindowSlot() = window;
    if (window) showIconText(*window, applicationTitle());
}

QWidget* mainWindow() {
    return mainWindowSlot();
}

QWidget* messageParent() {
    QWidget* active = QApplication::activeWindow();
    if (active && active->windowType() != Qt::Tool) return active;
    return mainWindowSlot();
}

} // namespace twl

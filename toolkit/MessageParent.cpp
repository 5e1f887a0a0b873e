// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/MessageParent.h"

#include "toolkit/ApplicationTitle.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace twl {

namespace {

QPointer<QWidget>& mainWindowSlot() {
    static QPointer<QWidget> window;
    return window;
}

void showIconText(QWidget& window, const QString& text) {
    window.setWindowIconText(text);
    if (QWindow* handle = window.windowHandle()) handle->setTitle(handle->title());
}

} // namespace

void setMainWindow(QWidget* window) {
    mainWindowSlot() = window;
    onApplicationTitleSet([](const QString& title) {
        if (QWidget* shown = mainWindowSlot()) showIconText(*shown, title);
    });
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>

namespace twl {

namespace {

QAccessibleInterface* windowFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    // Asked for the object's own class only, and only for our classes: Qt's
    // widgets and every dialog keep the roles Qt gives them.
    if (className != QLatin1String(object->metaObject()->className()) ||
        !className.startsWith(QLatin1String("twl::")))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (!widget->isWindow() || qobject_cast<QDialog*>(widget)) return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void installWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    (void)installed;
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ownership of components. A form owns every component designed on it, however
// deeply nested visually; Qt's parent is the visual parent. The translator
// looks up "owned component by name" through this relation, and "child control
// by name" through the parent relation.

#include <QList>
#include <QObject>
#include <QString>

namespace twl {

// Records `owner` as the owner of `component` (in creation order). The owner
// does not become the Qt parent; lifetime still follows the Qt parent.
void setOwner(QObject* component, QObject* owner);
QObject* Owner(const QObject* component);
// The live components owned by `owner`, in the order they were added.
QList<QObject*> Components(const QObject* owner);
// The owned component with this name (letter case ignored), or null.
QObject* FindComponent(const QObject* owner, const QString& name);

// The window a widget is on, the widget itself when it is one (what
// QWidget::window() gives). The widget layer answers it (useWidgets); a
// process without that layer has no widgets to ask about.
QObject* WindowOf(QObject* widget);
void setWindowOfWidgets(QObject* (*windowOf)(QObject* widget));

} // namespace twl

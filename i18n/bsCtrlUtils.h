// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Child-control lookup by name, as the form translator walks property paths.

#include <QString>

class QObject;

namespace twl {

// The first direct child widget of parent whose objectName equals name without
// regard to case; nullptr when parent is none, not a widget, or nothing matches.
QObject* FindChildControl(const QObject* parent, const QString& name);

} // namespace twl

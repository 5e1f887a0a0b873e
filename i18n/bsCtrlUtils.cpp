// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsCtrlUtils.h"

#include <QObject>

namespace twl {

QObject* FindChildControl(const QObject* parent, const QString& name) {
    if (!parent || !parent->isWidgetType()) return nullptr;
    for (QObject* child : parent->children()) {
        if (!child->isWidgetType()) continue;
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) return child;
    }
    return nullptr;
}

} // namespace twl

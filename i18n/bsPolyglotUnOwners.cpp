// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsPolyglotUnOwners.h"

#include "toolkit/Component.h"

#include <QVariant>

namespace twl::polyglot {

QObject* componentOwner(const QObject* c) {
    if (!c) return nullptr;
    if (QObject* registered = Owner(c)) return registered;
    const QVariant declared = c->property(OwnerProperty);
    if (declared.isValid()) {
        if (QObject* o = declared.value<QObject*>()) return o;
    }
    QObject* parent = c->parent();
    if (!parent) return nullptr;
    if (parent->isWidgetType()) return WindowOf(parent);
    return parent;
}

QObject* findOwnedComponent(const QObject* owner, const QString& name) {
    if (!owner || name.isEmpty()) return nullptr;
    // A window built by the toolkit lists what it owns; look nowhere else then.
    if (!Components(owner).isEmpty()) return FindComponent(owner, name);
    const QList<QObject*> all = owner->findChildren<QObject*>();
    for (QObject* o : all) {
        if (o->objectName().compare(name, Qt::CaseInsensitive) == 0 && componentOwner(o) == owner)
            return o;
    }
    return nullptr;
}

OwnerKind ownerKind(const QObject* owner) {
    if (!owner) return OwnerKind::Other;
    if (owner->isWidgetType())
        return WindowOf(const_cast<QObject*>(owner)) == owner ? OwnerKind::Form : OwnerKind::Frame;
    if (!componentOwner(owner)) return OwnerKind::DataModule;
    return OwnerKind::Other;
}

} // namespace twl::polyglot

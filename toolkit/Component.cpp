// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Component.h"

#include <QHash>
#include <QPointer>

namespace twl {

namespace {
struct Registry {
    QHash<const QObject*, QPointer<QObject>> ownerOf;
    QHash<const QObject*, QList<QPointer<QObject>>> owned;
};

Registry& registry() {
    static Registry r;
    return r;
}

void forget(const QObject* obj) {
    Registry& r = registry();
    r.ownerOf.remove(obj);
    r.owned.remove(obj);
}
} // namespace

void setOwner(QObject* component, QObject* owner) {
    if (!component) return;
    Registry& r = registry();
    if (QObject* previous = r.ownerOf.value(component)) {
        auto& list = r.owned[previous];
        list.removeAll(QPointer<QObject>(component));
    }
    const bool known = r.ownerOf.contains(component) || r.owned.contains(component);
    r.ownerOf.insert(component, owner);
    if (owner) {
        if (!r.owned.contains(owner))
            QObject::connect(owner, &QObject::destroyed, [owner] { forget(owner); });
        r.owned[owner].append(component);
    }
    if (!known)
        QObject::connect(component, &QObject::destroyed, [component] { forget(component); });
}

QObject* Owner(const QObject* component) {
    return registry().ownerOf.value(component);
}

QList<QObject*> Components(const QObject* owner) {
    QList<QObject*> out;
    const auto it = registry().owned.constFind(owner);
    if (it == registry().owned.cend()) return out;
    for (const QPointer<QObject>& p : *it) {
        if (p) out.append(p.data());
    }
    return out;
}

QObject* FindComponent(const QObject* owner, const QString& name) {
    if (name.isEmpty()) return nullptr;
    for (QObject* c : Components(owner)) {
        if (c->objectName().compare(name, Qt::CaseInsensitive) == 0) return c;
    }
    return nullptr;
}

namespace {
QObject* (*&windowOfSlot())(QObject*) {
    static QObject* (*windowOf)(QObject*) = nullptr;
    return windowOf;
}
} // namespace

QObject* WindowOf(QObject* widget) {
    return widget && windowOfSlot() ? windowOfSlot()(widget) : widget;
}

void setWindowOfWidgets(QObject* (*windowOf)(QObject* widget)) {
    windowOfSlot() = windowOf;
}

} // namespace twl

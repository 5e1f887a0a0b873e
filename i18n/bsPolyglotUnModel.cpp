// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/bsPolyglotUnModel.h"

#include "base/ClassName.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <cstring>
#include <limits>

namespace twl::polyglot {

QString sectionName(const QObject* obj) {
    return unqualifiedClassName(obj);
}

namespace {

// Qt's own classes (QObject, QWidget, QLabel, ...) carry properties of their
// own (windowOpacity, styleSheet, text); they are not the program's.
bool isToolkitBaseClass(const QMetaObject* mo) {
    const char* name = mo->className();
    return name[0] == 'Q' && name[1] >= 'A' && name[1] <= 'Z' && !std::strchr(name, ':');
}

// The index of the first property that the program's own classes declare.
int firstPublishedIndex(const QMetaObject* mo) {
    while (mo && !isToolkitBaseClass(mo))
        mo = mo->superClass();
    return mo ? mo->propertyCount() : 0;
}

} // namespace

QMetaProperty findPublishedProperty(const QObject* obj, QStringView name) {
    const QMetaObject* mo = obj->metaObject();
    const int first = firstPublishedIndex(mo);
    for (int i = mo->propertyCount() - 1; i >= first; --i) {
        const QMetaProperty p = mo->property(i);
        if (QLatin1String(p.name()).compare(name, Qt::CaseInsensitive) == 0) return p;
    }
    return QMetaProperty();
}

QByteArray setElementType(const QObject* obj, const QMetaProperty& prop) {
    const QMetaObject* mo = obj->metaObject();
    const int info = mo->indexOfClassInfo(QByteArray("set:") + prop.name());
    return info < 0 ? QByteArray() : QByteArray(mo->classInfo(info).value());
}

namespace {
QMetaProperty stringsProperty(const QObject* obj) {
    const QMetaObject* mo = obj->metaObject();
    const int at = mo->indexOfProperty("Strings");
    if (at < 0) return QMetaProperty();
    const QMetaProperty p = mo->property(at);
    if (p.metaType().id() != QMetaType::QStringList || !p.isWritable()) return QMetaProperty();
    return p;
}
} // namespace

bool isStringList(const QObject* obj) {
    return obj && stringsProperty(obj).isValid();
}

void replaceStrings(QObject* list, const QStringList& items) {
    const QMetaProperty p = stringsProperty(list);
    if (p.isValid()) p.write(list, QVariant(items));
}

bool isCollection(const QObject* obj) {
    if (!obj) return false;
    const QMetaObject* mo = obj->metaObject();
    const bool hasCount = mo->indexOfProperty("Count") >= 0 || mo->indexOfMethod("Count()") >= 0;
    return hasCount && mo->indexOfMethod("Items(int)") >= 0;
}

int collectionCount(QObject* collection) {
    const QMetaObject* mo = collection->metaObject();
    if (mo->indexOfProperty("Count") >= 0) return collection->property("Count").toInt();
    int count = 0;
    QMetaObject::invokeMethod(collection, "Count", Qt::DirectConnection, Q_RETURN_ARG(int, count));
    return count;
}

QObject* collectionItem(QObject* collection, int index) {
    const QMetaObject* mo = collection->metaObject();
    const QMetaMethod method = mo->method(mo->indexOfMethod("Items(int)"));
    // Any pointer-to-QObject return type will do (TListColumn*, QObject*, ...).
    if (!method.isValid() || !(method.returnMetaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    QObject* item = nullptr;
    method.invoke(collection, Qt::DirectConnection,
                  QGenericReturnArgument(method.typeName(), &item), Q_ARG(int, index));
    return item;
}

bool isComponentNameProperty(const QObject* obj, const QMetaProperty& prop) {
    const QByteArray name(prop.name());
    if (name == "objectName") return true;
    // A published "Name" that mirrors the component's name (a font's Name is a face).
    return name == "Name" && !obj->objectName().isEmpty() &&
           prop.read(obj).toString() == obj->objectName();
}

bool integerRange(const QObject* obj, const QMetaProperty& prop, qint64& min, qint64& max) {
    switch (prop.metaType().id()) {
    case QMetaType::Int:
        min = std::numeric_limits<int>::min();
        max = std::numeric_limits<int>::max();
        break;
    case QMetaType::UInt:
        min = 0;
        max = std::numeric_limits<unsigned>::max();
        break;
    case QMetaType::Short:
        min = std::numeric_limits<short>::min();
        max = std::numeric_limits<short>::max();
        break;
    case QMetaType::UShort:
        min = 0;
        max = std::numeric_limits<unsigned short>::max();
        break;
    case QMetaType::SChar:
        min = std::numeric_limits<signed char>::min();
        max = std::numeric_limits<signed char>::max();
        break;
    case QMetaType::UChar:
        min = 0;
        max = std::numeric_limits<unsigned char>::max();
        break;
    default:
        return false;
    }
    const QMetaObject* mo = obj->metaObject();
    const int info = mo->indexOfClassInfo(QByteArray("range:") + prop.name());
    if (info >= 0) {
        const QList<QByteArray> parts = QByteArray(mo->classInfo(info).value()).split(',');
        bool okMin = false, okMax = false;
        if (parts.size() == 2) {
            const qint64 lo = parts[0].trimmed().toLongLong(&okMin);
            const qint64 hi = parts[1].trimmed().toLongLong(&okMax);
            if (okMin && okMax && lo <= hi) {
                min = std::max(min, lo);
                max = std::min(max, hi);
            }
        }
    }
    return true;
}

} // namespace twl::polyglot

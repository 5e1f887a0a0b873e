// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the translator sees the component model: which objects are string lists
// and collections, and which integer range a property declares (who owns a
// component is bsPolyglotUnOwners.h, as it needs the widgets). Everything the
// translator needs from the toolkit goes through these two units, so that a
// change of the toolkit's representation touches them only.

#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QStringList>

namespace twl::polyglot {

// The section name of an object: its class name without namespace.
QString sectionName(const QObject* obj);

// A string list is an object with a writable QStringList property "Strings".
bool isStringList(const QObject* obj);
void replaceStrings(QObject* list, const QStringList& items);

// A collection offers Count (property or invokable) and invokable Items(int).
bool isCollection(const QObject* obj);
int collectionCount(QObject* collection);
QObject* collectionItem(QObject* collection, int index);

// The component's own name is part of the language-file format: a language
// file never renames a component.
bool isComponentNameProperty(const QObject* obj, const QMetaProperty& prop);

// The published property of that name, without regard to letter case (the
// most derived one when names repeat); invalid when there is none. Only the
// program's own classes publish: what Qt's base classes declare (styleSheet,
// windowOpacity, a label's text) is not reachable.
QMetaProperty findPublishedProperty(const QObject* obj, QStringView name);

// A set is published as an integer of bits; its class declares it with a
// class info entry "set:<Property>" = "<element enumeration>". The
// enumeration's name, or empty for a property that is not a set.
QByteArray setElementType(const QObject* obj, const QMetaProperty& prop);

// The integer range a property accepts: its type's range, narrowed by a class
// info entry "range:<Property>" = "min,max" when the class declares one.
// False for kinds that are not integers.
bool integerRange(const QObject* obj, const QMetaProperty& prop, qint64& min, qint64& max);

} // namespace twl::polyglot

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the translator sees the component model: who owns a component, which
// objects are string lists and collections, and which integer range a property
// declares. Everything the translator needs from the toolkit goes through here,
// so that a change of the toolkit's representation touches this unit only.

#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QStringList>

namespace twl::polyglot {

// The dynamic or declared property through which a component names its owner.
inline constexpr const char OwnerProperty[] = "Owner";

// The owner of c: the owner the toolkit recorded for it (setOwner); else its
// "Owner" property when that holds an object; else, for objects built without
// the toolkit, the window of its widget parent (a label on a panel belongs to
// the form), or its plain parent.
QObject* componentOwner(const QObject* c);

// The first component owned by owner, however deeply nested, whose name equals
// name without regard to case; nullptr for an empty name or no match. An owner
// with toolkit-recorded components is searched through that list only.
QObject* findOwnedComponent(const QObject* owner, const QString& name);

enum class OwnerKind { Form, DataModule, Frame, Other };
// A top-level widget is a form, an embedded one a frame, an object owned by
// nothing a data module; anything else is not translated.
OwnerKind ownerKind(const QObject* owner);

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

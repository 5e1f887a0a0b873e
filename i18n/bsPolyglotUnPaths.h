// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The walk of property paths from a language-file section to the objects.

#include "i18n/bsINIFile.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

namespace twl::polyglot {

// Applies every key of the component's class section, in file order. Stops
// early when keepGoing() turns false (the file was replaced under the walk).
// Raises EPropertyError for an enumeration value that names no member and for
// a Boolean value other than True or False.
void translateFromFile(const TbsINIFile& file, QObject* component,
                       const std::function<bool()>& keepGoing);

// Applies one key: the path walk from the component.
void applyPath(const TbsINIFile& file, const QString& section, const QString& key,
               QObject* component);
// The same walk from `component` for the part `path` of the key, as when the
// names before it led there.
void applyPathFrom(const TbsINIFile& file, const QString& section, const QString& key,
                   QStringView path, QObject* component);

// Applies the section's keys, in file order, to components that stand on
// their own, as if one owner held them under these names: a key's first name
// picks the component (letter case ignored) and the rest walks from it; a key
// that names none of them is skipped, as for a control the owner lacks.
void translateNamed(const TbsINIFile& file, const QString& section,
                    const QList<std::pair<QString, QObject*>>& components);

// The text a key of the section gives the property at `path` (names
// separated by ".", a collection's item as Items(N)), decoded as the walk
// decodes it; when several keys name it, the last, as the walk leaves it.
// False when no key names it.
bool lookUpText(const TbsINIFile& file, const QString& section, QStringView path, QString& text);
// The items a key gives the string list at `path` (its "Strings").
bool lookUpStrings(const TbsINIFile& file, const QString& section, QStringView path,
                   QStringList& items);

} // namespace twl::polyglot

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The walk of property paths from a language-file section to the objects.

#include "i18n/bsINIFile.h"

#include <QObject>
#include <QString>
#include <functional>

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

} // namespace twl::polyglot

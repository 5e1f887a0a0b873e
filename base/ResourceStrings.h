// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every fixed message of the program is a resource string: a numeric identifier
// with a built-in text. Loads go through one function, so a language file can
// redirect them (the localization core installs a lookup in front of it).
//
// Identifier ranges, one per subsystem, so that identifiers stay unique:
//   base 1000-1049, toolkit 1050-1099, app 1100-1199 (the schedule in loan/
//   keeps 1103 and 1104, and adds from 1200), export 2000-2199,
//   writers 2200-2399, biff 3000-3099, i18n 4000-4099, widgets 5000-5099.

#include <QString>
#include <functional>

namespace twl {

struct ResourceString {
    int id;
    const char* text; // UTF-8
};

// A lookup returns true and fills the text when it replaces the string.
using ResourceLookup = std::function<bool(int id, QString& text)>;

// Loads a resource string: the active lookup's replacement when it has one,
// else the built-in text cut to 1023 characters: the program's texts were
// designed for a loader that reads into a 1,024-character buffer, and cutting
// here keeps every text what that loader gave (none of ours is that long).
QString LoadResString(const ResourceString& rs);

// The built-in text alone, never redirected.
QString builtinResString(const ResourceString& rs);

// Installs (or, with an empty function, removes) the redirection; takes effect at once.
void setResourceLookup(ResourceLookup lookup);
bool hasResourceLookup();

} // namespace twl

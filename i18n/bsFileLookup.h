// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding files and folders by name as the language files' home platform
// does: the exact spelling first, then any spelling that differs only in
// letter case, so that "Language/english.lng" finds "language/English.lng".

#include <QString>

namespace twl {

// The existing path that `path` names: every name as spelled where that
// exists, else the first entry of its folder that equals it without regard
// to case. Empty when some name matches nothing. A trailing separator is kept.
QString findPathIgnoringCase(const QString& path);

// Names that start with "." are hidden entries (editor lock links such as
// ".#English.lng" among them), never languages.
bool isHiddenName(const QString& name);

} // namespace twl

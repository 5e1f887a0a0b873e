// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolkit's fonts and colours as Qt's painting types. Kept apart from
// TFont and TColor so that a program that paints nothing (the command line
// writing a text document) links without Qt's GUI library.

#include "base/Font.h"
#include "base/TColor.h"

#include <QColor>
#include <QFont>

namespace twl {

// A screen font; a face the desktop lacks is substituted by Qt.
QFont toQFont(const TFont& font);

QColor toQColor(TColor c);
TColor fromQColor(const QColor& c);

} // namespace twl

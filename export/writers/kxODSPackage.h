// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spreadsheet's package: a zip whose first entry is the stored mimetype,
// then content.xml, packed as it was written, then the other parts.

#include <QByteArray>

namespace twl {

class TkxPackedPart;

struct TkxODSParts {
    TkxPackedPart* content = nullptr; // finished
    QByteArray styles;
    QByteArray meta;
    QByteArray settings; // empty: the package has no settings.xml
};

// Raises Exception, or ETemporarySpaceError when the rows cannot be read back.
QByteArray kxODSPackage(const TkxODSParts& Parts);

} // namespace twl

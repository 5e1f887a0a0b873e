// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spreadsheet's package: a zip whose first entry is the stored mimetype,
// then content.xml streamed from its start, the spooled rows and its end (so
// the rows need no room of their own twice), then the other parts.

#include <QByteArray>

namespace twl {

class TemporaryFile;

struct TkxODSParts {
    QByteArray contentStart;
    TemporaryFile* contentRows = nullptr; // packed in blocks, unpacked as read
    qint64 contentRowsSize = 0;           // unpacked
    QByteArray contentEnd;
    QByteArray styles;
    QByteArray meta;
    QByteArray settings; // empty: the package has no settings.xml
};

// Raises Exception, or ETemporarySpaceError when the rows cannot be read back.
QByteArray kxODSPackage(const TkxODSParts& Parts);

} // namespace twl

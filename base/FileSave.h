#pragma once
// The one routine through which every document and workbook reaches the disk.

#include <QByteArray>
#include <QString>

namespace twl {

// Writes the bytes to a new file in the target's folder and renames it over the
// target, so a failure never leaves a damaged file where a good one stood. On
// failure the new file is removed and EFCreateError "Cannot create file %s" is
// raised with the target's path.
void saveFileAtomically(const QString& path, const QByteArray& data);

// Creates `path` exclusively (never through an existing file or link) and writes
// the bytes. Returns false, touching nothing, when the name is already taken;
// raises EFCreateError when the file cannot be created or written otherwise.
bool writeNewFileExclusively(const QString& path, const QByteArray& data);

} // namespace twl

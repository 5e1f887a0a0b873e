#pragma once
// The one routine through which every document, workbook and settings file
// reaches the disk.

#include "base/Exceptions.h"

#include <QByteArray>
#include <QString>

namespace twl {

// EFCreateError "Cannot create file %s" that also keeps the system's reason,
// for a caller that tells the user why (the command-line export). Its type
// name stays EFCreateError.
class EFileSaveError : public EFCreateError {
public:
    EFileSaveError(const QString& path, int error);
    // The errno of the failure and its text ("No space left on device").
    int errorCode() const noexcept { return m_error; }
    const QString& reason() const noexcept { return m_reason; }

private:
    int m_error;
    QString m_reason;
};

// Writes the bytes to `path` so that success means every byte reached the
// file, and failure leaves what stood there:
// - a regular file (or a new one) is replaced by a new file in its folder that
//   is written, flushed and checked before it is renamed over the target; the
//   old file's mode, and where the program may its owner and group, are kept;
//   a link to a file replaces the file it points to and keeps the link;
// - where a replacement would change what the user has (other hard links, a
//   folder the user cannot write, an owner that cannot be kept), the file is
//   written in place after its full size has been reserved, so a full disk
//   fails before a byte of the old text changes;
// - a device, FIFO or socket is opened and written as a shell redirection
//   would, never replaced.
// On failure the new file is removed and EFileSaveError is raised.
void saveFileAtomically(const QString& path, const QByteArray& data);

// Creates `path` exclusively (never through an existing file or link) and
// writes the bytes. Returns false, touching nothing, when the name is already
// taken; raises EFileSaveError, removing what it created, when the file cannot
// be created or completely written.
bool writeNewFileExclusively(const QString& path, const QByteArray& data);

} // namespace twl

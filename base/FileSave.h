// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one routine through which every document, workbook and settings file
// reaches the disk.

#include "base/Exceptions.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace twl {

// What a failed save left at the target.
enum class SaveOutcome {
    Unchanged,     // the old file (or no file) stands as it was
    PartlyWritten, // written in place: the old bytes were already changed
    NotDurable     // the new file is in place, but the folder could not be flushed
};

// EFCreateError "Cannot create file %s" that also keeps the system's reason,
// for a caller that tells the user why (the command-line export). Its type
// name stays EFCreateError. Where the old file did not stay as it was, the
// message says so instead ("X was partly written: <reason>").
class EFileSaveError : public EFCreateError {
public:
    EFileSaveError(const QString& path, int error, SaveOutcome outcome = SaveOutcome::Unchanged);
    // The errno of the failure and its text ("No space left on device").
    int errorCode() const noexcept { return m_error; }
    const QString& reason() const noexcept { return m_reason; }
    SaveOutcome outcome() const noexcept { return m_outcome; }

private:
    int m_error;
    QString m_reason;
    SaveOutcome m_outcome;
};

// Where a document's bytes go as they are made; commit() completes the
// document. Failures are raised as exceptions.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, qsizetype size) = 0;
    void write(const QByteArray& data) { write(data.constData(), data.size()); }
    virtual void commit() = 0;
};

// A save whose bytes arrive in pieces, with the outcome of saveFileAtomically;
// a document of any size costs no more memory than a small one. A replaced
// file, a device and a FIFO get each piece at once; a file written in place
// gets the whole document at commit(), which waits until then in memory when
// small, else in the temporary folder. Destroyed without a successful
// commit(), it leaves what stood at the target.
class FileSaveStream : public ByteSink {
public:
    // `shown` names the file in messages; `native` is the name as the system
    // spells it (bytes that need not be valid in any encoding).
    FileSaveStream(const QString& shown, const QByteArray& native);
    explicit FileSaveStream(const QString& path);
    ~FileSaveStream() override;
    FileSaveStream(const FileSaveStream&) = delete;
    FileSaveStream& operator=(const FileSaveStream&) = delete;

    void write(const char* data, qsizetype size) override;
    // Shares the bytes where the document is held whole until commit().
    void write(const QByteArray& data);
    void commit() override;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Writes the bytes to `path` so that success means every byte reached the
// file, and failure leaves what stood there:
// - a regular file (or a new one) is replaced by a new file in its folder that
//   is written, flushed and checked before it is renamed over the target; the
//   old file's mode, extended attributes (its ACL among them) and, where the
//   program may, its owner and group are kept; a link to a file replaces the
//   file it points to and keeps the link;
// - where a replacement would change what the user has (other hard links, a
//   folder the user cannot write, an owner or attribute that cannot be kept),
//   the file is written in place after its full size has been reserved (or,
//   on a file system that cannot reserve, found free), so a full disk fails
//   before a byte of the old text changes; a failure after that is raised as
//   PartlyWritten;
// - a device, FIFO or socket is opened and written as a shell redirection
//   would, never replaced.
// Temporary files of this routine whose writer is gone are removed from the
// folder on the way. On failure the new file is removed and EFileSaveError
// is raised.
void saveFileAtomically(const QString& path, const QByteArray& data);

// Creates `path` exclusively (never through an existing file or link) and
// writes the bytes. Returns false, touching nothing, when the name is already
// taken; raises EFileSaveError, removing what it created, when the file cannot
// be created or completely written.
bool writeNewFileExclusively(const QString& path, const QByteArray& data);

} // namespace twl

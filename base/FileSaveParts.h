// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three ways a save reaches its target, shared by FileSave.cpp: a new
// file that replaces the old one, the old file written in place, and a
// device or FIFO written as the bytes come. Internal to the save.

#include "base/FileSave.h"
#include "base/FileSaveTemporary.h"
#include "base/FileWriteCalls.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <sys/stat.h>

namespace twl::filesave {

class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void reset(int fd);
    // Closes now and reports what close says: some file systems report a
    // failed write only here.
    int close();

private:
    int m_fd;
};

struct SaveTarget {
    QString shown; // the caller's path, for the message
    QByteArray native;
};

[[noreturn]] void fail(const SaveTarget& t, int error,
                       SaveOutcome outcome = SaveOutcome::Unchanged);
QByteArray folderOf(const QByteArray& path);
bool sameFile(const struct stat& a, const struct stat& b);

// A new file beside the target, with the old one's owner, mode and
// attributes, renamed over the target at commit(). Destroyed before that,
// it removes the new file.
class Replacement {
public:
    explicit Replacement(const SaveTarget& target);
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    // Creates the new file; false, touching nothing, where the old file's
    // owner or attributes cannot be kept (the caller then writes in place).
    bool create(const struct stat* oldFile);
    void write(const char* data, qsizetype size);
    void commit();

private:
    void abandon();
    [[noreturn]] void failHere(int error);
    const SaveTarget& m_target;
    QByteArray m_folder;
    QByteArray m_tempName;
    int m_tempHandle = -1; // for a handled signal to remove the new file
    Fd m_fd;
};

// The old file overwritten: the document waits in the temporary folder
// until it is complete, and the old bytes change only once the room for the
// new ones is reserved or known to be there.
class InPlaceWrite {
public:
    InPlaceWrite(const SaveTarget& target, const struct stat& expected);
    ~InPlaceWrite();
    InPlaceWrite(const InPlaceWrite&) = delete;
    InPlaceWrite& operator=(const InPlaceWrite&) = delete;
    void write(const char* data, qsizetype size);
    void write(const QByteArray& data);
    void commit();

private:
    [[noreturn]] void spoolFailed() const;
    QByteArray nextPiece();
    const SaveTarget& m_target;
    struct stat m_expected;
    QByteArray m_held;
    std::unique_ptr<TemporaryFile> m_spool;
};

// A device, FIFO or socket: opened and written like a shell redirection,
// each piece as it comes.
class ThroughWrite {
public:
    explicit ThroughWrite(const SaveTarget& target);
    void write(const char* data, qsizetype size);
    void commit();

private:
    const SaveTarget& m_target;
    Fd m_fd;
};

} // namespace twl::filesave

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Temporary files and folders of a save, wherever they are: beside the
// target or in the temporary folder ($TMPDIR), where the libraries that make
// workbooks and archives, and a report's row spool, do their work. Each
// carries our name and the writer's process id, so that a later run can tell
// it is ours and its writer gone, and remove it; a handled signal removes
// those of the running process before the signal takes its course.

#include "base/Exceptions.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <sys/types.h>

namespace twl {

// A failure in the temporary folder, naming it and the reason ("Cannot
// write in the temporary folder /tmp: No space left on device").
class ETemporarySpaceError : public Exception {
public:
    ETemporarySpaceError(const QString& folder, int error);
    int errorCode() const noexcept { return m_error; }

private:
    int m_error;
};

// The temporary folder: $TMPDIR, else /tmp.
QByteArray temporaryFolder();

// Removes the leftovers of writers that are gone from `folder`: names made
// by temporaryName() (any prefix beside a target; `ownPrefix` only, where
// the folder is shared with other programs), of a process that no longer
// exists, unchanged for a minute, owned by this user. A folder goes with
// everything in it.
void removeStaleTemporaries(const QByteArray& folder, const QByteArray& ownPrefix = {});

// ".<prefix>.<pid>.<random hex>.tmp" in `folder`.
QByteArray temporaryName(const QByteArray& folder, const QByteArray& prefix);
// The writer's process id when `name` is one temporaryName() makes, else 0.
pid_t writerOfTemporaryName(const QByteArray& name);

// Registers a temporary file or folder to be removed if the process ends by
// a handled signal; returns a handle for forgetTemporary(), or -1 where
// every place is taken.
int rememberTemporary(const QByteArray& path, bool folder);
void forgetTemporary(int handle);

// SIGINT, SIGTERM, SIGHUP and SIGPIPE remove the remembered temporaries and
// then end the process as they would have (a signal the process ignores
// stays ignored).
void removeTemporariesOnSignals();

// A folder of our own in the temporary folder, for a library that writes
// files of its own; removed with what it holds when the object ends.
class TemporaryFolder {
public:
    TemporaryFolder(); // raises ETemporarySpaceError
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const QByteArray& path() const { return m_path; }
    QByteArray filePath(const char* name) const { return m_path + '/' + name; }
    // The failure of a library's work in this folder, with the errno it left
    // (EIO where it left none).
    [[noreturn]] void fail(int error) const;

private:
    QByteArray m_path;
    int m_handle;
};

// A spool file in the temporary folder: written at its end, read from any
// position. Its writes go through the program's file calls; a failure's
// errorString() names the temporary folder and the reason.
class TemporaryFile : public QIODevice {
public:
    TemporaryFile();
    ~TemporaryFile() override;
    // Creates the file. False, with errorString(), where it cannot be made.
    bool open();
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;
    // Hands the buffered bytes to the file.
    bool flush();
    QString fileName() const;
    // The errno of the last failure (0: none).
    int errorCode() const { return m_error; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool failWith(int error);
    QByteArray m_path;
    QByteArray m_buffer;
    qint64 m_flushed = 0;
    int m_fd = -1;
    int m_handle = -1;
    int m_error = 0;
};

} // namespace twl

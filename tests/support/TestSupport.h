// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the tests of every folder.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "base/FileWriteCalls.h"
#include "tests/support/QtPrinters.h"
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace twl::test {

// Hex dump with the first differing offset, for golden-byte comparisons.
::testing::AssertionResult bytesEqual(const QByteArray& expected, const QByteArray& actual);

// Bytes from a hex text such as "09 00 04 00".
QByteArray hexBytes(const char* hex);

QByteArray readFile(const QString& path);
// Every entry of the folder, hidden ones included, but the toolkit's runtime
// folder (which it makes in the temporary folder where the session names none).
QStringList folderEntries(const QString& folder);

// The source tree (for the shipped language files) and the tests' data folder.
QString sourceDir();
QString testDataDir();
void writeFile(const QString& path, const QByteArray& data);

// Pins the regional settings for one test and restores them afterwards.
class RegionalScope {
public:
    explicit RegionalScope(QChar decimalSeparator = QLatin1Char('.'),
                           const QString& shortDate = QStringLiteral("yyyy-MM-dd"),
                           const QString& longTime = QStringLiteral("HH:mm:ss"));
    ~RegionalScope();
};

// Fixes the clock for one test.
class ClockScope {
public:
    explicit ClockScope(const QDateTime& now);
    ~ClockScope();
};

// Runs `answer` on the next modal widget that becomes active (a message box
// or dialog opened by the code under test), polling through the event loop.
void answerNextModal(std::function<void(QWidget*)> answer);

// Makes file writes fail the way a full or broken disk does, until the scope
// ends: the first `allowedBytes` reach the file, then every write fails with
// `error`; each write takes at most `chunk` bytes (0: all it is given), as a
// kernel may take less than asked; `syncError` (when not 0) makes every
// flush to the device fail with that error.
class FailingWrites {
public:
    struct Plan {
        qint64 allowedBytes = -1; // -1: no limit
        int error = ENOSPC;
        qint64 chunk = 0;
        int syncError = 0;
        bool interrupted = false; // every other write is interrupted first
    };
    explicit FailingWrites(Plan plan);
    ~FailingWrites();
    // Bytes that reached a file so far.
    qint64 written() const { return m_written; }

private:
    Plan m_plan;
    qint64 m_written = 0;
    bool m_interruptNext = false;
    struct Scope;
    std::unique_ptr<Scope> m_scope;
};

// Makes one kind of call of every save fail with `error` until the scope ends
// (EINTR: once per call, which the save then tries again).
class FailingCall {
public:
    FailingCall(FileCall call, int error);
    ~FailingCall();

private:
    struct Scope;
    std::unique_ptr<Scope> m_scope;
};

// Points $TMPDIR, where the program keeps its temporary files, at `path`
// until the scope ends.
class TemporaryFolderScope {
public:
    explicit TemporaryFolderScope(const QString& path);
    ~TemporaryFolderScope();
    TemporaryFolderScope(const TemporaryFolderScope&) = delete;
    TemporaryFolderScope& operator=(const TemporaryFolderScope&) = delete;

private:
    QByteArray m_previous;
};

// Lets a thread blocked reading the FIFO `path` see its end, in case the
// writer under test never opened it; does nothing once that reader is done.
void releaseFifoReader(const QString& path);

// A small tmpfs mounted in a temporary folder for one test, unmounted when
// the object ends (also after a failed assertion). Mounting needs root; where
// it fails, mounted() is false and skipReason() says why.
class SmallTmpfs {
public:
    explicit SmallTmpfs(qint64 bytes = 64 * 1024);
    ~SmallTmpfs();
    bool mounted() const { return m_mounted; }
    QString skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Takes every free byte with a filler file, so that the next block any
    // write needs is refused with ENOSPC.
    void fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_skipReason;
};

// A small ext4 file system (1 KiB blocks, nothing reserved for root) in an
// image mounted through a loop device, for one test; unmounted and removed
// when the object ends. Needs root and mkfs.ext4; where either is missing,
// mounted() is false and skipReason() says why.
class Ext4Image {
public:
    // `type` "ext3": the same kind of disk without space reservation.
    explicit Ext4Image(qint64 bytes = 4 * 1024 * 1024, const char* type = "ext4");
    ~Ext4Image();
    bool mounted() const { return m_mounted; }
    QString skipReason() const { return m_skipReason; }
    QString filePath(const QString& name) const { return m_dir.filePath("mnt/" + name); }
    // Fills the disk until `leave` bytes are free.
    void fillTo(qint64 leave);
    qint64 freeBytes() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_skipReason;
};

} // namespace twl::test

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}

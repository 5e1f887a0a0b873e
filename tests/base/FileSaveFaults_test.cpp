// SPDX-License-Identifier: GPL-3.0-or-later
// Every call of both save paths failing in turn, and the file systems the
// in-place path and the attribute copy meet for real.
#include "base/FileSave.h"
#include "base/FileWriteCalls.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace twl;

namespace {

const QByteArray OldText = "OLD TEXT\n";
const QByteArray LongOldText =
    QByteArray("an old document that is longer than the new one\n").repeated(300);
const QByteArray NewText = QByteArray("Payment #,Payment,Interest\r\n").repeated(300);

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// What a save reported: nothing, or the outcome and the exception's text.
struct Reported {
    std::optional<SaveOutcome> outcome;
    QString message;
    int error = 0;
};

Reported save(const QString& path, const QByteArray& data) {
    try {
        saveFileAtomically(path, data);
        return {};
    } catch (const EFileSaveError& e) {
        return {e.outcome(), e.message(), e.errorCode()};
    }
}

// The data writes failing: with `error` once `after` bytes are in (an
// interruption instead fails every other write and is tried again), or
// taking at most 7 bytes a call when `error` is 0.
FileWriteCalls writeCalls(std::function<ssize_t(int, const char*, size_t)> write) {
    FileWriteCalls calls;
    calls.write = std::move(write);
    return calls;
}

class WriteFault {
public:
    WriteFault(int error, qint64 after)
        : m_scope(writeCalls([this, error, after](int fd, const char* data, size_t size) {
            if (error == 0) return ::write(fd, data, std::min<size_t>(size, 7));
            if (error == EINTR) {
                m_flip = !m_flip;
                if (m_flip) {
                    errno = EINTR;
                    return ssize_t(-1);
                }
                return ::write(fd, data, size);
            }
            const qint64 room = after - m_written;
            if (room <= 0) {
                errno = error;
                return ssize_t(-1);
            }
            const ssize_t w = ::write(fd, data, std::min<size_t>(size, size_t(room)));
            if (w > 0) m_written += w;
            return w;
        })) {}

private:
    qint64 m_written = 0;
    bool m_flip = false;
    ScopedFileWriteCalls m_scope;
};

class SyncFault {
public:
    explicit SyncFault(int error)
        : m_scope(FileWriteCalls{{},
                                 [this, error](int fd) {
                                     m_flip = !m_flip;
                                     if (error == EINTR && !m_flip) return ::fsync(fd);
                                     errno = error;
                                     return -1;
                                 },
                                 {}}) {}

private:
    bool m_flip = false;
    ScopedFileWriteCalls m_scope;
};

enum class Path { Replace, InPlaceGrowing, InPlaceShrinking };
// What fails: one of the calls, or the data writes, or the flush.
enum class Step { Call, FirstWrite, LaterWrite, ShortWrites, Sync };
enum class Expect { NewFile, OldFile, PartlyWritten, NotDurable };

struct Row {
    Path path;
    Step step;
    FileCall call; // with Step::Call
    Expect expect; // for EIO and ENOSPC; an interruption always ends in the new file
};

const Row Rows[] = {
    {Path::Replace, Step::Call, FileCall::Open, Expect::OldFile},
    {Path::Replace, Step::Call, FileCall::Mode, Expect::OldFile},
    {Path::Replace, Step::FirstWrite, {}, Expect::OldFile},
    {Path::Replace, Step::LaterWrite, {}, Expect::OldFile},
    {Path::Replace, Step::ShortWrites, {}, Expect::NewFile},
    {Path::Replace, Step::Sync, {}, Expect::OldFile},
    {Path::Replace, Step::Call, FileCall::Close, Expect::OldFile},
    {Path::Replace, Step::Call, FileCall::Rename, Expect::OldFile},
    {Path::Replace, Step::Call, FileCall::FolderSync, Expect::NotDurable},
    {Path::InPlaceGrowing, Step::Call, FileCall::Open, Expect::OldFile},
    {Path::InPlaceGrowing, Step::Call, FileCall::Reserve, Expect::OldFile},
    {Path::InPlaceGrowing, Step::FirstWrite, {}, Expect::OldFile},
    {Path::InPlaceGrowing, Step::LaterWrite, {}, Expect::PartlyWritten},
    {Path::InPlaceGrowing, Step::ShortWrites, {}, Expect::NewFile},
    {Path::InPlaceGrowing, Step::Sync, {}, Expect::PartlyWritten},
    {Path::InPlaceGrowing, Step::Call, FileCall::Close, Expect::PartlyWritten},
    {Path::InPlaceShrinking, Step::LaterWrite, {}, Expect::PartlyWritten},
    {Path::InPlaceShrinking, Step::Call, FileCall::Truncate, Expect::PartlyWritten},
    {Path::InPlaceShrinking, Step::Sync, {}, Expect::PartlyWritten},
};

// The fault of the row, in force while the returned object lives.
std::shared_ptr<void> inject(const Row& row, int error) {
    switch (row.step) {
    case Step::Call:
        return std::make_shared<test::FailingCall>(row.call, error);
    case Step::FirstWrite:
        return std::make_shared<WriteFault>(error, 0);
    case Step::LaterWrite:
        return std::make_shared<WriteFault>(error, 100);
    case Step::ShortWrites:
        return std::make_shared<WriteFault>(0, 0);
    case Step::Sync:
        return std::make_shared<SyncFault>(error);
    }
    return {};
}

} // namespace

// Each call of the replacing and the in-place path fails with EIO, ENOSPC or
// an interruption: the result is the new file, or the old one byte for byte
// with the failure reported, or a report that says what the file now holds.
TEST(FileSaveFaults, EveryCallOfBothPathsFailsInTurn) {
    for (const Row& row : Rows) {
        for (const int error : {EIO, ENOSPC, EINTR}) {
            if (row.step == Step::ShortWrites && error != EIO) continue;
            QTemporaryDir dir;
            const QString target = dir.filePath("report.csv");
            const QByteArray old = row.path == Path::InPlaceShrinking ? LongOldText : OldText;
            test::writeFile(target, old);
            const bool inPlace = row.path != Path::Replace;
            if (inPlace) {
                ASSERT_EQ(::link(QFile::encodeName(target).constData(),
                                 QFile::encodeName(dir.filePath("link")).constData()),
                          0);
            }
            const ino_t inode = statOf(target).st_ino;
            Reported r;
            {
                const auto fault = inject(row, error);
                r = save(target, NewText);
            }
            const Expect expect = error == EINTR ? Expect::NewFile : row.expect;
            const auto where = testing::Message()
                               << "path " << int(row.path) << " step " << int(row.step) << " call "
                               << int(row.call) << " errno " << error << ": " << r.message;
            switch (expect) {
            case Expect::NewFile:
                EXPECT_FALSE(r.outcome) << where;
                EXPECT_EQ(test::readFile(target), NewText) << where;
                break;
            case Expect::OldFile:
                EXPECT_EQ(r.outcome, SaveOutcome::Unchanged) << where;
                EXPECT_EQ(r.error, error) << where;
                EXPECT_EQ(r.message, "Cannot create file " + target) << where;
                EXPECT_EQ(test::readFile(target), old) << where;
                EXPECT_EQ(statOf(target).st_size, old.size()) << where;
                break;
            case Expect::PartlyWritten:
                EXPECT_EQ(r.outcome, SaveOutcome::PartlyWritten) << where;
                EXPECT_EQ(r.message, target + " was partly written: " + systemErrorText(error))
                    << where;
                EXPECT_FALSE(test::readFile(target).contains('\0')) << where;
                break;
            case Expect::NotDurable:
                EXPECT_EQ(r.outcome, SaveOutcome::NotDurable) << where;
                EXPECT_TRUE(r.message.startsWith(target + " now holds the new document")) << where;
                EXPECT_EQ(test::readFile(target), NewText) << where;
                break;
            }
            if (inPlace) {
                EXPECT_EQ(statOf(target).st_ino, inode) << where;
                EXPECT_EQ(test::readFile(dir.filePath("link")), test::readFile(target)) << where;
            }
            // Never a temporary file left behind.
            EXPECT_EQ(entries(dir.path()).size(), inPlace ? 2 : 1) << where;
        }
    }
}

TEST(FileSaveFaults, StaleTemporaryFilesOfGoneWritersAreRemoved) {
    QTemporaryDir dir;
    std::ifstream maxFile("/proc/sys/kernel/pid_max");
    long pidMax = 0;
    maxFile >> pidMax;
    ASSERT_GT(pidMax, 0);
    const QByteArray gone = QByteArray::number(qint64(pidMax) + 1); // no process has it
    const QByteArray alive = QByteArray::number(::getpid());
    struct Case {
        QByteArray name;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".report.csv." + gone + ".1f3a.tmp", true, true},
        {".other.txt." + gone + ".ab.tmp", true, true},      // any target's, in the same folder
        {".report.csv." + gone + ".1f3b.tmp", false, false}, // may still be starting up
        {".report.csv." + alive + ".1f3c.tmp", true, false}, // its writer is running
        {".report.csv.1f3d.tmp", true, false},               // not a name we make
        {"report.csv." + gone + ".1f3e.tmp", true, false},   // not hidden
        {".report.csv." + gone + ".xyz.tmp", true, false},   // not our tag
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QFile::decodeName(c.name));
        test::writeFile(path, "left over");
        if (c.old) {
            const struct timespec times[2] = {{::time(nullptr) - 120, 0},
                                              {::time(nullptr) - 120, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        }
    }
    saveFileAtomically(dir.filePath("report.csv"), NewText);
    for (const Case& c : cases)
        EXPECT_EQ(QFile::exists(dir.filePath(QFile::decodeName(c.name))), !c.removed)
            << c.name.constData();
}

namespace {
// The tool's output; nullopt when it failed.
std::optional<QString> runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}
} // namespace

// A replaced file keeps who may write it: its ACL and its other attributes.
// Where they cannot be copied, the file is written in place and keeps them.
TEST(FileSaveFaults, AclsAndAttributesStayWithTheFile) {
    test::Ext4Image disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    if (QStandardPaths::findExecutable("setfacl").isEmpty() ||
        QStandardPaths::findExecutable("setfattr").isEmpty())
        GTEST_SKIP() << "setfacl and setfattr are not installed (acl, attr)";
    const QString target = disk.filePath("shared.csv");
    test::writeFile(target, OldText);
    ::chmod(QFile::encodeName(target).constData(), 0640);
    ASSERT_TRUE(runTool("setfacl", {"-m", "u:65534:rw", target}).has_value());
    ASSERT_TRUE(runTool("setfattr", {"-n", "user.note", "-v", "kept", target}).has_value());
    const QString acl = runTool("getfacl", {"-n", "-c", target}).value_or("");
    ASSERT_TRUE(acl.contains("user:65534:rw-")) << acl;
    const mode_t mode = statOf(target).st_mode & 07777; // the group bits are the ACL's mask

    for (const bool attributesFail : {false, true}) {
        const ino_t inode = statOf(target).st_ino;
        {
            std::optional<test::FailingCall> failing;
            if (attributesFail) failing.emplace(FileCall::Attribute, EIO);
            saveFileAtomically(target, NewText);
        }
        EXPECT_EQ(test::readFile(target), NewText);
        EXPECT_EQ(runTool("getfacl", {"-n", "-c", target}).value_or(""), acl) << attributesFail;
        EXPECT_EQ(runTool("getfattr", {"--only-values", "-n", "user.note", target}).value_or(""),
                  "kept");
        EXPECT_EQ(statOf(target).st_mode & 07777, mode);
        // Replaced when the attributes could travel, else written in place.
        EXPECT_EQ(statOf(target).st_ino == inode, attributesFail);
    }
}

// On a full ext4 disk a file with other links is written in place: a failed
// reservation leaves both links byte for byte and gives back what it took;
// a failure after the first new byte says so, and never pads the file.
TEST(FileSaveFaults, InPlaceOnAFullExt4DiskNeverPadsTheOldFile) {
    test::Ext4Image disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    const QString target = disk.filePath("target");
    test::writeFile(target, OldText);
    ASSERT_EQ(::link(QFile::encodeName(target).constData(),
                     QFile::encodeName(disk.filePath("link")).constData()),
              0);
    disk.fillTo(50 * 1024);
    const qint64 freeBefore = disk.freeBytes();
    const QByteArray big = NewText.repeated(20); // about 170 KB
    const Reported full = save(target, big);
    EXPECT_EQ(full.outcome, SaveOutcome::Unchanged);
    EXPECT_EQ(full.error, ENOSPC);
    EXPECT_EQ(test::readFile(target), OldText);
    EXPECT_EQ(test::readFile(disk.filePath("link")), OldText);
    EXPECT_EQ(disk.freeBytes(), freeBefore);

    // Room enough, but the device fails after 100 bytes.
    Reported broken;
    {
        WriteFault fault(EIO, 100);
        broken = save(target, NewText);
    }
    EXPECT_EQ(broken.outcome, SaveOutcome::PartlyWritten);
    EXPECT_EQ(broken.message, target + " was partly written: Input/output error");
    EXPECT_EQ(test::readFile(target), NewText.left(100));
    // And with nothing failing, the new text in both links.
    EXPECT_FALSE(save(target, NewText).outcome);
    EXPECT_EQ(test::readFile(disk.filePath("link")), NewText);
}

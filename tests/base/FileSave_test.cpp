// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileSave.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace twl;

namespace {

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// The names in a folder, so a test sees any temporary file left behind.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs the save and returns the errno it reported (0 when it succeeded).
int saveError(const QString& path, const QByteArray& data) {
    try {
        saveFileAtomically(path, data);
        return 0;
    } catch (const EFileSaveError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + path);
        EXPECT_STREQ(e.typeName(), "EFCreateError");
        return e.errorCode();
    }
}

class FileSaveTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

const QByteArray Document = QByteArray("Payment #;Payment\r\n").repeated(400);

} // namespace

// The seam fails the way a disk does, on every system and without root.
TEST_F(FileSaveTest, AFailedWriteOrFlushLeavesTheOldFileAndNoNewOne) {
    const QString target = path("report.csv");
    test::writeFile(target, "old bytes");
    for (const test::FailingWrites::Plan& plan :
         {test::FailingWrites::Plan{0}, test::FailingWrites::Plan{100},
          test::FailingWrites::Plan{Document.size() - 1, EIO},
          test::FailingWrites::Plan{-1, ENOSPC, 0, EIO}}) {
        test::FailingWrites failing(plan);
        const int error = saveError(target, Document);
        EXPECT_EQ(error, plan.syncError ? plan.syncError : plan.error);
        EXPECT_EQ(test::readFile(target), "old bytes");
        EXPECT_EQ(entries(dir.path()), QStringList{"report.csv"});
    }
    // A new file that cannot be completely written is not left half there.
    {
        test::FailingWrites failing({10});
        EXPECT_EQ(saveError(path("new.csv"), Document), ENOSPC);
    }
    EXPECT_FALSE(QFile::exists(path("new.csv")));
    try {
        test::FailingWrites failing({10});
        saveFileAtomically(path("new.csv"), Document);
    } catch (const EFileSaveError& e) {
        EXPECT_EQ(e.reason(), "No space left on device");
    }
}

TEST_F(FileSaveTest, ShortWritesAreContinuedToTheLastByte) {
    const QString target = path("report.csv");
    test::writeFile(target, "old bytes");
    test::FailingWrites shortWrites({-1, ENOSPC, 7});
    saveFileAtomically(target, Document);
    EXPECT_TRUE(test::bytesEqual(Document, test::readFile(target)));
    ASSERT_TRUE(writeNewFileExclusively(path("A.TMP"), Document));
    EXPECT_TRUE(test::bytesEqual(Document, test::readFile(path("A.TMP"))));
}

TEST_F(FileSaveTest, ExclusiveCreationRemovesWhatItCouldNotFinish) {
    test::FailingWrites failing({5});
    try {
        writeNewFileExclusively(path("A.TMP"), Document);
        FAIL() << "a short file was reported as written";
    } catch (const EFileSaveError& e) {
        EXPECT_EQ(e.errorCode(), ENOSPC);
        EXPECT_EQ(e.message(), "Cannot create file " + path("A.TMP"));
    }
    EXPECT_FALSE(QFile::exists(path("A.TMP")));
}

TEST_F(FileSaveTest, LinksModesAndOwnersOfTheTargetAreKept) {
    // A second hard link sees the new text: the file was written, not replaced.
    const QString target = path("report.csv");
    test::writeFile(target, "old");
    ASSERT_EQ(::link(QFile::encodeName(target).constData(),
                     QFile::encodeName(path("other-name.csv")).constData()),
              0);
    const ino_t inode = statOf(target).st_ino;
    saveFileAtomically(target, Document);
    EXPECT_EQ(test::readFile(path("other-name.csv")), Document);
    EXPECT_EQ(statOf(target).st_ino, inode);
    EXPECT_EQ(statOf(target).st_nlink, 2u);
    // Shorter text in place: the tail of the old text is cut off.
    saveFileAtomically(target, "short");
    EXPECT_EQ(test::readFile(path("other-name.csv")), "short");

    // A symbolic link stays a link; the file it names gets the text.
    const QString real = path("real.txt");
    test::writeFile(real, "old");
    ASSERT_TRUE(QFile::link(real, path("link.txt")));
    saveFileAtomically(path("link.txt"), "new");
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(test::readFile(real), "new");
    // A link to a file not yet there creates that file.
    ASSERT_TRUE(QFile::link("made-through-link.txt", path("dangling.txt")));
    saveFileAtomically(path("dangling.txt"), "made");
    EXPECT_TRUE(QFileInfo(path("dangling.txt")).isSymLink());
    EXPECT_EQ(test::readFile(path("made-through-link.txt")), "made");

    // The mode stays, read-only included where the program may write at all.
    const QString modes = path("modes.txt");
    test::writeFile(modes, "old");
    ::chmod(QFile::encodeName(modes).constData(), 0640);
    saveFileAtomically(modes, "new");
    EXPECT_EQ(statOf(modes).st_mode & 07777, 0640u);
    ::chmod(QFile::encodeName(modes).constData(), 0444);
    if (::geteuid() == 0) {
        saveFileAtomically(modes, "newer");
        EXPECT_EQ(test::readFile(modes), "newer");
    } else {
        // Like a shell redirection, a user does not write a read-only file.
        EXPECT_EQ(saveError(modes, "newer"), EACCES);
        EXPECT_EQ(test::readFile(modes), "new");
    }
    EXPECT_EQ(statOf(modes).st_mode & 07777, 0444u);
}

TEST_F(FileSaveTest, AForeignOwnerIsKeptByRoot) {
    if (::geteuid() != 0) GTEST_SKIP() << "changing a file's owner needs root";
    const QString target = path("theirs.txt");
    test::writeFile(target, "old");
    ASSERT_EQ(::chown(QFile::encodeName(target).constData(), 65534, 65534), 0);
    ::chmod(QFile::encodeName(target).constData(), 0604);
    saveFileAtomically(target, "new");
    const struct stat st = statOf(target);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(test::readFile(target), "new");
}

TEST_F(FileSaveTest, AWritableFileInAFolderTheUserCannotWriteIsWrittenInPlace) {
    // Root writes any folder; the command-line test drops privileges for this.
    if (::geteuid() == 0) GTEST_SKIP() << "root may write every folder";
    const QString folder = path("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString target = folder + "/report.csv";
    test::writeFile(target, "old old old old");
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    saveFileAtomically(target, "new");
    EXPECT_EQ(test::readFile(target), "new");
    // A new file cannot be made there.
    EXPECT_EQ(saveError(folder + "/new.csv", "x"), EACCES);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
}

TEST_F(FileSaveTest, DevicesAndPipesAreWrittenNeverReplaced) {
    // A FIFO with a reader gets every byte and stays a FIFO.
    const QString fifo = path("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_CLOEXEC);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            received.append(buffer, n);
        ::close(fd);
    });
    EXPECT_NO_THROW(saveFileAtomically(fifo, Document));
    test::releaseFifoReader(fifo);
    reader.join();
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_TRUE(test::bytesEqual(Document, received));

    // An open descriptor named through /proc, as /dev/stdout names one.
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
    saveFileAtomically(QStringLiteral("/proc/self/fd/%1").arg(fds[1]), "through the link");
    ::close(fds[1]);
    char buffer[64] = {};
    EXPECT_EQ(::read(fds[0], buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "through the link");
    ::close(fds[0]);

    // A full device reports its reason.
    EXPECT_EQ(saveError(QStringLiteral("/dev/full"), "x"), ENOSPC);
    EXPECT_TRUE(S_ISCHR(statOf("/dev/full").st_mode));

    if (::geteuid() != 0) GTEST_SKIP() << "making a device node needs root";
    const QString null = path("null");
    ASSERT_EQ(::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    saveFileAtomically(null, Document);
    const struct stat st = statOf(null);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, makedev(1, 3));
    EXPECT_EQ(entries(dir.path()), QStringList{"null"} << "pipe");
}

TEST_F(FileSaveTest, AFullFileSystemFailsBeforeTheOldTextChanges) {
    test::SmallTmpfs disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    const QString target = disk.filePath("report.csv");
    test::writeFile(target, "old bytes");
    const QString linked = disk.filePath("linked.csv");
    test::writeFile(linked, "linked old bytes");
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(),
                     QFile::encodeName(disk.filePath("second-link.csv")).constData()),
              0);
    disk.fill();

    // Replacement: the new file cannot be written.
    EXPECT_EQ(saveError(target, Document), ENOSPC);
    EXPECT_EQ(test::readFile(target), "old bytes");
    // In place: the reservation fails before the first byte.
    EXPECT_EQ(saveError(linked, Document), ENOSPC);
    EXPECT_EQ(test::readFile(linked), "linked old bytes");
    // A view document's fresh file.
    EXPECT_THROW(writeNewFileExclusively(disk.filePath("A.TMP"), Document), EFileSaveError);
    EXPECT_EQ(entries(disk.path()), QStringList{".filler"} << "linked.csv"
                                                           << "report.csv"
                                                           << "second-link.csv");
}

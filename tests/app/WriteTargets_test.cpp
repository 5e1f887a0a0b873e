// SPDX-License-Identifier: GPL-3.0-or-later
// Documents written where writing can fail or surprise: a full disk, a full
// or closed standard output, devices, pipes, a folder the user cannot write.
// The command runs as the child process a script would start.
#include "export/kxExport.h"
#include "export/kxExportHost.h"
#include "export/kxTableExport.h"
#include "export/writers/kxWriterRegistry.h"
#include "tests/app/ExportChild.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace twl;
using namespace twl::test;

namespace {
class WriteTargets : public ExportChild {};
} // namespace

TEST_F(WriteTargets, AFullOrClosedStandardOutputExitsThreeWithTheReason) {
    ChildRun r = run(Schedule + QStringList{"-o", "-"}, Output::ToFile, "/dev/full");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "twlc-export: cannot write standard output: No space left on device\n");
    EXPECT_EQ(run({"--version"}, Output::ToFile, "/dev/full").status, 3);

    r = run(Schedule + QStringList{"-o", "-"}, Output::Closed);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "twlc-export: cannot write standard output: Bad file descriptor\n");
    // With standard output closed, no file opened later stands in for it.
    const QString target = dir.filePath("closed-stdout.csv");
    r = run(Schedule + QStringList{"-o", target}, Output::Closed);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(target), document());
    r = run(Schedule + QStringList{"-o", "/dev/null"}, Output::Closed);
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(WriteTargets, DevStdoutWritesToStandardOutputAsOpened) {
    const QString log = dir.filePath("log.txt");
    test::writeFile(log, "head\n");
    const ChildRun r = run(Schedule + QStringList{"-o", "/dev/stdout"}, Output::AppendToFile, log);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(test::bytesEqual("head\n" + document(), test::readFile(log)));
}

TEST_F(WriteTargets, DevicesAndPipesStayWhatTheyAre) {
    // A FIFO with a reader receives the document.
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    QByteArray received;
    std::thread reader([&] { received = test::readFile(fifo); });
    const ChildRun r = run(Schedule + QStringList{"-o", fifo});
    test::releaseFifoReader(fifo);
    reader.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(received, document());

    if (::geteuid() != 0) {
        // A user cannot harm /dev/null; the run must succeed all the same.
        EXPECT_EQ(run(Schedule + QStringList{"-o", "/dev/null"}).status, 0);
        GTEST_SKIP() << "making a device node needs root";
    }
    // As root, on a node of our own (a fault here must not cost the system its
    // /dev/null); then the real one as an ordinary user.
    const QString null = dir.filePath("null");
    ASSERT_EQ(::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    EXPECT_EQ(run(Schedule + QStringList{"-o", null}).status, 0);
    EXPECT_TRUE(S_ISCHR(statOf(null).st_mode));
    EXPECT_EQ(statOf(null).st_rdev, makedev(1, 3));
    const ChildRun user = run(Schedule + QStringList{"-o", "/dev/null"}, Output::ToFile,
                              dir.filePath("user-stdout"), true);
    EXPECT_EQ(user.status, 0) << user.err;
    EXPECT_TRUE(S_ISCHR(statOf("/dev/null").st_mode));
}

TEST_F(WriteTargets, AWritableFileInAFolderTheUserCannotWriteIsWrittenInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to set up another user's file";
    // A root-owned folder holding a file that belongs to user 65534.
    const QString folder = dir.filePath("shared");
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    const QString target = folder + "/report.csv";
    test::writeFile(target, "old bytes of another user that are longer than nothing");
    ASSERT_EQ(::chown(QFile::encodeName(target).constData(), 65534, 65534), 0);
    const ino_t inode = statOf(target).st_ino;
    const ChildRun r = run(Schedule + QStringList{"-o", target}, Output::ToFile,
                           dir.filePath("user-stdout"), true);
    ASSERT_NE(r.status, 127) << "setpriv could not run the program: " << r.err;
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(target), document());
    EXPECT_EQ(statOf(target).st_ino, inode);
    EXPECT_EQ(statOf(target).st_uid, 65534u);
}

TEST_F(WriteTargets, AFullDiskFailsTheExportAndKeepsTheOldDocument) {
    test::SmallTmpfs disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    const QString target = disk.filePath("report.csv");
    const QByteArray old = "old document bytes\r\n";
    test::writeFile(target, old);
    disk.fill();

    const ChildRun r = run(Schedule + QStringList{"-o", target});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "twlc-export: cannot write " + target + ": No space left on device\n");
    EXPECT_EQ(test::readFile(target), old);

    // The export component reports it through its error event.
    TkxTableExport table;
    std::vector<TkxExportError> errors;
    setUpExport(table, xtCSV, errors);
    table.WriteDocument(target);
    EXPECT_EQ(errors, std::vector<TkxExportError>{xeWriteFailed});
    EXPECT_EQ(table.LastErrorText(), "Cannot create file " + target);
    EXPECT_EQ(test::readFile(target), old);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary
}

// Without root or a small disk: the same failure made by the write seam, for
// every document type the component saves.
TEST_F(WriteTargets, EveryDocumentTypeReportsAFailedSaveAndKeepsTheOldFile) {
    const QString target = dir.filePath("report.doc");
    const QByteArray old = "old document bytes\r\n";
    test::writeFile(target, old);
    for (TkxExportType type :
         {xtHTML, xtExcel, xtWord, xtTXT, xtCSV, xtTAB, xtRTF, xtDIF, xtSYLK}) {
        TkxTableExport table;
        std::vector<TkxExportError> errors;
        setUpExport(table, type, errors);
        {
            test::FailingWrites failing({16});
            table.WriteDocument(target);
        }
        EXPECT_EQ(errors, std::vector<TkxExportError>{xeWriteFailed}) << type;
        EXPECT_EQ(test::readFile(target), old) << type;
        // The user is told why, not only that it failed.
        EXPECT_EQ(table.LastErrorReason(), "No space left on device") << type;
        EXPECT_EQ(kxFailureText(table, xeWriteFailed, kxDefaultPromptTexts()),
                  "The export to " + target + " failed:\nCannot create file " + target +
                      " (No space left on device)")
            << type;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.doc"});
}

TEST_F(WriteTargets, ANameThatIsNotUtf8IsTheFileWritten) {
    const QByteArray name = QFile::encodeName(dir.path()) + "/caf\xe9.csv";
    std::vector<QByteArray> args;
    for (const QString& a : Schedule)
        args.push_back(a.toLocal8Bit());
    args.insert(args.end(), {"-o", name});
    const ChildRun r = runBytes(args);
    EXPECT_EQ(r.status, 0) << r.err;
    QFile written;
    ASSERT_TRUE(written.open(::open(name.constData(), O_RDONLY | O_CLOEXEC), QIODevice::ReadOnly,
                             QFileDevice::AutoCloseHandle));
    EXPECT_EQ(written.readAll(), document());
    // Nothing under a re-encoded name.
    const QByteArray replaced = QFile::encodeName(dir.path()) + "/caf\xef\xbf\xbd.csv";
    EXPECT_NE(::access(replaced.constData(), F_OK), 0);
}

TEST_F(WriteTargets, StandardOutputNeedsNoTemporarySpace) {
    test::SmallTmpfs tmp;
    if (!tmp.mounted()) GTEST_SKIP() << tmp.skipReason().toStdString();
    tmp.fill();
    const QByteArray expected = document();
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    const ChildRun r = run(Schedule + QStringList{"-o", "-"});
    qputenv("TMPDIR", previous);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(dir.filePath("stdout")), expected);
    // No folder of its own made in the temporary folder either.
    EXPECT_TRUE(QDir(tmp.path()).entryList({"twlc-export*"}, QDir::AllEntries).isEmpty());
}

// A file with a second link is written in place; on a full ext4 disk the
// export fails before either link changes, and the file keeps its size.
TEST_F(WriteTargets, AFullExt4DiskKeepsBothLinksOfTheOldFile) {
    test::Ext4Image disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    const QString target = disk.filePath("target");
    test::writeFile(target, "OLD TEXT\n");
    ASSERT_EQ(::link(QFile::encodeName(target).constData(),
                     QFile::encodeName(disk.filePath("link")).constData()),
              0);
    disk.fillTo(50 * 1024);
    const ChildRun r = run(
        {"--amount", "1000", "--months", "5000", "--rate", "12", "--format", "csv", "-o", target});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "twlc-export: cannot write " + target + ": No space left on device\n");
    EXPECT_EQ(test::readFile(target), "OLD TEXT\n");
    EXPECT_EQ(test::readFile(disk.filePath("link")), "OLD TEXT\n");
}

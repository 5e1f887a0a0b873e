// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary files of twlc-export's workbooks, spreadsheets and reports:
// none left when the reader of its output stops early or a handled signal
// ends it, the leftovers of killed runs removed by the next, and a full
// temporary folder told as what it is, in one line.
#include "tests/app/ExportChild.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <csignal>
#include <fstream>

using namespace twl;
using namespace twl::test;

namespace {

const char* const TemporaryFormats[] = {"xlsx", "ods", "pdf"};

class WriteTemporaries : public ExportChild {
protected:
    void SetUp() override {
        ExportChild::SetUp();
        ASSERT_TRUE(tmp.isValid());
    }

    QStringList leftovers() const { return folderEntries(tmp.path()); }

    QTemporaryDir tmp;
    TemporaryFolderScope tmpScope{tmp.path()};
};

// At 0.5 % a million months still compute.
QStringList scheduleOf(const char* format, int months) {
    return {"--amount", "1000", "--months", QString::number(months),
            "--rate",   "0.5",  "--format", QLatin1String(format)};
}

// A process id that no process has.
QByteArray gonePid() {
    std::ifstream maxFile("/proc/sys/kernel/pid_max");
    long pidMax = 0;
    maxFile >> pidMax;
    return QByteArray::number(qint64(pidMax) + 1);
}

} // namespace

TEST_F(WriteTemporaries, AReaderThatStopsEarlyLeavesNoTemporaryFile) {
    for (const char* format : TemporaryFormats) {
        QProcess shell;
        shell.start("/bin/sh", QStringList{"-c", "\"$0\" \"$@\" -o - | head -c 100 >/dev/null",
                                           TWL_EXPORT_PROGRAM} +
                                   scheduleOf(format, 6000));
        ASSERT_TRUE(shell.waitForFinished(300000)) << format;
        EXPECT_EQ(leftovers(), QStringList()) << format;
    }
}

TEST_F(WriteTemporaries, AHandledSignalRemovesTheTemporariesAndEndsTheRun) {
    const struct {
        const char* format;
        int signal;
    } cases[] = {{"ods", SIGTERM}, {"xlsx", SIGINT}, {"pdf", SIGHUP}};
    for (const auto& c : cases) {
        const QString target = dir.filePath("signalled");
        QProcess child;
        child.setStandardOutputFile(QProcess::nullDevice());
        // As from a terminal, whatever this test inherited (nohup ignores SIGHUP).
        child.setChildProcessModifier([] {
            for (const int s : {SIGINT, SIGTERM, SIGHUP})
                ::signal(s, SIG_DFL);
        });
        child.start(TWL_EXPORT_PROGRAM, scheduleOf(c.format, 1000000) + QStringList{"-o", target});
        ASSERT_TRUE(child.waitForStarted()) << c.format;
        // The signal comes while the run works in the temporary folder.
        QElapsedTimer waited;
        waited.start();
        while (leftovers().isEmpty() && child.state() == QProcess::Running &&
               waited.elapsed() < 120000)
            child.waitForFinished(2);
        ASSERT_FALSE(leftovers().isEmpty()) << c.format << " made no temporary file";
        ::kill(pid_t(child.processId()), c.signal);
        ASSERT_TRUE(child.waitForFinished(120000)) << c.format;
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << c.format;
        EXPECT_EQ(leftovers(), QStringList()) << c.format;
        EXPECT_FALSE(QFile::exists(target)) << c.format;
    }
}

TEST_F(WriteTemporaries, LeftoversOfGoneWritersAreRemovedByTheNextRun) {
    const QByteArray gone = gonePid();
    const QByteArray alive = QByteArray::number(::getpid());
    struct Case {
        QByteArray name;
        bool folder;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".tarnwell." + gone + ".1f3a.tmp", true, true, true},
        {".tarnwell." + gone + ".1f3b.tmp", false, true, true},
        {".tarnwell." + gone + ".1f3c.tmp", true, false, false},   // may still be starting up
        {".tarnwell." + alive + ".1f3d.tmp", true, true, false},   // its writer is running
        {".report.csv." + gone + ".1f3e.tmp", false, true, false}, // not ours in a shared folder
        {"twlc-export.Ab12Cd", true, true, false},                 // not a name we make
    };
    const time_t past = ::time(nullptr) - 120;
    for (const Case& c : cases) {
        const QString path = tmp.filePath(QFile::decodeName(c.name));
        if (c.folder) {
            ASSERT_TRUE(QDir().mkpath(path + "/inner"));
            writeFile(path + "/inner/part", "left over");
            writeFile(path + "/document.xlsx", "left over");
        } else {
            writeFile(path, "left over");
        }
        const struct timespec times[2] = {{c.old ? past : ::time(nullptr), 0},
                                          {c.old ? past : ::time(nullptr), 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    }
    const ChildRun r = run(scheduleOf("ods", 12) + QStringList{"-o", dir.filePath("new.ods")});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const Case& c : cases)
        EXPECT_EQ(QFileInfo::exists(tmp.filePath(QFile::decodeName(c.name))), !c.removed)
            << c.name.constData();
}

TEST_F(WriteTemporaries, AFullTemporaryFolderIsToldInOneLineAndTheOldFileStays) {
    SmallTmpfs full;
    if (!full.mounted()) GTEST_SKIP() << full.skipReason().toStdString();
    full.fill();
    const TemporaryFolderScope fullScope(full.path());
    for (const char* format : TemporaryFormats) {
        const QString target = dir.filePath("kept");
        writeFile(target, "the old document\n");
        const ChildRun r = run(scheduleOf(format, 12) + QStringList{"-o", target});
        EXPECT_EQ(r.status, 3) << format;
        EXPECT_EQ(r.err, "twlc-export: " + target + ": Cannot write in the temporary folder " +
                             full.path() + ": No space left on device\n")
            << format;
        EXPECT_EQ(readFile(target), "the old document\n") << format;
        EXPECT_EQ(folderEntries(full.path()), QStringList{".filler"}) << format;
    }
}

// A picture that cannot be written says where and why, as a document does.
TEST_F(WriteTemporaries, APictureThatCannotBeWrittenSaysWhy) {
    for (const char* format : {"png", "svg"}) {
        const ChildRun r = run(scheduleOf(format, 12) + QStringList{"-o", "/dev/full"});
        EXPECT_EQ(r.status, 3) << format;
        EXPECT_EQ(r.err, "twlc-export: cannot write /dev/full: No space left on device\n")
            << format;
    }
}

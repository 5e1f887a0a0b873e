// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file when twlc.ini is not a plain small file, and when the
// disk is full: defaults without blocking, and writes that touch nothing.
#include "app/ExportCliFonts.h"
#include "app/MainWindow.h"
#include "app/SettingsFile.h"
#include "base/Exceptions.h"
#include "base/ProgramFolder.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace twl;

namespace {

class SettingsTarget : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.filePath("twlc.ini"); }
    QByteArray native() const { return QFile::encodeName(path()); }

    // The error a write raises; "" when it succeeded.
    static QString writeError(SettingsFile& s) {
        try {
            s.WriteInteger("Position", "Top", 7);
        } catch (const EInOutError& e) {
            return e.message();
        }
        return {};
    }

    QTemporaryDir dir;
};

} // namespace

// Read in this process: a blocking open or an endless read would hang the
// test (and ctest's timeout would report it).
TEST_F(SettingsTarget, AFifoIsAMissingFileAndIsNeverWritten) {
    ASSERT_EQ(::mkfifo(native().constData(), 0600), 0);
    SettingsFile s(path());
    EXPECT_EQ(s.ReadInteger("Position", "Height", 546), 546);
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "2");
    EXPECT_EQ(writeError(s), "Unable to write to " + path());
    struct stat st {};
    ASSERT_EQ(::stat(native().constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(SettingsTarget, ALinkToAnEndlessDeviceIsAMissingFile) {
    ASSERT_TRUE(QFile::link("/dev/zero", path()));
    SettingsFile s(path());
    EXPECT_EQ(s.ReadInteger("Position", "Width", 533), 533);
    EXPECT_EQ(writeError(s), "Unable to write to " + path());
    EXPECT_EQ(QFileInfo(path()).symLinkTarget(), "/dev/zero");
}

TEST_F(SettingsTarget, AFileBeyondAnyRealSizeIsUnreadableAndKept) {
    test::writeFile(path(), "[Position]\r\nTop=5\r\n");
    // Sparse: 16 MiB and a byte, without using the disk.
    ASSERT_EQ(::truncate(native().constData(), 16 * 1024 * 1024 + 1), 0);
    SettingsFile s(path());
    EXPECT_EQ(s.ReadInteger("Position", "Top", 0), 0);
    EXPECT_EQ(writeError(s), "Unable to write to " + path());
    EXPECT_EQ(QFileInfo(path()).size(), 16 * 1024 * 1024 + 1);
    // At the cap it is still a settings file.
    ASSERT_EQ(::truncate(native().constData(), 16 * 1024 * 1024), 0);
    EXPECT_EQ(SettingsFile(path()).ReadInteger("Position", "Top", 0), 5);
}

TEST_F(SettingsTarget, AFailedWriteOfAnyKindKeepsTheOldFile) {
    const QByteArray old = "[Position]\r\nTop=5\r\n";
    test::writeFile(path(), old);
    SettingsFile s(path());
    {
        test::FailingWrites failing({4});
        EXPECT_EQ(writeError(s), "Unable to write to " + path());
    }
    EXPECT_EQ(test::readFile(path()), old);
    EXPECT_EQ(writeError(s), QString());
    EXPECT_EQ(s.ReadInteger("Position", "Top", 0), 7);
}

namespace {

// The main window with its program folder (and so twlc.ini) where a test puts it.
class WindowSettings : public ::testing::Test {
protected:
    void useProgramFolder(const QString& folder) {
        setProgramFolder(folder);
        useFontDocuments();
        TbsCorePolyglot::Create();
        core = true;
    }
    void TearDown() override {
        if (core) TbsCorePolyglot::Release();
        setProgramFolder(QString());
    }
    bool core = false;
};

} // namespace

TEST_F(WindowSettings, AFifoAsTwlcIniStartsWithTheDefaults) {
    QTemporaryDir dir;
    useProgramFolder(dir.path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("twlc.ini")).constData(), 0600), 0);
    Tmainfrm form;
    EXPECT_EQ(form.Width(), 533);
    EXPECT_EQ(form.Height(), 546);
}

TEST_F(WindowSettings, ClosingOnAFullDiskShowsTheMessageAndKeepsTheOldFile) {
    test::SmallTmpfs disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    useProgramFolder(disk.path());
    const QString ini = disk.filePath("twlc.ini");
    QByteArray old = "[Position]\r\nTop=5\r\nLeft=6\r\nHeight=500\r\nWidth=520\r\n[Notes]\r\n";
    while (old.size() < 14000)
        old += "Line" + QByteArray::number(old.size()) + "=text that takes room\r\n";
    test::writeFile(ini, old);
    disk.fill();
    Tmainfrm form;
    form.setLeft(40);
    QString text;
    test::answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->accept();
    });
    form.close();
    EXPECT_EQ(text, "Unable to write to " + ini + ".");
    EXPECT_TRUE(test::bytesEqual(old, test::readFile(ini)));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsFile.h"
#include "base/Exceptions.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace twl;

namespace {
class Settings : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("twlc.ini"); }
};
} // namespace

TEST_F(Settings, MissingFileSectionOrKeyGivesTheDefault) {
    SettingsFile s(path());
    EXPECT_EQ(s.ReadInteger("Position", "Height", 546), 546);
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "2");
    test::writeFile(path(), "[Other]\r\nTop=5\r\n");
    EXPECT_EQ(s.ReadInteger("Position", "Top", 0), 0);
}

TEST_F(Settings, ReadRulesNamesValuesQuotesAndNumbers) {
    test::writeFile(path(), "[position]\r\n"
                            "  TOP =  0x20  \r\n"
                            "left=abc\r\n"
                            "Height=\"600\"\r\n"
                            "Width='$10'\r\n"
                            "Empty=\r\n"
                            "[Settings]\nDecimal = 3 = x\n");
    SettingsFile s(path());
    EXPECT_EQ(s.ReadInteger("Position", "Top", 0), 32);
    EXPECT_EQ(s.ReadInteger("Position", "Left", 0), 0);
    EXPECT_EQ(s.ReadInteger("Position", "Height", 546), 600);
    EXPECT_EQ(s.ReadInteger("Position", "Width", 533), 16);
    EXPECT_EQ(s.ReadInteger("Position", "Empty", 7), 7);
    EXPECT_EQ(s.ReadString("Position", "Empty", "d"), "");
    EXPECT_EQ(s.ReadString("SETTINGS", "decimal", "2"), "3 = x"); // text after the first "="
}

TEST_F(Settings, LongValuesAreCutAt2047Characters) {
    test::writeFile(path(), "[S]\nK=" + QByteArray(5000, 'a') + "\n");
    EXPECT_EQ(SettingsFile(path()).ReadString("S", "K", "").size(), 2047);
}

TEST_F(Settings, ReadsFollowTheFileAsItChanges) {
    SettingsFile s(path());
    test::writeFile(path(), "[Settings]\nDecimal=3\n");
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "3");
    test::writeFile(path(), "[Settings]\nDecimal=4\n"); // same size, new contents
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "4");
    QFile::remove(path());
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "2");
}

TEST_F(Settings, WritesCreateFileAndSectionAndKeepOtherLinesByteForByte) {
    SettingsFile s(path());
    s.WriteInteger("Position", "Top", 10);
    s.WriteInteger("Position", "Left", -3);
    EXPECT_EQ(test::readFile(path()), QByteArray("[Position]\r\nTop=10\r\nLeft=-3\r\n"));

    const QByteArray before = "; my notes\n[Settings]\nDecimal=4\n\n[Position]\r\ntop = 1 "
                              "\r\nWidth=9\r\n\r\n[Tail]\nx=\xe9\n";
    test::writeFile(path(), before);
    s.WriteInteger("Position", "Top", 77);
    s.WriteInteger("Position", "Height", 500);
    s.WriteInteger("NewSection", "A", 1);
    EXPECT_EQ(test::readFile(path()),
              QByteArray("; my notes\n[Settings]\nDecimal=4\n\n[Position]\r\ntop "
                         "=77\r\nWidth=9\r\nHeight=500\r\n"
                         "\r\n[Tail]\nx=\xe9\n[NewSection]\r\nA=1\r\n"));
    EXPECT_EQ(s.ReadInteger("Position", "Top", 0), 77);
}

TEST_F(Settings, UnwritableFileFailsWithTheMessageAndStaysIntact) {
    test::writeFile(path(), "[Position]\nTop=1\n");
    QFile::setPermissions(path(), QFile::ReadOwner);
    SettingsFile s(path());
    try {
        s.WriteInteger("Position", "Top", 2);
        if (QFileInfo(path()).isWritable())
            GTEST_SKIP() << "running with permissions that ignore read-only files";
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + path());
    }
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(test::readFile(path()), QByteArray("[Position]\nTop=1\n"));
}

TEST_F(Settings, WriteFailuresReportTheFileAndDamageNothing) {
    SettingsFile inMissingFolder(dir.filePath("no/such/folder/twlc.ini"));
    EXPECT_THROW(inMissingFolder.WriteInteger("Position", "Top", 1), EInOutError);
    // A folder where the file should be: not a file we may replace.
    QDir(dir.path()).mkdir("twlc.ini");
    SettingsFile s(path());
    try {
        s.WriteInteger("Position", "Top", 1);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + path());
    }
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
              0); // no stray temporary file
}

TEST_F(Settings, BinaryOrHugeFilesAreReadWithoutHarm) {
    QByteArray junk;
    for (int i = 0; i < 300000; ++i)
        junk.append(static_cast<char>((i * 7919) & 0xFF));
    test::writeFile(path(), junk + "\n[Settings]\nDecimal=5\n");
    SettingsFile s(path());
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "5");
    s.WriteInteger("Position", "Top", 1);
    EXPECT_TRUE(test::readFile(path()).startsWith(junk));
}

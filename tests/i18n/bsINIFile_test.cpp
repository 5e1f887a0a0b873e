// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "i18n/bsINIFile.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>

using namespace twl;
using twl::test::readFile;
using twl::test::writeFile;

namespace {

// Collects the read-only message instead of showing a box.
class MessageCapture {
public:
    MessageCapture() {
        TbsINIFile::setMessageSink([this](const QString& m) { messages.append(m); });
    }
    ~MessageCapture() { TbsINIFile::setMessageSink({}); }
    QStringList messages;
};

class IniFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = "test.ini") const { return dir.filePath(name); }
    QString write(const QByteArray& bytes, const QString& name = "test.ini") const {
        writeFile(path(name), bytes);
        return path(name);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(IniFileTest, MissingFileOrEmptyNameGivesEmptyContent) {
    TbsINIFile missing(path("none.ini"));
    EXPECT_TRUE(missing.ReadSections().isEmpty());
    EXPECT_FALSE(missing.Modified());
    TbsINIFile unnamed(QString{});
    EXPECT_TRUE(unnamed.ReadSections().isEmpty());
    unnamed.WriteString("S", "k", "v");
    EXPECT_NO_THROW(unnamed.release()); // nothing to write to
}

TEST_F(IniFileTest, LineAndSectionRules) {
    TbsINIFile ini(write("lost=before any section\r\n"
                         "[Main]\r\n"
                         "; a comment\r\n"
                         "\r\n"
                         "Caption=x\rCaption = y\nCaption=second\n"
                         "  Indented=kept\n"
                         "[Main] \n" // not a header: a blank follows "]"
                         "[Other]\r\n"
                         "noequals\r\n"
                         "[main]\r\n"
                         "Caption=from the repeated section\r\n"));
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Main", "Other", "main"}));
    EXPECT_EQ(ini.ReadSection("MAIN"),
              (QStringList{"Caption", "Caption ", "Caption", "  Indented", ""}));
    EXPECT_EQ(ini.ReadString("main", "caption", "def"), "x"); // first section, first line
    EXPECT_EQ(ini.ReadString("Main", "Caption ", "def"), " y");
    EXPECT_EQ(ini.ReadString("Main", "Indented", "def"), "def"); // lines are not trimmed
    EXPECT_EQ(ini.ReadString("Main", "lost", "def"), "def");
    EXPECT_EQ(ini.ReadSectionValues("Main").last(), "[Main] ");
    EXPECT_EQ(ini.ReadSection("Other"), QStringList{""});
    EXPECT_EQ(ini.ReadString("Nowhere", "Caption", "def"), "def");
}

TEST_F(IniFileTest, ZeroByteEndsTheTextAndEncodingIsDetected) {
    TbsINIFile latin(write(QByteArray("[S]\nA=caf\xE9\nB=1\0\nC=2\n", 19)));
    EXPECT_EQ(latin.ReadString("S", "A", ""), QString("caf") + QChar(0xE9));
    EXPECT_EQ(latin.ReadString("S", "B", ""), "1");
    EXPECT_FALSE(latin.ValueExists("S", "C"));
    TbsINIFile utf8(write("[S]\nA=caf\xC3\xA9 \xE2\x82\xAC\n", "u.ini"));
    EXPECT_EQ(utf8.ReadString("S", "A", ""), QString("caf") + QChar(0xE9) + " " + QChar(0x20AC));
}

TEST_F(IniFileTest, TypedReads) {
    test::RegionalScope comma(QLatin1Char(','));
    TbsINIFile ini(write("[N]\nhex=0x1F\nHEX=x\ndollar=$10\nspaces=  42\ntrailing=42 \n"
                         "big=2147483648\nneg=-7\nshort=0x\nf=1,5\nfpoint=1.5\nempty=\n"
                         "bool=2\nzero=0\n"));
    EXPECT_EQ(ini.ReadInteger("N", "hex", -1), 31);
    EXPECT_EQ(ini.ReadInteger("N", "dollar", -1), 16);
    EXPECT_EQ(ini.ReadInteger("N", "spaces", -1), 42);
    EXPECT_EQ(ini.ReadInteger("N", "trailing", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "big", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "neg", -1), -7);
    EXPECT_EQ(ini.ReadInteger("N", "short", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "missing", 5), 5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "f", -1), 1.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "fpoint", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "empty", -1), -1);
    EXPECT_TRUE(ini.ReadBool("N", "bool", false));
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_FALSE(ini.Modified());
}

TEST_F(IniFileTest, WritesAndTheModifiedFlag) {
    TbsINIFile ini(write("[A]\nk=1\nK=2\n[B]\nx=y\n"));
    ini.WriteString("a", "K", "new");
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ini.ReadSectionValues("A"), (QStringList{"K=new", "K=2"}));
    ini.WriteInteger("C", "n", 12);
    EXPECT_EQ(ini.ReadSections(), (QStringList{"A", "B", "C"}));
    ini.SaveFile();
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(readFile(path()), "[A]\r\nK=new\r\nK=2\r\n\r\n[B]\r\nx=y\r\n\r\n[C]\r\nn=12\r\n\r\n");

    ini.DeleteKey("A", "k");
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ini.ReadString("A", "K", "def"), "2"); // the index follows the removal
    ini.SaveFile();
    ini.DeleteKey("A", "nothing");
    EXPECT_TRUE(ini.Modified());
    ini.EraseSection("b");
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_EQ(ini.ReadInteger("C", "n", 0), 12);
}

TEST_F(IniFileTest, SaveKeepsNeitherCommentsNorStrayLinesAndWritesTheCodePage) {
    TbsINIFile ini(write("stray\n; comment\n[S]\n\nA=1\n"));
    ini.WriteString("S", "B", QString("caf") + QChar(0xE9) + QChar(0x4E2D));
    ini.SaveFile();
    EXPECT_EQ(readFile(path()), QByteArray("[S]\r\nA=1\r\nB=caf\xE9?\r\n\r\n"));
}

TEST_F(IniFileTest, ReleaseSavesChangesOfAWritableFile) {
    const QString file = write("[S]\r\nA=1\r\n");
    {
        TbsINIFile ini(file);
        ini.WriteString("S", "A", "2");
    }
    EXPECT_EQ(readFile(file), "[S]\r\nA=2\r\n\r\n");
    {
        TbsINIFile unchanged(file);
        writeFile(file, "[S]\r\nA=changed meanwhile\r\n");
    }
    EXPECT_EQ(readFile(file), "[S]\r\nA=changed meanwhile\r\n"); // nothing written
}

TEST_F(IniFileTest, ReleaseOfAReadOnlyFileShowsTheMessageAndWritesNothing) {
    MessageCapture capture;
    const QString file = write("[S]\r\nA=1\r\n");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    { TbsINIFile unchanged(file); }
    EXPECT_TRUE(capture.messages.isEmpty());
    {
        TbsINIFile ini(file);
        ini.WriteString("S", "A", "2");
    }
    EXPECT_EQ(capture.messages, QStringList{"File \"" + file + "\" is read-only"});
    EXPECT_EQ(readFile(file), "[S]\r\nA=1\r\n");
}

TEST_F(IniFileTest, ReleaseRecreatesAVanishedFileOnlyWhenItHoldsSections) {
    const QString file = write("[S]\r\nA=1\r\n");
    {
        TbsINIFile ini(file);
        QFile::remove(file);
    }
    EXPECT_EQ(readFile(file), "[S]\r\nA=1\r\n\r\n");
    { TbsINIFile empty(path("new.ini")); }
    EXPECT_FALSE(QFileInfo::exists(path("new.ini")));
    {
        TbsINIFile unreachable(path("no/such/folder.ini"));
        unreachable.WriteString("S", "A", "1");
        EXPECT_NO_THROW(unreachable.release()); // creation fails silently
    }
}

TEST_F(IniFileTest, ASaveErrorAtReleaseGoesToTheCaller) {
    const QString file = write("[S]\r\nA=1\r\n");
    TbsINIFile ini(file);
    ini.WriteString("S", "A", "2");
    // The file stays writable but its folder does not take the new copy.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool privileged = QFileInfo(dir.path()).isWritable(); // root writes anyway
    if (!privileged) {
        EXPECT_THROW(ini.release(), EFCreateError);
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (privileged) GTEST_SKIP() << "a privileged user can write into a read-only folder";
}

TEST_F(IniFileTest, HugeSectionsStayLinear) {
    QByteArray text = "[S]\n";
    for (int i = 0; i < 100000; ++i)
        text += "key" + QByteArray::number(i) + "=value" + QByteArray::number(i) + "\n";
    TbsINIFile ini(write(text));
    const QStringList keys = ini.ReadSection("S");
    ASSERT_EQ(keys.size(), 100000);
    int found = 0;
    for (const QString& key : keys)
        found += ini.ReadString("S", key, QString()).startsWith("value") ? 1 : 0;
    EXPECT_EQ(found, 100000);
    EXPECT_EQ(ini.ReadString("s", "KEY99999", ""), "value99999");
}

TEST_F(IniFileTest, AFileIsWrittenBackInTheEncodingItWasReadIn) {
    // UTF-8 holding a letter that the code page lacks: it must survive a save.
    const QByteArray utf8 =
        "[T]\r\nCaption='\xD0\x9A\xD1\x80\xD0\xB5\xD0\xB4\xD0\xB8\xD1\x82 \xC3\x9C'\r\n";
    {
        TbsINIFile ini(write(utf8));
        EXPECT_EQ(ini.ReadString("T", "Caption", ""), QString::fromUtf8("'Кредит Ü'"));
        ini.WriteString("T", "Extra", "1");
    }
    EXPECT_TRUE(test::bytesEqual(utf8 + "Extra=1\r\n\r\n", readFile(path())));

    // With a byte-order mark: the mark is not part of the first section's
    // name, and it is written back.
    const QByteArray bom = "\xEF\xBB\xBF[T]\r\nCaption='\xC3\x9C'\r\n";
    {
        TbsINIFile ini(write(bom, "bom.ini"));
        EXPECT_EQ(ini.ReadSections(), QStringList{"T"});
        EXPECT_EQ(ini.ReadString("T", "Caption", ""), QString::fromUtf8("'Ü'"));
        ini.WriteString("T", "Name", QString::fromUtf8("Дом"));
    }
    EXPECT_TRUE(test::bytesEqual(
        QByteArray(
            "\xEF\xBB\xBF[T]\r\nCaption='\xC3\x9C'\r\nName=\xD0\x94\xD0\xBE\xD0\xBC\r\n\r\n"),
        readFile(path("bom.ini"))));

    // A mark before text that is not valid UTF-8: still dropped, the rest is
    // read in the code page, the first section is found.
    TbsINIFile mixed(write("\xEF\xBB\xBF[T]\r\nCaption=\xDC\r\n", "mixed.ini"));
    EXPECT_EQ(mixed.ReadSections(), QStringList{"T"});
    EXPECT_EQ(mixed.ReadString("T", "Caption", ""), QString::fromUtf8("Ü"));

    // A code-page file stays in the code page.
    {
        TbsINIFile ini(write("[T]\r\nCaption=\xDC\r\n", "cp.ini"));
        ini.WriteString("T", "Other", QString::fromUtf8("\u00E9"));
    }
    EXPECT_TRUE(
        test::bytesEqual("[T]\r\nCaption=\xDC\r\nOther=\xE9\r\n\r\n", readFile(path("cp.ini"))));

    // A vanished UTF-8 file is re-created in UTF-8.
    {
        TbsINIFile ini(write(utf8, "gone.ini"));
        QFile::remove(path("gone.ini"));
    }
    EXPECT_TRUE(test::bytesEqual(utf8 + "\r\n", readFile(path("gone.ini"))));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/FileSave.h"
#include "base/ResourceStrings.h"
#include "base/TColor.h"
#include "base/Variant.h"
#include "base/Windows1252.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace twl;

TEST(Windows1252, RoundTripsTheCodePageAndMarksTheRest) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Windows1252Codec::encode(Windows1252Codec::decode(all)), all);
    EXPECT_EQ(Windows1252Codec::encode(QString::fromUtf8("\u20AC\u00AE\u00E9\u2122")),
              QByteArray("\x80\xAE\xE9\x99"));
    EXPECT_EQ(Windows1252Codec::encode(QString::fromUtf8("a\u4E2Db\U0001F600c")),
              QByteArray("a?b?c"));
}

TEST(Windows1252, TextFilesAreUtf8OnlyWhenValidAndNonAscii) {
    EXPECT_EQ(decodeTextFile("caf\xc3\xa9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(decodeTextFile("caf\xe9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(decodeTextFile("\xef\xbb\xbfok"), "ok");
    EXPECT_EQ(decodeTextFile("plain"), "plain");
}

TEST(Colors, StringsNamesAndSystemColours) {
    EXPECT_EQ(StringToColor("$00FFFFCF"), 0xFFFFCF);
    EXPECT_EQ(StringToColor("clRed"), clRed);
    EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(StringToColor("255"), 255);
    EXPECT_EQ(StringToColor("$80000005"), clWindow);
    EXPECT_THROW(StringToColor("pink"), EConvertError);
    EXPECT_EQ(ColorToString(clBlue), "clBlue");
    EXPECT_EQ(ColorToString(0x336699), "$00336699");
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(GetRValue(clRed), 255);
    EXPECT_EQ(GetBValue(clBlue), 255);
}

TEST(Variant, TypeCodesAndStandardConversions) {
    test::RegionalScope regional(QLatin1Char(','), QStringLiteral("dd.MM.yyyy"),
                                 QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(TVariant().type(), varEmpty);
    EXPECT_EQ(TVariant::null().type(), varNull);
    EXPECT_EQ(TVariant("x").type(), varString);
    EXPECT_EQ(TVariant(2.5).toString(), "2,5");
    EXPECT_EQ(TVariant(7).toString(), "7");
    EXPECT_EQ(TVariant(true).toString(), "True");
    EXPECT_EQ(TVariant(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))).toString(),
              "02.01.2026 03:04:05");
    EXPECT_EQ(TVariant(QDateTime(QDate(2026, 1, 2), QTime(0, 0))).toString(), "02.01.2026");
    EXPECT_EQ(TVariant("12").toInt(), 12);
    EXPECT_EQ(TVariant("1,5").toDouble(), 1.5);
    EXPECT_TRUE(TVariant("true").toBool());
    EXPECT_THROW(TVariant("abc").toInt(), EConvertError);
    EXPECT_THROW(TVariant(1e12).toInt(), EConvertError);
    const TVariant array = TVariant::withType(varArray | varDouble);
    EXPECT_EQ(array.type(), 0x2005);
    EXPECT_THROW(array.toString(), EConvertError);
}

TEST(ResourceStrings, RedirectionTakesEffectAtOnceAndCanBeUndone) {
    constexpr ResourceString s{1099, "Built-in"};
    EXPECT_EQ(LoadResString(s), "Built-in");
    setResourceLookup([](int id, QString& text) {
        if (id != 1099) return false;
        text = "Replaced";
        return true;
    });
    EXPECT_EQ(LoadResString(s), "Replaced");
    EXPECT_EQ(builtinResString(s), "Built-in");
    setResourceLookup({});
    EXPECT_EQ(LoadResString(s), "Built-in");
    const std::string longText(2000, 'x');
    const ResourceString big{1098, longText.c_str()};
    EXPECT_EQ(LoadResString(big).size(), 1023);
}

TEST(FileSave, ReplacesAtomicallyAndNeverDamagesTheTarget) {
    QTemporaryDir dir;
    const QString target = dir.filePath("out.csv");
    saveFileAtomically(target, "first");
    saveFileAtomically(target, "second");
    EXPECT_EQ(test::readFile(target), "second");
    // The target's folder cannot take the new file: the old file survives.
    QDir(dir.path()).mkdir("blocked");
    const QString blocked = dir.filePath("blocked/file.txt");
    test::writeFile(blocked, "keep");
    try {
        saveFileAtomically(dir.filePath("missing/file.txt"), "x");
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + dir.filePath("missing/file.txt"));
    }
    EXPECT_THROW(saveFileAtomically(dir.filePath("blocked"), "x"), EFCreateError); // a folder
    EXPECT_EQ(test::readFile(blocked), "keep");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(FileSave, ExclusiveCreationRefusesExistingNamesAndLinks) {
    QTemporaryDir dir;
    const QString path = dir.filePath("A.TMP");
    EXPECT_TRUE(writeNewFileExclusively(path, "data"));
    EXPECT_FALSE(writeNewFileExclusively(path, "other"));
    EXPECT_EQ(test::readFile(path), "data");
    const QString victim = dir.filePath("victim");
    test::writeFile(victim, "safe");
    const QString link = dir.filePath("B.TMP");
    ASSERT_TRUE(QFile::link(victim, link));
    EXPECT_FALSE(writeNewFileExclusively(link, "evil"));
    EXPECT_EQ(test::readFile(victim), "safe");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Where twlc.ini lives: beside the program when that can be written, else the
// user's own file, which starts from the administrator's file beside the program.
#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "app/SettingsFile.h"
#include "app/SettingsFilePath.h"
#include "base/Exceptions.h"
#include "base/ProgramFolder.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace twl;

namespace {

struct PlaceRow {
    const char* name;
    bool installed;
    bool programFolderWritable;
    const char* configHome;
    const char* expectedPath;
    const char* expectedSeed;
};

class SettingsPlaceRule : public ::testing::TestWithParam<PlaceRow> {};

const PlaceRow PlaceRows[] = {
    {"writable program folder", false, true, "/cfg", "/opt/tw/twlc.ini", ""},
    {"read-only, config home set", false, false, "/cfg", "/cfg/tarnwell/twlc.ini",
     "/opt/tw/twlc.ini"},
    {"config home with separator", false, false, "/cfg//", "/cfg/tarnwell/twlc.ini",
     "/opt/tw/twlc.ini"},
    {"config home unset", false, false, "", "/home/u/.config/tarnwell/twlc.ini",
     "/opt/tw/twlc.ini"},
    {"config home relative", false, false, "cfg", "/home/u/.config/tarnwell/twlc.ini",
     "/opt/tw/twlc.ini"},
    // Installed: never beside the program, even for root, who may write there.
    {"installed, run by root", true, true, "/cfg", "/cfg/tarnwell/twlc.ini",
     "/etc/tarnwell/twlc.ini"},
    {"installed, read-only", true, false, "", "/home/u/.config/tarnwell/twlc.ini",
     "/etc/tarnwell/twlc.ini"},
};

int folderMode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

class UserSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir("program");
    }
    QString seed() const { return dir.filePath("program/twlc.ini"); }
    QString own() const { return dir.filePath("home/.config/tarnwell/twlc.ini"); }
    QTemporaryDir dir;
};

} // namespace

TEST_P(SettingsPlaceRule, PicksTheFileAndItsSeed) {
    const PlaceRow& row = GetParam();
    QStringList asked;
    const SettingsPlace place =
        settingsPlaceIn({"/opt/tw/", row.installed, "/etc/tarnwell/",
                         QString::fromUtf8(row.configHome), "/home/u", [&](const QString& path) {
                             asked << path;
                             return row.programFolderWritable;
                         }});
    EXPECT_EQ(place.path, row.expectedPath) << row.name;
    EXPECT_EQ(place.seed, row.expectedSeed) << row.name;
    EXPECT_EQ(asked, row.installed ? QStringList() : QStringList{"/opt/tw/twlc.ini"}) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsPlaceRule, ::testing::ValuesIn(PlaceRows));

TEST_F(UserSettings, TheAdministratorsFileGivesStartingValuesUntilTheFirstWrite) {
    test::writeFile(seed(), "; defaults\r\n[Settings]\r\nDecimal=3\r\n");
    SettingsFile s(own(), seed());
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "3");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("home")));

    s.WriteInteger("Position", "Top", 7);
    EXPECT_EQ(test::readFile(own()),
              "; defaults\r\n[Settings]\r\nDecimal=3\r\n[Position]\r\nTop=7\r\n");
    for (const char* folder : {"home", "home/.config", "home/.config/tarnwell"})
        EXPECT_EQ(folderMode(dir.filePath(folder)), 0700) << folder;
    // From now on the user's file alone counts.
    test::writeFile(seed(), "[Settings]\r\nDecimal=5\r\n[Position]\r\nLeft=9\r\n");
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "3");
    EXPECT_EQ(s.ReadInteger("Position", "Left", 0), 0);
    EXPECT_EQ(test::readFile(seed()), "[Settings]\r\nDecimal=5\r\n[Position]\r\nLeft=9\r\n");
}

TEST_F(UserSettings, WithoutAnAdministratorsFileTheUsersFileStartsEmpty) {
    SettingsFile s(own(), seed());
    EXPECT_EQ(s.ReadString("Settings", "Decimal", "2"), "2");
    s.WriteString("Settings", "Decimal", "4");
    EXPECT_EQ(test::readFile(own()), "[Settings]\r\nDecimal=4\r\n");
    EXPECT_FALSE(QFileInfo::exists(seed()));
}

TEST_F(UserSettings, AFolderThatCannotBeMadeIsReportedWithTheUsersFile) {
    test::writeFile(dir.filePath("home"), "a file where the home folder should be");
    SettingsFile s(own(), seed());
    try {
        s.WriteInteger("Position", "Top", 1);
        FAIL() << "written";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + own());
    }
}

TEST_F(UserSettings, TheExportCommandReadsTheSameFilesByTheSameRules) {
    QDir(dir.path()).mkdir("program/language");
    const QString english = test::sourceDir() + QStringLiteral("/language/English.lng");
    QFile::copy(english, dir.filePath("program/language/English.lng"));
    // A program folder the user cannot write, the user's own config and data homes.
    setProgramFolder(dir.filePath("program"));
    setSettingsWriteCheck([](const QString&) { return false; });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("home/.config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("home/data")));
    struct Restore {
        ~Restore() {
            setSettingsWriteCheck({});
            qunsetenv("XDG_CONFIG_HOME");
            qunsetenv("XDG_DATA_HOME");
            setProgramFolder(QString());
        }
    } restore;
    useFontDocuments();
    const auto run = [](QStringList extra) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        runExportCli(QStringList{"--amount", "1000", "--months", "12", "--rate", "12", "--format",
                                 "csv", "-o", "-"} +
                         extra,
                     out, err);
        return out.data().split('\n').mid(0, 2).join('\n').trimmed() + err.data();
    };
    test::writeFile(seed(), "[Settings]\r\nDecimal=3\r\n");
    EXPECT_TRUE(run({}).endsWith("\n1,88.849,10.000,78.849,921.151")) << run({}).constData();
    QDir().mkpath(QFileInfo(own()).path());
    test::writeFile(own(), "[Settings]\r\nDecimal=4\r\n");
    EXPECT_TRUE(run({}).endsWith("\n1,88.8488,10.0000,78.8488,921.1512")) << run({}).constData();
    EXPECT_TRUE(settingsHelpText().contains("Settings file: " + own()));

    const QString ownLanguages = dir.filePath("home/data/tarnwell/language/");
    QDir().mkpath(ownLanguages);
    test::writeFile(ownLanguages + "Pirate.lng",
                    test::readFile(english).replace("Balance", "Booty left"));
    EXPECT_TRUE(run({"--language", "pirate"}).contains("Booty left")) << run({}).constData();
    // A user's file is never the default, even one listed before English.
    test::writeFile(ownLanguages + "Aardvark.lng",
                    test::readFile(english).replace("Balance", "Burrow"));
    EXPECT_TRUE(run({}).startsWith("\"Payment #\",Payment,Interest,Principal,Balance\r\n"))
        << run({}).constData();
    EXPECT_TRUE(run({"--language", "Klingon"})
                    .contains(" or " + ownLanguages.toLocal8Bit() +
                              " (languages: Aardvark, English, Pirate)"));
}

TEST_F(UserSettings, TheInstallsMarkMakesTheProgramFolderOffLimitsEvenWhenWritable) {
    setProgramFolder(dir.filePath("program"));
    setSettingsWriteCheck([](const QString&) { return true; });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("home/.config")));
    struct Restore {
        ~Restore() {
            setSettingsWriteCheck({});
            qunsetenv("XDG_CONFIG_HOME");
            setProgramFolder(QString());
        }
    } restore;
    EXPECT_EQ(settingsPlace().path, seed()); // a build tree: beside the program

    test::writeFile(dir.filePath("program/") + InstalledMarkName, "");
    const SettingsPlace place = settingsPlace();
    EXPECT_EQ(place.path, own());
    EXPECT_EQ(place.seed, systemSettingsFolder() + "twlc.ini");
    EXPECT_TRUE(systemSettingsFolder().endsWith("/etc/tarnwell/")) << systemSettingsFolder();
    // --help names every file in use.
    const QString help = settingsHelpText();
    for (const QString& file : {own(), place.seed, dir.filePath("program/language/")})
        EXPECT_TRUE(help.contains(file)) << file << "\n" << help;
}

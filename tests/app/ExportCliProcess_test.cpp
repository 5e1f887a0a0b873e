// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export as built loads no widget module; what it writes, in every type
// and with a plan, is what the program with every module writes.

#include "tests/app/ExportChild.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

using namespace twl;

namespace {

class ExportCliProcess : public test::ExportChild {
protected:
    void SetUp() override {
        test::ExportChild::SetUp();
        // Both programs read the same settings, languages and clock.
        qputenv("SOURCE_DATE_EPOCH", "1796644800");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    }
    void TearDown() override {
        for (const char* name : {"SOURCE_DATE_EPOCH", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qunsetenv(name);
    }

    QByteArray written(const QByteArray& by, const QStringList& args, const QString& name) {
        program = by;
        const QString path = dir.filePath(name);
        const test::ChildRun r = run(args + QStringList{"-o", path});
        EXPECT_EQ(r.status, 0) << by.constData() << ": " << r.err.toStdString();
        return test::readFile(path);
    }
};

} // namespace

TEST_F(ExportCliProcess, LinksNoWidgetModuleAndWritesTheFullProgramsBytes) {
    QProcess readelf;
    readelf.start("readelf", {"-d", TWL_EXPORT_PROGRAM});
    ASSERT_TRUE(readelf.waitForFinished());
    const QByteArray dynamic = readelf.readAllStandardOutput();
    ASSERT_TRUE(dynamic.contains("libQt6Core.so")) << dynamic.constData();
    for (const char* module : {"libQt6Gui", "libQt6Widgets", "libQt6PrintSupport", "libQt6Svg"})
        EXPECT_FALSE(dynamic.contains(module)) << module;

    // Run by a link of twlc-export's name, as twlc-export runs it: the
    // documents are titled after the program the user ran.
    QDir(dir.path()).mkdir("bin");
    const QString full = dir.filePath("bin/twlc-export");
    ASSERT_TRUE(
        QFile::link(QFileInfo(TWL_EXPORT_PROGRAM).absolutePath() + "/twlc-export-fonts", full));
    const QStringList plan = {"--amount",     "1000",       "--months", "12",    "--rate",  "12",
                              "--first-date", "2027-01-31", "--extra",  "3=500", "--round", "cent"};
    for (const char* format : {"html", "xls", "doc", "txt", "csv", "tab", "rtf", "dif", "slk",
                               "xlsx", "ods", "pdf", "json", "png", "svg"}) {
        SCOPED_TRACE(format);
        const QStringList args = plan + QStringList{"--format", format};
        const QByteArray ours = written(TWL_EXPORT_PROGRAM, args, QStringLiteral("core"));
        EXPECT_FALSE(ours.isEmpty());
        EXPECT_EQ(ours, written(QFile::encodeName(full), args, QStringLiteral("full")));
    }
}

TEST_F(ExportCliProcess, WithoutItsSiblingAFontsDocumentFailsAndNamesIt) {
    // An installation that lost twlc-export-fonts: the other types still work.
    QDir(dir.path()).mkdir("alone");
    const QString alone = dir.filePath("alone/twlc-export");
    ASSERT_TRUE(QFile::copy(TWL_EXPORT_PROGRAM, alone));
    ASSERT_TRUE(QFile::setPermissions(alone, QFile::ReadOwner | QFile::ExeOwner));
    program = QFile::encodeName(alone);
    const QStringList schedule = {"--amount", "1000", "--months", "12", "--rate", "12"};
    EXPECT_EQ(run(schedule + QStringList{"--format", "csv", "-o", dir.filePath("a.csv")}).status,
              0);
    for (const char* format : {"pdf", "rtf", "png"}) {
        const test::ChildRun r =
            run(schedule + QStringList{"--format", format, "-o", dir.filePath("a.out")});
        EXPECT_EQ(r.status, 3) << format;
        EXPECT_TRUE(
            r.err.startsWith("twlc-export: " + dir.filePath("alone/twlc-export-fonts") + ": "))
            << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("a.out")));
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "app/MainWindow.h"
#include "base/FileWriteCalls.h"
#include "base/ProgramFolder.h"
#include "base/RegionalSettings.h"
#include "export/kxExport.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/app/ProgramProcess.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <unistd.h>

using namespace twl;

namespace {

struct CliRun {
    int status;
    QByteArray out;
    QString err;
};

class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qunsetenv("SOURCE_DATE_EPOCH");
        setProgramFolder(dir.path());
        QDir(dir.path()).mkdir("language");
        QFile::copy(test::sourceDir() + QStringLiteral("/language/English.lng"),
                    dir.filePath("language/English.lng"));
        useFontDocuments();
        TbsCorePolyglot::Create();
    }
    void TearDown() override {
        TbsCorePolyglot::Release();
        setProgramFolder(QString());
        setClock({});
        qunsetenv("SOURCE_DATE_EPOCH");
    }

    CliRun run(QStringList args) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = runExportCli(args, out, err);
        return {status, out.data(), QString::fromLocal8Bit(err.data())};
    }

    // What the main window's own export writes for the same inputs.
    QByteArray mainWindowDocument(TkxExportType type, const QString& decimal = {},
                                  const QString& months = "12") {
        if (!decimal.isEmpty())
            test::writeFile(dir.filePath("twlc.ini"),
                            "[Settings]\r\nDecimal=" + decimal.toLatin1() + "\r\n");
        Tmainfrm form;
        form.amountedt->setText("1000");
        form.monthsedt->setText(months);
        form.interestedt->setText("12");
        form.calcbtnClick(nullptr);
        form.loanexp->setExportType(type);
        const QString path = dir.filePath("main-window.doc");
        QFile::remove(path);
        form.loanexp->WriteDocument(path);
        return test::readFile(path);
    }

    QTemporaryDir dir;
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

} // namespace

TEST_F(ExportCommand, WritesExactlyWhatTheMainWindowExportsForEveryType) {
    const std::vector<std::pair<const char*, TkxExportType>> types = {
        {"html", xtHTML}, {"xls", xtExcel}, {"doc", xtWord}, {"txt", xtTXT}, {"csv", xtCSV},
        {"tab", xtTAB},   {"rtf", xtRTF},   {"dif", xtDIF},  {"slk", xtSYLK}};
    for (const auto& [name, type] : types) {
        const QByteArray expected = mainWindowDocument(type);
        ASSERT_FALSE(expected.isEmpty()) << name;
        const CliRun toStdout = run(
            {"--amount", "1000", "--months", "12", "--rate", "12", "--format", name, "-o", "-"});
        EXPECT_EQ(toStdout.status, CliOk) << name << toStdout.err.toStdString();
        EXPECT_TRUE(test::bytesEqual(expected, toStdout.out)) << name;
        const QString file = dir.filePath(QStringLiteral("schedule.%1").arg(name));
        const CliRun toFile = run({"--amount=1000", "--months=12", "--rate=12",
                                   QStringLiteral("--format=%1").arg(name), "--output", file});
        EXPECT_EQ(toFile.status, CliOk) << name;
        EXPECT_TRUE(test::bytesEqual(expected, test::readFile(file))) << name;
    }
}

TEST_F(ExportCommand, SettingsDecimalAndItsOverride) {
    const QByteArray expected = mainWindowDocument(xtCSV, "3");
    EXPECT_TRUE(expected.contains("88.849"));
    CliRun r =
        run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "csv", "-o", "-"});
    EXPECT_TRUE(test::bytesEqual(expected, r.out));
    r = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "csv", "-o", "-",
             "--decimal", "0"});
    EXPECT_TRUE(r.out.contains("\n1,89,10,79,921\r\n"));
}

TEST_F(ExportCommand, PropertiesAreSetByPathAndSetsByMembers) {
    CliRun r =
        run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "txt", "-o", "-",
             "--set", "Options=[xoShowHeader,xoRowNumbers]", "--set", "RowNumberFormat=No. %d"});
    ASSERT_EQ(r.status, CliOk) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\r\n No. 1 1 ")); // padded to the width of "No. 14"
    EXPECT_FALSE(r.out.contains("Created:"));     // xoShowExportDate is no longer in the set
    r = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "xls", "-o", "-",
             "--set", "EXCEL.ExcelVersion=xls21"});
    ASSERT_EQ(r.status, CliOk);
    EXPECT_TRUE(
        r.out.startsWith(test::hexBytes("09 00 04 00 00 02 10 00"))); // the oldest workbook BOF
    r = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "txt", "-o", "-",
             "--set", "Messages.CreatedText=Made:"});
    EXPECT_TRUE(r.out.contains("\r\nMade: 2026-12-07 09:30:00\r\n"));
}

TEST_F(ExportCommand, WrongUsageSaysHowAndExitsWithTwo) {
    for (const QStringList& args :
         {QStringList{"--amount", "1000"}, QStringList{"--bogus"},
          QStringList{"--amount", "1", "--months", "1", "--rate", "1", "--format", "docx", "-o",
                      "-"},
          QStringList{"--amount", "1", "--months", "1", "--rate", "1", "--format", "csv", "-o", "-",
                      "--set", "Nope=1"},
          QStringList{"--amount", "1", "--months", "1", "--rate", "1", "--format", "csv", "-o", "-",
                      "--set", "Options=[xoNothing]"},
          QStringList{"--amount", "1", "--months", "1", "--rate", "1", "--format", "csv", "-o", "-",
                      "--set", "HTML.Template=ctPurple"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, CliUsage) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
    const CliRun enumError = run({"--amount", "1", "--months", "1", "--rate", "1", "--format",
                                  "csv", "-o", "-", "--set", "HTML.Template=ctPurple"});
    EXPECT_TRUE(enumError.err.contains("Invalid property element: ctPurple"))
        << enumError.err.toStdString();
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, CliOk);
    EXPECT_TRUE(help.out.startsWith("Usage: twlc-export"));
    EXPECT_TRUE(run({"--version"}).out.startsWith("twlc-export "));
}

TEST_F(ExportCommand, CalculationErrorsAsTheWindowShowsThemExitOne) {
    const QString target = dir.filePath("never.csv");
    CliRun r =
        run({"--amount", "1000", "--months", "12", "--rate", "0", "--format", "csv", "-o", target});
    EXPECT_EQ(r.status, CliCalculationFailed);
    EXPECT_EQ(r.err, "Floating point division by zero.\n");
    EXPECT_FALSE(QFile::exists(target));
    r = run({"--amount", "abc", "--months", "12", "--rate", "1", "--format", "csv", "-o", "-"});
    EXPECT_EQ(r.err, "'abc' is not a valid floating point value.\n");
}

TEST_F(ExportCommand, AnUnwritableTargetExitsThreeAndLeavesTheOldFile) {
    const QString target = dir.filePath("keep.csv");
    test::writeFile(target, "old");
    // A folder where the file should go cannot be replaced by a document.
    QDir(dir.path()).mkdir("taken.csv");
    CliRun r = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "csv", "-o",
                    dir.filePath("taken.csv")});
    EXPECT_EQ(r.status, CliWriteFailed);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.csv")).isDir());
    r = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "csv", "-o",
             dir.filePath("missing/out.csv")});
    EXPECT_EQ(r.status, CliWriteFailed);
    // The path once, with the system's reason.
    EXPECT_EQ(r.err, "twlc-export: cannot write " + dir.filePath("missing/out.csv") +
                         ": No such file or directory\n");
    EXPECT_EQ(test::readFile(target), "old");
}

TEST_F(ExportCommand, SourceDateEpochFixesNow) {
    setClock({});
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    const CliRun a =
        run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "txt", "-o", "-"});
    const CliRun b =
        run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "txt", "-o", "-"});
    ASSERT_EQ(a.status, CliOk);
    EXPECT_EQ(a.out, b.out);
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000);
    EXPECT_TRUE(a.out.contains(("Date: " + now.date().toString("yyyy-MM-dd")).toLatin1()));
    qputenv("SOURCE_DATE_EPOCH", "soon");
    EXPECT_EQ(
        run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "txt", "-o", "-"})
            .status,
        CliUsage);
}

TEST_F(ExportCommand, TheNewerDocumentTypesByName) {
    const std::pair<const char*, QByteArray> types[] = {
        {"xlsx", "PK\x03\x04"}, {"ODS", "PK\x03\x04"}, {"pdf", "%PDF-"}, {"Json", "{\n"}};
    for (const auto& [name, start] : types) {
        const QString path = dir.filePath(QStringLiteral("schedule.") + name);
        const CliRun r = run(
            {"--amount", "1000", "--months", "12", "--rate", "12", "--format", name, "-o", path});
        EXPECT_EQ(r.status, CliOk) << name << r.err.toStdString();
        EXPECT_TRUE(test::readFile(path).startsWith(start)) << name;
    }
    // Every entry of the spreadsheet carries the program's time (2026-12-07
    // 09:30 here), not the system clock's: documents made under
    // SOURCE_DATE_EPOCH are the same every time.
    const QByteArray ods = test::readFile(dir.filePath(QStringLiteral("schedule.ODS")));
    int entries = 0;
    for (qsizetype at = ods.indexOf("PK\x03\x04"); at >= 0;
         at = ods.indexOf("PK\x03\x04", at + 4)) {
        EXPECT_EQ(ods.mid(at + 10, 4), test::hexBytes("c0 4b 87 5d")) << at;
        ++entries;
    }
    EXPECT_GE(entries, 4);
    // The workbook's creation time follows the program's clock too.
    const auto workbookAt = [&](const QDateTime& now) {
        const test::ClockScope at{now};
        return run({"--amount", "1000", "--months", "2", "--rate", "12", "--format", "xlsx", "-o",
                    "-"})
            .out;
    };
    const QDateTime first(QDate(2001, 2, 3), QTime(4, 5, 6));
    EXPECT_TRUE(test::bytesEqual(workbookAt(first), workbookAt(first)));
    EXPECT_NE(workbookAt(first), workbookAt(first.addYears(1)));
    const CliRun help = run({"--help"});
    EXPECT_TRUE(help.out.contains(
        "html, xls, doc, txt, csv, tab, rtf, dif, slk, xlsx, ods, pdf, json, png or svg"));
}

// The command line measures a long schedule first and streams the document:
// the bytes stay the main window's, across many pieces of the file, whether
// the measuring run's texts were kept (Latin-1) or the schedule is computed
// again (a decimal separator outside Latin-1).
TEST_F(ExportCommand, LongSchedulesStreamExactlyTheMainWindowsBytes) {
    for (const QChar separator : {QChar(u'.'), QChar(u'\u066B')}) {
        const test::RegionalScope region{separator};
        for (const auto& [name, type] :
             std::vector<std::pair<const char*, TkxExportType>>{{"html", xtHTML},
                                                                {"doc", xtWord},
                                                                {"txt", xtTXT},
                                                                {"rtf", xtRTF},
                                                                {"dif", xtDIF},
                                                                {"slk", xtSYLK},
                                                                {"xls", xtExcel}}) {
            const QByteArray expected = mainWindowDocument(type, {}, "3000");
            const QString file = dir.filePath(QStringLiteral("long.%1").arg(name));
            const CliRun r = run({"--amount", "1000", "--months", "3000", "--rate", "12",
                                  "--format", name, "-o", file});
            EXPECT_EQ(r.status, CliOk) << name << r.err.toStdString();
            EXPECT_TRUE(test::bytesEqual(expected, test::readFile(file))) << name;
        }
    }
}

TEST_F(ExportCommand, ARowNumberPatternCannotGrowTheDocumentWithoutBound) {
    const QStringList schedule = {
        "--amount", "1000", "--months", "400", "--rate", "12",
        "--format", "csv",  "-o",       "-",   "--set",  "Options=[xoShowHeader,xoRowNumbers]"};
    const CliRun plain = run(schedule + QStringList{"--set", "RowNumberFormat=%d"});
    ASSERT_EQ(plain.status, CliOk);
    // An indexed field of a megabyte per row is refused like any bad pattern.
    for (const char* pattern : {"RowNumberFormat=%d%0:1048576d", "RowNumberFormat=%d%.1048576d"}) {
        const CliRun r = run(schedule + QStringList{"--set", pattern});
        EXPECT_EQ(r.status, CliOk) << pattern;
        EXPECT_TRUE(test::bytesEqual(plain.out, r.out)) << pattern;
    }
}

TEST_F(ExportCommand, AFailureAfterTheOldFileChangedSaysWhatTheFileHolds) {
    const QStringList schedule = {"--amount", "1000", "--months", "12",
                                  "--rate",   "12",   "--format", "csv"};
    const QString target = dir.filePath("report.csv");
    test::writeFile(target, "old");
    CliRun r;
    {
        test::FailingCall failing(FileCall::FolderSync, EIO);
        r = run(schedule + QStringList{"-o", target});
    }
    EXPECT_EQ(r.status, CliWriteFailed);
    EXPECT_EQ(r.err, "twlc-export: " + target +
                         " now holds the new document, but it may not survive a system crash: "
                         "Input/output error\n");
    EXPECT_EQ(test::readFile(target), run(schedule + QStringList{"-o", "-"}).out);

    // A second link: written in place, and the device fails after 10 bytes.
    ASSERT_EQ(::link(QFile::encodeName(target).constData(),
                     QFile::encodeName(dir.filePath("second")).constData()),
              0);
    {
        test::FailingWrites failing({10, EIO});
        r = run(schedule + QStringList{"-o", target});
    }
    EXPECT_EQ(r.status, CliWriteFailed);
    EXPECT_EQ(r.err, "twlc-export: " + target + " was partly written: Input/output error\n");
}

// With no plan option given, every type is byte for byte what the program
// wrote before plans existed: tests/data/plain-schedule/ holds those bytes,
// made by the command and the window before the plan code was added
// (TWL_WRITE_PLAIN_SCHEDULE=1 writes them again). The window's export must
// agree too, settings file without a [Plan] section included.
TEST_F(ExportCommand, WithoutPlanOptionsEveryTypeKeepsTheBytesOfPlainSchedules) {
    const std::vector<std::pair<const char*, TkxExportType>> types = {
        {"html", xtHTML}, {"xls", xtExcel}, {"doc", xtWord}, {"txt", xtTXT}, {"csv", xtCSV},
        {"tab", xtTAB},   {"rtf", xtRTF},   {"dif", xtDIF},  {"slk", xtSYLK}};
    const std::vector<std::array<const char*, 4>> loans = {{"worked", "1000", "12", "12"},
                                                           {"negative-rate", "5000.5", "7", "-3"},
                                                           {"no-months", "1000", "0", "12"}};
    const QString data = test::testDataDir() + QStringLiteral("/plain-schedule/");
    const bool write = qEnvironmentVariableIsSet("TWL_WRITE_PLAIN_SCHEDULE");
    if (write) QDir().mkpath(data);
    for (const auto& [loan, amount, months, rate] : loans) {
        for (const auto& [name, type] : types) {
            const QString file = data + QStringLiteral("%1.%2").arg(loan, name);
            const CliRun r = run({"--amount", amount, "--months", months, "--rate", rate,
                                  "--format", name, "-o", "-"});
            ASSERT_EQ(r.status, CliOk) << loan << name << r.err.toStdString();
            if (write) test::writeFile(file, r.out);
            const QByteArray expected = test::readFile(file);
            ASSERT_FALSE(expected.isEmpty()) << file.toStdString();
            EXPECT_TRUE(test::bytesEqual(expected, r.out)) << loan << " " << name;
            Tmainfrm form;
            form.amountedt->setText(amount);
            form.monthsedt->setText(months);
            form.interestedt->setText(rate);
            form.calcbtnClick(nullptr);
            form.loanexp->setExportType(type);
            const QString path = dir.filePath("window.doc");
            QFile::remove(path);
            form.loanexp->WriteDocument(path);
            EXPECT_TRUE(test::bytesEqual(expected, test::readFile(path))) << loan << " " << name;
        }
    }
}

TEST_F(ExportCommand, PlanFlagsShapeTheDocument) {
    const CliRun r =
        run({"--amount", "1000", "--months", "12", "--rate", "12", "--format", "csv", "-o", "-",
             "--first-date", "2027-01-31", "--extra", "2027-03-15=500", "--round", "cent"});
    ASSERT_EQ(r.status, CliOk) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"Payment #\",Due,Payment,Interest,Principal,Balance\r\n"));
    EXPECT_TRUE(r.out.contains("\r\n2,2027-02-28,88.85,9.21,79.64,841.51\r\n"));
    EXPECT_TRUE(r.out.contains(",\"First payment: 2027-01-31\"\r\n\"Plan vs. plain loan\","));
    const CliRun each = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format",
                             "csv", "-o", "-", "--extra-each=100@2-3", "--after-extra=payment",
                             "--period", "monthly", "--balloon", "0"});
    ASSERT_EQ(each.status, CliOk) << each.err.toStdString();
    EXPECT_TRUE(each.out.contains("\r\n2,188.85,9.21,179.64,741.51\r\n"));
    EXPECT_TRUE(run({"--help"}).out.contains("--extra-each AMOUNT[@FROM[-TO]]"));
    // Recurring extras repeat, and add up where they overlap.
    const CliRun split = run({"--amount", "1000", "--months", "12", "--rate", "12", "--format",
                              "csv", "-o", "-", "--extra-each=60@2-3", "--extra-each", "40@2-3",
                              "--after-extra=payment", "--period", "monthly", "--balloon", "0"});
    EXPECT_EQ(split.out, each.out);
}

// One line that names the flag, exit status 2, nothing written.
TEST_F(ExportCommand, BadPlanValuesExitTwoNamingTheFlag) {
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{"--round", "up"},
         "twlc-export: --round: Rounding: 'up' is not one of none, cent, unit\n"},
        {{"--period", "daily"},
         "twlc-export: --period: Payment period: 'daily' is not one of "
         "monthly, semimonthly, biweekly, weekly, quarterly, yearly\n"},
        {{"--first-date", "2027-02-30"},
         "twlc-export: --first-date: First payment date: '2027-02-30' is not a date "
         "(YYYY-MM-DD)\n"},
        {{"--extra", "1=5", "--extra", "400=5"},
         "twlc-export: --extra: Extra payment 2: the period 400 is after the last payment (12)\n"},
        {{"--extra", "2027-03-01=5"},
         "twlc-export: --extra: Extra payment 1: the date 2027-03-01 needs a first payment "
         "date\n"},
        {{"--extra-each", "5@13"},
         "twlc-export: --extra-each: Recurring extra payment: the "
         "period 13 is after the last payment (12)\n"},
        {{"--after-extra", "x"},
         "twlc-export: --after-extra: After extra payments: 'x' is not one of term, payment\n"},
        {{"--balloon", "1,5"},
         "twlc-export: --balloon: Balloon: '1,5' is not a valid floating point value\n"},
        // A second value of a flag that takes one would silently replace the first.
        {{"--round", "cent", "--round", "unit"}, "twlc-export: --round is given more than once\n"},
        {{"--period=weekly", "--period", "weekly"},
         "twlc-export: --period is given more than once\n"},
        {{"--first-date", "2027-01-31", "--first-date", "2027-01-31"},
         "twlc-export: --first-date is given more than once\n"},
        {{"--balloon", "1", "--balloon", "2"}, "twlc-export: --balloon is given more than once\n"},
        {{"--after-extra", "term", "--after-extra", "term"},
         "twlc-export: --after-extra is given more than once\n"},
        {{"--amount", "2000"}, "twlc-export: --amount is given more than once\n"},
        {{"--output", "x.csv"}, "twlc-export: --output is given more than once\n"},
        {{"--decimal", "2", "--decimal", "3"}, "twlc-export: --decimal is given more than once\n"},
        // An empty value (a script's unset variable) is not "off".
        {{"--first-date", ""}, "twlc-export: --first-date: the value is empty\n"},
        {{"--balloon="}, "twlc-export: --balloon: the value is empty\n"},
        {{"--extra-each", " "}, "twlc-export: --extra-each: the value is empty\n"},
        {{"--round", ""}, "twlc-export: --round: the value is empty\n"},
        {{"--period", ""}, "twlc-export: --period: the value is empty\n"},
        {{"--after-extra", ""}, "twlc-export: --after-extra: the value is empty\n"},
        {{"--extra", ""}, "twlc-export: --extra: the value is empty\n"},
        // Numbers in the notations they are written in.
        {{"--extra", "0x0A=500"},
         "twlc-export: --extra: Extra payment 1: '0x0A' is not a payment number\n"},
        {{"--extra-each", "5@$2"},
         "twlc-export: --extra-each: Recurring extra payment: '$2' is not a payment number\n"},
        {{"--decimal", "abc"}, "twlc-export: --decimal: 'abc' is not a valid integer value\n"},
        {{"--round", "cent", "--extra", "3=0.005"},
         "twlc-export: --extra: Extra payment 1: the amount 0.005 has a fraction of a cent; a "
         "rounded plan takes whole cents\n"},
        // Dates stay within the years 1 to 9999.
        {{"--first-date", "9999-02-01"},
         "twlc-export: --first-date: First payment date: payment 12 would fall after the year "
         "9999\n"},
    };
    for (const auto& [flags, line] : cases) {
        const CliRun r = run(QStringList{"--amount", "1000", "--months", "12", "--rate", "12",
                                         "--format", "csv", "-o", "-"} +
                             flags);
        EXPECT_EQ(r.status, CliUsage) << line.toStdString();
        EXPECT_EQ(r.err, line);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// The program starts without fonts unless its document asks the display; on
// that platform every type still writes the bytes of a run on the usual one.
TEST_F(ExportCommand, TheProgramWithoutFontsWritesTheBytesOfTheUsualPlatform) {
    const std::pair<QStringList, bool> asks[] = {{{"--format", "csv"}, false},
                                                 {{"--format=RTF"}, true},
                                                 {{"--format", "doc"}, true},
                                                 {{"--format", "pdf"}, true},
                                                 {{"--format", "svg"}, true},
                                                 {{"--format=png", "--format", "xlsx"}, false},
                                                 {{"--format", "png", "--help"}, false},
                                                 {{"--format", "rtf", "--bogus"}, false}};
    for (const auto& [format, expected] : asks) {
        QList<QByteArray> args = {"--amount", "1", "--months", "1", "--rate", "1", "-o", "-"};
        for (const QString& a : format)
            args << a.toUtf8();
        EXPECT_EQ(exportCliNeedsFonts(args), expected) << format.join(' ').toStdString();
    }

    // The program's dates are those of C.UTF-8, at noon UTC: the same day anywhere.
    const test::RegionalScope programsRegion{QLatin1Char('.'), QStringLiteral("d MMM yyyy")};
    qputenv("SOURCE_DATE_EPOCH", "1796644800");
    QTemporaryDir home;
    const QProcessEnvironment env = test::programEnvironment(home.path());
    const QStringList options = {
        "--amount",   "1234.5",  "--months",  "30",
        "--rate",     "7.25",    "--decimal", "2",
        "--language", "English", "--set",     "Options=[xoShowHeader,xoRowNumbers,xoUseAlignments]",
        "-o",         "-"};
    // The workbooks carry the program's title.
    const QString testTitle = applicationTitle();
    setApplicationTitle(QStringLiteral("twlc-export"));
    // A PDF embeds the faces its process's font database chose, and a test
    // process's fonts are not the program's; it asks the display anyway.
    for (const char* name :
         {"html", "xls", "doc", "txt", "csv", "tab", "rtf", "dif", "slk", "xlsx", "ods"}) {
        const QStringList args = options + QStringList{"--format", name};
        const CliRun inProcess = run(args);
        ASSERT_EQ(inProcess.status, CliOk) << name << inProcess.err.toStdString();
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TWL_EXPORT_PROGRAM), args);
        ASSERT_TRUE(program.waitForFinished(60000)) << name;
        EXPECT_EQ(program.exitCode(), CliOk) << name << program.readAllStandardError().data();
        EXPECT_TRUE(test::bytesEqual(inProcess.out, program.readAllStandardOutput())) << name;
    }
    setApplicationTitle(testTitle);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export and languages: the same texts as the window, chosen the same way.

#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "app/MainWindow.h"
#include "base/Windows1252.h"
#include "export/kxExport.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotUn.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "i18n/bsStrUtils.h"
#include "tests/app/ProgramFolder.h"
#include "tests/app/ProgramProcess.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace twl;

namespace {

class ExportCommandLanguage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        qunsetenv("SOURCE_DATE_EPOCH");
        program.ship("English.lng");
        program.ship("Deutsch.lng");
        useFontDocuments();
    }
    void TearDown() override { TbsCorePolyglot::Release(); }

    int run(const QStringList& extra, QByteArray& out, QString& err) {
        QBuffer o, e;
        o.open(QIODevice::WriteOnly);
        e.open(QIODevice::WriteOnly);
        // HTML unless the test names its own format (a flag is given once).
        QStringList args{"--amount", "1000", "--months", "12", "--rate", "12", "-o", "-"};
        if (!extra.contains("--format"))
            args << "--format"
                 << "html";
        const int status = runExportCli(args + extra, o, e);
        out = o.data();
        err = QString::fromLocal8Bit(e.data());
        return status;
    }

    QByteArray windowDocument() {
        TbsCorePolyglot::Create();
        QByteArray bytes;
        {
            Tmainfrm form;
            form.amountedt->setText("1000");
            form.monthsedt->setText("12");
            form.interestedt->setText("12");
            form.calcbtnClick(nullptr);
            form.loanexp->setExportType(xtHTML);
            form.loanexp->WriteDocument(program.filePath("window.html"));
            bytes = test::readFile(program.filePath("window.html"));
        }
        TbsCorePolyglot::Release();
        return bytes;
    }

    test::ProgramFolderScope program;
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

} // namespace

TEST_F(ExportCommandLanguage, ResourceStringReplacementsChangeNeitherTheWindowNorTheCommand) {
    QFile english(program.filePath("language/English.lng"));
    ASSERT_TRUE(english.open(QIODevice::Append));
    english.write("\r\n[ResourceStrings]\r\n1103_SUM='TOTAL'\r\n1104='n/a'\r\n2047='Comic'\r\n");
    english.close();
    // The command runs first, in a process that has never built a window.
    QByteArray out;
    QString err;
    ASSERT_EQ(run({}, out, err), CliOk) << err.toStdString();
    EXPECT_TRUE(out.contains(">SUM<"));
    EXPECT_FALSE(out.contains("TOTAL"));
    EXPECT_FALSE(out.contains("Comic"));
    TbsCorePolyglot::Release();
    EXPECT_TRUE(test::bytesEqual(windowDocument(), out));
}

TEST_F(ExportCommandLanguage, TheLanguageComesFromTheOptionElseTheSettingsFile) {
    program.settings("[Settings]\r\nLanguage=Deutsch\r\n");
    const QByteArray german = windowDocument();
    EXPECT_TRUE(german.contains("Restschuld"));
    QByteArray out;
    QString err;
    ASSERT_EQ(run({}, out, err), CliOk) << err.toStdString();
    EXPECT_TRUE(test::bytesEqual(german, out));
    TbsCorePolyglot::Release();

    ASSERT_EQ(run({"--language", "ENGLISH"}, out, err), CliOk) << err.toStdString();
    EXPECT_TRUE(out.contains("Balance"));
    EXPECT_FALSE(out.contains("Restschuld"));
    TbsCorePolyglot::Release();

    EXPECT_EQ(run({"--language="}, out, err), CliUsage);
    // Told in the settings file's language, as the arguments name none.
    EXPECT_TRUE(err.startsWith("twlc-export: --language verlangt einen Wert\n"))
        << err.toStdString();
    EXPECT_EQ(run({"--language=Klingon"}, out, err), CliUsage);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(err, "twlc-export: there is no language named Klingon in " + program.path() +
                       "/language/ (languages: Deutsch, English)\n");
}

TEST_F(ExportCommandLanguage, SetsStayOutOfLanguageFilesButNotOutOfTheCommand) {
    test::writeFile(program.filePath("language/English.lng"),
                    test::readFile(program.filePath("language/English.lng"))
                        .replace("[Tmainfrm]\r\n", "[Tmainfrm]\r\nloanexp.Options=[]\r\n"));
    QByteArray out;
    QString err;
    ASSERT_EQ(run({"--format", "txt"}, out, err), CliOk) << err.toStdString();
    EXPECT_TRUE(out.contains("Payment #")); // the caption row is still there
    TbsCorePolyglot::Release();
    ASSERT_EQ(run({"--format", "txt", "--set", "Options=[xoShowHeader]"}, out, err), CliOk);
    EXPECT_FALSE(out.contains("Created:"));
    TbsCorePolyglot::Release();
    EXPECT_EQ(run({"--set", "Options=5"}, out, err), CliUsage);
    EXPECT_TRUE(err.startsWith("twlc-export: Options is a set: write [member,...]\n"));
}

// The program itself, which writes these documents without the widget module:
// every language's texts of the main window reach it by their paths (the
// table's captions, the inputs row, a plan's Due column, the cost row).
TEST_F(ExportCommandLanguage, EveryLanguageReachesTheProgramWithoutWidgets) {
    QTemporaryDir home;
    const QProcessEnvironment env = test::programEnvironment(home.path());
    for (const char* language : {"English", "Deutsch", "Espanol", "Francais"}) {
        const TbsINIFile file(test::sourceDir() + QStringLiteral("/language/%1.lng").arg(language));
        const auto text = [&](const QString& key) {
            return DecodeLiteral(file.ReadString("Tmainfrm", key, QString()));
        };
        QStringList wanted = {
            text("planlabels.DueCaption"), text("costlabels.Caption"),
            SplitQuotedList(file.ReadString("Tmainfrm", "messages.Lines.Strings", QString()))
                .value(98)};
        for (int i = 0; i < 5; ++i)
            wanted << text(QStringLiteral("loanview.Columns.Items(%1).Caption").arg(i));
        for (const char* format : {"csv", "xlsx"}) {
            QProcess program;
            program.setProcessEnvironment(env);
            program.start(QStringLiteral(TWL_EXPORT_PROGRAM),
                          {"--language", language, "--amount", "1000", "--months", "3", "--rate",
                           "7", "--first-date", "2027-01-15", "--fee", "50", "--format", format,
                           "-o", home.filePath(QStringLiteral("out.%1").arg(format))});
            ASSERT_TRUE(program.waitForFinished(60000)) << language;
            ASSERT_EQ(program.exitCode(), CliOk)
                << language << program.readAllStandardError().data();
            if (QLatin1String(format) != QLatin1String("csv"))
                continue; // it ran: no widgets needed
            const QByteArray out = test::readFile(home.filePath("out.csv"));
            for (const QString& t : wanted) {
                EXPECT_FALSE(t.isEmpty()) << language;
                EXPECT_TRUE(out.contains(Windows1252Codec::encode(t)))
                    << language << " " << t.toStdString();
            }
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF report read back by the PDF tools loses no figure: every cell of
// the same schedule's CSV stands in its text, for plain loans and plans, few
// and many decimals, large amounts and every shipped language.

#include "app/ExportCli.h"
#include "base/ProgramFolder.h"
#include "base/Windows1252.h"
#include "export/writers/kxWriterRegistry.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace twl;

namespace {

// The fields of CSV lines as the CSV document quotes them.
std::vector<QString> csvCells(const QString& csv) {
    std::vector<QString> cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < csv.size() && csv.at(i + 1) == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (!cell.isEmpty()) cells.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (!cell.isEmpty()) cells.push_back(cell);
    return cells;
}

class PdfReadBack : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qunsetenv("SOURCE_DATE_EPOCH");
        setProgramFolder(dir.path());
        QDir(dir.path()).mkdir("language");
        for (const char* language : {"English", "Deutsch", "Francais", "Espanol"}) {
            const QString file = QStringLiteral("language/%1.lng").arg(language);
            QFile::copy(test::sourceDir() + QLatin1Char('/') + file, dir.filePath(file));
        }
        kxRegisterDocumentWriters();
        TbsCorePolyglot::Create();
    }
    void TearDown() override {
        TbsCorePolyglot::Release();
        setProgramFolder(QString());
    }

    QByteArray run(QStringList args, const QString& format) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        args << "--format" << format << "-o"
             << "-";
        EXPECT_EQ(runExportCli(args, out, err), CliOk) << err.data().constData();
        return out.data();
    }

    QTemporaryDir dir;
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("d MMM yyyy")};
    test::ClockScope clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
};

} // namespace

TEST_F(PdfReadBack, EveryCellOfTheCsvStandsInThePdfsText) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QStringList plan = {"--first-date", "2027-01-31", "--extra",
                              "12=5000",      "--round",    "cent"};
    struct Case {
        const char* language;
        QStringList loan;
        const char* decimals;
        QStringList plan;
    } cases[] = {
        {"English", {"1000", "12", "12"}, "0", {}},
        {"Deutsch",
         {"1829303.21", "252", "14.685"},
         "6",
         plan + QStringList{"--period", "biweekly"}},
        {"Francais",
         {"999999999999999", "30", "14.685"},
         "18",
         {"--first-date", "2027-01-31", "--extra", "12=5000"}},
        {"Espanol", {"1000000000000000", "24", "7.5"}, "18", {}},
        {"English", {"250000", "40", "4.5"}, "12", plan + QStringList{"--balloon", "1000"}},
    };
    for (const Case& c : cases) {
        const QStringList args =
            QStringList{"--language", c.language, "--amount", c.loan[0],   "--months",
                        c.loan[1],    "--rate",   c.loan[2],  "--decimal", c.decimals} +
            c.plan;
        const std::vector<QString> cells = csvCells(Windows1252Codec::decode(run(args, "csv")));
        ASSERT_GT(cells.size(), 20u);
        const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
        test::writeFile(pdf, run(args, "pdf"));
        QProcess process;
        process.start(pdftotext, {"-layout", pdf, "-"});
        ASSERT_TRUE(process.waitForFinished(-1));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        int missing = 0;
        for (const QString& cell : cells) {
            if (!text.contains(cell) && ++missing <= 5)
                ADD_FAILURE() << c.language << " " << c.decimals << ": '" << cell.toStdString()
                              << "' is not in the report";
        }
        EXPECT_EQ(missing, 0) << args.join(' ').toStdString();
        EXPECT_FALSE(text.contains(QChar(0x2026))) << "a text was shortened";
    }
}

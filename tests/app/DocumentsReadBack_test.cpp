// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF report read back by the PDF tools loses no figure: every cell of
// the same schedule's CSV stands in its text, for plain loans and plans, few
// and many decimals, large amounts and every shipped language. The JSON data
// read back by Python's json module holds every cell of that CSV, typed.

#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "base/ProgramFolder.h"
#include "base/Windows1252.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/export/writers/ReaderSupport.h"
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
        useFontDocuments();
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

namespace {

// Compares the JSON document (argv[1]) with the CSV of the same schedule
// (argv[2]) cell by cell: numbers as the same value, ISO dates as the table's
// date ("d MMM yyyy"), empty cells as null, other texts as they are. Prints
// the number of rows, of numbers and of dates, then the summary's labels.
const char* const CompareJson = R"(
import csv, datetime, json, re, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
table = list(csv.reader(open(sys.argv[2], encoding='cp1252', newline='')))
captions, body = table[0], table[1:]
assert doc['columns'] == captions, (doc['columns'], captions)
numbered = max(i for i, r in enumerate(body) if r[0].isdigit()) + 1
assert len(doc['rows']) == numbered and len(doc['summary']) == len(body) - numbered
counts = {'n': 0, 'd': 0}
def same(value, text):
    if value is None: return text == ''
    if isinstance(value, bool): return False
    if isinstance(value, (int, float)):
        counts['n'] += 1
        return float(text) == value
    if re.fullmatch(r'\d{4}-\d\d-\d\d', value) and not re.fullmatch(r'\d{4}-\d\d-\d\d', text):
        counts['d'] += 1
        d = datetime.date.fromisoformat(value)
        return text == '%d %s %d' % (d.day, d.strftime('%b'), d.year)
    return value == text
for row, cells in zip(doc['rows'], body):
    assert list(row) == captions[:len(cells)], row
    for key, text in zip(captions, cells):
        assert same(row[key], text), (key, row[key], text)
for item, cells in zip(doc['summary'], body[numbered:]):
    assert item['label'] == cells[0], (item, cells)
    assert len(item) == 1 + sum(1 for text in cells[1:] if text), (item, cells)
    for i, text in enumerate(cells[1:], 1):
        if not text: continue
        label, sep, value = text.partition(': ')
        key, text = (label, value.strip()) if sep and label else (captions[i], text)
        assert same(item[key], text), (key, item[key], text)
print(len(doc['rows']), counts['n'], counts['d'])
print('|'.join(item['label'] for item in doc['summary']))
)";

} // namespace

TEST_F(PdfReadBack, JsonDataHoldsEveryCellOfTheCsvTyped) {
    const QString python = test::pythonWith(QStringLiteral("json"));
    if (python.isEmpty()) GTEST_SKIP() << "python3 is not installed";
    const QStringList loan = {"--language", "English", "--amount", "5000.5",
                              "--months",   "12",      "--rate",   "7.5"};
    struct Case {
        QStringList plan;
        const char* counts; // rows, numbers, dates
        const char* labels;
    } cases[] = {
        {{}, "12 66 1", "SUM|Inputs:"},
        {{"--first-date", "2027-01-31", "--extra", "3=1000", "--extra", "2027-06-30=500"},
         "9 53 11",
         "SUM|Inputs:|Plan vs. plain loan"},
        {{"--fee", "50", "--fee", "25:financed", "--apr", "eu", "--first-date", "2027-01-31",
          "--loan-date", "2026-12-31"},
         "12 69 14",
         "SUM|Inputs:|Cost of credit"},
    };
    for (const Case& c : cases) {
        const QStringList args = loan + c.plan;
        SCOPED_TRACE(args.join(' ').toStdString());
        const QString json = dir.filePath(QStringLiteral("s.json"));
        const QString csv = dir.filePath(QStringLiteral("s.csv"));
        test::writeFile(json, run(args, "json"));
        test::writeFile(csv, run(args, "csv"));
        const test::ReaderRun read = test::runReader(
            python, {QStringLiteral("-c"), QString::fromUtf8(CompareJson), json, csv});
        ASSERT_EQ(read.status, 0) << read.err.toStdString();
        EXPECT_EQ(read.out, QString::fromLatin1(c.counts) + '\n' + c.labels + '\n');
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF report read back by the PDF tools: the page size from the locale,
// the first page's title, summary and captions, the caption row repeated and
// the page numbers on the last page.

#include "tests/export/MemorySource.h"
#include "tests/export/writers/ReaderSupport.h"
#include "tests/export/writers/WriterTestSupport.h"

#include <QHashSeed>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace twl;
using namespace twl::test;

namespace {

struct LocaleScope {
    QLocale saved;
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }
};

// A schedule of `months` numbered rows, then its SUM and inputs rows.
void fillSchedule(MemorySource& source, int months) {
    source.captions = {"Payment #", "Payment", "Balance"};
    for (int m = 1; m <= months; ++m)
        source.rows.push_back({TVariant(QString::number(m)), TVariant(QStringLiteral("88.85")),
                               TVariant(QString::number(months - m) + QStringLiteral(".00"))});
    source.rows.push_back({TVariant(QStringLiteral("SUM")), TVariant(QStringLiteral("1066.19")),
                           TVariant(QStringLiteral("-"))});
    source.rows.push_back({TVariant(QStringLiteral("Inputs:")),
                           TVariant(QStringLiteral("Amount: 1000")),
                           TVariant(QStringLiteral("Months: 12"))});
    source.HTML()->setTitle(QStringLiteral("Loan schedule"));
    source.setOptions(source.Options().without(xoShowExportDate).without(xoShowProgress));
}

QString pdfPath(QTemporaryDir& dir, MemorySource& source) {
    const QString path = dir.filePath(QStringLiteral("r.pdf"));
    writeFile(path, writeDocument(source, xtPDF));
    return path;
}

int pageCount(const QString& info) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

TEST(PdfReport, PagesCarryTheSummaryTheCaptionsAndTheirNumbers) {
    LocaleScope locale(QLocale(QLocale::German, QLocale::Germany));
    MemorySource source;
    fillSchedule(source, 300);
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& footer) { footer = "The end"; };
    QTemporaryDir dir;
    const QString path = pdfPath(dir, source);

    TWL_RUN_PDF_TOOL("pdfinfo", {path}, info);
    EXPECT_TRUE(info.out.contains(QStringLiteral("595 x 842 pts (A4)"))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("Loan schedule")));
    const int pages = pageCount(info.out);
    ASSERT_GE(pages, 4); // about 60 rows to a page

    TWL_RUN_PDF_TOOL("pdftotext", (QStringList{"-layout", "-f", "1", "-l", "1", path, "-"}), first);
    const QString top = first.out;
    const qsizetype title = top.indexOf("Loan schedule");
    const qsizetype sum = top.indexOf(QRegularExpression("SUM\\s+1066.19"));
    const qsizetype inputs =
        top.indexOf(QRegularExpression("Inputs:\\s+Amount: 1000\\s+Months: 12"));
    const qsizetype captions = top.indexOf(QRegularExpression("Payment #\\s+Payment\\s+Balance"));
    const qsizetype row1 = top.indexOf(QRegularExpression("\\n\\s+1\\s+88.85\\s+299.00"));
    EXPECT_TRUE(title >= 0 && title < sum && sum < inputs && inputs < captions && captions < row1)
        << top.toStdString();
    EXPECT_TRUE(top.contains(QStringLiteral("Page 1 of %1").arg(pages)));

    const QString n = QString::number(pages);
    TWL_RUN_PDF_TOOL("pdftotext", (QStringList{"-layout", "-f", n, "-l", n, path, "-"}), last);
    const QString end = last.out;
    EXPECT_TRUE(end.contains(QRegularExpression("Payment #\\s+Payment\\s+Balance")));
    EXPECT_TRUE(end.contains(QRegularExpression("300\\s+88.85\\s+0.00")));
    EXPECT_TRUE(end.contains("The end"));
    EXPECT_TRUE(end.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    EXPECT_FALSE(end.contains("SUM")); // the summary stands only at the top
}

TEST(PdfReport, LetterWhereTheLocaleMeasuresInInchesAndPagesTranslated) {
    LocaleScope locale(QLocale(QLocale::English, QLocale::UnitedStates));
    MemorySource source;
    fillSchedule(source, 3);
    source.Messages()->PageNumbers = QStringLiteral("Seite %d von %d");
    QTemporaryDir dir;
    const QString path = pdfPath(dir, source);
    TWL_RUN_PDF_TOOL("pdfinfo", {path}, info);
    EXPECT_TRUE(info.out.contains(QStringLiteral("612 x 792 pts (letter)")))
        << info.out.toStdString();
    EXPECT_EQ(pageCount(info.out), 1);
    TWL_RUN_PDF_TOOL("pdftotext", (QStringList{"-layout", path, "-"}), text);
    EXPECT_TRUE(text.out.contains("Seite 1 von 1"));
}

// The report is dated by the program's clock, not the system's, so that the
// same report made twice is the same file.
TEST(PdfReport, DatedByTheProgramsClock) {
    MemorySource source;
    fillSchedule(source, 3);
    ClockScope clock{QDateTime(QDate(2031, 2, 3), QTime(4, 5, 6), Qt::UTC)};
    const QByteArray first = writeDocument(source, xtPDF);
    EXPECT_TRUE(first.contains("/CreationDate (D:20310203040506Z)"));
    EXPECT_EQ(writeDocument(source, xtPDF), first);
}

// The faces are embedded in the same order whatever the process's hash seed,
// so the same report is the same file in every run.
TEST(PdfReport, SameBytesWhateverTheHashSeed) {
    MemorySource source;
    fillSchedule(source, 3);
    ClockScope clock{QDateTime(QDate(2031, 2, 3), QTime(4, 5, 6), Qt::UTC)};
    QHashSeed::resetRandomGlobalSeed();
    const QByteArray first = writeDocument(source, xtPDF);
    for (int run = 0; run < 12; ++run) {
        QHashSeed::resetRandomGlobalSeed();
        ASSERT_EQ(writeDocument(source, xtPDF), first) << "run " << run;
    }
}

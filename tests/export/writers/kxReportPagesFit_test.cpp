// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF report never cuts a text: wide tables are set smaller, then on
// landscape pages, then with their columns split over pages; long summary
// rows and text lines wrap.

#include "tests/export/MemorySource.h"
#include "tests/export/writers/ReaderSupport.h"
#include "tests/export/writers/WriterTestSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace twl;
using namespace twl::test;

namespace {

// `columns` columns after the row number, each of `digits`-digit amounts.
void fillWide(MemorySource& source, int columns, int digits, int rows) {
    source.captions = {"Payment #"};
    for (int c = 1; c <= columns; ++c)
        source.captions << QStringLiteral("Column %1").arg(c);
    for (int r = 1; r <= rows; ++r) {
        TkxValues row{TVariant(QString::number(r))};
        for (int c = 1; c <= columns; ++c)
            row.emplace_back(QString(digits, QLatin1Char('0' + c % 10)) +
                             QStringLiteral(".%1").arg(r));
        source.rows.push_back(row);
    }
    TkxValues summary{TVariant(QStringLiteral("SUM"))};
    for (int c = 1; c <= columns; ++c)
        summary.emplace_back(QStringLiteral("Total of column %1: ").arg(c) + QString(digits, '9'));
    source.rows.push_back(summary);
    source.setOptions(source.Options().without(xoShowExportDate).without(xoShowProgress));
}

struct Report {
    QString info;
    QStringList pages;
};

Report readReport(MemorySource& source) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.pdf"));
    writeFile(path, writeDocument(source, xtPDF));
    Report report;
    const ReaderRun info =
        runReader(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {path});
    const ReaderRun text = runReader(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                                     {"-layout", path, "-"});
    if (!info.found || !text.found) return report;
    report.info = info.out;
    report.pages = text.out.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    return report;
}

} // namespace

TEST(PdfReportFit, WideTablesTurnTheirPagesThenSplitTheirColumns) {
    struct Case {
        int columns, digits, rows;
        const char* size;
        int groups; // pages across for each block of rows
    } cases[] = {
        {5, 16, 30, "595 x 842", 1}, // fits a portrait page as it is, or a little smaller
        {5, 34, 30, "842 x 595", 1}, // too wide for portrait at the smallest size
        {12, 34, 80, "842 x 595", 3},
    };
    for (const Case& c : cases) {
        MemorySource source;
        fillWide(source, c.columns, c.digits, c.rows);
        // A footer line of words, too long for one line of any page.
        QStringList words;
        for (int w = 1; w <= 60; ++w)
            words << QStringLiteral("word%1").arg(w);
        source.OnGetFooter = [&](QObject*, std::uint32_t, QString& f) { f = words.join(' '); };
        const Report report = readReport(source);
        if (report.info.isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
        EXPECT_TRUE(report.info.contains(QLatin1String(c.size))) << report.info.toStdString();
        const QString all = report.pages.join('\n');
        for (const TkxValues& row : source.rows) {
            for (const TVariant& cell : row)
                EXPECT_TRUE(all.contains(cell.toString())) << cell.toString().toStdString();
        }
        for (const QString& caption : source.captions)
            EXPECT_TRUE(all.contains(caption)) << caption.toStdString();
        for (const QString& word : words)
            EXPECT_TRUE(all.contains(QRegularExpression("\\b" + word + "\\b")))
                << word.toStdString();
        EXPECT_FALSE(all.contains(QChar(0x2026)));
        // Every page of the table repeats the row numbers' column; a row's
        // parts stand on pages next to each other.
        const int pages = static_cast<int>(report.pages.size());
        EXPECT_GE(pages, c.groups);
        int tablePages = 0;
        for (const QString& page : report.pages)
            tablePages += page.contains(QStringLiteral("Payment #")) ? 1 : 0;
        EXPECT_EQ(tablePages % c.groups, 0) << c.columns;
        for (int p = 0; p < c.groups; ++p) {
            EXPECT_TRUE(
                report.pages[p].contains(QRegularExpression(QStringLiteral("\\n\\s*1\\s+\\d"))))
                << p;
        }
    }
}

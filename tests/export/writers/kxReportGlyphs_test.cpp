// SPDX-License-Identifier: GPL-3.0-or-later
// The report's cells drawn as glyph runs look and read as the same cells drawn
// through the painter's own text layout: the PDF tools extract the same text
// and render every page to the same pixels.

#include "export/writers/kxReportPages.h"
#include "export/writers/kxWriterPDF.h"
#include "tests/export/writers/ReaderSupport.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <functional>

using namespace twl;
using namespace twl::test;

namespace {

TkxGridCell textCell(const QString& text) {
    TkxGridCell cell;
    cell.Text = text;
    return cell;
}

struct LocaleScope {
    QLocale saved;
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }
};

struct Case {
    const char* name;
    QLocale::Country country; // the page: Letter in the United States, else A4
    QStringList captions;
    int rows;
    // The text of a row's column after the row number.
    std::function<QString(int row, int column)> cell;
    QStringList summary;
};

// An amount of `row` in the style of a language: its decimal and thousands
// separators.
QString amount(double value, QChar decimal, const QString& thousands) {
    QString digits = QString::number(value, 'f', 2);
    QString whole = digits.left(digits.size() - 3);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, thousands);
    return whole + decimal + digits.right(2);
}

const QStringList PlanCaptions = {"Payment #", "Date",      "Payment",
                                  "Interest",  "Principal", "Balance"};

// A plan with due dates in a language's number and date formats.
Case plan(const char* name, QLocale::Country country, int rows, QChar decimal, QString thousands,
          QString dateFormat, QStringList summary) {
    auto cell = [=](int row, int column) -> QString {
        if (column == 1) return QDate(2027, 1, 31).addMonths(row - 1).toString(dateFormat);
        return amount(1234.5 * column + row * 17.31, decimal, thousands);
    };
    return {name, country, PlanCaptions, rows, cell, std::move(summary)};
}

std::vector<Case> cases() {
    return {
        plan("plan with dates, English", QLocale::UnitedStates, 150, '.', ",", "MM/dd/yyyy",
             {"SUM", "185175.00", "-"}),
        plan("German figures", QLocale::Germany, 70, ',', ".", "dd.MM.yyyy",
             {"Summe", "1.066,19", "-"}),
        plan("French figures with no-break spaces", QLocale::France, 70, ',',
             QStringLiteral("\u00a0"), "dd/MM/yyyy", {"Total", "1\u00a0066,19", "Taux: 12 %"}),
        plan("Spanish figures", QLocale::Spain, 70, ',', ".", "d/M/yyyy",
             {"Suma", "1.066,19", "-"}),
        {"long figures set smaller",
         QLocale::Germany,
         {"Payment #", "Payment", "Interest", "Principal", "Balance", "Total"},
         40,
         [](int row, int column) {
             return column == 5 ? QStringLiteral("5.07E%1").arg(row + 10)
                                : QString(15, QChar(u'0' + (row + column) % 10)) +
                                      QStringLiteral(".%1").arg(row % 100, 2, 10, QChar(u'0'));
         },
         {"SUM", "999999999999999999.99", "-"}},
        {"wide table split over pages",
         QLocale::Germany,
         {"Payment #", "AVAT Tö", "\u05e9\u05dc\u05d5\u05dd 12", "Tab\there", "D", "E", "F", "G",
          "H", "I", "J", "K", "L"},
         30,
         [](int row, int column) {
             return QString(30, QChar(u'0' + column % 10)) + QStringLiteral(",%1").arg(row);
         },
         {"AVAT Tötal", "-1.5"}},
    };
}

QByteArray report(const Case& c, bool reference) {
    TkxReportPages pages(QStringLiteral("Loan schedule"), QStringLiteral("Page %d of %d"));
    pages.SetReferenceText(reference);
    pages.AddTopLine(QStringLiteral("Amount: 100000, Rate: 7.5 %"));
    std::vector<TkxGridCell> captions;
    for (const QString& caption : c.captions)
        captions.push_back(textCell(caption));
    pages.SetCaptions(captions);
    for (int r = 1; r <= c.rows; ++r) {
        std::vector<TkxGridCell> cells(1);
        cells[0].Text = QString::number(r);
        cells[0].IsNumber = true;
        cells[0].AlignRight = true;
        for (qsizetype col = 1; col < c.captions.size(); ++col) {
            TkxGridCell cell = textCell(c.cell(r, static_cast<int>(col)));
            cell.AlignRight = true;
            cells.push_back(cell);
        }
        pages.AddRow(cells);
    }
    std::vector<TkxGridCell> summary;
    for (const QString& text : c.summary)
        summary.push_back(textCell(text));
    pages.AddRow(summary);
    pages.AddFooterLine(QStringLiteral("Created with 1.066,19 AVAT"));
    pages.Finish();
    return TkxPDFWriter::PdfBytes(pages);
}

// Each page rendered in grey, in page order.
std::vector<QByteArray> rendered(const QString& pdf, QTemporaryDir& dir, const char* prefix) {
    const QString stem = dir.filePath(QLatin1String(prefix));
    runReader(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
              {"-r", "100", "-gray", pdf, stem});
    std::vector<QByteArray> pages;
    const QStringList files =
        QDir(dir.path()).entryList({QLatin1String(prefix) + "*.pgm"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QFile f(dir.filePath(file));
        if (f.open(QIODevice::ReadOnly)) pages.push_back(f.readAll());
    }
    return pages;
}

class ReportGlyphRuns : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(ReportGlyphRuns, ReadAndLookAsThePaintersOwnTextLayout) {
    const Case& c = GetParam();
    LocaleScope locale(QLocale(QLocale::AnyLanguage, c.country));
    QTemporaryDir dir;
    const QString runs = savedFile(dir, report(c, false), "runs.pdf");
    const QString reference = savedFile(dir, report(c, true), "reference.pdf");

    for (const QStringList& options : {QStringList{"-layout"}, QStringList{"-raw"}}) {
        TWL_RUN_PDF_TOOL("pdftotext", QStringList(options) << reference << "-", expected);
        TWL_RUN_PDF_TOOL("pdftotext", QStringList(options) << runs << "-", actual);
        EXPECT_EQ(actual.out, expected.out) << options.join(' ').toStdString();
        EXPECT_TRUE(expected.out.contains(c.cell(c.rows, 1)));
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const std::vector<QByteArray> expected = rendered(reference, dir, "reference");
    const std::vector<QByteArray> actual = rendered(runs, dir, "runs");
    ASSERT_GE(expected.size(), 1u);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t p = 0; p < expected.size(); ++p)
        EXPECT_TRUE(actual[p] == expected[p]) << "page " << p + 1;
}

INSTANTIATE_TEST_SUITE_P(Schedules, ReportGlyphRuns, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return QString::fromLatin1(info.param.name)
                                 .replace(QRegularExpression("[^A-Za-z0-9]+"), "_")
                                 .toStdString();
                         });

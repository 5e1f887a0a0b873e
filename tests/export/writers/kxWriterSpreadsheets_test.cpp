// SPDX-License-Identifier: GPL-3.0-or-later
// The workbook (.xlsx) and OpenDocument spreadsheet (.ods) read back by real
// readers, the typed cells they share, and the legacy workbook's code page as
// a reader decodes it.

#include "export/writers/kxWriterGrid.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"
#include "tests/export/writers/ReaderSupport.h"

#include <QTemporaryDir>
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

using namespace twl;
using namespace twl::test;

namespace {

// Each row as "value|format" cells joined by ";", then the properties.
const char* const ReadXlsx = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
print(wb.properties.title)
print(ws.freeze_panes)
print('%s/%s' % (ws.oddHeader.center.text, ws.oddFooter.center.text))
print(';'.join('%s=%d' % (k, round(v.width)) for k, v in sorted(ws.column_dimensions.items())))
for row in ws.iter_rows():
    print(';'.join('%r|%s|%s' % (c.value, c.number_format, 'b' if c.font.b else '') for c in row))
)";

const char* const ReadOds = R"(
import sys
from odf.opendocument import load
from odf import table, teletype
doc = load(sys.argv[1])
for row in doc.spreadsheet.getElementsByType(table.TableRow):
    cells = []
    for c in row.getElementsByType(table.TableCell):
        cells.append('%s|%s|%s' % (c.getAttribute('valuetype'), c.getAttribute('value') or '', teletype.extractText(c)))
    print(';'.join(cells))
)";

} // namespace

TEST(GridNumbers, OnlyTheTablesOwnNumberTextsAreNumbers) {
    struct Row {
        const char* text;
        QChar separator;
        bool number;
        double value;
        int decimals;
    } rows[] = {
        {"88.85", u'.', true, 88.85, 2},
        {"-3", u'.', true, -3, 0},
        {"1000,500", u',', true, 1000.5, 3},
        {"0.00", u',', true, 0, 2},
        {"1.", u'.', false, 0, 0},
        {".5", u'.', false, 0, 0},
        {"1e5", u'.', false, 0, 0},
        {"", u'.', false, 0, 0},
        {"12 a", u'.', false, 0, 0},
        {"1.2.3", u'.', false, 0, 0},
        {"-", u'.', false, 0, 0},
        {"+4", u'.', false, 0, 0},
        {"2026-12-07", u'.', false, 0, 0},
        {"1,5", u'.', false, 0, 0},
    };
    for (const Row& r : rows) {
        double value = -1;
        int decimals = -1;
        EXPECT_EQ(kxParseGridNumber(QString::fromLatin1(r.text), r.separator, value, decimals),
                  r.number)
            << r.text;
        if (!r.number) continue;
        EXPECT_DOUBLE_EQ(value, r.value) << r.text;
        EXPECT_EQ(decimals, r.decimals) << r.text;
    }
}

TEST(GridNumbers, ValuesAreTheNearestDoublesAsTheCLibraryReadsThem) {
    // Short texts take a quicker path than long ones; both give from_chars's value.
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 24), coin(0, 3);
    for (int i = 0; i < 200000; ++i) {
        std::string c;
        if (coin(random) == 0) c += '-';
        for (int n = length(random); n > 0; --n)
            c += char('0' + digit(random));
        if (coin(random) != 0) {
            c += '.';
            for (int n = length(random); n > 0; --n)
                c += char('0' + digit(random));
        }
        if (coin(random) == 0) c += "E-" + std::to_string(digit(random) * 3);
        double expected = 0;
        std::from_chars(c.data(), c.data() + c.size(), expected);
        QString text = QString::fromLatin1(c);
        text.replace(u'.', u',');
        double value = 0;
        int decimals = 0;
        ASSERT_TRUE(kxParseGridNumber(text, u',', value, decimals)) << c;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected)) << c;
    }
}

TEST(XlsxDocument, AmountsAreNumbersShownInTheTablesDecimals) {
    ScheduleExport s;
    s.exporter.HTML()->setTitle(QStringLiteral("Schedule \u00e9"));
    s.exporter.EXCEL()->setHeader(QStringLiteral("Plan"));
    s.exporter.setOptions(s.exporter.Options().without(xoShowExportDate));
    QTemporaryDir dir;
    const QString path = savedFile(dir, writeDocument(s.exporter, xtXLSX), "s.xlsx");
    TWL_READ_WITH_PYTHON("openpyxl", ReadXlsx, path, read);
    QStringList lines = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4 + 15);
    EXPECT_EQ(lines[0], QStringLiteral("Schedule \u00e9"));
    EXPECT_EQ(lines[1], "A2");      // the caption row stays in view
    EXPECT_EQ(lines[2], "Plan/&P"); // the page texts of the workbook options
    lines.removeAt(2);
    // Every column at least as wide as its longest text.
    const QStringList widths = lines[2].split(';');
    ASSERT_EQ(widths.size(), 5);
    const int longest[] = {9, 7, 8, 9, 10};
    for (int i = 0; i < 5; ++i)
        EXPECT_GE(widths[i].section('=', 1).toInt(), longest[i]) << widths[i].toStdString();
    EXPECT_EQ(lines[3], "'Payment #'|General|b;'Payment'|General|b;'Interest'|General|b;"
                        "'Principal'|General|b;'Balance'|General|b");
    EXPECT_EQ(lines[4], "1|0|;88.85|0.00|;10|0.00|;78.85|0.00|;921.15|0.00|");
    EXPECT_EQ(lines[16], "'SUM'|General|;1066.19|0.00|;66.19|0.00|;1000|0.00|;'-'|General|");
    EXPECT_EQ(lines[17], "None|General|;1000|0|;12|0|;12|0|;'2026-12-07'|General|");
}

TEST(XlsxDocument, TextsKeepEveryCharacterAndWithoutCaptionsNothingIsFrozen) {
    MemorySource source;
    source.captions = {"a", "b"};
    source.setTextRows({{QStringLiteral("\u00c9ch\u00e9ance \u20ac"), "3,250"}});
    source.setOptions(source.Options().without(xoShowHeader).without(xoShowExportDate));
    RegionalScope comma(QLatin1Char(','));
    QTemporaryDir dir;
    const QString path = savedFile(dir, writeDocument(source, xtXLSX), "t.xlsx");
    TWL_READ_WITH_PYTHON("openpyxl", ReadXlsx, path, read);
    const QStringList lines = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], "None");
    EXPECT_EQ(lines[4], QStringLiteral("'\u00c9ch\u00e9ance \u20ac'|General|;3.25|0.000|"));
}

TEST(OdsDocument, TheMimetypeComesFirstAndUncompressed) {
    ScheduleExport s;
    const QByteArray bytes = writeDocument(s.exporter, xtODS);
    ASSERT_GT(bytes.size(), 30 + 8 + 46);
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
    EXPECT_EQ(quint8(bytes[8]) | quint8(bytes[9]) << 8, 0);   // stored
    EXPECT_EQ(quint8(bytes[26]), 8);                          // name length
    EXPECT_EQ(quint8(bytes[28]) | quint8(bytes[29]) << 8, 0); // and no extra field
    EXPECT_EQ(bytes.mid(30, 8), "mimetype");
    EXPECT_EQ(bytes.mid(38, 46), "application/vnd.oasis.opendocument.spreadsheet");
}

TEST(OdsDocument, CellsAreTypedAndShowTheTablesText) {
    ScheduleExport s;
    s.exporter.setOptions(s.exporter.Options().without(xoShowExportDate));
    QTemporaryDir dir;
    const QString path = savedFile(dir, writeDocument(s.exporter, xtODS), "s.ods");
    TWL_READ_WITH_PYTHON("odf", ReadOds, path, read);
    const QStringList lines = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], "string||Payment #;string||Payment;string||Interest;string||Principal;"
                        "string||Balance");
    EXPECT_EQ(lines[1], "float|1|1;float|88.85|88.85;float|10|10.00;float|78.85|78.85;"
                        "float|921.15|921.15");
    EXPECT_EQ(lines[13], "string||SUM;float|1066.19|1066.19;float|66.19|66.19;float|1000|1000.00;"
                         "string||-");
}

TEST(LegacyWorkbook, EveryVersionOpensWithItsAccentedLabels) {
    const char* const readXls = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
sheet = book.sheet_by_index(0)
print(book.encoding)
print(sheet.cell_value(0, 0))
)";
    for (TkxExcelVersion version : {xls21, xls30, xls40, xls50}) {
        MemorySource source;
        source.captions = {QStringLiteral("\u00c9ch\u00e9ance"),
                           QStringLiteral("Int\u00e9r\u00eats")};
        source.setTextRows({{"1", "10.00"}});
        source.EXCEL()->setExcelVersion(version);
        QTemporaryDir dir;
        const QString path = savedFile(dir, writeDocument(source, xtExcel), "s.xls");
        TWL_READ_WITH_PYTHON("xlrd", readXls, path, read);
        EXPECT_EQ(read.out, QStringLiteral("cp1252\n\u00c9ch\u00e9ance\n")) << int(version);
    }
}

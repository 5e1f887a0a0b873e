// SPDX-License-Identifier: GPL-3.0-or-later
// What real readers make of the spreadsheets: due dates as dates, the
// largest amounts as numbers, the caption row frozen, the legacy workbook
// read whole by every reader in every version, and sheets too long for their
// readers refused whole.

#include "export/writers/kxWriterGridDates.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"
#include "tests/export/writers/ReaderSupport.h"

#include <QTemporaryDir>

using namespace twl;
using namespace twl::test;

namespace {

// A plan's table: numbered rows with a due date, a summary row that names a
// date, and amounts too large for fixed decimals.
void fillPlan(MemorySource& source) {
    source.captions = {"Payment #", "Due", "Payment", "Balance"};
    source.setTextRows({{"1", "31 Jan 2027", "88.85", "5.07046099585052E18"},
                        {"2", "28 Feb 2027", "88.85", "-1.5E-3"},
                        {"SUM", "", "177.70", "-"},
                        {"Last payment:", "28 Feb 2027", "", ""}});
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = "Plan\r\nof a loan"; };
    source.setOptions(source.Options().without(xoShowExportDate));
}

// Each row as "type|value|text" cells, the frozen rows, then the sheet name.
const char* const ReadXlsx = R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws.freeze_panes)
for row in ws.iter_rows():
    print(';'.join('%s|%s|%s' % (type(c.value).__name__, c.value, c.number_format) for c in row))
)";

const char* const ReadOds = R"(
import sys, zipfile
from odf.opendocument import load
from odf import table, teletype
from xml.dom import minidom
z = zipfile.ZipFile(sys.argv[1])
if 'settings.xml' in z.namelist():
    items = minidom.parseString(z.read('settings.xml')).getElementsByTagName('config:config-item')
    values = dict((i.getAttribute('config:name'), i.firstChild.data) for i in items)
    print('%s@%s@%s' % (values['VerticalSplitMode'], values['VerticalSplitPosition'], values['ActiveTable']))
else:
    print('unfrozen')
doc = load(sys.argv[1])
for t in doc.spreadsheet.getElementsByType(table.Table):
    print(t.getAttribute('name'))
for row in doc.spreadsheet.getElementsByType(table.TableRow):
    print(';'.join('%s|%s|%s' % (c.getAttribute('valuetype'),
                                 c.getAttribute('datevalue') or c.getAttribute('value') or '',
                                 teletype.extractText(c))
                   for c in row.getElementsByType(table.TableCell)))
)";

QStringList lines(const QString& out) {
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(GridDates, PatternsBecomeDatePartsOrNothing) {
    struct Row {
        const char* pattern;
        const char* parts; // kind:width, text as 'text'
    } rows[] = {
        {"d MMM yyyy", "0:1 ' ' 3:3 ' ' 4:4"},
        {"dd.MM.yyyy", "0:2 '.' 2:2 '.' 4:4"},
        {"M/d/yyyy", "2:1 '/' 0:1 '/' 4:4"},
        {"dddd, d 'de' MMMM yyyy", "1:4 ', ' 0:1 ' de ' 3:4 ' ' 4:4"},
        {"yyyy-MM-dd'T'", "4:4 '-' 2:2 '-' 0:2 'T'"},
        {"d 'o''clock'", "0:1 ' o'clock'"},
        {"d/M/yy", ""},     // the century would be lost
        {"d MMM h:mm", ""}, // a time is no part of a date cell
    };
    for (const Row& r : rows) {
        QStringList parts;
        for (const TkxDatePart& p : kxDateParts(QString::fromUtf8(r.pattern)))
            parts << (p.kind == TkxDatePart::Text
                          ? "'" + p.text + "'"
                          : QStringLiteral("%1:%2").arg(p.kind).arg(p.width));
        EXPECT_EQ(parts.join(' '), QString::fromUtf8(r.parts)) << r.pattern;
    }
    // Every date reads back from its own text, and only from that text.
    for (const char* pattern : {"d MMM yyyy", "dd.MM.yyyy", "M/d/yyyy", "ddd d MMMM yyyy"}) {
        const std::vector<TkxDatePart> parts = kxDateParts(QString::fromUtf8(pattern));
        for (QDate d(1999, 12, 25); d < QDate(2001, 3, 5); d = d.addDays(17)) {
            const QString text = d.toString(QString::fromUtf8(pattern));
            QDate read;
            EXPECT_TRUE(kxParseGridDate(text, parts, read) && read == d) << text.toStdString();
        }
    }
    const std::vector<TkxDatePart> parts = kxDateParts(QStringLiteral("d MMM yyyy"));
    QDate date;
    for (const char* text : {"09 Mar 2027", "31 Feb 2027", "Date: 9 Mar 2027", "9 Mar 2027 ",
                             "9 March 2027", "9 Mar 27", "", "0 Mar 2027"})
        EXPECT_FALSE(kxParseGridDate(QString::fromUtf8(text), parts, date)) << text;
    EXPECT_FALSE(kxParseGridDate(QStringLiteral("Mon 9 Mar 2027"),
                                 kxDateParts(QStringLiteral("ddd d MMM yyyy")), date)); // a Tuesday
}

TEST(XlsxDocument, DueDatesAreDatesAndLargeAmountsNumbers) {
    RegionalScope regional(QLatin1Char('.'), QStringLiteral("d MMM yyyy"));
    MemorySource source;
    fillPlan(source);
    QTemporaryDir dir;
    const QString path = savedFile(dir, writeDocument(source, xtXLSX), "p.xlsx");
    TWL_READ_WITH_PYTHON("openpyxl", ReadXlsx, path, read);
    const QStringList l = lines(read.out);
    ASSERT_EQ(l.size(), 1 + 8) << read.out.toStdString();
    EXPECT_EQ(l[0].toStdString(), "A5"); // two header lines, a blank row, the captions
    EXPECT_EQ(l[5].toStdString(),
              "int|1|0;datetime|2027-01-31 00:00:00|[$-409]d\\ mmm\\ yyyy;float|88.85|0.00;"
              "float|5.07046099585052e+18|0.00000000000000E+00");
    EXPECT_EQ(l[6].toStdString(),
              "int|2|0;datetime|2027-02-28 00:00:00|[$-409]d\\ mmm\\ yyyy;float|88.85|0.00;"
              "float|-0.0015|0.0E+00");
    // A date outside the table's own rows stays the text it is.
    EXPECT_EQ(l[8].toStdString(),
              "str|Last payment:|General;str|28 Feb 2027|General;NoneType|None|General;"
              "NoneType|None|General");
}

TEST(OdsDocument, DueDatesLargeAmountsAndTheFrozenCaptionRow) {
    RegionalScope regional(QLatin1Char(','), QStringLiteral("dd.MM.yyyy"));
    MemorySource source;
    fillPlan(source);
    source.rows[0][1] = TVariant(QStringLiteral("31.01.2027"));
    source.rows[1][1] = TVariant(QStringLiteral("28.02.2027"));
    source.rows[0][2] = TVariant(QStringLiteral("88,85"));
    source.HTML()->setTitle(QStringLiteral("Plan: a/b"));
    QTemporaryDir dir;
    const QString path = savedFile(dir, writeDocument(source, xtODS), "p.ods");
    TWL_READ_WITH_PYTHON("odf", ReadOds, path, read);
    const QStringList l = lines(read.out);
    ASSERT_EQ(l.size(), 2 + 8) << read.out.toStdString();
    EXPECT_EQ(l[0].toStdString(), "2@4@Plan  a b"); // frozen below row 4, on the sheet of that name
    EXPECT_EQ(l[1].toStdString(), "Plan  a b");
    EXPECT_EQ(l[6].toStdString(), "float|1|1;date|2027-01-31|31.01.2027;float|88.85|88,85;"
                                  "float|5070460995850519552|5.07046099585052E18");
    EXPECT_EQ(l[7].toStdString(), "float|2|2;date|2027-02-28|28.02.2027;float|88.85|88.85;"
                                  "float|-0.0015|-1.5E-3");
    EXPECT_EQ(l[9].toStdString(), "string||Last payment:;string||28 Feb 2027;None||;None||");

    // Without a caption row nothing is frozen, and the package has no settings.
    source.setOptions(source.Options().without(xoShowHeader));
    const QString bare = savedFile(dir, writeDocument(source, xtODS), "q.ods");
    TWL_READ_WITH_PYTHON("odf", ReadOds, bare, unfrozen);
    EXPECT_TRUE(unfrozen.out.startsWith("unfrozen\n")) << unfrozen.out.toStdString();
}

// Every version of the legacy workbook, read by two readers: each keeps every
// cell, texts included, and neither finds a cell format missing.
TEST(LegacyWorkbook, EveryReaderReadsEveryCellOfEveryVersion) {
    const QString ssconvert = QStandardPaths::findExecutable(QStringLiteral("ssconvert"));
    const char* const readXls = R"(
import sys, xlrd
for info in (False, True):
    sheet = xlrd.open_workbook(sys.argv[1], formatting_info=info).sheet_by_index(0)
    print('|'.join(str(sheet.cell_value(r, c)) for r in range(sheet.nrows) for c in range(sheet.ncols)))
)";
    for (TkxExcelVersion version : {xls21, xls30, xls40, xls50}) {
        ScheduleExport s;
        s.exporter.EXCEL()->setExcelVersion(version);
        s.exporter.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = "Plan"; };
        QTemporaryDir dir;
        const QString path = savedFile(dir, writeDocument(s.exporter, xtExcel), "s.xls");
        TWL_READ_WITH_PYTHON("xlrd", readXls, path, xlrd);
        const QStringList both = lines(xlrd.out);
        ASSERT_EQ(both.size(), 2);
        EXPECT_EQ(both[0], both[1]) << int(version);
        for (const char* text : {"Plan", "Payment #", "SUM", "|-|", "2026-12-07", "1066.19"})
            EXPECT_TRUE(both[0].contains(QLatin1String(text))) << text << " " << int(version);

        if (ssconvert.isEmpty()) GTEST_SKIP() << "ssconvert (gnumeric) is not installed";
        const QString csv = dir.filePath(QStringLiteral("s.csv"));
        const ReaderRun run = runReader(ssconvert, {path, csv});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("corrupted"))) << run.err.toStdString();
        const QStringList rows =
            QString::fromUtf8(readFile(csv)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(rows.size(), 3 + 14) << int(version);
        EXPECT_EQ(rows[0].toStdString(), "Plan,,,,");
        EXPECT_EQ(rows[2].toStdString(), "\"Payment #\",Payment,Interest,Principal,Balance");
        EXPECT_TRUE(rows[15].startsWith("SUM,1066.19")) << rows[15].toStdString();
        EXPECT_TRUE(rows[15].endsWith(",-")) << rows[15].toStdString();
        EXPECT_TRUE(rows[16].endsWith(",2026-12-07")) << rows[16].toStdString();
    }
}

namespace {

// Rows made on demand: a number and an amount each.
struct TallSource : MemorySource {
    std::uint32_t count = 0;
    bool IsEndOfRows() override { return RowIndex() >= count; }
    void GetRowValues(TkxValues& Values) override {
        Values = {TVariant(QString::number(RowIndex() + 1)), TVariant(QStringLiteral("7.00"))};
    }
    int GetRowCount() override {
        GotoFirstRow();
        return int(count);
    }
    int GetColumnDataWidth(int) override { return 7; }
};

} // namespace

// One row more than the spreadsheets that read the format keep: refused
// whole, where they would drop the last rows without a word.
TEST(OdsDocument, ATableLongerThanItsReadersKeepIsRefusedNamingTheTypeThatHoldsIt) {
    TallSource tall;
    tall.captions = {"N", "A"};
    tall.setOptions({xoShowHeader});
    tall.count = 1048576;
    std::vector<TkxExportError> errors;
    EXPECT_TRUE(writeDocument(tall, xtODS, &errors).isEmpty());
    EXPECT_EQ(errors, std::vector<TkxExportError>({xeWriteFailed}));
    EXPECT_EQ(tall.LastErrorText(),
              QStringLiteral("The table does not fit on the worksheet, which holds at most "
                             "1048576 rows; export it as Comma-Separated Text, which holds it"));
}

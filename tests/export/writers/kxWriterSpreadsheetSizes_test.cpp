// SPDX-License-Identifier: GPL-3.0-or-later
// The spreadsheets at several lengths, read back whole by a real zip reader
// (every part's CRC checked) and XML parser: the rows packed as they are
// written come back complete and in order, however many packing passes
// they took; and the workbook's cells written as its library writes them.

#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"
#include "tests/export/writers/ReaderSupport.h"

#include <QTemporaryDir>

using namespace twl;
using namespace twl::test;

namespace {

// The damaged parts (None: none), then per sheet part its row count and the
// texts or values of its first and last rows.
const char* const ReadPackage = R"(
import sys, zipfile, xml.etree.ElementTree as ET
z = zipfile.ZipFile(sys.argv[1])
print(z.testzip())
for name in z.namelist():
    if name == 'mimetype':
        continue
    if name not in ('content.xml', 'xl/worksheets/sheet1.xml'):
        ET.fromstring(z.read(name))
        continue
    root = ET.fromstring(z.read(name))
    rows = [r for r in root.iter() if r.tag.endswith('}table-row') or r.tag.endswith('}row')]
    def texts(r):
        return '|'.join(''.join(c.itertext()) for c in r if c.tag.endswith('}table-cell') or c.tag.endswith('}c'))
    print(len(rows))
    print(texts(rows[0]))
    print(texts(rows[-1]))
)";

} // namespace

TEST(SpreadsheetSizes, EveryRowReadsBackAtAnyLength) {
    const struct {
        TkxExportType type;
        const char* file;
    } types[] = {{xtODS, "s.ods"}, {xtXLSX, "s.xlsx"}};
    RegionalScope regional;
    for (const auto& t : types) {
        for (const int count : {0, 1, 9000}) {
            MemorySource source;
            source.captions = {"#", "Amount", "Note"};
            for (int i = 1; i <= count; ++i)
                source.rows.push_back({TVariant(QString::number(i)),
                                       TVariant(QString::number(i) + QStringLiteral(".25")),
                                       TVariant(QStringLiteral("r&d <%1>").arg(i))});
            source.setOptions(source.Options().without(xoShowExportDate));
            QTemporaryDir dir;
            const QString path = savedFile(dir, writeDocument(source, t.type), t.file);
            SCOPED_TRACE(count);
            TWL_READ_WITH_PYTHON("zipfile", ReadPackage, path, read);
            const QStringList l = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            ASSERT_EQ(l.size(), 4) << t.file << count << read.out.toStdString();
            EXPECT_EQ(l[0], "None") << t.file << count;
            EXPECT_EQ(l[1].toInt(), count + 1) << t.file << count;
            EXPECT_EQ(l[2], "#|Amount|Note") << t.file << count;
            if (count > 0) {
                EXPECT_EQ(l[3], QStringLiteral("%1|%1.25|r&d <%1>").arg(count)) << t.file << count;
            }
        }
    }
}

// The sheet's data as the workbook library writes these cells (its own
// output, one cell at a time, taken down here): blanks kept at a text's
// ends, control characters and markup escaped, numbers in sixteen digits.
TEST(SpreadsheetSizes, WorkbookCellsAreWrittenAsItsLibraryWritesThem) {
    const char* const readSheet = R"(
import sys, zipfile
x = zipfile.ZipFile(sys.argv[1]).read('xl/worksheets/sheet1.xml').decode()
print(x[x.index('<dimension'):x.index('<sheetViews')])
print(x[x.index('<sheetData>'):x.index('</sheetData>')])
)";
    RegionalScope regional;
    MemorySource source;
    source.captions = {"a", "b"};
    source.setTextRows({{" lead", "trail\t"},
                        {"a&b<c>d\"e'f", QStringLiteral("ctl\u0001x\u001f\ny\rz")},
                        {QStringLiteral("\u00e9t\u00e9 \u20ac"), "_x0041_"},
                        {QStringLiteral("\u000bv"), "-0.0015"},
                        {"83.33", "123456789012345678"},
                        {"5.07046099585052E18", "0.0001"}});
    source.setOptions(source.Options().without(xoShowExportDate));
    QTemporaryDir dir;
    const QString path = savedFile(dir, writeDocument(source, xtXLSX), "c.xlsx");
    TWL_READ_WITH_PYTHON("zipfile", readSheet, path, read);
    EXPECT_EQ(read.out.toStdString(),
              "<dimension ref=\"A1:B7\"/>\n"
              "<sheetData><row r=\"1\"><c r=\"A1\" s=\"1\" t=\"inlineStr\"><is><t>a</t></is></c>"
              "<c r=\"B1\" s=\"1\" t=\"inlineStr\"><is><t>b</t></is></c></row>"
              "<row r=\"2\"><c r=\"A2\" s=\"2\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> "
              "lead</t></is></c><c r=\"B2\" s=\"2\" t=\"inlineStr\"><is><t "
              "xml:space=\"preserve\">trail\t</t></is></c></row>"
              "<row r=\"3\"><c r=\"A3\" s=\"2\" t=\"inlineStr\"><is><t>a&amp;b&lt;c&gt;d\"e'f</t>"
              "</is></c><c r=\"B3\" s=\"2\" t=\"inlineStr\"><is><t>ctl_x0001_x_x001F_\ny_x000D_z"
              "</t></is></c></row>"
              "<row r=\"4\"><c r=\"A4\" s=\"2\" t=\"inlineStr\"><is><t>\xc3\xa9t\xc3\xa9 "
              "\xe2\x82\xac</t></is></c><c r=\"B4\" s=\"2\" t=\"inlineStr\"><is><t>_x0041_</t>"
              "</is></c></row>"
              "<row r=\"5\"><c r=\"A5\" s=\"2\" t=\"inlineStr\"><is><t>_x000B_v</t></is></c>"
              "<c r=\"B5\" s=\"3\"><v>-0.0015</v></c></row>"
              "<row r=\"6\"><c r=\"A6\" s=\"4\"><v>83.33</v></c><c r=\"B6\" s=\"5\">"
              "<v>1.234567890123457E+17</v></c></row>"
              "<row r=\"7\"><c r=\"A7\" s=\"6\"><v>5.07046099585052E+18</v></c><c r=\"B7\" "
              "s=\"3\"><v>0.0001</v></c></row>\n");
}

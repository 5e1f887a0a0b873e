// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF and Word document: the worked example byte for byte, then the
// options, the colour templates, fonts, cell edges and escaping.

#include "base/Font.h"
#include "export/writers/kxWriterRTF.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"

using namespace twl;
using namespace twl::test;

namespace {

// Pins the screen resolution of the cell edges for one test.
struct PixelsPerInchScope {
    explicit PixelsPerInchScope(int ppi) {
        TkxRTFWriter::setPixelsPerInchSource([ppi] { return ppi; });
    }
    ~PixelsPerInchScope() { TkxRTFWriter::setPixelsPerInchSource({}); }
};

const char* const Prolog = "{\\rtf1\\ansi\\deff0\\deftab720\r\n"
                           "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}"
                           "{\\f1\\fswiss\\fcharset0 MS Sans Serif;}"
                           "{\\f2\\fswiss\\fcharset0 MS Sans Serif;}}\r\n"
                           "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
                           "\\red0\\green0\\blue0;\\red0\\green0\\blue128;"
                           "\\red255\\green255\\blue255;\\red128\\green255\\blue0;}\r\n"
                           "\\margl461\\margr562\\margt101\\margb101";

const char* const StyleBlock =
    "\\par \\pard\\plain\\cgrid\r\n"
    "{\\stylesheet{\\nowidctlpar\\widctlpar\\adjustright \\fs20\\cgrid \\snext0 Normal;}\r\n"
    "{\\*\\cs10 \\additive Default Paragraph Font;}}\r\n"
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta.}}\r\n"
    "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}\r\n"
    "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta.}}\r\n"
    "{\\*\\pnseclvl4\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl5\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl6\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}\r\n"
    "{\\*\\pnseclvl7\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl8\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta)}}\r\n"
    "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}\r\n";

const char* const Grid = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                         "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";

// A row: definition with the given cell edges and shading, font group, cells, end.
QByteArray row(std::initializer_list<int> edges, const char* shading, const char* font,
               const QByteArray& cells, bool grid = true) {
    QByteArray r = "\\trowd\\trgaph108\\trrh260\\trleft0";
    for (int edge : edges) {
        r += "\\clvertalc";
        if (grid) r += Grid;
        r += shading;
        r += "\\cltxlrtb\\cellx" + QByteArray::number(edge);
    }
    r += "\\pard\\ri-123\\nowidctlpar\\widctlpar\\intbl\\adjustright";
    r += font;
    r += cells;
    r += "}\\pard \\nowidctlpar\\widctlpar\\intbl\\adjustright {\\row}\r\n";
    return r;
}

const std::initializer_list<int> FiveEdges = {1458, 2917, 4375, 5833, 7292};
const char* const CaptionFont = " {\\f1\\fs16\\b\\cf1\\cgrid0 ";
const char* const DataFont = " {\\f2\\fs16\\cf2\\cgrid0 ";
const char* const TableEnd = "\\pard\\nowidctlpar\\widctlpar\\adjustright {\r\n";

struct Document : ::testing::Test {
    RegionalScope regional;
    ClockScope clock{FormatTestNow};
    PixelsPerInchScope ppi{96};
    MemorySource source;
    Document() {
        source.setOptions({xoShowHeader});
        source.DOC_RTF()->setOptions({});
        source.captions = {"A", "B"};
        source.setTextRows({{"a1", "b1"}, {"a2", "b2"}});
    }
    QByteArray rtf() { return writeDocument(source, xtRTF); }
    // The bytes between the style block and the table end.
    QByteArray table() {
        const QByteArray doc = rtf();
        const qsizetype start = doc.indexOf(StyleBlock) + qsizetype(strlen(StyleBlock));
        return doc.mid(start, doc.indexOf(TableEnd) - start);
    }
};

} // namespace

TEST(RTFWriter, WorkedExampleWithTheStoredSettingsAndWordIsTheSameBytes) {
    ScheduleExport s;
    PixelsPerInchScope ppi{96};

    QByteArray expected = Prolog;
    expected += StyleBlock;
    expected += row(FiveEdges, " \\clcbpat3", CaptionFont,
                    "Payment #\\cell Payment\\cell Interest\\cell Principal\\cell Balance\\cell ");
    const char* const rows[] = {
        "1\\cell 88.85\\cell 10.00\\cell 78.85\\cell 921.15\\cell ",
        "2\\cell 88.85\\cell 9.21\\cell 79.64\\cell 841.51\\cell ",
        "3\\cell 88.85\\cell 8.42\\cell 80.43\\cell 761.08\\cell ",
        "4\\cell 88.85\\cell 7.61\\cell 81.24\\cell 679.84\\cell ",
        "5\\cell 88.85\\cell 6.80\\cell 82.05\\cell 597.79\\cell ",
        "6\\cell 88.85\\cell 5.98\\cell 82.87\\cell 514.92\\cell ",
        "7\\cell 88.85\\cell 5.15\\cell 83.70\\cell 431.22\\cell ",
        "8\\cell 88.85\\cell 4.31\\cell 84.54\\cell 346.68\\cell ",
        "9\\cell 88.85\\cell 3.47\\cell 85.38\\cell 261.30\\cell ",
        "10\\cell 88.85\\cell 2.61\\cell 86.24\\cell 175.07\\cell ",
        "11\\cell 88.85\\cell 1.75\\cell 87.10\\cell 87.97\\cell ",
        "12\\cell 88.85\\cell 0.88\\cell 87.97\\cell 0.00\\cell ",
        "SUM\\cell 1066.19\\cell 66.19\\cell 1000.00\\cell -\\cell ",
        "\\cell 1000\\cell 12\\cell 12\\cell 2026-12-07\\cell ",
    };
    bool odd = false;
    for (const char* cells : rows) {
        expected += row(FiveEdges, odd ? " \\clcbpat5" : " \\clcbpat4", DataFont, cells);
        odd = !odd;
    }
    expected += TableEnd;
    expected += "\\par \\pard\\plain\\f0\\fs16\\cf0 Created: 2026-12-07 10:30:00\r\n";
    expected += "}}";

    EXPECT_TRUE(bytesEqual(expected, writeDocument(s.exporter, xtRTF)));
    EXPECT_TRUE(bytesEqual(expected, writeDocument(s.exporter, xtWord)));
}

TEST_F(Document, WithoutGridOrOddColouringEveryDataCellHasTheTableShading) {
    QByteArray expected = row({1458, 2917}, " \\clcbpat3", CaptionFont, "A\\cell B\\cell ", false);
    expected += row({1458, 2917}, " \\clcbpat4", DataFont, "a1\\cell b1\\cell ", false);
    expected += row({1458, 2917}, " \\clcbpat4", DataFont, "a2\\cell b2\\cell ", false);
    EXPECT_TRUE(bytesEqual(expected, table()));
}

TEST_F(Document, RowNumbersAddACellAndAlignmentsPrefixTheCells) {
    source.setOptions({xoShowHeader, xoRowNumbers, xoUseAlignments});
    source.DOC_RTF()->setOptions({roOddRowColoring});
    source.alignments = {eaCenter, eaRight};
    // A hidden column is not written, but its cell is still defined.
    source.captions = {"A", "B", "C"};
    source.hidden = {false, false, true};
    source.setTextRows({{"a1", "b1", "c1"}, {"a2", "b2", "c2"}});
    const std::initializer_list<int> edges = {1458, 2917, 4375, 5833};
    QByteArray expected =
        row(edges, " \\clcbpat3", CaptionFont, " \\cell \\qc A\\cell \\qr B\\cell ", false);
    expected += row(edges, " \\clcbpat4", DataFont, "1\\cell \\qc a1\\cell \\qr b1\\cell ", false);
    expected += row(edges, " \\clcbpat5", DataFont, "2\\cell \\qc a2\\cell \\qr b2\\cell ", false);
    EXPECT_TRUE(bytesEqual(expected, table()));
}

TEST_F(Document, OddRowsAreCountedOverAllSourceRows) {
    source.setOptions({xoSelectedRowsOnly});
    source.DOC_RTF()->setOptions({roOddRowColoring});
    source.setTextRows({{"r0", ""}, {"r1", ""}, {"r2", ""}});
    source.selected = {false, true, true};
    QByteArray expected = row({1458, 2917}, " \\clcbpat5", DataFont, "r1\\cell \\cell ", false);
    expected += row({1458, 2917}, " \\clcbpat4", DataFont, "r2\\cell \\cell ", false);
    EXPECT_TRUE(bytesEqual(expected, table()));
}

TEST_F(Document, CellValuesAndCaptionsAreEscapedButHeaderAndFooterStayAsGiven) {
    source.captions = {"{A}", "B\\"};
    source.setTextRows({{"C:\\temp", "two\r\nlines"}});
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = "{\\b Plan}\r\nsub"; };
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& f) { f = "{\\i end}"; };
    const QByteArray doc = rtf();
    EXPECT_TRUE(doc.contains(" {\\f1\\fs16\\b\\cf1\\cgrid0 \\{A\\}\\cell B\\\\\\cell }"));
    // A line break in a value is dropped: the row is one line of the file.
    EXPECT_TRUE(doc.contains(" {\\f2\\fs16\\cf2\\cgrid0 C:\\\\temp\\cell twolines\\cell }"));
    QByteArray header = "\\margb101\\par \\pard\\plain\\f0\\fs16\\cf0 {\\b Plan}\r\n"
                        "\\par \\pard\\plain\\f0\\fs16\\cf0 sub\r\n";
    header += StyleBlock;
    EXPECT_TRUE(doc.contains(header));
    EXPECT_TRUE(
        doc.endsWith(QByteArray(TableEnd) + "\\par \\pard\\plain\\f0\\fs16\\cf0 {\\i end}\r\n}}"));
}

TEST_F(Document, CellEdgesFollowTheScreenResolutionAndCellWidth) {
    source.DOC_RTF()->setCellWidth(1000);
    PixelsPerInchScope wide(120);
    // 100 / 120 * 1000 = 833.33, twice 1666.67.
    EXPECT_TRUE(table().startsWith("\\trowd\\trgaph108\\trrh260\\trleft0\\clvertalc \\clcbpat3"
                                   "\\cltxlrtb\\cellx833\\clvertalc \\clcbpat3\\cltxlrtb\\cellx1667"
                                   "\\pard"));
    // Exact halves round to even: 100 / 200 * 5 is 2.5, giving 2; three cells, 7.5, giving 8.
    source.DOC_RTF()->setCellWidth(5);
    source.captions = {"A", "B", "C"};
    PixelsPerInchScope dense(200);
    const QByteArray t = table();
    EXPECT_TRUE(t.contains("\\cellx2\\clvertalc"));
    EXPECT_TRUE(t.contains("\\cellx5\\clvertalc"));
    EXPECT_TRUE(t.contains("\\cellx8\\pard"));
}

TEST_F(Document, ColourTemplatesAndCustomSettings) {
    const auto colorTable = [this] {
        const QByteArray doc = rtf();
        const qsizetype start = doc.indexOf("{\\colortbl");
        return doc.mid(start, doc.indexOf("}\r\n", start) + 1 - start);
    };
    source.DOC_RTF()->setTemplate(rtClassic);
    EXPECT_EQ(colorTable(), "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
                            "\\red0\\green0\\blue0;\\red0\\green0\\blue0;\\red0\\green0\\blue255;"
                            "\\red128\\green128\\blue255;}");
    source.DOC_RTF()->setTemplate(rtGray);
    EXPECT_EQ(colorTable(), "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
                            "\\red0\\green0\\blue0;\\red128\\green128\\blue128;"
                            "\\red255\\green255\\blue255;\\red128\\green255\\blue128;}");
    // Custom: the fonts' colours, then header, table and odd-row backgrounds;
    // a system colour's bytes are taken as they are.
    TkxRTFColors* custom = source.DOC_RTF()->CustomSettings();
    source.DOC_RTF()->setTemplate(rtCustom);
    custom->HeaderFont()->setColor(0x0000FF);
    custom->TableFont()->setColor(0x123456);
    EXPECT_EQ(colorTable(), "{\\colortbl\\red8\\green0\\blue0;\\red255\\green0\\blue0;"
                            "\\red86\\green52\\blue18;\\red153\\green102\\blue51;"
                            "\\red207\\green255\\blue255;\\red255\\green255\\blue255;}");
}

TEST(RTFWriter, FontEntriesAndSpecs) {
    TFont font;
    font.setDefaults();
    font.setBold(true);
    EXPECT_EQ(TkxRTFWriter::RTFFontSpec(font), "\\fs16\\b");
    font.setItalic(true);
    font.setUnderline(true);
    EXPECT_EQ(TkxRTFWriter::RTFFontSpec(font), "\\fs16\\b\\i\\ul");
    font.setStrikeOut(true);
    font.setSize(12);
    EXPECT_EQ(TkxRTFWriter::RTFFontSpec(font), "\\fs24\\b\\i\\ul\\strike");

    EXPECT_EQ(TkxRTFWriter::RTFFontEntry(0, font), "{\\f0\\fswiss\\fcharset0 MS Sans Serif;}");
    font.setName(QStringLiteral("Times New Roman"));
    EXPECT_EQ(TkxRTFWriter::RTFFontEntry(1, font), "{\\f1\\froman\\fcharset0 Times New Roman;}");
    font.setName(QStringLiteral("courier new"));
    EXPECT_EQ(TkxRTFWriter::RTFFontEntry(2, font), "{\\f2\\fmodern\\fcharset0 courier new;}");
    font.setName(QStringLiteral("Symbol"));
    EXPECT_EQ(TkxRTFWriter::RTFFontEntry(2, font), "{\\f2\\froman\\fcharset2 Symbol;}");
    font.setName(QStringLiteral("Arial"));
    EXPECT_EQ(TkxRTFWriter::RTFFontEntry(2, font), "{\\f2\\fswiss\\fcharset0 Arial;}");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The DIF and SYLK documents: the worked example line by line, then the
// header counts, coordinates, quoting and what the formats leave out.

#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"

using namespace twl;
using namespace twl::test;

namespace {

struct Interchange : ::testing::Test {
    RegionalScope regional;
    ClockScope clock{FormatTestNow};
    MemorySource source;
    Interchange() {
        source.setOptions({xoShowHeader});
        source.captions = {"A", "B", "C"};
        for (int i = 1; i <= 10; ++i)
            source.rows.push_back({TVariant(QString::number(i)), TVariant("x"), TVariant("y")});
    }
    QStringList dif() { return documentLines(writeDocument(source, xtDIF)); }
    QStringList sylk() { return documentLines(writeDocument(source, xtSYLK)); }
};

} // namespace

TEST(DIFWriter, WorkedExampleWithTheStoredSettings) {
    ScheduleExport s;
    QStringList expected = {"TABLE",   "0,1",  "\"TKXLISTVIEWEXPORT\"",
                            "VECTORS", "0,5",  "\"\"",
                            "TUPLES",  "0,14", "\"\"",
                            "DATA",    "0,0",  "\"\""};
    expected << "-1,0"
             << "BOT";
    // Every text value is quoted, numbers included.
    for (const char* caption : {"Payment #", "Payment", "Interest", "Principal", "Balance"})
        expected << "1,0" << QStringLiteral("\"%1\"").arg(caption);
    for (const QStringList& row : s.rows()) {
        expected << "-1,0"
                 << "BOT";
        for (const QString& cell : row)
            expected << "1,0" << QStringLiteral("\"%1\"").arg(cell);
    }
    expected << "-1,0"
             << "EOD";
    EXPECT_EQ(documentLines(writeDocument(s.exporter, xtDIF)), expected);
}

TEST(SYLKWriter, WorkedExampleWithTheStoredSettings) {
    ScheduleExport s;
    QStringList expected = {"ID;PTKXLISTVIEWEXPORT"};
    int x = 1;
    for (const char* caption : {"Payment #", "Payment", "Interest", "Principal", "Balance"})
        expected << QStringLiteral("C;X%1;Y1;K\"%2\"").arg(x++).arg(caption);
    int y = 2;
    for (const QStringList& row : s.rows()) {
        for (int i = 0; i < row.size(); ++i)
            expected << QStringLiteral("C;X%1;Y%2;K\"%3\"").arg(i + 1).arg(y).arg(row.at(i));
        ++y;
    }
    expected << "E";
    EXPECT_EQ(documentLines(writeDocument(s.exporter, xtSYLK)), expected);
}

TEST_F(Interchange, DIFHeaderCountsColumnsAndSourceRows) {
    EXPECT_EQ(dif().mid(3, 6), QStringList({"VECTORS", "0,3", "\"\"", "TUPLES", "0,10", "\"\""}));
    // TUPLES stays the source's row count when fewer rows are written.
    source.setOptions({xoShowHeader, xoRowNumbers, xoSelectedRowsOnly});
    source.selected = {false, true};
    const QStringList d = dif();
    EXPECT_EQ(d.mid(3, 6), QStringList({"VECTORS", "0,4", "\"\"", "TUPLES", "0,10", "\"\""}));
    // The caption row's row-number cell is an empty string, the data row's its number.
    EXPECT_EQ(d.mid(12),
              QStringList({"-1,0", "BOT",   "1,0",  "\"\"",  "1,0",  "\"A\"", "1,0", "\"B\"",
                           "1,0",  "\"C\"", "-1,0", "BOT",   "1,0",  "\"1\"", "1,0", "\"2\"",
                           "1,0",  "\"x\"", "1,0",  "\"y\"", "-1,0", "EOD"}));
}

TEST_F(Interchange, DIFValuesAreQuotedAndStayOnOneLine) {
    source.setOptions({});
    source.rows = {{TVariant("1234.50"), TVariant("say \"hi\""), TVariant("two\r\nlines")}};
    // A line break would split the value line and shift every later record.
    EXPECT_EQ(dif().mid(12),
              QStringList({"-1,0", "BOT", "1,0", "\"1234.50\"", "1,0", "\"say \"\"hi\"\"\"", "1,0",
                           "\"two lines\"", "-1,0", "EOD"}));
    // An empty value is an empty string, not an empty line.
    source.rows = {{TVariant("a,b"), TVariant("q\"q"), TVariant("")}};
    EXPECT_EQ(dif().mid(15, 6),
              QStringList({"\"a,b\"", "1,0", "\"q\"\"q\"", "1,0", "\"\"", "-1,0"}));
    // A quote that a row-number format brings is doubled as well.
    source.setOptions({xoRowNumbers});
    source.setRowNumberFormat(QStringLiteral("\"%d"));
    EXPECT_EQ(dif().mid(14, 2), QStringList({"1,0", "\"\"\"1\""}));
}

// The whole file as bytes: CR LF after every line, nothing bare.
TEST_F(Interchange, DIFGoldenBytes) {
    source.rows.resize(1);
    source.setOptions({xoShowHeader, xoRowNumbers});
    EXPECT_EQ(
        writeDocument(source, xtDIF),
        QByteArray("TABLE\r\n0,1\r\n\"TKXCUSTOMEXPORT\"\r\nVECTORS\r\n0,4\r\n\"\"\r\n"
                   "TUPLES\r\n0,1\r\n\"\"\r\nDATA\r\n0,0\r\n\"\"\r\n"
                   "-1,0\r\nBOT\r\n1,0\r\n\"\"\r\n1,0\r\n\"A\"\r\n1,0\r\n\"B\"\r\n1,0\r\n\"C\"\r\n"
                   "-1,0\r\nBOT\r\n1,0\r\n\"1\"\r\n1,0\r\n\"1\"\r\n1,0\r\n\"x\"\r\n1,0\r\n\"y\"\r\n"
                   "-1,0\r\nEOD\r\n"));
}

TEST_F(Interchange, SYLKCoordinatesWithAndWithoutCaptionsAndRowNumbers) {
    source.rows.resize(2);
    source.setOptions({xoShowHeader, xoRowNumbers});
    QStringList s = sylk();
    // Captions from column 2, the row numbers in column 1 of the data rows.
    EXPECT_EQ(s.mid(1, 5), QStringList({"C;X2;Y1;K\"A\"", "C;X3;Y1;K\"B\"", "C;X4;Y1;K\"C\"",
                                        "C;X1;Y2;K\"1\"", "C;X2;Y2;K\"1\""}));
    source.setOptions({});
    s = sylk();
    EXPECT_EQ(s.mid(0, 3),
              QStringList({"ID;PTKXCUSTOMEXPORT", "C;X1;Y1;K\"1\"", "C;X2;Y1;K\"x\""}));
    EXPECT_EQ(s.at(4), "C;X1;Y2;K\"2\"");
}

TEST_F(Interchange, SYLKRowsHaveNoGapsAndHiddenColumnsKeepTheirPlace) {
    source.setOptions({xoSelectedRowsOnly});
    source.selected = {false, true, false, true};
    source.hidden = {false, true};
    EXPECT_EQ(sylk(), QStringList({"ID;PTKXCUSTOMEXPORT", "C;X1;Y1;K\"2\"", "C;X3;Y1;K\"y\"",
                                   "C;X1;Y2;K\"4\"", "C;X3;Y2;K\"y\"", "E"}));
}

TEST_F(Interchange, SYLKDoublesSemicolonsAndQuotes) {
    source.setOptions({});
    source.rows = {{TVariant("a;b;;c"), TVariant("5\" pipe"), TVariant("x\ny")}};
    EXPECT_EQ(sylk(), QStringList({"ID;PTKXCUSTOMEXPORT", "C;X1;Y1;K\"a;;b;;;;c\"",
                                   "C;X2;Y1;K\"5\"\" pipe\"", "C;X3;Y1;K\"x y\"", "E"}));
}

TEST_F(Interchange, NoRowsAndNoHeaderFooterOrDateText) {
    source.rows.clear();
    source.setOptions({xoShowHeader, xoHeaderLine, xoFooterLine, xoShowExportDate, xoRowNumbers});
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = "head"; };
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& f) { f = "foot"; };
    EXPECT_EQ(dif().mid(12), QStringList({"-1,0", "BOT", "1,0", "\"\"", "1,0", "\"A\"", "1,0",
                                          "\"B\"", "1,0", "\"C\"", "-1,0", "EOD"}));
    EXPECT_EQ(sylk(), QStringList({"ID;PTKXCUSTOMEXPORT", "C;X2;Y1;K\"A\"", "C;X3;Y1;K\"B\"",
                                   "C;X4;Y1;K\"C\"", "E"}));
    source.setOptions({});
    EXPECT_EQ(sylk(), QStringList({"ID;PTKXCUSTOMEXPORT", "E"}));
    EXPECT_EQ(dif().mid(12), QStringList({"-1,0", "EOD"}));
}

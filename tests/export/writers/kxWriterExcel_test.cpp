// SPDX-License-Identifier: GPL-3.0-or-later
// The workbook: the worked example record by record, then the sheet layout,
// the cell kinds, the options and the sheet's row limit.

#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"

#include <cstring>

using namespace twl;
using namespace twl::test;

namespace {

// Records are compared as hex texts, one per record, so that a failure
// shows which record differs.
using Records = std::vector<std::string>;

QByteArray u16(int v) {
    QByteArray b(2, '\0');
    b[0] = char(v & 0xFF);
    b[1] = char((v >> 8) & 0xFF);
    return b;
}

QByteArray f64(double v) {
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    return b;
}

std::string record(int id, const QByteArray& body) {
    return (u16(id) + u16(int(body.size())) + body).toHex(' ').toStdString();
}

Records records(const QByteArray& file) {
    Records out;
    for (qsizetype at = 0; at + 4 <= file.size();) {
        const int length = quint8(file[at + 2]) | quint8(file[at + 3]) << 8;
        out.push_back(file.mid(at, 4 + length).toHex(' ').toStdString());
        at += 4 + length;
    }
    return out;
}

// Attribute bytes: locked, the font in bits 6-7, alignment and borders.
const int NoBorders = 0x00;
const int AllBorders = 0x78;

QByteArray cell(int row, int column, int font, int layout) {
    QByteArray b = u16(row) + u16(column);
    b += char(0x40);
    b += char(font << 6);
    b += char(layout);
    return b;
}

std::string number(int row, int column, int font, int layout, double v) {
    return record(0x0003, cell(row, column, font, layout) + f64(v));
}
std::string integer(int row, int column, int font, int layout, int v) {
    return record(0x0002, cell(row, column, font, layout) + u16(v));
}
std::string label(int row, int column, int font, int layout, const QByteArray& text) {
    return record(0x0004, cell(row, column, font, layout) + char(text.size()) + text);
}
std::string blank(int row, int column, int font, int layout) {
    return record(0x0001, cell(row, column, font, layout));
}

std::string font(bool bold) {
    return record(0x0031, u16(160) + u16(bold ? 1 : 0) + char(13) + QByteArray("MS Sans Serif"));
}

// BIFF5 opening, the three default fonts, the "&P" footer and margins of 0.3.
// The export's workbooks name their code page right after DIMENSIONS.
const std::string CodePage1252 = record(0x0042, u16(1252));
// After the fonts, the one cell format that the cells' format index 0 names,
// in the oldest layout (the BOF's version word says 2.x).
const std::string CellFormat2 = record(0x0043, QByteArray::fromHex("00004000"));

Records storedProlog() {
    return {record(0x0809, QByteArray::fromHex("000210000000")),
            record(0x0200, QByteArray::fromHex("0000ffff000000010000")),
            CodePage1252,
            font(false),
            font(true),
            font(false),
            CellFormat2,
            record(0x0015, QByteArray("\x02&P")),
            record(0x0026, f64(0.3)),
            record(0x0029, f64(0.3)),
            record(0x0028, f64(0.3)),
            record(0x0027, f64(0.3))};
}

const std::string Eof = record(0x000A, {});

struct Workbook : ::testing::Test {
    RegionalScope regional;
    ClockScope clock{FormatTestNow};
    MemorySource source;
    std::vector<TkxExportError> errors;
    Workbook() {
        source.setOptions({xoShowHeader});
        source.EXCEL()->setOptions({});
        source.EXCEL()->setFooter({});
        source.captions = {"A", "B"};
        source.setTextRows({{"1", "x"}});
    }
    Records xls() { return records(writeDocument(source, xtExcel, &errors)); }
    // The cell records only: after BOF, DIMENSIONS, CODEPAGE, the three
    // fonts and the cell format, before EOF.
    Records cells() {
        const Records all = xls();
        return Records(all.begin() + 7, all.end() - 1);
    }
};

// Rows generated on demand, with a fixed data width, for the sheet's limit.
struct LongSource : MemorySource {
    std::uint32_t count = 0;
    bool IsEndOfRows() override { return RowIndex() >= count; }
    void GetRowValues(TkxValues& Values) override { Values = {TVariant("7")}; }
    int GetRowCount() override {
        GotoFirstRow();
        return int(count);
    }
    int GetColumnDataWidth(int) override { return 1; }
};

} // namespace

TEST(ExcelWriter, WorkedExampleWithTheStoredSettings) {
    ScheduleExport s;

    Records expected = storedProlog();
    int column = 0;
    for (const char* caption : {"Payment #", "Payment", "Interest", "Principal", "Balance"})
        expected.push_back(label(0, column++, 1, AllBorders, caption));
    const double rows[12][5] = {
        {1, 88.85, 10.00, 78.85, 921.15}, {2, 88.85, 9.21, 79.64, 841.51},
        {3, 88.85, 8.42, 80.43, 761.08},  {4, 88.85, 7.61, 81.24, 679.84},
        {5, 88.85, 6.80, 82.05, 597.79},  {6, 88.85, 5.98, 82.87, 514.92},
        {7, 88.85, 5.15, 83.70, 431.22},  {8, 88.85, 4.31, 84.54, 346.68},
        {9, 88.85, 3.47, 85.38, 261.30},  {10, 88.85, 2.61, 86.24, 175.07},
        {11, 88.85, 1.75, 87.10, 87.97},  {12, 88.85, 0.88, 87.97, 0.00},
    };
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 5; ++c)
            expected.push_back(number(r + 1, c, 2, AllBorders, rows[r][c]));
    }
    expected.push_back(label(13, 0, 2, AllBorders, "SUM"));
    expected.push_back(number(13, 1, 2, AllBorders, 1066.19));
    expected.push_back(number(13, 2, 2, AllBorders, 66.19));
    expected.push_back(number(13, 3, 2, AllBorders, 1000.00));
    expected.push_back(label(13, 4, 2, AllBorders, "-"));
    expected.push_back(label(14, 0, 2, AllBorders, ""));
    expected.push_back(number(14, 1, 2, AllBorders, 1000));
    expected.push_back(number(14, 2, 2, AllBorders, 12));
    expected.push_back(number(14, 3, 2, AllBorders, 12));
    expected.push_back(label(14, 4, 2, AllBorders, "2026-12-07"));
    // No date line and no separator reach the workbook.
    expected.push_back(Eof);
    EXPECT_EQ(records(writeDocument(s.exporter, xtExcel)), expected);
}

TEST_F(Workbook, CellTextsBecomeNumbersIntegersOrLabels) {
    source.captions = {"a", "b", "c", "d", "e", "f"};
    source.setOptions({});
    source.setTextRows({{"12.5", "42", "$1F", "1,000", "-3e2", " 7"}});
    EXPECT_EQ(cells(), Records({number(1, 0, 2, NoBorders, 12.5), number(1, 1, 2, NoBorders, 42),
                                integer(1, 2, 2, NoBorders, 31), label(1, 3, 2, NoBorders, "1,000"),
                                number(1, 4, 2, NoBorders, -300), integer(1, 5, 2, NoBorders, 7)}));
    source.EXCEL()->setOptions({reCellsAsText});
    EXPECT_EQ(cells(),
              Records({label(1, 0, 2, NoBorders, "12.5"), label(1, 1, 2, NoBorders, "42"),
                       label(1, 2, 2, NoBorders, "$1F"), label(1, 3, 2, NoBorders, "1,000"),
                       label(1, 4, 2, NoBorders, "-3e2"), label(1, 5, 2, NoBorders, " 7")}));
}

TEST_F(Workbook, HeaderTextCaptionsDataAndFooterPlacement) {
    source.setOptions({xoShowHeader, xoHeaderLine, xoFooterLine, xoShowExportDate});
    source.setTextRows({{"1", "x"}, {"2", "y"}});
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = "Plan\r\nLoan"; };
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& f) { f = "End\r\nBye"; };
    EXPECT_EQ(cells(), Records({
                           label(0, 0, 0, NoBorders, "Plan"),
                           label(1, 0, 0, NoBorders, "Loan"),
                           blank(2, 0, 0, NoBorders),
                           label(3, 0, 1, NoBorders, "A"),
                           label(3, 1, 1, NoBorders, "B"),
                           number(4, 0, 2, NoBorders, 1),
                           label(4, 1, 2, NoBorders, "x"),
                           number(5, 0, 2, NoBorders, 2),
                           label(5, 1, 2, NoBorders, "y"),
                           label(7, 0, 0, NoBorders, "End"),
                           label(8, 0, 0, NoBorders, "Bye"),
                       }));
}

TEST_F(Workbook, WithoutCaptionsTheFirstDataRowIsRowTwo) {
    source.setOptions({});
    EXPECT_EQ(cells(), Records({number(1, 0, 2, NoBorders, 1), label(1, 1, 2, NoBorders, "x")}));
}

TEST_F(Workbook, RowNumbersBordersAndAlignments) {
    source.setOptions({xoShowHeader, xoRowNumbers, xoUseAlignments});
    source.EXCEL()->setOptions({reUseBorders});
    source.alignments = {eaRight, eaFill};
    source.setTextRows({{"1", "x"}, {"2", "y"}});
    EXPECT_EQ(cells(), Records({
                           blank(0, 0, 1, NoBorders),
                           label(0, 1, 1, AllBorders | 3, "A"),
                           label(0, 2, 1, AllBorders, "B"),
                           integer(1, 0, 2, AllBorders, 1),
                           number(1, 1, 2, AllBorders | 3, 1),
                           label(1, 2, 2, AllBorders, "x"),
                           integer(2, 0, 2, AllBorders, 2),
                           number(2, 1, 2, AllBorders | 3, 2),
                           label(2, 2, 2, AllBorders, "y"),
                       }));
    // A row-number format that is no integer is written as text.
    source.setRowNumberFormat(QStringLiteral("#%d"));
    source.EXCEL()->setOptions({});
    EXPECT_EQ(cells().at(3), label(1, 0, 2, NoBorders, "#1"));
}

TEST_F(Workbook, VersionsPageSetupColumnWidthsAndProtection) {
    source.EXCEL()->setExcelVersion(xls21);
    source.EXCEL()->setOptions({reSetColumnWidths});
    source.EXCEL()->setColumnWidth(11);
    source.EXCEL()->setHeader(QStringLiteral("Plan"));
    source.EXCEL()->setFooter(QStringLiteral("&P"));
    source.EXCEL()->setProtected(true);
    source.rows.clear();
    Records all = xls();
    EXPECT_EQ(
        all,
        Records({record(0x0009, QByteArray::fromHex("00021000")),
                 record(0x0000, QByteArray::fromHex("0000ffff00000001")), CodePage1252, font(false),
                 font(true), font(false), CellFormat2, record(0x0014, QByteArray("\x04Plan")),
                 record(0x0015, QByteArray("\x02&P")),
                 record(0x0024, QByteArray::fromHex("00ff000b")), label(0, 0, 1, NoBorders, "A"),
                 label(0, 1, 1, NoBorders, "B"), record(0x0012, u16(1)), Eof}));
    const std::pair<TkxExcelVersion, int> versions[] = {
        {xls30, 0x0209}, {xls40, 0x0409}, {xls50, 0x0809}};
    for (auto [version, id] : versions) {
        source.EXCEL()->setExcelVersion(version);
        EXPECT_EQ(xls().front(), record(id, QByteArray::fromHex("000210000000")));
    }
}

// The readers of every version stop at row 16,384: the sheet ends there.
TEST_F(Workbook, RowsUpToTheLastRowReadersKeepAreWritten) {
    LongSource tall;
    tall.setOptions({xoShowHeader});
    tall.captions = {"A"};
    tall.count = 16383; // the caption row and 16383 data rows fill the sheet
    const Records all = records(writeDocument(tall, xtExcel, &errors));
    EXPECT_TRUE(errors.empty());
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[all.size() - 2], number(16383, 0, 2, AllBorders, 7));
}

TEST_F(Workbook, ATableBeyondTheLastRowReadersKeepFailsWholeNamingTheTypeThatHoldsIt) {
    LongSource tall;
    tall.setOptions({xoShowHeader});
    tall.captions = {"A"};
    for (TkxExcelVersion version : {xls21, xls30, xls40, xls50}) {
        errors.clear();
        tall.EXCEL()->setExcelVersion(version);
        tall.count = 16384;
        EXPECT_TRUE(writeDocument(tall, xtExcel, &errors).isEmpty());
        EXPECT_EQ(errors, std::vector<TkxExportError>({xeWriteFailed}));
        EXPECT_EQ(tall.LastErrorText(),
                  QStringLiteral("The table does not fit on the worksheet, which holds at most "
                                 "16384 rows; export it as Excel Workbook, which holds it"));
    }

    // A footer that no longer fits below the table fails the same way.
    errors.clear();
    tall.count = 16382;
    tall.OnGetFooter = [](QObject*, std::uint32_t, QString& f) { f = "End"; };
    EXPECT_TRUE(writeDocument(tall, xtExcel, &errors).isEmpty());
    EXPECT_EQ(errors, std::vector<TkxExportError>({xeWriteFailed}));
}

TEST_F(Workbook, ARowWiderThanTheSheetFailsInsteadOfWrappingIntoTheNextRow) {
    source.setOptions({xoRowNumbers});
    source.captions.clear();
    TkxValues row;
    for (int i = 0; i < 255; ++i) {
        source.captions << QString::number(i);
        row.emplace_back("v");
    }
    source.rows = {row};
    // The row number and 255 values fill the 256 columns exactly.
    EXPECT_EQ(cells().back(), label(1, 255, 2, NoBorders, "v"));
    EXPECT_TRUE(errors.empty());

    source.captions << QStringLiteral("255");
    for (TkxValues& r : source.rows)
        r.emplace_back("v");
    EXPECT_TRUE(writeDocument(source, xtExcel, &errors).isEmpty());
    EXPECT_EQ(errors, std::vector<TkxExportError>({xeWriteFailed}));
    EXPECT_TRUE(source.LastErrorText().contains(QStringLiteral("256"))) << source.LastErrorText();
}

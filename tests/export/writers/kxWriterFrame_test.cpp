// SPDX-License-Identifier: GPL-3.0-or-later
// The writer frame: section order, cell text, widths, row numbers, separators
// and the shared string utilities, through the text formats.

#include "base/Windows1252.h"
#include "export/kxExportTypeTable.h"
#include "export/writers/kxWriterFrame.h"
#include "export/writers/kxWriterUtils.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/WriterTestSupport.h"
#include "toolkit/Strings.h"

using namespace twl;
using namespace twl::test;

namespace {

const QDateTime Now(QDate(2026, 12, 7), QTime(9, 5, 7));

struct Frame : ::testing::Test {
    RegionalScope regional;
    ClockScope clock{Now};
    MemorySource source;
    Frame() {
        source.setOptions({xoShowHeader});
        source.captions = {"A", "B"};
        source.setTextRows({{"abcdefgh", "x"}, {"ab", "yy"}});
    }
    QByteArray txt() { return writeDocument(source, xtTXT); }
};

} // namespace

TEST(WriterUtils, PaddingTruncationAndQuoting) {
    EXPECT_EQ(RepeatChar('-', 3), "---");
    EXPECT_EQ(RepeatChar('-', 0), "");
    EXPECT_EQ(RepeatChar('-', -2), "");
    EXPECT_EQ(PadLeft("12", ' ', 4), "  12");
    EXPECT_EQ(PadRight("12", '.', 4), "12..");
    EXPECT_EQ(PadLeft("12345", ' ', 4), "12345");
    EXPECT_EQ(PadCenter("abc", 10), "   abc    ");
    EXPECT_EQ(PadCenter("ab", 5), "  ab ");
    EXPECT_EQ(PadCenter("abcdef", 3), "abcdef");
    EXPECT_EQ(TruncateText("abcdefgh", 5, "..."), "ab...");
    EXPECT_EQ(TruncateText("abcdefgh", 3, "..."), "...");
    EXPECT_EQ(TruncateText("abcdefgh", 8, "..."), "abcdefgh");
    EXPECT_EQ(QuoteField("plain", false), "plain");
    EXPECT_EQ(QuoteField("a b", false), "\"a b\"");
    EXPECT_EQ(QuoteField("a,b", false), "\"a,b\"");
    EXPECT_EQ(QuoteField("say \"hi\"", false), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(QuoteField("plain", true), "\"plain\"");
    // A quote, CR or LF alone also encloses the field, so that the value
    // comes back unchanged from a CSV reader.
    EXPECT_EQ(QuoteField("5\"", false), "\"5\"\"\"");
    EXPECT_EQ(QuoteField("two\r\nlines", false), "\"two\r\nlines\"");
    EXPECT_EQ(QuoteField("a\nb", false), "\"a\nb\"");
}

TEST_F(Frame, CaptionsComeFromTheCaptionListFirstThenFromTheSource) {
    source.captions = {"c0", "c1", "c2", "c3"};
    source.setTextRows({{"1", "2", "3", "4"}});
    source.Captions()->setStrings({"first", ""});
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({"first,,c2,c3", "1,2,3,4"}));
}

TEST_F(Frame, ColumnWidthsOverrideDataWidthsOnlyWithIntegerLines) {
    source.ColumnWidths()->setStrings({"abc", "4"});
    EXPECT_EQ(txt(), crlfLines({"A        B   ", "abcdefgh x   ", "ab       yy  "}));
    source.ColumnWidths()->setStrings({"3"});
    EXPECT_EQ(txt(), crlfLines({"A   B ", "abcdefgh x ", "ab  yy"}));
}

TEST_F(Frame, TruncationCutsToTheWidthAndWidthZeroNeverCuts) {
    source.setOptions({xoTruncate});
    source.ColumnWidths()->setStrings({"5"});
    EXPECT_EQ(txt(), crlfLines({"ab... x ", "ab    yy"}));
    source.ColumnWidths()->setStrings({"2"});
    EXPECT_EQ(txt(), crlfLines({"... x ", "ab yy"}));
    source.ColumnWidths()->setStrings({"0"});
    EXPECT_EQ(txt(), crlfLines({"abcdefgh x ", "ab yy"}));
    source.setTruncateSymbol(QStringLiteral("~"));
    source.ColumnWidths()->setStrings({"4"});
    EXPECT_EQ(txt(), crlfLines({"abc~ x ", "ab   yy"}));
}

TEST_F(Frame, NullValuesReadAsNullText) {
    source.setOptions({xoTruncate});
    source.rows = {{TVariant::null(), TVariant(QStringLiteral("x"))}};
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({"\"** NULL **\",x"}));
    source.ColumnWidths()->setStrings({"6"});
    EXPECT_EQ(writeDocument(source, xtTAB), crlfLines({"** ...\tx"}));
}

TEST_F(Frame, RowNumbersAreRightAlignedToTheLengthOfTheTotal) {
    source.setOptions({xoRowNumbers, xoShowHeader});
    source.captions = {"V"};
    source.rows.clear();
    for (int i = 1; i <= 120; ++i)
        source.rows.push_back({TVariant(QString::number(i))});
    const QList<QByteArray> lines = txt().split('\n');
    EXPECT_EQ(lines.at(0), "    V  \r");
    EXPECT_EQ(lines.at(1), "  1 1  \r");
    EXPECT_EQ(lines.at(120), "120 120\r");
}

TEST_F(Frame, RowNumbersInSeparatedFormatsAddOneLeadingField) {
    source.setOptions({xoRowNumbers, xoShowHeader});
    source.setTextRows({{"a", "b"}, {"c", "d"}});
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({",A,B", "1,a,b", "2,c,d"}));
    EXPECT_EQ(writeDocument(source, xtTAB), crlfLines({"\tA\tB", "1\ta\tb", "2\tc\td"}));
    // A pattern that quotes or spaces the number is enclosed like any field.
    source.setRowNumberFormat(QStringLiteral("No. %d"));
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({",A,B", "\"No. 1\",a,b", "\"No. 2\",c,d"}));
}

TEST_F(Frame, ARowNumberPatternThatCannotFormatFallsBackToPlainNumbers) {
    source.setOptions({xoRowNumbers});
    source.setRowNumberFormat(QStringLiteral("%d %s"));
    ASSERT_EQ(source.RowNumberFormat(), "%d %s");
    EXPECT_EQ(writeDocument(source, xtTAB), crlfLines({"1\tabcdefgh\tx", "2\tab\tyy"}));
}

TEST_F(Frame, FooterSeparatorMeasuresTheNextRowNumber) {
    source.setOptions({xoRowNumbers, xoHeaderLine, xoFooterLine});
    source.captions = {"V"};
    source.rows.clear();
    for (int i = 1; i <= 9; ++i)
        source.rows.push_back({TVariant(QStringLiteral("v"))});
    const QList<QByteArray> lines = txt().split('\n');
    EXPECT_EQ(lines.first(), "---\r");               // width 1 + one column + "1"
    EXPECT_EQ(lines.at(lines.size() - 2), "----\r"); // "10" is measured at the end
}

TEST_F(Frame, HeaderTextAndSeparatorsWithoutCaptionRow) {
    source.setOptions({xoHeaderLine, xoFooterLine, xoShowExportDate});
    source.OnGetHeader = [](QObject*, std::uint32_t count, QString& header) {
        header = QStringLiteral("Rows: %1\r\nsecond\n").arg(count);
    };
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& footer) {
        footer = QStringLiteral("end");
    };
    const char* date = "Created: 2026-12-07 09:05:07";
    EXPECT_EQ(txt(), crlfLines({"Rows: 2", "second", "-----------", "abcdefgh x ", "ab       yy",
                                "-----------", "end", date}));
    // Tab-separated text keeps header, footer and date but draws no lines.
    EXPECT_EQ(writeDocument(source, xtTAB),
              crlfLines({"Rows: 2", "second", "abcdefgh\tx", "ab\tyy", "end", date}));
    // CSV carries none of them.
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({"abcdefgh,x", "ab,yy"}));
}

TEST_F(Frame, CreatedTextIsAFormatPattern) {
    source.setOptions({xoShowExportDate});
    source.Messages()->CreatedText = QStringLiteral("100%% at");
    EXPECT_TRUE(txt().endsWith("100% at 2026-12-07 09:05:07\r\n"));
}

TEST_F(Frame, AlignmentsPadPlainTextOnlyWhenAsked) {
    source.captions = {"L", "R", "C", "F"};
    source.alignments = {eaLeft, eaRight, eaCenter, eaFill};
    source.setTextRows({{"a", "b", "c", "d"}});
    source.ColumnWidths()->setStrings({"3", "3", "4", "3"});
    source.setOptions({xoUseAlignments});
    EXPECT_EQ(txt(), crlfLines({"a     b  c   d"}));
    source.setOptions({});
    EXPECT_EQ(txt(), crlfLines({"a   b   c    d  "}));
    // Separated formats ignore alignment.
    source.setOptions({xoUseAlignments});
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({"a,b,c,d"}));
}

TEST_F(Frame, InvisibleColumnsAreSkippedUnlessExportedAnyway) {
    source.captions = {"A", "B", "C"};
    source.hidden = {false, true, false};
    source.setTextRows({{"a", "bb", "c"}});
    source.setOptions({xoShowHeader, xoHeaderLine});
    // The separator still counts every column's gap.
    EXPECT_EQ(txt(), crlfLines({"A C", "----", "a c"}));
    source.setOptions({xoShowHeader, xoExportInvisibles});
    EXPECT_EQ(txt(), crlfLines({"A B  C", "a bb c"}));
}

TEST_F(Frame, SelectedRowsOnlyNumbersTheWrittenRowsAndReportsEveryRow) {
    source.setOptions({xoSelectedRowsOnly, xoRowNumbers});
    source.setTextRows({{"r0", "x"}, {"r1", "x"}, {"r2", "x"}});
    source.selected = {false, false, true};
    std::vector<std::pair<std::uint32_t, bool>> seen;
    source.OnExport = [&](QObject*, std::uint32_t current, std::uint32_t total, TkxValues values,
                          bool canExport) {
        EXPECT_EQ(total, 3u);
        EXPECT_EQ(values.at(0).toString(), QStringLiteral("r%1").arg(current));
        seen.emplace_back(current, canExport);
    };
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({"1,r2,x"}));
    EXPECT_EQ(seen,
              (std::vector<std::pair<std::uint32_t, bool>>{{0, false}, {1, false}, {2, true}}));
    EXPECT_EQ(source.RowIndex(), 3u);
    EXPECT_EQ(source.WrittenCount(), 1u);
}

TEST_F(Frame, ValuesAreWrittenAsTheyAre) {
    source.setOptions({});
    source.setTextRows({{"x\ty", "a,b"}, {"line1\r\nline2", ""}});
    EXPECT_EQ(writeDocument(source, xtTAB), crlfLines({"x\ty\ta,b", "line1", "line2\t"}));
    EXPECT_EQ(writeDocument(source, xtCSV), crlfLines({"x\ty,\"a,b\"", "\"line1", "line2\","}));
}

TEST_F(Frame, OutputRowCountsEveryComposedRow) {
    source.setOptions({xoShowHeader});
    writeDocument(source, xtCSV);
    EXPECT_EQ(source.OutputRow(), 4); // 1 + caption row + two data rows
}

TEST_F(Frame, NonAsciiTextIsWrittenInTheSingleByteCodePage) {
    source.setOptions({});
    source.setTextRows({{QStringLiteral("caf\u00e9"), QStringLiteral("\u20ac\u4e2d")}});
    EXPECT_EQ(writeDocument(source, xtTAB), QByteArray("caf\xe9\t\x80?\r\n"));
}

TEST_F(Frame, EveryWrittenRowMovesTheWorkbookCursorWhateverTheType) {
    source.setOptions({xoSelectedRowsOnly});
    source.selected = {true, false};
    TkxNativeExcel* excel = source.ExcelWriter();
    excel->setRow(5);
    excel->setColumn(7);
    writeDocument(source, xtTAB);
    EXPECT_EQ(excel->Row(), 6);
    EXPECT_EQ(excel->Column(), 1);
}

TEST_F(Frame, TheClipboardTypeIgnoresAFileNameItIsGiven) {
    QTemporaryDir dir;
    const QString path = dir.filePath("never.txt");
    kxRegisterDocumentWriters(); // the typeset writers too
    source.setWriterFactory(&kxCreateDocumentWriter);
    source.setExportType(xtClipboard);
    source.WriteDocument(path);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "A        B \r\nabcdefgh x \r\nab       yy\r\n");
}

namespace {
// Collects a streamed document, failing on the write numbered `failAt` (from 1).
struct MemorySink : ByteSink {
    QByteArray bytes;
    int writes = 0;
    int commits = 0;
    int failAt = 0;
    void write(const char* data, qsizetype size) override {
        if (++writes == failAt) throw Exception(QStringLiteral("device gone"));
        bytes.append(data, size);
    }
    void commit() override { ++commits; }
};
} // namespace

// Handed on in pieces as rows are made, a document has the bytes of the
// whole one, for every line-based type; a failed piece fails the export.
TEST_F(Frame, StreamedDocumentsAreTheBytesOfWholeOnes) {
    source.setOptions({xoShowHeader, xoRowNumbers, xoHeaderLine, xoFooterLine, xoShowExportDate});
    source.captions = {"Payment #", "Zahlung \u20ac", "Note"};
    source.rows.clear();
    // Few rows of long texts: this source measures its columns row by row.
    const QString text = QStringLiteral("caf\u00e9 ").repeated(48);
    for (int i = 0; i < 1200; ++i)
        source.rows.push_back(
            {TVariant(QString::number(i)), TVariant(QStringLiteral("%1,5 ").arg(i) + text),
             TVariant(i % 300 == 0 ? QStringLiteral("two\r\nlines \"quoted\"") : QString())});
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& text) { text = "Head\r\nline two"; };
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& text) { text = "Foot"; };
    for (TkxExportType type :
         {xtTXT, xtCSV, xtTAB, xtHTML, xtWord, xtRTF, xtDIF, xtSYLK, xtExcel}) {
        const QByteArray whole = writeDocument(source, type);
        ASSERT_GT(whole.size(), 300 * 1024) << type;
        MemorySink sink;
        source.setDocumentSink(&sink);
        const QByteArray none = writeDocument(source, type);
        EXPECT_TRUE(none.isEmpty()) << type; // the sink took the document, not the file
        EXPECT_TRUE(bytesEqual(whole, sink.bytes)) << type;
        EXPECT_EQ(sink.commits, 1) << type;
        // Line-based types go out in pieces; the workbook at the end, whole.
        EXPECT_EQ(sink.writes > 1, type != xtExcel) << type;

        MemorySink failing;
        failing.failAt = type == xtExcel ? 1 : 2;
        source.setDocumentSink(&failing);
        std::vector<TkxExportError> errors;
        writeDocument(source, type, &errors);
        EXPECT_EQ(errors, std::vector<TkxExportError>{xeWriteFailed}) << type;
        EXPECT_EQ(failing.commits, 0) << type;
        source.setDocumentSink(nullptr);
        source.OnError = {};
    }
}

// A row written straight into bytes is exactly the lines its joined text
// makes, line breaks inside pieces included; where it could not be, nothing
// is written and the caller splits.
TEST(DocumentLines, JoinedRowsAreTheLinesOfTheJoinedText) {
    const QString high(QChar(0xD83D)), low(QChar(0xDE00));
    const std::vector<QStringList> rows = {{"1", "88.85", "caf\u00e9 \u20ac"},
                                           {"", "", ""},
                                           {"", "x"},
                                           {"x", ""},
                                           {""},
                                           {},
                                           {"a\r\nb", "c"},
                                           {"a", "b\n"},
                                           {"lone\r", "x"},
                                           {"1,0\r\n\"x\"\r\n", "1,0\r\n\"y\"\r\n"},
                                           {"a\r", "\nb"},
                                           {"\r\n"},
                                           {"\n\n", "\r\r\n"},
                                           {"ab" + high, low + "cd"},
                                           {high + low, "\u4e2d"}};
    for (const QString& separator :
         {QString(","), QString("\t"), QString(" "), QString("\r\n"), QString(), QString("\n")}) {
        for (const QStringList& row : rows) {
            TkxDocumentLines direct;
            TkxDocumentLines split;
            direct.append("before");
            split.append("before");
            const bool taken = direct.appendJoinedLines(row, separator);
            split.append(TStrings::splitLines(row.join(separator)));
            if (taken) {
                EXPECT_EQ(direct.bytes(), split.bytes()) << row.join("|") << separator;
                EXPECT_EQ(direct.count(), split.count()) << row.join("|") << separator;
            } else {
                EXPECT_EQ(direct.bytes(), "before\r\n") << row.join("|") << separator;
            }
            // Without line ends: the lines' bytes one after another.
            QByteArray unbroken = "before";
            QByteArray lines = "before";
            for (const QString& line : TStrings::splitLines(row.join(separator)))
                Windows1252Codec::appendEncoded(lines, line);
            if (appendJoinedText(unbroken, row, separator))
                EXPECT_EQ(unbroken, lines) << row.join("|") << separator;
            else
                EXPECT_EQ(unbroken, "before") << row.join("|") << separator;
        }
    }
    // The plain rows of every line-based type take the direct way.
    TkxDocumentLines lines;
    EXPECT_TRUE(lines.appendJoinedLines({"1", "88.85"}, ","));
    EXPECT_TRUE(lines.appendJoinedLines({"<TD>1</TD>", "<TD>2</TD>"}, "\r\n"));
    EXPECT_TRUE(lines.appendJoinedLines({"C;X1;Y2;K\"1\"\r\n", "C;X2;Y2;K\"8\"\r\n"}, ""));
}

namespace {
// The same rows handed over as Latin-1 texts, as the command line's table
// does; a table with other characters has none.
class TextRowsSource : public MemorySource {
public:
    bool HasRowTexts() override {
        for (const TkxValues& row : rows) {
            for (const TVariant& v : row) {
                for (const QChar c : v.toString()) {
                    if (c.unicode() > 0xFF) return false;
                }
            }
        }
        return true;
    }
    void GetRowTexts(QList<QLatin1StringView>& Texts) override {
        m_row.clear();
        for (const TVariant& v : rows.at(RowIndex()))
            m_row.append(v.toString().toLatin1());
        Texts.clear();
        for (const QByteArray& s : m_row)
            Texts.append(QLatin1StringView(s));
    }

private:
    QList<QByteArray> m_row;
};
} // namespace

// Rows read as texts, written as plain cells where they can be, give every
// byte that the same rows read as values give, in every type and with every
// option that touches a cell.
TEST(PlainRows, TextsGiveTheBytesOfValues) {
    RegionalScope regional;
    ClockScope clock{Now};
    const std::initializer_list<QStringList> rows = {
        {"1", "88.85", "-0.50", "plain"},
        {"a b", "1,5", "say \"hi\"", "\"\""},
        {"", "", "", ""},
        {"caf\u00e9", "\u00a3 5", "x", "y"},
        {"two\r\nlines", "tab\there", "lone\r", "end\n"},
        {"a very long text indeed", "z", "", "~"},
        {"123456789\u00e9", "12345678\u007f", "abcdefghij\u0001k", "0123456789abcdef"},
        {"http://a.example", "a;b", "<b>", "x&y"},
        {"mailto:a@b.example", "b", "c", "d"}};
    const std::vector<TkxExportOptionSet> optionSets = {{xoShowHeader},
                                                        {},
                                                        {xoShowHeader, xoUseAlignments},
                                                        {xoTruncate, xoHeaderLine, xoFooterLine},
                                                        {xoExportInvisibles, xoRowNumbers},
                                                        {xoSelectedRowsOnly, xoUseAlignments}};
    for (const TkxExportType type :
         {xtTXT, xtCSV, xtTAB, xtClipboard, xtHTML, xtRTF, xtDIF, xtSYLK, xtExcel, xtWord}) {
        for (std::size_t n = 0; n < optionSets.size(); ++n) {
            const TkxExportOptionSet options = optionSets[n];
            MemorySource values;
            TextRowsSource texts;
            for (MemorySource* source : {&values, static_cast<MemorySource*>(&texts)}) {
                source->setOptions(options);
                source->captions = {"N", "Amount", "Note", "Last"};
                source->setTextRows(rows);
                source->alignments = {eaRight, eaCenter, eaLeft, eaGeneral};
                source->hidden = {false, false, true, false};
                source->selected = {true, false, true, false, true, true, true, true, true};
                // Links and odd rows' colours in every other document.
                if (n % 2) source->HTML()->setOptions({hoAutoLink, hoOddRowColoring});
                source->ColumnWidths()->setStrings({"", "3"});
                if (type == xtHTML && options.contains(xoUseAlignments))
                    source->ColumnWidths()->setStrings({"", "3", "\u00e9"});
            }
            EXPECT_EQ(writeDocument(texts, type), writeDocument(values, type)) << type << " " << n;
        }
    }
}

namespace {
// The same rows with every data width 0, as a source that did not learn them.
class NoWidthsSource : public MemorySource {
public:
    int GetColumnDataWidth(int) override { return 0; }
};
} // namespace

// A type that says its cells are not laid out to the data widths writes the
// same bytes whatever they are, unless xoTruncate cuts cells to them.
TEST(PlainRows, OnlyTypesThatSaySoUseTheDataWidths) {
    RegionalScope regional;
    ClockScope clock{Now};
    for (int i = 0; i < kxExportTypeRowCount; ++i) {
        const TkxExportTypeRow& row = kxExportTypeRows()[i];
        for (const TkxExportOptionSet options :
             {TkxExportOptionSet{xoShowHeader, xoUseAlignments, xoHeaderLine, xoFooterLine},
              TkxExportOptionSet{xoShowHeader, xoRowNumbers, xoTruncate}}) {
            MemorySource widths;
            NoWidthsSource none;
            for (MemorySource* source : {&widths, static_cast<MemorySource*>(&none)}) {
                source->setOptions(options);
                // Captions wider than the data, which xoTruncate cuts to it.
                source->captions = {"Number of the row", "Amount"};
                source->setTextRows({{"1", "88.85"}, {"12345", "text"}, {"", "x"}});
                source->alignments = {eaRight, eaCenter};
            }
            const bool same = writeDocument(widths, row.Type) == writeDocument(none, row.Type);
            EXPECT_EQ(same, !row.LaysOutToWidestText && !options.contains(xoTruncate))
                << int(row.Type);
        }
    }
}

// The plain-text tests take eight characters at a time: every length around
// that step, and every byte value at every place, against the plain rule.
TEST(WriterUtils, PrintableAsciiAndQuotingAgreeWithTheirRules) {
    for (int length = 0; length <= 20; ++length) {
        for (int at = 0; at < std::max(length, 1); ++at) {
            for (int byte = 0; byte < 256; ++byte) {
                QByteArray text(length, 'a');
                if (length > 0) text[at] = static_cast<char>(byte);
                const QLatin1StringView view(text);
                const bool printable = length == 0 || (byte >= 0x20 && byte <= 0x7E);
                ASSERT_EQ(IsPrintableAscii(view), printable) << length << " " << at << " " << byte;
                if (!printable) continue;
                char out[64];
                const char* end = PutQuotedField(out, view, false);
                ASSERT_EQ(QByteArray(out, end - out), QuoteField(QString(view), false).toLatin1())
                    << length << " " << at << " " << byte;
            }
        }
    }
}

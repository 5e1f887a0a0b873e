// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML page: the worked example in full, then the options one by one.

#include "export/writers/kxWriterHTML.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"

using namespace twl;
using namespace twl::test;

namespace {

const char* const Head[] = {
    "<!-- THIS FILE WAS CREATED BY VESK'S EXPORT COMPONENTS FOR KORVATH TESSIVON -->",
    "<!-- DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 TRANSITIONAL//EN\" -->",
    "<HTML>",
    " <HEAD>",
    "  <META HTTP - EQUIV = \"Content - Type\" CONTENT = \"TEXT/HTML\">",
    "  <META NAME = \"GENERATOR\" CONTENT = \"Vesk's Export Components for Tessivon\" >",
    "  <META NAME = \"Author\" CONTENT = \"Dorin Myrtel\" >",
    "  <META NAME = \"Description\" CONTENT = \"http://www.vesk-export.example/\" >",
};

// The lines between the page head and the closing lines.
QStringList body(const QByteArray& document) {
    const QStringList all = documentLines(document);
    const qsizetype start = all.indexOf(QStringLiteral(" </HEAD>"));
    return all.mid(start + 3, all.size() - start - 6);
}

// A small table with the page's decorations switched off, so that each test
// sees only what its option adds.
struct Page : ::testing::Test {
    RegionalScope regional;
    ClockScope clock{FormatTestNow};
    MemorySource source;
    Page() {
        source.setOptions({xoShowHeader});
        source.HTML()->setOptions({});
        source.captions = {"A", "B"};
        source.setTextRows({{"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}});
    }
    QStringList page() { return documentLines(writeDocument(source, xtHTML)); }
    QStringList table() { return body(writeDocument(source, xtHTML)); }
};

} // namespace

TEST(HTMLWriter, WorkedExampleWithTheStoredSettings) {
    ScheduleExport s;
    QStringList expected;
    for (const char* line : Head)
        expected << line;
    expected << "  <TITLE></TITLE>"
             << " </HEAD>"
             << " <BODY BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" ALINK=\"#FF0000\" VLINK=\"#FFFF00\" "
                "TEXT=\"#000000\">"
             << " <FONT COLOR=\"#000000\" FACE=\"Arial,Helvetica\">"
             << "  <HR>"
             << "  <TABLE WIDTH=\"100%\" CELLPADDING=\"4\" CELLSPACING=\"0\" BORDER=\"1\" "
                "BGCOLOR=\"#FFFFCF\">"
             << "  <FONT COLOR=\"#000000\" FACE=\"Arial,Helvetica\">"
             << "   <TR BGCOLOR=\"#336699\">";
    for (const char* caption : {"Payment #", "Payment", "Interest", "Principal", "Balance"})
        expected << QStringLiteral(
                        "    <TD><B><FONT COLOR=\"#FFFFFF\"><small>%1</small></FONT></B></TD>")
                        .arg(caption);
    expected << "   </TR>";
    bool odd = false;
    for (const QStringList& row : s.rows()) {
        expected << (odd ? "   <TR BGCOLOR=\"#FFFFFF\">" : "   <TR>");
        // An empty value is a non-breaking space.
        for (const QString& cell : row)
            expected << QStringLiteral("    <TD><small>%1</small></TD>")
                            .arg(cell.isEmpty() ? QStringLiteral("&nbsp;") : cell);
        expected << "   </TR>";
        odd = !odd;
    }
    expected << "  </FONT>"
             << "  </TABLE>"
             << "  <HR>"
             << "Created: 2026-12-07 10:30:00"
             << " </FONT>"
             << " </BODY>"
             << "</HTML>";
    EXPECT_EQ(documentLines(writeDocument(s.exporter, xtHTML)), expected);
}

TEST_F(Page, PlainTableWithoutOptions) {
    const QStringList all = page();
    // Without a title option the head still has its four META lines and no TITLE.
    EXPECT_EQ(all.mid(0, 8), QStringList(std::begin(Head), std::end(Head)));
    EXPECT_EQ(all.at(8), " </HEAD>");
    EXPECT_EQ(all.mid(all.size() - 3), QStringList({" </FONT>", " </BODY>", "</HTML>"}));
    EXPECT_EQ(table(), QStringList({
                           "  <TABLE WIDTH=\"100%\" CELLPADDING=\"4\" CELLSPACING=\"0\" "
                           "BGCOLOR=\"#FFFFCF\">",
                           "  <FONT COLOR=\"#000000\" FACE=\"Arial,Helvetica\">",
                           "   <TR BGCOLOR=\"#336699\">",
                           "    <TD><FONT COLOR=\"#FFFFFF\"><small>A</small></FONT></TD>",
                           "    <TD><FONT COLOR=\"#FFFFFF\"><small>B</small></FONT></TD>",
                           "   </TR>",
                           "   <TR>",
                           "    <TD><small>a1</small></TD>",
                           "    <TD><small>b1</small></TD>",
                           "   </TR>",
                           "   <TR>",
                           "    <TD><small>a2</small></TD>",
                           "    <TD><small>b2</small></TD>",
                           "   </TR>",
                           "   <TR>",
                           "    <TD><small>a3</small></TD>",
                           "    <TD><small>b3</small></TD>",
                           "   </TR>",
                           "  </FONT>",
                           "  </TABLE>",
                       }));
}

TEST_F(Page, WithoutCaptionsTheTableStillOpensAHeaderColouredRow) {
    source.setOptions({});
    source.rows.resize(1);
    EXPECT_EQ(table(), QStringList({
                           "  <TABLE WIDTH=\"100%\" CELLPADDING=\"4\" CELLSPACING=\"0\" "
                           "BGCOLOR=\"#FFFFCF\">",
                           "  <FONT COLOR=\"#000000\" FACE=\"Arial,Helvetica\">",
                           "   <TR BGCOLOR=\"#336699\">",
                           "   <TR>",
                           "    <TD><small>a1</small></TD>",
                           "    <TD><small>b1</small></TD>",
                           "   </TR>",
                           "  </FONT>",
                           "  </TABLE>",
                       }));
}

TEST_F(Page, TitleAndHeaderAndFooterTexts) {
    source.HTML()->setOptions({hoDisplayTitle});
    source.HTML()->setTitle(QStringLiteral("Loan & <Co>"));
    source.setOptions({xoHeaderLine, xoFooterLine, xoShowExportDate});
    source.rows.clear();
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = "<H1>Plan</H1>\r\nsub"; };
    source.OnGetFooter = [](QObject*, std::uint32_t, QString& f) { f = "<I>end</I>"; };
    const QStringList all = page();
    EXPECT_EQ(all.at(8), "  <TITLE>Loan &amp; &lt;Co&gt;</TITLE>");
    // Header and footer texts are the host's own markup and stay as given.
    const QStringList b = body(writeDocument(source, xtHTML));
    EXPECT_EQ(b.mid(0, 3), QStringList({"<H1>Plan</H1>", "sub", "  <HR>"}));
    EXPECT_EQ(b.mid(b.size() - 3),
              QStringList({"  <HR>", "<I>end</I>", "Created: 2026-12-07 10:30:00"}));
}

TEST_F(Page, ValuesAndCaptionsAreEscaped) {
    source.captions = {"<A>", "\"B\""};
    source.setTextRows({{"Tom & Jerry", "<script>x</script>"}});
    const QStringList b = table();
    EXPECT_EQ(b.at(3), "    <TD><FONT COLOR=\"#FFFFFF\"><small>&lt;A&gt;</small></FONT></TD>");
    EXPECT_EQ(b.at(4), "    <TD><FONT COLOR=\"#FFFFFF\"><small>&quot;B&quot;</small></FONT></TD>");
    EXPECT_EQ(b.at(7), "    <TD><small>Tom &amp; Jerry</small></TD>");
    EXPECT_EQ(b.at(8), "    <TD><small>&lt;script&gt;x&lt;/script&gt;</small></TD>");
}

TEST_F(Page, EmptyAndNullValues) {
    source.rows = {{TVariant(QString()), TVariant::null()}};
    const QStringList b = table();
    EXPECT_EQ(b.at(7), "    <TD><small>&nbsp;</small></TD>");
    EXPECT_EQ(b.at(8), "    <TD><small>** NULL **</small></TD>");
}

TEST_F(Page, LinksOnlyForExactCasePrefixesAnywhereInTheValue) {
    source.HTML()->setOptions({hoAutoLink});
    source.setTextRows({{"write to mailto:a@b.example", "MAILTO:a@b.example"},
                        {"http://x.example/?a=1&b=\"2\"", "plain"}});
    const QStringList b = table();
    EXPECT_EQ(b.at(7), "    <TD><small><A HREF=\"write to mailto:a@b.example\">write to "
                       "mailto:a@b.example</A></small></TD>");
    EXPECT_EQ(b.at(8), "    <TD><small>MAILTO:a@b.example</small></TD>");
    EXPECT_EQ(b.at(11), "    <TD><small><A HREF=\"http://x.example/?a=1&amp;b=&quot;2&quot;\">"
                        "http://x.example/?a=1&amp;b=&quot;2&quot;</A></small></TD>");
    EXPECT_TRUE(TkxHTMLWriter::IsLink(u"ftp:x") && TkxHTMLWriter::IsLink(u"news:x") &&
                TkxHTMLWriter::IsLink(u"nntp:x") && TkxHTMLWriter::IsLink(u"https:x"));
    EXPECT_FALSE(TkxHTMLWriter::IsLink(u"Http://x") || TkxHTMLWriter::IsLink(u"www.x.example"));
}

TEST_F(Page, ATruncatedLinkKeepsTheWholeAddress) {
    source.HTML()->setOptions({hoAutoLink});
    source.setOptions({xoShowHeader, xoTruncate});
    source.ColumnWidths()->setStrings({"10"});
    source.setTextRows({{"http://x.example/long", "b"}});
    EXPECT_EQ(table().at(7), "    <TD WIDTH=\"10\"><small><A HREF=\"http://x.example/long\">"
                             "http://...</A></small></TD>");
}

TEST_F(Page, OddRowsAreCountedOverAllSourceRows) {
    source.HTML()->setOptions({hoOddRowColoring});
    source.setTextRows({{"r0", ""}, {"r1", ""}, {"r2", ""}, {"r3", ""}, {"r4", ""}});
    source.setOptions({xoShowHeader, xoSelectedRowsOnly});
    source.selected = {false, true, true, true, false};
    QStringList starts;
    for (const QString& line : table()) {
        if (line.startsWith(QStringLiteral("   <TR")) && !line.contains("336699")) starts << line;
    }
    // The 2nd and 4th source rows are odd; the 3rd, written second, is not.
    EXPECT_EQ(starts, QStringList({"   <TR BGCOLOR=\"#FFFFFF\">", "   <TR>",
                                   "   <TR BGCOLOR=\"#FFFFFF\">"}));
}

TEST_F(Page, RowNumbersWidthsAndAlignments) {
    source.setOptions({xoShowHeader, xoRowNumbers, xoUseAlignments});
    source.HTML()->setOptions({hoBoldHeaders});
    source.ColumnWidths()->setStrings({"30%", "x\"y"});
    source.alignments = {eaRight, eaFill};
    source.rows.resize(1);
    const QStringList b = table();
    EXPECT_EQ(
        b.mid(2, 6),
        QStringList({
            "   <TR BGCOLOR=\"#336699\">",
            "    <TD>&nbsp;</TD>",
            "    <TD WIDTH=\"30%\" ALIGN=\"Right\" ><B><FONT COLOR=\"#FFFFFF\"><small>A</small>"
            "</FONT></B></TD>",
            "    <TD WIDTH=\"x&quot;y\"><B><FONT COLOR=\"#FFFFFF\"><small>B</small></FONT></B>"
            "</TD>",
            "   </TR>",
            "   <TR>",
        }));
    EXPECT_EQ(b.at(8), "    <TD ALIGN=\"Right\">1</TD>");
    EXPECT_EQ(b.at(9), "    <TD WIDTH=\"30%\" ALIGN=\"Right\" ><small>a1</small></TD>");
}

TEST_F(Page, ColourTemplatesAndCustomColours) {
    source.rows.clear();
    source.HTML()->setTemplate(ctDark);
    QStringList all = page();
    EXPECT_EQ(all.at(9), " <BODY BGCOLOR=\"#317676\" LINK=\"#DDE760\" ALINK=\"#FFFF00\" "
                         "VLINK=\"#CCCC39\" TEXT=\"#FFE760\">");
    EXPECT_EQ(all.at(11), "  <TABLE WIDTH=\"100%\" CELLPADDING=\"4\" CELLSPACING=\"0\" "
                          "BGCOLOR=\"#004040\">");
    EXPECT_EQ(all.at(12), "  <FONT COLOR=\"#FFFFFF\" FACE=\"Arial,Helvetica\">");
    EXPECT_EQ(all.at(13), "   <TR BGCOLOR=\"#3A9393\">");

    TkxHTMLColors* custom = source.HTML()->CustomColors();
    source.HTML()->setTemplate(ctCustom);
    custom->setBackground(255);
    custom->setTableBackground(0xFFFFCF);
    custom->setDefaultText(static_cast<int>(clWindowText));
    custom->setDefaultFontFace(QStringLiteral("Verdana"));
    custom->setTableFontFace(QStringLiteral("Tahoma"));
    all = page();
    EXPECT_EQ(all.at(9), " <BODY BGCOLOR=\"#0000FF\" LINK=\"#0000FF\" ALINK=\"#FF0000\" "
                         "VLINK=\"#FFFF00\" TEXT=\"#80000008\">");
    EXPECT_EQ(all.at(10), " <FONT COLOR=\"#80000008\" FACE=\"Verdana\">");
    EXPECT_EQ(all.at(11), "  <TABLE WIDTH=\"100%\" CELLPADDING=\"4\" CELLSPACING=\"0\" "
                          "BGCOLOR=\"#FFFFCF\">");
    EXPECT_EQ(all.at(12), "  <FONT COLOR=\"#000000\" FACE=\"Tahoma\">");
}

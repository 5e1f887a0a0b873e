// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON document: its layout, typed values in any regional settings, and
// texts that need escaping.

#include "export/writers/kxWriterJSON.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/WriterTestSupport.h"

#include <limits>

using namespace twl;
using namespace twl::test;

TEST(JSONNumbers, TheShortestTextThatReadsBackAsTheSameDouble) {
    const std::pair<double, const char*> table[] = {
        {707.23, "707.23"},
        {0.1 + 0.2, "0.30000000000000004"},
        {-3, "-3"},
        {-0.0, "-0"},
        {1e21, "1e+21"},
        {5.07e18, "5.07e+18"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::infinity(), "null"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
    };
    for (const auto& [value, wanted] : table) {
        QByteArray out;
        kxAppendJSONNumber(out, value);
        EXPECT_EQ(out, wanted);
    }
}

TEST(JSONStrings, QuotesBackslashesAndControlsAreEscapedTheRestIsUtf8) {
    QByteArray out;
    kxAppendJSONString(out, QStringLiteral("a\"b\\c\r\n\t\x01/\u00e9\u20ac"));
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\u000d\\u000a\\u0009\\u0001/\xc3\xa9\xe2\x82\xac\"");
}

TEST(JSONDocument, TableRowsThenSummaryRowsTypedInTheRegionalSettings) {
    RegionalScope regional(QLatin1Char(','), QStringLiteral("dd.MM.yyyy"));
    MemorySource source;
    source.captions = {"Nr.", "F\u00e4llig", "Rate", "", "Rate"};
    source.setTextRows({
        {"1", "15.01.2027", "707,23", "x", "-0,50"},
        {"Zwischen", "", "", "", ""},
        {"2", "15.02.2027", "1,5E20", "\"q\"", "0"},
        {"SUMME", "", "1414,46", "", "-"},
        {"Eingaben:", "Betrag: 5000,5", "Datum: 07.12.2026", "Zins (%): 3", "frei"},
    });
    source.setOptions(source.Options().without(xoShowExportDate));
    source.HTML()->setTitle(QStringLiteral("Plan"));
    source.OnGetHeader = [](QObject*, std::uint32_t, QString& h) { h = QStringLiteral("Kopf"); };
    EXPECT_EQ(writeDocument(source, xtJSON),
              "{\n"
              "  \"title\": \"Plan\",\n"
              "  \"header\": [\"Kopf\"],\n"
              "  \"columns\": [\"Nr.\", \"F\xc3\xa4llig\", \"Rate\", \"4\", \"5\"],\n"
              "  \"rows\": [\n"
              "    {\"Nr.\": 1, \"F\xc3\xa4llig\": \"2027-01-15\", \"Rate\": 707.23, \"4\": \"x\", "
              "\"5\": -0.5},\n"
              "    {\"Nr.\": \"Zwischen\", \"F\xc3\xa4llig\": null, \"Rate\": null, \"4\": null, "
              "\"5\": null},\n"
              "    {\"Nr.\": 2, \"F\xc3\xa4llig\": \"2027-02-15\", \"Rate\": 1.5e+20, \"4\": "
              "\"\\\"q\\\"\", \"5\": 0}\n"
              "  ],\n"
              "  \"summary\": [\n"
              "    {\"label\": \"SUMME\", \"Rate\": 1414.46, \"5\": \"-\"},\n"
              "    {\"label\": \"Eingaben:\", \"Betrag\": 5000.5, \"Datum\": \"2026-12-07\", "
              "\"Zins (%)\": 3, \"5\": \"frei\"}\n"
              "  ],\n"
              "  \"footer\": []\n"
              "}\n");
}

TEST(JSONDocument, WithoutCaptionsOrRowsTheKeysAreColumnNumbersAndTheListsEmpty) {
    RegionalScope regional;
    MemorySource source;
    source.captions = {"a", "b"};
    source.setOptions(source.Options().without(xoShowHeader).without(xoShowExportDate));
    const QByteArray empty = writeDocument(source, xtJSON);
    EXPECT_TRUE(empty.contains("\"columns\": [],\n  \"rows\": [],\n  \"summary\": [],\n"))
        << empty.constData();
    source.setTextRows({{"1", "b"}});
    EXPECT_TRUE(writeDocument(source, xtJSON).contains("{\"1\": 1, \"2\": \"b\"}"));
}

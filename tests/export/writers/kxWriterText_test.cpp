// SPDX-License-Identifier: GPL-3.0-or-later
// The plain-text, CSV, tab-separated and clipboard documents.

#include "export/kxExportHost.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterUtils.h"
#include "tests/export/ExportTestTable.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/FormatTestSupport.h"
#include "tests/export/writers/WriterTestSupport.h"

using namespace twl;
using namespace twl::test;

TEST(TextWriters, WorkedExampleAsPlainText) {
    ScheduleExport s;
    EXPECT_EQ(writeDocument(s.exporter, xtTXT),
              crlfLines({
                  "Payment # Payment Interest Principal Balance   ",
                  "------------------------------------",
                  "1   88.85   10.00 78.85   921.15    ",
                  "2   88.85   9.21  79.64   841.51    ",
                  "3   88.85   8.42  80.43   761.08    ",
                  "4   88.85   7.61  81.24   679.84    ",
                  "5   88.85   6.80  82.05   597.79    ",
                  "6   88.85   5.98  82.87   514.92    ",
                  "7   88.85   5.15  83.70   431.22    ",
                  "8   88.85   4.31  84.54   346.68    ",
                  "9   88.85   3.47  85.38   261.30    ",
                  "10  88.85   2.61  86.24   175.07    ",
                  "11  88.85   1.75  87.10   87.97     ",
                  "12  88.85   0.88  87.97   0.00      ",
                  "SUM 1066.19 66.19 1000.00 -         ",
                  "    1000    12    12      2026-12-07",
                  "------------------------------------",
                  "Created: 2026-12-07 10:30:00",
              }));
}

TEST(TextWriters, WorkedExampleAsCommaSeparatedText) {
    ScheduleExport s;
    // The inputs row keeps its empty first field.
    EXPECT_EQ(writeDocument(s.exporter, xtCSV),
              crlfLines({
                  "\"Payment #\",Payment,Interest,Principal,Balance",
                  "1,88.85,10.00,78.85,921.15",
                  "2,88.85,9.21,79.64,841.51",
                  "3,88.85,8.42,80.43,761.08",
                  "4,88.85,7.61,81.24,679.84",
                  "5,88.85,6.80,82.05,597.79",
                  "6,88.85,5.98,82.87,514.92",
                  "7,88.85,5.15,83.70,431.22",
                  "8,88.85,4.31,84.54,346.68",
                  "9,88.85,3.47,85.38,261.30",
                  "10,88.85,2.61,86.24,175.07",
                  "11,88.85,1.75,87.10,87.97",
                  "12,88.85,0.88,87.97,0.00",
                  "SUM,1066.19,66.19,1000.00,-",
                  ",1000,12,12,2026-12-07",
              }));
}

TEST(TextWriters, WorkedExampleAsTabSeparatedText) {
    ScheduleExport s;
    EXPECT_EQ(writeDocument(s.exporter, xtTAB),
              crlfLines({
                  "Payment #\tPayment\tInterest\tPrincipal\tBalance",
                  "1\t88.85\t10.00\t78.85\t921.15",
                  "2\t88.85\t9.21\t79.64\t841.51",
                  "3\t88.85\t8.42\t80.43\t761.08",
                  "4\t88.85\t7.61\t81.24\t679.84",
                  "5\t88.85\t6.80\t82.05\t597.79",
                  "6\t88.85\t5.98\t82.87\t514.92",
                  "7\t88.85\t5.15\t83.70\t431.22",
                  "8\t88.85\t4.31\t84.54\t346.68",
                  "9\t88.85\t3.47\t85.38\t261.30",
                  "10\t88.85\t2.61\t86.24\t175.07",
                  "11\t88.85\t1.75\t87.10\t87.97",
                  "12\t88.85\t0.88\t87.97\t0.00",
                  "SUM\t1066.19\t66.19\t1000.00\t-",
                  "\t1000\t12\t12\t2026-12-07",
                  "Created: 2026-12-07 10:30:00",
              }));
}

TEST(TextWriters, ClipboardHoldsThePlainTextAndNoFileIsWritten) {
    ScheduleExport s;
    const QByteArray text = writeDocument(s.exporter, xtTXT);
    s.exporter.setOptions(s.exporter.Options().without(xoClipboardMessage));
    EXPECT_EQ(writeDocument(s.exporter, xtClipboard), text);
}

TEST(TextWriters, WorkedExampleWithRowNumbersCaptionsAndSelectedRows) {
    ScheduleExport s;
    s.exporter.setOptions(s.exporter.Options().with(xoRowNumbers).with(xoSelectedRowsOnly));
    s.exporter.Captions()->setStrings({"#", "Pay"});
    for (int row : {0, 11, 12})
        s.view->setItemSelected(row, true);
    EXPECT_EQ(writeDocument(s.exporter, xtTXT), crlfLines({
                                                    "   #   Pay     Interest Principal Balance   ",
                                                    "---------------------------------------",
                                                    " 1 1   88.85   10.00 78.85   921.15    ",
                                                    " 2 12  88.85   0.88  87.97   0.00      ",
                                                    " 3 SUM 1066.19 66.19 1000.00 -         ",
                                                    "---------------------------------------",
                                                    "Created: 2026-12-07 10:30:00",
                                                }));
    EXPECT_EQ(writeDocument(s.exporter, xtCSV), crlfLines({
                                                    ",#,Pay,Interest,Principal,Balance",
                                                    "1,1,88.85,10.00,78.85,921.15",
                                                    "2,12,88.85,0.88,87.97,0.00",
                                                    "3,SUM,1066.19,66.19,1000.00,-",
                                                }));
}

TEST(TextWriters, WorkedExampleWithColumnWidthsAndTruncation) {
    ScheduleExport s;
    s.exporter.setOptions(s.exporter.Options().with(xoTruncate).without(xoShowExportDate));
    s.exporter.ColumnWidths()->setStrings({"3", "6", "x", "4"});
    const QList<QByteArray> lines = writeDocument(s.exporter, xtTXT).split('\n');
    // Captions are cut like any cell.
    EXPECT_EQ(lines.at(0), "... Pay... In... P... Balance   \r");
    EXPECT_EQ(lines.at(1), "--------------------------------\r"); // 3 + 6 + 5 + 4 + 10 + 4
    EXPECT_EQ(lines.at(2), "1   88.85  10.00 7... 921.15    \r");
    EXPECT_EQ(lines.at(14), "SUM 106... 66.19 1... -         \r");
}

TEST(TextWriters, WorkedExampleWithRightAlignedAmounts) {
    // A source that reports its amount columns right-aligned.
    struct AlignedExport : TkxListViewExport {
        TkxExcelAlignment GetColumnAlignment(int Index) override {
            return Index > 0 ? eaRight : eaGeneral;
        }
    };
    RegionalScope regional;
    auto view = makeScheduleView();
    AlignedExport exporter;
    kxApplyMainWindowSettings(exporter, view.get());
    exporter.setOptions({xoShowHeader, xoUseAlignments});
    const QList<QByteArray> lines = writeDocument(exporter, xtTXT).split('\n');
    EXPECT_EQ(lines.at(0), "Payment # Payment Interest Principal    Balance\r");
    EXPECT_EQ(lines.at(1), "1     88.85 10.00   78.85     921.15\r");
    EXPECT_EQ(lines.at(13), "SUM 1066.19 66.19 1000.00          -\r");
    EXPECT_EQ(lines.at(14), "       1000    12      12 2026-12-07\r");
    // CSV ignores alignment.
    EXPECT_EQ(writeDocument(exporter, xtCSV).split('\n').at(1), "1,88.85,10.00,78.85,921.15\r");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxTableExport.h"
#include "tests/export/ExportTestTable.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace twl;

// Cells are kept end to end; each row must read back exactly its own cells,
// empty ones and short rows included, and nothing of its neighbours.
TEST(TableExport, RowsReadBackCellForCell) {
    TkxTableExport table;
    table.setCaptions({"A", "B", "C"});
    table.addRow({"1", "", "xyz"});
    table.addRow({"", "only two"});
    table.addRow({});
    table.addRow({"a", "b", "c", "beyond the captions"});
    table.addRow({QString::fromUtf8("\u20ac\u00e9"), "", ""});
    ASSERT_EQ(table.GetRowCount(), 5);
    const std::vector<QStringList> expected = {{"1", "", "xyz"},
                                               {"", "only two", ""},
                                               {"", "", ""},
                                               {"a", "b", "c"},
                                               {QString::fromUtf8("\u20ac\u00e9"), "", ""}};
    for (const QStringList& row : expected) {
        ASSERT_FALSE(table.IsEndOfRows());
        EXPECT_EQ(test::currentRowTexts(table), row);
        table.RowDone(false);
    }
    EXPECT_TRUE(table.IsEndOfRows());
    EXPECT_EQ(table.GetColumnDataWidth(0), 2);
    EXPECT_EQ(table.GetColumnDataWidth(1), 8);
    EXPECT_EQ(table.GetColumnDataWidth(2), 3);
    EXPECT_EQ(table.GetColumnDataWidth(3), 0);
}

TEST(TableExport, WidthsFollowAddedAndClearedRows) {
    TkxTableExport table;
    table.setCaptions({"A", "B"});
    table.addRow({"12", "3"});
    EXPECT_EQ(table.GetColumnDataWidth(1), 1);
    table.addRow({"", "12345"});
    EXPECT_EQ(table.GetColumnDataWidth(1), 5);
    table.clearRows();
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_TRUE(table.IsEndOfRows());
    EXPECT_EQ(table.GetColumnDataWidth(0), 0);
    table.addRow({"new", "row"});
    EXPECT_EQ(test::currentRowTexts(table), (QStringList{"new", "row"}));
}

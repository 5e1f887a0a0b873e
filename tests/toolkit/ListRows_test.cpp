// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/QtPrinters.h"
#include "toolkit/ListRows.h"

#include <gtest/gtest.h>
#include <vector>

using namespace twl;

namespace {

// Appends a row of the given texts.
void appendRow(ListRows& rows, const QStringList& cells) {
    const std::vector<QStringView> views(cells.begin(), cells.end());
    rows.append(views);
}

void expectRow(const ListRows& rows, int row, const QStringList& cells) {
    ASSERT_EQ(rows.cellCount(row), cells.size()) << "row " << row;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        EXPECT_EQ(rows.cell(row, c), cells[c]) << "row " << row << " cell " << c;
        EXPECT_EQ(rows.cell(row, c).isNull(), cells[c].isNull()) << "row " << row << " cell " << c;
    }
    EXPECT_TRUE(rows.cell(row, cells.size()).isNull());
    EXPECT_TRUE(rows.cell(row, -1).isNull());
}

struct CellCase {
    const char* name;
    QString text;
};

// Texts that one byte a character cannot hold must come back unchanged all
// the same, beside cells that it can.
const CellCase Cells[] = {
    {"plain amount", QStringLiteral("1066.19")},
    {"null", QString()},
    {"empty", QStringLiteral("")},
    {"German group separator and no-break space", QStringLiteral("1.066,19\u00a0\u20ac")},
    {"French narrow no-break space", QStringLiteral("1\u202f066,19")},
    {"last Latin-1 character", QStringLiteral("\u00ff")},
    {"character past Latin-1 at the end", QStringLiteral("100\u0100")},
    {"surrogate pair", QString::fromUtf8("\xf0\x9f\x92\xb6 5")},
    {"lone surrogate", QString(QChar(0xD800)) + QStringLiteral("x")},
    {"long header", QString(40, QLatin1Char('9'))},
    {"longer header", QString(9000, QChar(0x20AC))},
};

TEST(ListRows, EveryKindOfTextReadsBackExactly) {
    ListRows rows;
    QStringList all;
    for (const CellCase& c : Cells) {
        appendRow(rows, {QStringLiteral("1"), c.text, QStringLiteral("end")});
        all << c.text;
    }
    appendRow(rows, all);
    for (int r = 0; r < static_cast<int>(std::size(Cells)); ++r) {
        SCOPED_TRACE(Cells[r].name);
        expectRow(rows, r, {QStringLiteral("1"), Cells[r].text, QStringLiteral("end")});
    }
    expectRow(rows, static_cast<int>(std::size(Cells)), all);
}

// Rows fill block after block, a row larger than a block takes one of its
// own, and rows written after it still find their bytes.
TEST(ListRows, RowsAcrossBlocksAndAHugeRow) {
    ListRows rows;
    const auto rowOf = [](int i) {
        if (i == 7000) return QStringList{QString(300000, QChar(0x00e9)), QStringLiteral("x")};
        return QStringList{QString::number(i), QString::number(i * 1.5, 'f', 2),
                           i % 3 ? QStringLiteral("12,50\u00a0\u20ac") : QString()};
    };
    constexpr int Count = 40000;
    for (int i = 0; i < Count; ++i)
        appendRow(rows, rowOf(i));
    ASSERT_EQ(rows.count(), Count);
    for (int i = 0; i < Count; i += i < 6990 ? 997 : 1)
        expectRow(rows, i, rowOf(i));
    rows.clear();
    EXPECT_EQ(rows.count(), 0);
    appendRow(rows, {QStringLiteral("again")});
    expectRow(rows, 0, {QStringLiteral("again")});
}

// A changed cell rewrites its row: the other cells, the other rows and the
// row's selected state stay as they were.
TEST(ListRows, ChangedCellsKeepTheRestOfTheRow) {
    ListRows rows;
    appendRow(rows, {QStringLiteral("1"), QStringLiteral("88.85"), QString()});
    appendRow(rows, {QStringLiteral("2"), QStringLiteral("\u20ac")});
    rows.setSelected(0, true);
    rows.setCell(0, 0, QStringLiteral("a much longer caption \u20ac"));
    rows.setCell(0, 3, QStringLiteral("appended"));
    rows.setCell(1, 4, QStringLiteral("past the end"));
    expectRow(rows, 0,
              {QStringLiteral("a much longer caption \u20ac"), QStringLiteral("88.85"), QString(),
               QStringLiteral("appended")});
    expectRow(rows, 1,
              {QStringLiteral("2"), QStringLiteral("\u20ac"), QString(), QString(),
               QStringLiteral("past the end")});
    EXPECT_TRUE(rows.selected(0));
    EXPECT_FALSE(rows.selected(1));
    rows.setSelected(0, false);
    EXPECT_FALSE(rows.selected(0));
    EXPECT_THROW(rows.cell(2, 0), std::out_of_range);
    EXPECT_THROW(rows.selected(-1), std::out_of_range);
}

} // namespace

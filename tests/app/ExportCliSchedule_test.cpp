// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCliSchedule.h"
#include "loan/AmountFormat.h"
#include "tests/export/ExportTestTable.h"
#include "tests/loan/TableSink.h"
#include "tests/support/TestSupport.h"

using namespace twl;

namespace {

// A table of `rows` rows of four cells, an amount last, the last row two
// short.
TScheduleTableExport::Calculation rowsOf(int rows, const QString& mark, const QString& decimals) {
    return [rows, mark, decimals](ScheduleSink& sink) {
        ScheduleContext context;
        context.readDecimal = [decimals] { return decimals; };
        AmountFormat fmt(context);
        for (int r = 1; r <= rows; ++r) {
            sink.beginRow(QString::number(r));
            sink.addCell(mark + QString::number(r * 7));
            if (r == rows) break;
            sink.addCell(QString());
            sink.addAmount(r % 2 ? -r * 1.0625 : 1e20 / r, fmt);
        }
    };
}

QString amountOf(int r, const QString& decimals) {
    ScheduleContext context;
    context.readDecimal = [decimals] { return decimals; };
    return AmountFormat(context)(r % 2 ? -r * 1.0625 : 1e20 / r);
}

} // namespace

// Whether the measured texts were kept or are computed again, each row reads
// the same as values and as Latin-1 texts (where every text is Latin-1),
// from the first row again as often as a reader starts over. Amounts go into
// rows of bytes as they are formatted, unless their separator needs more.
TEST(ScheduleTable, RowsReadTheSameKeptOrComputedAgainAsValuesOrTexts) {
    struct Amounts {
        QChar separator;
        QString decimals;
    };
    const QChar wide(0x066B);
    // (Amounts beyond 10^18 show the separator whatever the decimals.)
    for (const Amounts& amounts : {Amounts{QLatin1Char(','), "3"}, Amounts{wide, "0"}}) {
        const test::RegionalScope regional(amounts.separator);
        for (const QString& mark : {QString("a "), QString("\u00e9 "), QString("\u20ac ")}) {
            const bool latin1 = mark != QString("\u20ac ") && amounts.separator != wide;
            for (const std::size_t expected : {std::size_t{0}, std::size_t{1} << 40}) {
                TScheduleTableExport table;
                table.setCaptions({"N", "A", "B", "C"});
                table.measure(rowsOf(1500, mark, amounts.decimals), expected);
                ASSERT_EQ(table.GetRowCount(), 1500);
                EXPECT_EQ(table.HasRowTexts(), latin1);
                // Widths from the texts, or from the amounts' lengths alone.
                int amountWidth = 0;
                for (int r = 1; r < 1500; ++r)
                    amountWidth = std::max(amountWidth,
                                           static_cast<int>(amountOf(r, amounts.decimals).size()));
                EXPECT_EQ(table.GetColumnDataWidth(3), amountWidth);
                EXPECT_EQ(table.GetColumnDataWidth(1), mark.size() + 5);
                for (int pass = 0; pass < 2; ++pass) {
                    QList<QLatin1StringView> texts;
                    for (table.GotoFirstRow(); !table.IsEndOfRows();) {
                        const int r = static_cast<int>(table.RowIndex()) + 1;
                        const QStringList expectedRow = {
                            QString::number(r), mark + QString::number(r * 7), QString(),
                            r < 1500 ? amountOf(r, amounts.decimals) : QString()};
                        if (latin1 && pass == 1) {
                            table.GetRowTexts(texts);
                            ASSERT_EQ(texts.size(), 4);
                            for (int c = 0; c < 4; ++c)
                                EXPECT_EQ(QString(texts[c]), expectedRow[c]) << r;
                        } else {
                            EXPECT_EQ(test::currentRowTexts(table), expectedRow) << r;
                        }
                        table.RowDone(true);
                    }
                }
            }
        }
    }
}

// The schedule's months come a row at a time; counted, kept or computed
// again, with or without widths, the table holds the rows the schedule makes.
TEST(ScheduleTable, MonthRowsReadAsTheScheduleMakesThem) {
    ScheduleContext context;
    context.readDecimal = [] { return QStringLiteral("2"); };
    context.today = QDate(2026, 12, 8);
    const ScheduleInputs inputs{"1000", "40", "12"};
    test::TableSink made;
    CalculateSchedule(inputs, context, made);
    ASSERT_EQ(made.rows.size(), 42u);
    for (const std::size_t expected : {std::size_t{0}, std::size_t{1} << 40}) {
        for (const bool wantWidths : {false, true}) {
            TScheduleTableExport table;
            table.setCaptions({"N", "Payment", "Interest", "Principal", "Balance"});
            table.measure([&](ScheduleSink& sink) { CalculateSchedule(inputs, context, sink); },
                          expected, wantWidths);
            ASSERT_EQ(table.GetRowCount(), 42);
            EXPECT_TRUE(table.HasRowTexts());
            if (wantWidths || expected == 0) {
                qsizetype widest = 0;
                for (const QStringList& row : made.rows)
                    widest = std::max(widest, row.size() > 4 ? row[4].size() : 0);
                EXPECT_EQ(table.GetColumnDataWidth(4), widest);
            }
            for (table.GotoFirstRow(); !table.IsEndOfRows(); table.RowDone(true))
                EXPECT_EQ(test::currentRowTexts(table), made.rows[table.RowIndex()]);
        }
    }
}

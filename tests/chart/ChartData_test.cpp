// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's numbers: rows summed into years and groups of years, the
// summary row read back as the table shows it, and the schedule adapter.

#include "base/Exceptions.h"
#include "base/NumberFormat.h"
#include "chart/ChartData.h"
#include "chart/ScheduleChartSink.h"
#include "tests/support/TestSupport.h"

#include <cmath>
#include <numeric>

using namespace twl;
using namespace twl::chart;

namespace {

ChartData level(std::int32_t months, int perYear = MonthsPerYear) {
    ChartAggregator a(perYear);
    for (std::int32_t k = 1; k <= months; ++k)
        a.addRow({k, 10, 1, 9, static_cast<double>(months - k) * 9});
    return a.finish({months * 9.0, months, 12},
                    {months * 10.0, months * 1.0, months * 9.0, months, 2});
}

TEST(ChartAggregation, RowsBecomePaymentYears) {
    struct Case {
        std::int32_t months;
        int perYear;
        std::vector<std::pair<int, int>> years; // first and last period
    } cases[] = {
        {1, 12, {{1, 1}}},
        {12, 12, {{1, 12}}},
        {24, 12, {{1, 12}, {13, 24}}},
        {30, 12, {{1, 12}, {13, 24}, {25, 30}}},
        // A plan paid weekly or quarterly counts its years in its own periods.
        {60, 52, {{1, 52}, {53, 60}}},
        {9, 4, {{1, 4}, {5, 8}, {9, 9}}},
    };
    for (const Case& c : cases) {
        const ChartData d = level(c.months, c.perYear);
        EXPECT_EQ(d.periodsPerYear, c.perYear);
        ASSERT_EQ(d.years.size(), c.years.size()) << c.months;
        for (std::size_t i = 0; i < c.years.size(); ++i) {
            EXPECT_EQ(d.years[i].firstPeriod, c.years[i].first) << c.months;
            EXPECT_EQ(d.years[i].lastPeriod, c.years[i].second) << c.months;
            const int n = c.years[i].second - c.years[i].first + 1;
            EXPECT_DOUBLE_EQ(d.years[i].principal, 9.0 * n);
            EXPECT_DOUBLE_EQ(d.years[i].interest, 1.0 * n);
        }
        EXPECT_EQ(d.balance.size(), static_cast<std::size_t>(c.months));
        EXPECT_FALSE(d.empty());
    }
    EXPECT_TRUE(level(0).empty());
    EXPECT_TRUE(ChartData().empty());
}

TEST(ChartAggregation, ManyYearsShareBarsAndKeepTheirSums) {
    const ChartData d = level(71332); // 5945 years, the last of 4 months
    ASSERT_EQ(d.years.size(), 5945u);
    struct Case {
        int maxBars;
        int perBar;
        std::size_t bars;
    } cases[] = {{10000, 1, 5945}, {5945, 1, 5945}, {5944, 2, 2973},
                 {100, 60, 100},   {1, 5945, 1},    {0, 5945, 1}};
    for (const Case& c : cases) {
        const int per = yearsPerBarFor(d.years.size(), c.maxBars);
        EXPECT_EQ(per, c.perBar) << c.maxBars;
        const std::vector<ChartBar> bars = groupYears(d.years, per);
        ASSERT_EQ(bars.size(), c.bars) << c.maxBars;
        EXPECT_EQ(bars.front().firstPeriod, 1);
        EXPECT_EQ(bars.back().lastPeriod, 71332);
        const double principal =
            std::accumulate(bars.begin(), bars.end(), 0.0,
                            [](double s, const ChartBar& b) { return s + b.principal; });
        EXPECT_DOUBLE_EQ(principal, 71332 * 9.0);
    }
}

// Rows as the calculation writes them, read back through the adapter.
struct Calculated {
    ChartData chart;
    std::vector<std::pair<QString, QStringList>> rows;
};

Calculated calculate(const QString& amount, const QString& months, const QString& rate,
                     const QString& decimals = QStringLiteral("2")) {
    Calculated c;
    ScheduleContext context;
    context.readDecimal = [decimals] { return decimals; };
    context.labels = {"Inputs:", "Amount: ", "Months: ", "Rate (%): ", "Date: "};
    context.today = QDate(2026, 12, 7);
    {
        RowSink table([&](QStringView caption, const QList<QStringView>& cells) {
            QStringList texts;
            for (const QStringView cell : cells)
                texts << cell.toString();
            c.rows.emplace_back(caption.toString(), texts);
        });
        ScheduleChartSink sink(context.labels, &table);
        try {
            CalculateSchedule({amount, months, rate}, context, sink);
        } catch (const Exception&) {
        }
        c.chart = sink.result();
    }
    return c;
}

TEST(ScheduleChartSink, TotalsAreTheSummaryRowAsTheTableShowsIt) {
    struct Case {
        QChar separator;
        QString amount, months, rate, decimals;
    } cases[] = {
        {'.', "1000", "24", "7.5", "2"},
        {',', "250000", "360", "3,875", "2"},
        {',', "1000", "24", "7,5", "0"},
        {'.', "5000", "7", "-2", "3"},
    };
    for (const Case& c : cases) {
        test::RegionalScope regional(c.separator);
        const Calculated calc = calculate(c.amount, c.months, c.rate, c.decimals);
        const int n = c.months.toInt();
        ASSERT_EQ(calc.rows.size(), static_cast<std::size_t>(n + 2));
        ASSERT_FALSE(calc.chart.empty()) << c.amount.toStdString();
        const QStringList& sum = calc.rows[n].second;
        const ChartTotals& t = calc.chart.totals;
        EXPECT_EQ(FormatFixed(t.paid, t.decimals, c.separator), sum[0]);
        EXPECT_EQ(FormatFixed(t.interest, t.decimals, c.separator), sum[1]);
        EXPECT_EQ(FormatFixed(t.principal, t.decimals, c.separator), sum[2]);
        EXPECT_EQ(t.payments, n);
        EXPECT_EQ(calc.chart.inputs.months, n);
        // The bars add up to the summary row within the cells' rounding.
        double interest = 0;
        for (const ChartBar& b : calc.chart.years)
            interest += b.interest;
        EXPECT_NEAR(interest, t.interest, n * std::pow(10.0, -t.decimals));
        EXPECT_EQ(calc.chart.years.size(), static_cast<std::size_t>((n + 11) / 12));
    }
}

TEST(ScheduleChartSink, PassesEveryRowOnAndReadsNothingFromABrokenCalculation) {
    test::RegionalScope regional(QLatin1Char('.'));
    const Calculated good = calculate("1000", "24", "7.5");
    EXPECT_EQ(good.rows[0].first, "1");
    EXPECT_EQ(good.rows[24].first, "SUM");
    EXPECT_EQ(good.rows[25].second.size(), 4);
    EXPECT_DOUBLE_EQ(good.chart.inputs.amount, 1000);
    EXPECT_DOUBLE_EQ(good.chart.inputs.rate, 7.5);
    EXPECT_NEAR(good.chart.balance.back(), 0, 0.005);

    // A parse error before any row; no rows at all; a calculation that
    // stops after some months: no chart in any of them.
    for (const auto& [amount, months, rate] :
         {std::tuple<QString, QString, QString>{"abc", "24", "7.5"}, {"", "24", "7.5"}}) {
        EXPECT_TRUE(calculate(amount, months, rate).chart.empty()) << amount.toStdString();
    }
    ScheduleChartSink sink({"Inputs:", "Amount: ", "Months: ", "Rate (%): ", "Date: "});
    sink.beginRow(u"1");
    for (const char16_t* cell : {u"10.00", u"1.00", u"9.00", u"91.00"})
        sink.addCell(cell);
    sink.beginRow(u"2");
    sink.addCell(u"10.00");
    EXPECT_TRUE(sink.result().empty());
}

TEST(ScheduleChartSink, FindsColumnsByTheirRole) {
    test::RegionalScope regional(QLatin1Char('.'));
    // A plan's table, with a due-date column first.
    const ScheduleColumnRoles plain = columnRolesOf(false);
    EXPECT_EQ(std::vector<int>({plain.payment, plain.interest, plain.principal, plain.balance}),
              std::vector<int>({0, 1, 2, 3}));
    const ScheduleColumnRoles roles = columnRolesOf(true);
    ScheduleChartSink sink({"Inputs:", "Amount: ", "Months: ", "Rate (%): ", "Date: "}, nullptr,
                           roles);
    sink.beginRow(u"1");
    for (const char16_t* cell : {u"2027-01-07", u"60.00", u"10.00", u"50.00", u"50.00"})
        sink.addCell(cell);
    sink.beginRow(u"2");
    for (const char16_t* cell : {u"2027-02-07", u"50.50", u"0.50", u"50.00", u"0.00"})
        sink.addCell(cell);
    sink.beginRow(u"SUM");
    for (const char16_t* cell : {u"", u"110.50", u"10.50", u"100.00", u"-"})
        sink.addCell(cell);
    sink.beginRow(u"Inputs:");
    for (const char16_t* cell :
         {u"Amount: 100", u"Months: 2", u"Rate (%): 120", u"Date: 2026-12-07"})
        sink.addCell(cell);
    const ChartData d = sink.result();
    ASSERT_FALSE(d.empty());
    EXPECT_DOUBLE_EQ(d.years[0].interest, 10.5);
    EXPECT_DOUBLE_EQ(d.years[0].principal, 100);
    EXPECT_DOUBLE_EQ(d.totals.paid, 110.5);
    EXPECT_EQ(d.balance, (std::vector<double>{50, 0}));
    EXPECT_DOUBLE_EQ(interestShare(d), 10.5);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's numbers: rows summed into years and groups of years, the
// totals as the summary row shows them, from the calculation's numbers.

#include "base/Exceptions.h"
#include "base/NumberFormat.h"
#include "chart/ChartData.h"
#include "chart/ChartDescription.h"
#include "chart/ChartLayout.h"
#include "chart/ScheduleChart.h"
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

// The table and the chart of one calculation.
struct Calculated {
    ChartData chart;
    std::vector<std::pair<QString, QStringList>> rows;
    bool failed = false;
};

Calculated calculate(const QString& amount, const QString& months, const QString& rate,
                     const QString& decimals = QStringLiteral("2"), const PlanOptions& plan = {}) {
    Calculated c;
    ScheduleContext context;
    context.readDecimal = [decimals] { return decimals; };
    context.labels = {"Inputs:", "Amount: ", "Months: ", "Rate (%): ", "Date: "};
    context.today = QDate(2026, 12, 7);
    RowSink table([&](QStringView caption, const QList<QStringView>& cells) {
        QStringList texts;
        for (const QStringView cell : cells)
            texts << cell.toString();
        c.rows.emplace_back(caption.toString(), texts);
    });
    try {
        c.chart = calculateWithChart({amount, months, rate}, plan, context, {}, table);
    } catch (const Exception&) {
        c.failed = true;
    }
    return c;
}

TEST(ScheduleChart, TotalsAreTheSummaryRowAsTheTableShowsIt) {
    struct Case {
        QChar separator;
        QString amount, months, rate, decimals;
        bool dated;
    } cases[] = {
        {'.', "1000", "24", "7.5", "2", false},
        {',', "250000", "360", "3,875", "2", false},
        {',', "1000", "24", "7,5", "0", false},
        {'.', "5000", "7", "-2", "3", false},
        // A dated table has its Due column first: the chart does not care.
        {'.', "250000", "360", "7.5", "2", true},
    };
    for (const Case& c : cases) {
        test::RegionalScope regional(c.separator);
        PlanOptions plan;
        if (c.dated) plan.firstDate = QDate(2027, 1, 31);
        const Calculated calc = calculate(c.amount, c.months, c.rate, c.decimals, plan);
        const int n = c.months.toInt();
        ASSERT_EQ(calc.rows.size(), static_cast<std::size_t>(n + 2));
        ASSERT_FALSE(calc.chart.empty()) << c.amount.toStdString();
        const QStringList sum = calc.rows[n].second.mid(c.dated ? 1 : 0);
        const ChartTotals& t = calc.chart.totals;
        EXPECT_EQ(t.decimals, c.decimals.toInt());
        EXPECT_EQ(FormatFixed(t.paid, t.decimals, c.separator), sum[0]);
        EXPECT_EQ(FormatFixed(t.interest, t.decimals, c.separator), sum[1]);
        EXPECT_EQ(FormatFixed(t.principal, t.decimals, c.separator), sum[2]);
        EXPECT_EQ(t.payments, n);
        EXPECT_EQ(calc.chart.inputs.months, n);
        // The last balance as its cell shows it.
        EXPECT_EQ(FormatFixed(calc.chart.balance.back(), t.decimals, c.separator),
                  calc.rows[n - 1].second.back());
        double interest = 0;
        for (const ChartBar& b : calc.chart.years)
            interest += b.interest;
        EXPECT_NEAR(interest, t.interest, n * std::pow(10.0, -t.decimals));
        EXPECT_EQ(calc.chart.years.size(), static_cast<std::size_t>((n + 11) / 12));
    }
}

TEST(ScheduleChart, NoChartFromAFailedOrEmptyCalculation) {
    test::RegionalScope regional(QLatin1Char('.'));
    const Calculated good = calculate("1000", "24", "7.5");
    EXPECT_FALSE(good.failed);
    EXPECT_DOUBLE_EQ(good.chart.inputs.amount, 1000);
    EXPECT_DOUBLE_EQ(good.chart.inputs.rate, 7.5);
    EXPECT_NEAR(good.chart.balance.back(), 0, 0.005);
    struct Case {
        QString amount, months, rate, decimals;
        bool failed;
    } cases[] = {
        {"abc", "24", "7.5", "2", true},    // before any row
        {"1000", "24", "7.5", "x", true},   // at the first amount
        {"1000", "80000", "12", "2", true}, // an overflow after some months
        {"", "24", "7.5", "2", false},      // nothing to compute
        {"1000", "0", "12", "2", false},    // a table without payments
    };
    for (const Case& c : cases) {
        const Calculated calc = calculate(c.amount, c.months, c.rate, c.decimals);
        EXPECT_EQ(calc.failed, c.failed) << c.amount.toStdString() << c.months.toStdString();
        EXPECT_TRUE(calc.chart.empty()) << c.amount.toStdString() << c.months.toStdString();
    }
}

} // namespace

TEST(ScheduleChart, MarksThePaymentsFromWhichTheRateChanges) {
    const auto change = [](std::int32_t period, QDate date, double rate) {
        RateChange c;
        c.period = period;
        c.date = date;
        c.rate = rate;
        return c;
    };
    PlanOptions twice;
    twice.rateChanges = {change(8, {}, 9), change(4, {}, 6), change(4, {}, 7)};
    // The first payment due on or after the date: 30 June is the sixth.
    PlanOptions byDate;
    byDate.firstDate = QDate(2027, 1, 31);
    byDate.rateChanges = {change(0, QDate(2027, 6, 15), 6)};
    const std::tuple<const char*, PlanOptions, std::vector<std::int32_t>> cases[] = {
        {"no change", PlanOptions(), {}},
        {"out of order, one payment twice", twice, {4, 8}},
        {"by date", byDate, {6}},
    };
    for (const auto& [name, plan, marks] : cases) {
        const Calculated calculated = calculate("1000", "12", "12", "2", plan);
        ASSERT_FALSE(calculated.failed) << name;
        EXPECT_EQ(calculated.chart.rateChanges, marks) << name;
        // A screen reader hears the same payments the line marks.
        const QString description = describeChart(calculated.chart, ChartTexts());
        EXPECT_EQ(description.contains("The rate changes from payment"), !marks.empty()) << name;
        if (name == std::string("out of order, one payment twice")) {
            EXPECT_TRUE(description.contains("from payment 4, 8.")) << description.toStdString();
        }
    }
}

// The header marks the solved input as the inputs row does, and only that one.
TEST(ScheduleChart, TheHeaderMarksTheSolvedInput) {
    test::RegionalScope regional(QLatin1Char('.'));
    const std::pair<SolvedInput, const char*> cases[] = {
        {SolvedInput::Nothing, "Amount: 1000    Months: 12    Rate (%): 12"},
        {SolvedInput::Amount, "Amount: 1000 (solved)    Months: 12    Rate (%): 12"},
        {SolvedInput::Count, "Amount: 1000    Months: 12 (solved)    Rate (%): 12"},
        {SolvedInput::Rate, "Amount: 1000    Months: 12    Rate (%): 12 (solved)"},
    };
    for (const auto& [solved, line] : cases) {
        PlanOptions plan;
        plan.solved = solved;
        const Calculated calculated = calculate("1000", "12", "12", "2", plan);
        ASSERT_FALSE(calculated.failed);
        EXPECT_EQ(inputsLine(calculated.chart, ChartTexts()), QString(line));
    }
}

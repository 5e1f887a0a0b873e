// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the chart draws, computed from the schedule's rows before anything is
// painted: the rows are summed into payment years as they arrive, so a long
// schedule costs one balance value per month and one bar per year.

#include "loan/CostOfCredit.h"
#include "loan/PlanOptions.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace twl::chart {

// One month of the schedule, as numbers.
struct ChartRow {
    std::int32_t period = 0;
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double balance = 0;
};

// The summary row as the table shows it: its figures and the number of
// decimals they are shown with.
struct ChartTotals {
    double paid = 0;
    double interest = 0;
    double principal = 0;
    std::int32_t payments = 0;
    int decimals = 2;
};

struct ChartInputs {
    double amount = 0;
    std::int32_t months = 0;
    double rate = 0;
};

// Principal and interest paid in periods firstPeriod..lastPeriod.
struct ChartBar {
    std::int32_t firstPeriod = 0;
    std::int32_t lastPeriod = 0;
    double principal = 0;
    double interest = 0;
};

struct ChartData {
    ChartInputs inputs;
    ChartTotals totals;
    std::vector<ChartBar> years;      // periods 1-12, 13-24, ...; the last may be short
    int periodsPerYear = 12;          // payments in a year: 12 unless the plan says otherwise
    std::vector<double> balance;      // after each period, in order
    bool complete = false;            // the summary row was seen
    std::optional<CostOfCredit> cost; // what the loan costs, when a cost option asked
    // The payments from which a changed rate applies, rising, each within the schedule.
    std::vector<std::int32_t> rateChanges;
    // The input solved from a given payment, marked in the header as in the inputs row.
    SolvedInput solved = SolvedInput::Nothing;

    // Nothing to draw: no finished calculation, or one without payments.
    bool empty() const { return !complete || years.empty(); }
};

inline constexpr std::int32_t MonthsPerYear = 12;

// Sums rows into years as they arrive; a year is `periodsPerYear` payments.
class ChartAggregator {
public:
    explicit ChartAggregator(int periodsPerYear = MonthsPerYear) {
        m_data.periodsPerYear = periodsPerYear > 0 ? periodsPerYear : MonthsPerYear;
    }
    void addRow(const ChartRow& row);
    // The chart of the rows added so far, with the summary row and inputs.
    ChartData finish(const ChartInputs& inputs, const ChartTotals& totals);

private:
    ChartData m_data;
};

// Years merged into groups of `yearsPerBar` consecutive years.
std::vector<ChartBar> groupYears(const std::vector<ChartBar>& years, int yearsPerBar);

// The fewest years per bar that keep the number of bars within `maxBars`.
int yearsPerBarFor(std::size_t years, int maxBars);

// Total interest as a percentage of the amount; 0 for a zero amount.
double interestShare(const ChartData& data);

} // namespace twl::chart

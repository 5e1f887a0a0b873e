// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the schedule meets the chart: the calculation hands
// each payment's numbers with their roles (payment, interest, principal,
// balance) to the chart as it makes the table's row, so the chart never reads
// cell texts back and does not care which columns the table has.

#include "chart/ChartData.h"
#include "loan/CostSchedule.h"
#include "loan/PlanSchedule.h"

namespace twl::chart {

class ScheduleChartRecorder {
public:
    explicit ScheduleChartRecorder(int periodsPerYear = MonthsPerYear);

    // Takes one payment's numbers; the observer of the calculation.
    void addRow(const ScheduleRow& row);
    ScheduleRowObserver observer() {
        return [this](const ScheduleRow& row) { addRow(row); };
    }

    // The chart of the rows received, for the loan P, N, R the calculation
    // read; the totals are summed as the summary row sums them and shown with
    // `decimals`.
    ChartData finish(double P, std::int32_t N, double R, int decimals);

private:
    ChartAggregator m_aggregator;
    ChartTotals m_totals;
};

// Runs CalculatePlanSchedule into `table` and returns the chart of the same
// calculation. Raises what the calculation raises; the table then keeps the
// rows it got.
ChartData calculateWithChart(const ScheduleInputs& inputs, const PlanOptions& plan,
                             const ScheduleContext& context, const PlanLabels& labels,
                             ScheduleSink& table);
// The same with what the loan costs: CalculateCostSchedule into `table`; the
// chart draws the loan borrowed (a financed fee is part of it) and keeps the
// cost its row shows. Without a cost option it is the function above.
ChartData calculateWithChart(const ScheduleInputs& inputs, const PlanOptions& plan,
                             const CostOptions& cost, const ScheduleContext& context,
                             const PlanLabels& planLabels, const CostLabels& costLabels,
                             ScheduleSink& table);

} // namespace twl::chart

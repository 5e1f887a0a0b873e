// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ScheduleChart.h"

#include "base/NumberParse.h"
#include "loan/AmountFormat.h"

#include <utility>

#include <algorithm>

namespace twl::chart {

namespace {

// As the summary row adds: in extended precision, stored as a double.
double added(double sum, double value) {
    return static_cast<double>(static_cast<long double>(sum) + static_cast<long double>(value));
}

} // namespace

ScheduleChartRecorder::ScheduleChartRecorder(int periodsPerYear)
    : m_aggregator(periodsPerYear) {}

void ScheduleChartRecorder::addRow(const ScheduleRow& row) {
    m_aggregator.addRow({row.period, row.payment, row.interest, row.principal, row.balance});
    m_totals.paid = added(m_totals.paid, row.payment);
    m_totals.interest = added(m_totals.interest, row.interest);
    m_totals.principal = added(m_totals.principal, row.principal);
    ++m_totals.payments;
}

ChartData ScheduleChartRecorder::finish(double P, std::int32_t N, double R, int decimals) {
    m_totals.decimals = decimals;
    return m_aggregator.finish({P, N, R}, std::exchange(m_totals, {}));
}

ChartData calculateWithChart(const ScheduleInputs& inputs, const PlanOptions& plan,
                             const ScheduleContext& context, const PlanLabels& labels,
                             ScheduleSink& table) {
    return calculateWithChart(inputs, plan, CostOptions{}, context, labels, CostLabels{}, table);
}

ChartData calculateWithChart(const ScheduleInputs& inputs, const PlanOptions& plan,
                             const CostOptions& cost, const ScheduleContext& context,
                             const PlanLabels& planLabels, const CostLabels& costLabels,
                             ScheduleSink& table) {
    // The decimals the amount cells were made with: the setting as the
    // calculation read it, once.
    QString decimalSetting;
    ScheduleContext reading = context;
    reading.readDecimal = [&] { return decimalSetting = context.readDecimal(); };
    ScheduleChartRecorder recorder(periodsPerYear(plan.period));
    const std::optional<CostOfCredit> costOfCredit = CalculateCostSchedule(
        inputs, plan, cost, reading, planLabels, costLabels, table, recorder.observer());
    if (inputs.amount.isEmpty() || inputs.months.isEmpty() || inputs.rate.isEmpty()) return {};
    // The calculation read the same texts without an error.
    ChartData data = recorder.finish(StrToFloat(borrowedInputs(inputs, cost).amount),
                                     StrToInt(inputs.months), StrToFloat(inputs.rate),
                                     decimalSetting.isNull() ? 2 : amountDecimals(decimalSetting));
    data.cost = costOfCredit;
    data.solved = plan.solved;
    for (const RateChange& change : plan.rateChanges) {
        const std::int32_t k = rateChangePeriod(change, plan, StrToInt(inputs.months));
        if (k >= 1 && static_cast<std::size_t>(k) <= data.balance.size())
            data.rateChanges.push_back(k);
    }
    std::sort(data.rateChanges.begin(), data.rateChanges.end());
    data.rateChanges.erase(std::unique(data.rateChanges.begin(), data.rateChanges.end()),
                           data.rateChanges.end());
    return data;
}

} // namespace twl::chart

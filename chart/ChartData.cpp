// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartData.h"

#include <algorithm>
#include <cmath>

namespace twl::chart {

void ChartAggregator::addRow(const ChartRow& row) {
    // Years count payments, not calendar years: periods 1-12 are the first
    // (1-52 when paid weekly).
    const std::int32_t perYear = m_data.periodsPerYear;
    const std::int32_t year = row.period <= 0 ? 0 : (row.period - 1) / perYear;
    if (m_data.years.empty() || (m_data.years.back().firstPeriod - 1) / perYear != year) {
        ChartBar bar;
        bar.firstPeriod = row.period;
        m_data.years.push_back(bar);
    }
    ChartBar& bar = m_data.years.back();
    bar.lastPeriod = row.period;
    bar.principal += row.principal;
    bar.interest += row.interest;
    m_data.balance.push_back(row.balance);
}

ChartData ChartAggregator::finish(const ChartInputs& inputs, const ChartTotals& totals) {
    ChartData data = std::move(m_data);
    m_data = ChartData();
    m_data.periodsPerYear = data.periodsPerYear;
    data.inputs = inputs;
    data.totals = totals;
    data.complete = true;
    return data;
}

std::vector<ChartBar> groupYears(const std::vector<ChartBar>& years, int yearsPerBar) {
    std::vector<ChartBar> bars;
    const std::size_t step = static_cast<std::size_t>(std::max(1, yearsPerBar));
    bars.reserve(years.size() / step + 1);
    for (std::size_t i = 0; i < years.size(); i += step) {
        ChartBar bar = years[i];
        for (std::size_t j = i + 1; j < std::min(years.size(), i + step); ++j) {
            bar.lastPeriod = years[j].lastPeriod;
            bar.principal += years[j].principal;
            bar.interest += years[j].interest;
        }
        bars.push_back(bar);
    }
    return bars;
}

int yearsPerBarFor(std::size_t years, int maxBars) {
    if (maxBars < 1) maxBars = 1;
    const std::size_t per = (years + static_cast<std::size_t>(maxBars) - 1) / maxBars;
    return static_cast<int>(std::max<std::size_t>(1, per));
}

double interestShare(const ChartData& data) {
    if (data.inputs.amount == 0 || !std::isfinite(data.inputs.amount)) return 0;
    return data.totals.interest / data.inputs.amount * 100;
}

} // namespace twl::chart

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the schedule meets the chart: a schedule sink that reads
// the chart's numbers back from the cells the calculation writes, with the
// program's own regional parsing, and passes every call on to the table's
// sink. Columns are found by their role, not assumed in place.

#include "chart/ChartData.h"
#include "loan/Amortization.h"
#include "loan/PlanSchedule.h"

#include <QStringList>

namespace twl::chart {

// Which cell of a month row holds which figure (cells after the caption).
struct ScheduleColumnRoles {
    int payment = 0;
    int interest = 1;
    int principal = 2;
    int balance = 3;
};

// The roles in a plan's rows, which carry a "Due" column after the number
// when the plan has dates.
ScheduleColumnRoles columnRolesOf(bool hasDueDates);

class ScheduleChartSink : public ScheduleSink {
public:
    // `labels` are the inputs row's labels the calculation writes before each
    // value; `next` (may be null) receives every call unchanged.
    explicit ScheduleChartSink(ScheduleLabels labels, ScheduleSink* next = nullptr,
                               ScheduleColumnRoles roles = {}, int periodsPerYear = MonthsPerYear);

    void beginRow(QStringView caption) override;
    void addCell(QStringView text) override;

    // The chart of the rows received; empty unless the summary and inputs
    // rows arrived whole and every figure read back.
    ChartData result();

private:
    void finishRow();

    ScheduleLabels m_labels;
    ScheduleSink* m_next;
    ScheduleColumnRoles m_roles;
    ChartAggregator m_aggregator;
    // A payment's row is read as its cells pass (there are many); the
    // summary and inputs rows are kept whole until they end.
    bool m_paymentRow = false;
    std::int32_t m_period = 0;
    int m_column = 0;
    double m_figures[4] = {};
    int m_figuresRead = 0; // a bit for each figure read
    bool m_unreadable = false;
    // The regional separator, read once: the settings stay during a calculation.
    QChar m_separator;
    QString m_caption;
    QStringList m_cells;
    bool m_open = false;
    enum class Stage { Months, Inputs, Done } m_stage = Stage::Months;
    bool m_failed = false;
    ChartTotals m_totals;
    ChartInputs m_inputs;
};

} // namespace twl::chart

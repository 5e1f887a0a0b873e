// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ScheduleChartSink.h"

#include "base/NumberParse.h"
#include "base/RegionalSettings.h"

#include <cmath>
#include <utility>

namespace twl::chart {

namespace {

struct Unreadable {};

// Decimals a fixed-point cell shows after the regional separator.
int shownDecimals(const QString& text) {
    const qsizetype at = text.indexOf(regionalSettings().decimalSeparator);
    return at < 0 ? 0 : static_cast<int>(text.size() - at - 1);
}

bool tryParsed(QStringView text, double& v, QChar separator) {
    // Blanks around a figure are dropped; most figures have none.
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace())) text = text.trimmed();
    return TryStrToFloat(text, v, separator) && std::isfinite(v);
}

double parsed(const QString& text) {
    double v = 0;
    if (!tryParsed(text, v, regionalSettings().decimalSeparator)) throw Unreadable{};
    return v;
}

double figure(const QStringList& cells, int index) {
    if (index < 0 || index >= cells.size()) throw Unreadable{};
    return parsed(cells[index]);
}

// An inputs-row cell: its label, then the value as the user typed it.
double labelled(const QStringList& cells, int index, const QString& label) {
    if (index >= cells.size() || !cells[index].startsWith(label)) throw Unreadable{};
    return parsed(cells[index].mid(label.size()));
}

} // namespace

ScheduleColumnRoles columnRolesOf(bool hasDueDates) {
    // The roles count cells after the caption, which is the row's column 0.
    auto cell = [&](ScheduleColumn c) { return scheduleColumn(c, hasDueDates) - 1; };
    return {cell(ScheduleColumn::Payment), cell(ScheduleColumn::Interest),
            cell(ScheduleColumn::Principal), cell(ScheduleColumn::Balance)};
}

ScheduleChartSink::ScheduleChartSink(ScheduleLabels labels, ScheduleSink* next,
                                     ScheduleColumnRoles roles, int periodsPerYear)
    : m_labels(std::move(labels))
    , m_next(next)
    , m_roles(roles)
    , m_aggregator(periodsPerYear)
    , m_separator(regionalSettings().decimalSeparator) {}

void ScheduleChartSink::beginRow(QStringView caption) {
    if (m_next) m_next->beginRow(caption);
    finishRow();
    m_open = true;
    m_column = 0;
    m_paymentRow = !m_failed && m_stage == Stage::Months && TryStrToInt(caption, m_period);
    m_figuresRead = 0;
    m_unreadable = false;
    if (!m_paymentRow) m_caption = caption.toString();
}

void ScheduleChartSink::addCell(QStringView text) {
    if (m_next) m_next->addCell(text);
    const int column = m_column++;
    if (!m_paymentRow) {
        if (!m_failed && m_stage != Stage::Done) m_cells.append(text.toString());
        return;
    }
    const int roles[] = {m_roles.payment, m_roles.interest, m_roles.principal, m_roles.balance};
    for (int k = 0; k < 4; ++k) {
        if (roles[k] != column) continue;
        if (tryParsed(text, m_figures[k], m_separator))
            m_figuresRead |= 1 << k;
        else
            m_unreadable = true;
    }
}

void ScheduleChartSink::finishRow() {
    if (!m_open) return;
    m_open = false;
    const QStringList cells = std::exchange(m_cells, {});
    if (m_failed || m_stage == Stage::Done) return;
    if (m_paymentRow) {
        if (m_unreadable || m_figuresRead != 0xF) {
            m_failed = true;
            return;
        }
        m_aggregator.addRow({m_period, m_figures[0], m_figures[1], m_figures[2], m_figures[3]});
        ++m_totals.payments;
        return;
    }
    try {
        if (m_stage == Stage::Months) {
            // The summary row: its balance cell holds no figure.
            m_totals.paid = figure(cells, m_roles.payment);
            m_totals.interest = figure(cells, m_roles.interest);
            m_totals.principal = figure(cells, m_roles.principal);
            m_totals.decimals = shownDecimals(cells.value(m_roles.payment));
            m_stage = Stage::Inputs;
        } else {
            m_inputs.amount = labelled(cells, 0, m_labels.amount);
            m_inputs.months = static_cast<std::int32_t>(labelled(cells, 1, m_labels.months));
            m_inputs.rate = labelled(cells, 2, m_labels.rate);
            m_stage = Stage::Done;
        }
    } catch (const Unreadable&) {
        m_failed = true;
    }
}

ChartData ScheduleChartSink::result() {
    finishRow();
    if (m_failed || m_stage != Stage::Done) return {};
    return m_aggregator.finish(m_inputs, m_totals);
}

} // namespace twl::chart

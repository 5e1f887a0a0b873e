// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of the longest schedule (71,332 months at 12 %): reading the rows
// into years, the memory that takes, and drawing the window's chart.

#include "chart/ChartData.h"
#include "chart/ChartOutput.h"
#include "chart/ChartWidget.h"
#include "chart/ScheduleChart.h"
#include "loan/Amortization.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

// Resident memory of the process, in bytes.
double residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE))
                             : 0;
}

twl::chart::ChartData chartOf(std::int64_t months) {
    twl::ScheduleContext context;
    context.readDecimal = [] { return QStringLiteral("2"); };
    context.labels = {"Inputs:", "Amount: ", "Months: ", "Rate (%): ", "Date: "};
    context.today = QDate(2026, 12, 7);
    struct : twl::ScheduleSink {
        void beginRow(QStringView) override {}
        void addCell(QStringView) override {}
    } table;
    return twl::chart::calculateWithChart({"100000", QString::number(months), "12"}, {}, context,
                                          {}, table);
}

void ChartFromSchedule(benchmark::State& state) {
    double growth = 0;
    std::size_t years = 0;
    for (auto _ : state) {
        const double before = residentBytes();
        const twl::chart::ChartData data = chartOf(state.range(0));
        growth = residentBytes() - before;
        years = data.years.size();
        benchmark::DoNotOptimize(data.balance.data());
    }
    state.counters["rss_growth_MB"] = growth / 1e6;
    state.counters["data_MB"] = (static_cast<double>(years) * sizeof(twl::chart::ChartBar) +
                                 static_cast<double>(state.range(0)) * sizeof(double)) /
                                1e6;
}
BENCHMARK(ChartFromSchedule)->Arg(360)->Arg(71332)->Unit(benchmark::kMillisecond);

// What the window does on each paint: lay out for its size and draw.
void ChartDraw(benchmark::State& state) {
    const twl::chart::ChartData data = chartOf(state.range(0));
    twl::chart::ChartWidget widget;
    widget.resize(960, 640);
    widget.setChart(data, {});
    QImage surface(widget.size(), QImage::Format_ARGB32_Premultiplied);
    const double before = residentBytes();
    for (auto _ : state) {
        QPainter p(&surface);
        widget.render(&p);
    }
    state.counters["rss_growth_MB"] = (residentBytes() - before) / 1e6;
}
BENCHMARK(ChartDraw)->Arg(360)->Arg(71332)->Unit(benchmark::kMillisecond);

void ChartSvg(benchmark::State& state) {
    const twl::chart::ChartData data = chartOf(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(twl::chart::chartSvg(data, {}, twl::chart::DefaultPictureSize));
}
BENCHMARK(ChartSvg)->Arg(71332)->Unit(benchmark::kMillisecond);

} // namespace

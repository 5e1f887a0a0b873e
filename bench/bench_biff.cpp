// SPDX-License-Identifier: GPL-3.0-or-later
// Building and saving large workbooks: one million numbers, one million short labels.

#include "biff/kxNativeExcel.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace twl;

namespace {

constexpr int CellCount = 1000000;

template <typename WriteCells>
void buildAndSave(benchmark::State& state, WriteCells writeCells, bool save) {
    QTemporaryDir dir;
    for (auto _ : state) {
        TkxNativeExcel w;
        w.setFileName(dir.filePath("bench.xls"));
        w.Open();
        writeCells(w);
        w.Close();
        if (save) w.SaveToFile();
        benchmark::DoNotOptimize(w.buffer().size());
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}

void writeNumbers(TkxNativeExcel& w) {
    for (int i = 0; i < CellCount; ++i)
        w.WriteNumber(i * 0.25);
}

void writeLabels(TkxNativeExcel& w) {
    const QString text = QStringLiteral("Label text");
    for (int i = 0; i < CellCount; ++i)
        w.WriteString(text);
}

void BM_NumbersBuild(benchmark::State& s) {
    buildAndSave(s, writeNumbers, false);
}
void BM_NumbersBuildAndSave(benchmark::State& s) {
    buildAndSave(s, writeNumbers, true);
}
void BM_LabelsBuild(benchmark::State& s) {
    buildAndSave(s, writeLabels, false);
}
void BM_LabelsBuildAndSave(benchmark::State& s) {
    buildAndSave(s, writeLabels, true);
}

} // namespace

BENCHMARK(BM_NumbersBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumbersBuildAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LabelsBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LabelsBuildAndSave)->Unit(benchmark::kMillisecond);

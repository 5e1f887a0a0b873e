// SPDX-License-Identifier: GPL-3.0-or-later
// Exports a 100,000-row, 5-column table to each of the four text types.
// Reports the document's size and how far the process's peak memory rose
// above what it used before the first export.

#include "export/kxExportHost.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterRegistry.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

#include "bench/BenchTable.h"

using namespace twl;

namespace {

constexpr int Rows = 100000;

// "VmHWM" (peak) or "VmRSS" (current) of this process, in kilobytes.
long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(line.find(':') + 1));
    }
    return 0;
}

void exportTable(benchmark::State& state, TkxExportType type) {
    TListView& view = bench::scheduleTable(Rows);
    QTemporaryDir dir;
    TkxListViewExport exporter;
    kxApplyMainWindowSettings(exporter, &view);
    exporter.setWriterFactory(&kxCreateDocumentWriter);
    exporter.setOptions(exporter.Options().without(xoClipboardMessage));
    exporter.setExportType(type);
    bool failed = false;
    exporter.OnError = [&](QObject*, TkxExportError) { failed = true; };
    const QString path = dir.filePath(QStringLiteral("bench.out"));
    // Give freed memory back and restart the peak at the current use, so each
    // export measures its own.
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long rssBefore = statusKb("VmRSS:");
    for (auto _ : state)
        exporter.WriteDocument(type == xtClipboard ? QString() : path);
    if (failed) state.SkipWithError("export failed");
    const qint64 size =
        type == xtClipboard ? QApplication::clipboard()->text().size() : QFileInfo(path).size();
    state.counters["doc_MB"] = static_cast<double>(size) / 1e6;
    state.counters["peak_growth_MB"] = static_cast<double>(statusKb("VmHWM:") - rssBefore) / 1e3;
}

} // namespace

BENCHMARK_CAPTURE(exportTable, Text, xtTXT)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, CSV, xtCSV)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, Tab, xtTAB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, Clipboard, xtClipboard)->Unit(benchmark::kMillisecond);

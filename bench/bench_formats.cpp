// SPDX-License-Identifier: GPL-3.0-or-later
// Exports a 5-column list view to the HTML, RTF, Word, DIF and SYLK types
// (100,000 rows) and to the workbook (60,000 rows, below the sheet's limit),
// through the real writers with the main window's settings, and reports each
// document's size.

#include "export/kxExportHost.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterRegistry.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

#include "bench/BenchTable.h"

using namespace twl;

namespace {

void exportTable(benchmark::State& state, TkxExportType type, int rows) {
    TListView& view = bench::scheduleTable(rows);
    QTemporaryDir dir;
    TkxListViewExport exporter;
    kxApplyMainWindowSettings(exporter, &view);
    exporter.setWriterFactory(&kxCreateDocumentWriter);
    exporter.setExportType(type);
    bool failed = false;
    exporter.OnError = [&](QObject*, TkxExportError) { failed = true; };
    const QString path = dir.filePath(QStringLiteral("bench.out"));
    for (auto _ : state)
        exporter.WriteDocument(path);
    if (failed) state.SkipWithError("export failed");
    state.counters["doc_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
    state.SetItemsProcessed(state.iterations() * rows);
}

} // namespace

BENCHMARK_CAPTURE(exportTable, HTML, xtHTML, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, RTF, xtRTF, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, Word, xtWord, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, DIF, xtDIF, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, SYLK, xtSYLK, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTable, Excel, xtExcel, 60000)->Unit(benchmark::kMillisecond);

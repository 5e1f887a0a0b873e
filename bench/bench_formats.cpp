// Exports a 5-column list view to the HTML, RTF, Word, DIF and SYLK types
// (100,000 rows) and to the workbook (60,000 rows, below the sheet's limit),
// through the real writers with the main window's settings, and reports each
// document's size.

#include "export/kxExport.h"
#include "export/kxExportHost.h"
#include "export/writers/kxWriterRegistry.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace twl;

namespace {

TListView& table(int rows) {
    static std::map<int, std::unique_ptr<TListView>> views;
    std::unique_ptr<TListView>& view = views[rows];
    if (!view) {
        view = std::make_unique<TListView>();
        for (const char* c : {"Payment #", "Payment", "Interest", "Principal", "Balance"})
            view->AddColumn(QString::fromLatin1(c), 100);
        for (int i = 1; i <= rows; ++i) {
            const double interest = 10000.0 * (rows - i) / rows;
            view->addItem(QString::number(i),
                          {QStringLiteral("88.85"), QString::number(interest, 'f', 2),
                           QString::number(88.85 - interest / 1000, 'f', 2),
                           QString::number(1000000.0 - i * 9.5, 'f', 2)});
        }
    }
    return *view;
}

void exportTable(benchmark::State& state, TkxExportType type, int rows) {
    TListView& view = table(rows);
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}

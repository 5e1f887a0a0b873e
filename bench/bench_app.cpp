// SPDX-License-Identifier: GPL-3.0-or-later
// Calculate end to end: schedule computation and the table fill of the main
// window, at 12% for a short, a long and the longest term that does not overflow.

#include "app/MainWindow.h"
#include "base/ProgramFolder.h"
#include "i18n/bsPolyglotUn.h"
#include "loan/Amortization.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void Calculate(benchmark::State& state) {
    QTemporaryDir dir;
    twl::setProgramFolder(dir.path());
    // The main window's language manager needs the localization core.
    static twl::TbsCorePolyglot* core = twl::TbsCorePolyglot::Create();
    (void)core;
    {
        QFile ini(dir.filePath("twlc.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Settings]\r\nDecimal=2\r\n");
        ini.flush();
        // Older than the settings file's racy window, as a real settings file is.
        ini.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                        QFileDevice::FileModificationTime);
    }
    twl::Tmainfrm form;
    form.amountedt->setText("100000");
    form.monthsedt->setText(QString::number(state.range(0)));
    form.interestedt->setText("12");
    for (auto _ : state) {
        form.calcbtnClick(nullptr);
        QApplication::processEvents(); // the view takes the new rows
        benchmark::DoNotOptimize(form.loanview->itemCount());
    }
    state.SetLabel(QString::number(form.loanview->itemCount()).toStdString() + " rows");
}
BENCHMARK(Calculate)->Arg(360)->Arg(10000)->Arg(71332)->Unit(benchmark::kMillisecond);

// The computation alone, into a sink that only counts.
void ScheduleOnly(benchmark::State& state) {
    struct CountingSink : twl::ScheduleSink {
        int cells = 0;
        void beginRow(QStringView) override { ++cells; }
        void addCell(QStringView) override { ++cells; }
    };
    twl::ScheduleContext ctx;
    ctx.readDecimal = [] { return QStringLiteral("2"); };
    ctx.today = QDate(2026, 12, 7);
    for (auto _ : state) {
        CountingSink sink;
        twl::CalculateSchedule({"100000", QString::number(state.range(0)), "12"}, ctx, sink);
        benchmark::DoNotOptimize(sink.cells);
    }
}
BENCHMARK(ScheduleOnly)->Arg(360)->Arg(71332)->Unit(benchmark::kMillisecond);

} // namespace

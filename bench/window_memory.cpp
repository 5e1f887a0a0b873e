// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's memory after Calculate: the resident size of the process
// before the window is built and once its table holds the schedule.
//
//   window_memory MONTHS RATE
//
// Prints "rows before_MB after_MB"; the window runs from the current
// folder's settings and language files, as the calculator would.

#include "app/MainWindow.h"
#include "base/ProgramFolder.h"
#include "i18n/bsPolyglotUn.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

// The resident size in megabytes (the kernel's own count, /proc/self/status).
double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong() / 1024.0;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_memory MONTHS RATE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    twl::setProgramFolder(QDir::currentPath());
    twl::TbsCorePolyglot::Create();
    const double before = residentMb();
    int rows = 0;
    double after = 0;
    {
        twl::Tmainfrm form;
        form.amountedt->setText(QStringLiteral("100000"));
        form.monthsedt->setText(QString::fromLocal8Bit(argv[1]));
        form.interestedt->setText(QString::fromLocal8Bit(argv[2]));
        form.calcbtnClick(nullptr);
        QApplication::processEvents(); // the view takes the new rows
        rows = form.loanview->itemCount();
        after = residentMb();
    }
    twl::TbsCorePolyglot::Release();
    std::printf("%d %.1f %.1f\n", rows, before, after);
    return 0;
}

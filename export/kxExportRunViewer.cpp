// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/kxExportRunViewer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>

namespace twl {

namespace {

QString& viewerProgram() {
    static QString program = QStringLiteral("xdg-open");
    return program;
}

} // namespace

void kxSetViewerProgram(const QString& program) {
    viewerProgram() = program.isEmpty() ? QStringLiteral("xdg-open") : program;
}

void kxOpenInViewer(const QString& FileName, QObject* guard,
                    std::function<void(const QString& FileName)> failed) {
    // The opener outlives the run (it may wait for the application it starts);
    // it belongs to the program so that it is reaped wherever the run went.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(viewerProgram());
    process->setArguments({FileName});
    process->setWorkingDirectory(QFileInfo(FileName).absolutePath());
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QPointer<QObject> alive(guard);
    auto report = [process, alive, failed, FileName](bool ok) {
        process->disconnect();
        process->deleteLater();
        if (!ok && alive && failed) failed(FileName);
    };
    // A crash or an I/O error also ends in finished(); only a program that
    // never started ends here.
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [report](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) report(false);
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [report](int code, QProcess::ExitStatus status) {
                         // xdg-open's status: 0 opened, 3 no tool found, 4 the opening failed.
                         report(status == QProcess::NormalExit && code == 0);
                     });
    process->start();
}

} // namespace twl

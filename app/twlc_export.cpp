// twlc-export: writes the calculator's schedule as a document from a script.

#include "app/ExportCli.h"
#include "export/writers/kxWriterRegistry.h"

#include <QApplication>
#include <QFile>
#include <cstdio>

namespace {
// Standard error carries the command's own messages only, not the toolkit's
// chatter about the headless platform.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    // No window is ever shown; the export component's dialogs exist but stay hidden.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    twl::kxRegisterDocumentWriters();
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const int status = twl::runExportCli(args, out, err);
    out.flush();
    err.flush();
    return status;
}

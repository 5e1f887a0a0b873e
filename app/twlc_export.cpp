// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export: writes the calculator's schedule as a document from a script.

#include "app/ExportCli.h"
#include "base/FileSaveTemporary.h"
#include "base/FileWriteCalls.h"
#include "export/writers/kxWriterRegistry.h"

#include <QApplication>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>

namespace {
// Standard error carries the command's own messages only, not the toolkit's
// chatter about the headless platform.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Standard output written straight to its descriptor, so that every failed
// byte is seen (a full device, a closed output) with the system's reason.
class StandardOutput : public QIODevice {
public:
    explicit StandardOutput(bool closed)
        : m_closed(closed) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const int e = m_closed ? EBADF : twl::writeFully(STDOUT_FILENO, data, size);
        if (e) {
            setErrorString(twl::systemErrorText(e));
            return -1;
        }
        return size;
    }

private:
    bool m_closed;
};

// A closed standard descriptor is held by a placeholder, so that no file
// opened later takes its number and receives what was meant for it. Standard
// output's placeholder is a file no path names, so that "-o /dev/null" is not
// taken for standard output. Returns whether standard output was closed.
bool holdClosedStandardDescriptors() {
    bool outputClosed = false;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        int held;
        if (fd == STDOUT_FILENO) {
            outputClosed = true;
            held = ::memfd_create("closed standard output", 0);
        } else {
            held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
    return outputClosed;
}
} // namespace

int main(int argc, char** argv) {
    const bool outputClosed = holdClosedStandardDescriptors();
    // Interrupted, or its reader gone (`| head`), it leaves no temporary file.
    twl::removeTemporariesOnSignals();
    qInstallMessageHandler(quietMessages);
    // As bytes: a file name need not be valid in the system's encoding.
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args.append(QByteArray(argv[i]));
    // No window is ever shown. A document laid out in fonts gets the widget
    // application (its export component's dialogs exist but stay hidden); any
    // other starts without the window system, its fonts and its widgets.
    std::unique_ptr<QCoreApplication> app;
    if (twl::exportCliNeedsFonts(args)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    twl::kxRegisterDocumentWriters();
    StandardOutput out(outputClosed);
    QFile err;
    err.open(stderr, QIODevice::WriteOnly);
    const int status = twl::runExportCli(args, out, err);
    err.flush();
    return status;
}

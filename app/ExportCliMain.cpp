// SPDX-License-Identifier: GPL-3.0-or-later
// The process around the command line's run: what its descriptors, signals
// and messages are, whichever program runs it.

#include "app/ExportCli.h"
#include "base/FileSaveTemporary.h"
#include "base/FileWriteCalls.h"
#include "export/writers/kxWriterRegistry.h"

#include <QCoreApplication>
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

namespace twl {

int exportCliMain(int& argc, char** argv, const ExportCliApplication& makeApplication) {
    const bool outputClosed = holdClosedStandardDescriptors();
    // Interrupted, or its reader gone (`| head`), it leaves no temporary file.
    removeTemporariesOnSignals();
    qInstallMessageHandler(quietMessages);
    // As bytes: a file name need not be valid in the system's encoding.
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args.append(QByteArray(argv[i]));
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    kxRegisterPlainWriters();
    StandardOutput out(outputClosed);
    QFile err;
    err.open(stderr, QIODevice::WriteOnly);
    const int status = runExportCli(args, out, err);
    err.flush();
    return status;
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileWriteCalls.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace twl {

namespace {
FileWriteCalls& installed() {
    static FileWriteCalls calls;
    return calls;
}
} // namespace

ScopedFileWriteCalls::ScopedFileWriteCalls(FileWriteCalls calls)
    : m_previous(std::move(installed())) {
    installed() = std::move(calls);
}

ScopedFileWriteCalls::~ScopedFileWriteCalls() {
    installed() = std::move(m_previous);
}

int writeFully(int fd, const char* data, qsizetype size, qsizetype* written) {
    const auto& hook = installed().write;
    qsizetype done = 0;
    struct Report {
        qsizetype* to;
        const qsizetype& done;
        ~Report() {
            if (to) *to = done;
        }
    } report{written, done};
    while (size > 0) {
        const size_t chunk = static_cast<size_t>(size);
        const ssize_t w = hook ? hook(fd, data, chunk) : ::write(fd, data, chunk);
        if (w < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        // A write that takes nothing would loop forever; the kernel reports a
        // full device that way on some file systems.
        if (w == 0) return ENOSPC;
        data += w;
        size -= w;
        done += w;
    }
    return 0;
}

int syncFile(int fd, bool deviceMayRefuse) {
    const auto& hook = installed().fsync;
    int r;
    do {
        r = hook ? hook(fd) : ::fsync(fd);
    } while (r != 0 && errno == EINTR);
    if (r == 0) return 0;
    if (deviceMayRefuse && (errno == EINVAL || errno == EROFS || errno == ENOTSUP)) return 0;
    return errno;
}

int injectedFailure(FileCall which) {
    const auto& hook = installed().before;
    return hook ? hook(which) : 0;
}

int closeFile(int fd) {
    const int injected = injectedFailure(FileCall::Close);
    const int r = ::close(fd);
    const int e = injected ? injected : (r == 0 ? 0 : errno);
    return e == EINTR ? 0 : e;
}

QString systemErrorText(int error) {
    char buffer[256];
    // The GNU variant: returns the text, which may or may not be in the buffer.
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

} // namespace twl

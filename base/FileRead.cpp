// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileRead.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace twl {

RegularFileRead readRegularFile(const QString& path, qint64 maxSize) {
    RegularFileRead r;
    const QByteArray native = QFile::encodeName(path);
    // Looking first keeps a FIFO's writer from seeing a reader come and go;
    // opening without blocking and looking again at what was opened closes
    // the gap in which the name could be swapped.
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        r.status = errno == ENOENT || errno == ENOTDIR ? RegularFileRead::Missing
                                                       : RegularFileRead::Failed;
        r.error = errno;
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.status = RegularFileRead::NotRegular;
        return r;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        r.status = errno == ENOENT ? RegularFileRead::Missing : RegularFileRead::Failed;
        r.error = errno;
        return r;
    }
    struct Close {
        int fd;
        ~Close() { ::close(fd); }
    } closeFd{fd};
    if (::fstat(fd, &st) != 0) {
        r.status = RegularFileRead::Failed;
        r.error = errno;
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.status = RegularFileRead::NotRegular;
        return r;
    }
    if (st.st_size > maxSize) {
        r.status = RegularFileRead::TooLarge;
        return r;
    }
    // The size may change while reading: read up to one byte past the cap
    // to tell a file that grew beyond it.
    QByteArray bytes(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() > maxSize) {
                r.status = RegularFileRead::TooLarge;
                return r;
            }
            bytes.resize(qMin<qint64>(maxSize + 1, qMax<qint64>(bytes.size() * 2, 4096)));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, static_cast<size_t>(bytes.size() - have));
        if (n < 0) {
            if (errno == EINTR) continue;
            r.status = RegularFileRead::Failed;
            r.error = errno;
            return r;
        }
        if (n == 0) break;
        have += n;
    }
    if (have > maxSize) {
        r.status = RegularFileRead::TooLarge;
        return r;
    }
    bytes.truncate(have);
    r.status = RegularFileRead::Read;
    r.bytes = std::move(bytes);
    return r;
}

} // namespace twl

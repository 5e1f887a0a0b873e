#pragma once
// The system calls through which every file write reaches the disk. Tests
// install their own to fail the way a full disk or a broken device fails
// (after N bytes, short writes, a failed flush); the program never does.

#include <QByteArray>
#include <QString>
#include <functional>
#include <sys/types.h>

namespace twl {

struct FileWriteCalls {
    // As ::write: bytes written, or -1 with errno set.
    std::function<ssize_t(int fd, const char* data, size_t size)> write;
    // As ::fsync: 0, or -1 with errno set.
    std::function<int(int fd)> fsync;
};

// Replaces the calls until the scope ends; an empty member keeps the system's.
class ScopedFileWriteCalls {
public:
    explicit ScopedFileWriteCalls(FileWriteCalls calls);
    ~ScopedFileWriteCalls();
    ScopedFileWriteCalls(const ScopedFileWriteCalls&) = delete;
    ScopedFileWriteCalls& operator=(const ScopedFileWriteCalls&) = delete;

private:
    FileWriteCalls m_previous;
};

// Writes every byte, going on after short writes and interruptions.
// Returns 0, or the errno of the failure.
int writeFully(int fd, const char* data, qsizetype size);
inline int writeFully(int fd, const QByteArray& data) {
    return writeFully(fd, data.constData(), data.size());
}

// Flushes the file to its device. Returns 0, or the errno of the failure;
// a file that cannot be flushed by its nature (a pipe, /dev/null) counts
// as flushed when `deviceMayRefuse` is set.
int syncFile(int fd, bool deviceMayRefuse = false);

// The system's text for an errno value ("No space left on device").
QString systemErrorText(int error);

} // namespace twl

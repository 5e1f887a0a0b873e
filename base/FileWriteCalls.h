// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system calls through which every file write reaches the disk. Tests
// install their own to fail the way a full disk or a broken device fails
// (after N bytes, short writes, a failed flush, any call refused); the
// program never does.

#include <QByteArray>
#include <QString>
#include <cerrno>
#include <functional>
#include <sys/types.h>

namespace twl {

// Every call of a save other than the data writes and the flush, so that a
// test can make each one fail in turn.
enum class FileCall {
    Open,      // creating the new file or opening the old one
    Owner,     // giving the new file the old one's owner and group
    Mode,      // giving the new file the old one's mode
    Attribute, // copying an extended attribute (the ACL among them)
    Reserve,   // reserving the new size before writing in place
    Truncate,  // cutting an in-place file to its new size
    Close,     // closing a written file
    Rename,    // putting the new file in the old one's place
    FolderSync // flushing the folder after the rename
};

struct FileWriteCalls {
    // As ::write: bytes written, or -1 with errno set.
    std::function<ssize_t(int fd, const char* data, size_t size)> write;
    // As ::fsync: 0, or -1 with errno set.
    std::function<int(int fd)> fsync;
    // Asked before each other call: 0 lets it run, an errno makes it fail
    // with that error without running (EINTR: the call is tried again).
    std::function<int(FileCall call)> before;
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
// Returns 0, or the errno of the failure; `written`, when given, receives
// how many bytes reached the file.
int writeFully(int fd, const char* data, qsizetype size, qsizetype* written = nullptr);
inline int writeFully(int fd, const QByteArray& data) {
    return writeFully(fd, data.constData(), data.size());
}

// Flushes the file to its device. Returns 0, or the errno of the failure;
// a file that cannot be flushed by its nature (a pipe, /dev/null) counts
// as flushed when `deviceMayRefuse` is set.
int syncFile(int fd, bool deviceMayRefuse = false);

// Runs `call` (a system call returning -1 with errno on failure) unless the
// installed calls make it fail first; tries again after an interruption.
// Returns the call's result, or -1 with errno set.
template <class F> auto fileCall(FileCall which, F call) -> decltype(call());
int injectedFailure(FileCall which);

// Closes the descriptor (always, even when the close fails). Returns 0, or
// the errno of a failure; an interrupted close has closed the file.
int closeFile(int fd);

// The system's text for an errno value ("No space left on device").
QString systemErrorText(int error);

template <class F> auto fileCall(FileCall which, F call) -> decltype(call()) {
    for (;;) {
        if (const int e = injectedFailure(which)) {
            if (e == EINTR) continue;
            errno = e;
            return -1;
        }
        const auto r = call();
        if (r < 0 && errno == EINTR) continue;
        return r;
    }
}

} // namespace twl

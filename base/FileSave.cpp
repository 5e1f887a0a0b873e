// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileSave.h"

#include "base/BaseConsts.h"
#include "base/FileSaveParts.h"
#include "base/Format.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace twl {

namespace {
QString saveErrorText(const QString& path, int error, SaveOutcome outcome) {
    switch (outcome) {
    case SaveOutcome::PartlyWritten:
        return Format(LoadResString(rs::SFPartlyWritten), {path, systemErrorText(error)});
    case SaveOutcome::NotDurable:
        return Format(LoadResString(rs::SFNotDurable), {path, systemErrorText(error)});
    case SaveOutcome::Unchanged:
        break;
    }
    return Format(LoadResString(rs::SFCreateError), {path});
}
} // namespace

EFileSaveError::EFileSaveError(const QString& path, int error, SaveOutcome outcome)
    : EFCreateError(saveErrorText(path, error, outcome))
    , m_error(error)
    , m_reason(systemErrorText(error))
    , m_outcome(outcome) {}

namespace filesave {

Fd::~Fd() {
    if (m_fd >= 0) ::close(m_fd);
}

void Fd::reset(int fd) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = fd;
}

int Fd::close() {
    const int fd = m_fd;
    m_fd = -1;
    return closeFile(fd);
}

void fail(const SaveTarget& t, int error, SaveOutcome outcome) {
    throw EFileSaveError(t.shown, error, outcome);
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    if (slash == 0) return QByteArrayLiteral("/");
    return path.left(slash);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace filesave

using namespace filesave;

namespace {

constexpr int MaxLinkDepth = 40; // as the kernel follows links

// The file a path names, with every link resolved; empty when that does not
// lead back to the same file (a link into /proc naming an open descriptor).
QByteArray resolvedPath(const QByteArray& path, const struct stat& st) {
    char* real = ::realpath(path.constData(), nullptr);
    if (!real) return {};
    QByteArray out(real);
    std::free(real);
    struct stat rs {};
    if (::stat(out.constData(), &rs) != 0 || !sameFile(rs, st)) return {};
    return out;
}

bool mayWrite(const QByteArray& path, int mode) {
    return ::faccessat(AT_FDCWD, path.constData(), mode, AT_EACCESS) == 0;
}

} // namespace

// Every target kind takes the bytes as they come: a new file, the old one's
// spool, or the device itself; no kind holds a large document in memory.
struct FileSaveStream::State {
    enum class Mode { Undecided, Replace, InPlace, Through, Done };
    SaveTarget target;
    Mode mode = Mode::Undecided;
    struct stat old {};
    std::unique_ptr<Replacement> replacement;
    std::unique_ptr<InPlaceWrite> inPlace;
    std::unique_ptr<ThroughWrite> through;

    [[noreturn]] void failHere(int error) {
        end();
        fail(target, error);
    }
    // No byte more: a new file not yet in place is removed.
    void end() {
        mode = Mode::Done;
        replacement.reset();
        inPlace.reset();
        through.reset();
    }

    void decide();
    template <class F> void guarded(F step);
    void append(const char* data, qsizetype size);
    void finish();
};

// Where the bytes go, looked at once before the first byte.
void FileSaveStream::State::decide() {
    SaveTarget& t = target;
    for (int depth = 0;; ++depth) {
        if (t.native.isEmpty()) failHere(ENOENT);
        if (::stat(t.native.constData(), &old) == 0) break;
        const int e = errno;
        if (e != ENOENT) failHere(e);
        // A link to a file not there yet: the file is created where it points.
        struct stat link {};
        if (::lstat(t.native.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            replacement = std::make_unique<Replacement>(target);
            if (!replacement->create(nullptr)) failHere(EPERM);
            mode = Mode::Replace;
            return;
        }
        if (depth >= MaxLinkDepth) failHere(ELOOP);
        QByteArray to(PATH_MAX, '\0');
        const ssize_t n = ::readlink(t.native.constData(), to.data(), to.size());
        if (n < 0 || n >= to.size()) failHere(n < 0 ? errno : ENAMETOOLONG);
        to.truncate(n);
        if (!to.startsWith('/')) to = folderOf(t.native) + '/' + to;
        t.native = to;
    }
    if (S_ISDIR(old.st_mode)) failHere(EISDIR);
    if (!S_ISREG(old.st_mode)) {
        through = std::make_unique<ThroughWrite>(target);
        mode = Mode::Through;
        return;
    }
    const QByteArray real = resolvedPath(t.native, old);
    if (!real.isEmpty()) {
        t.native = real;
        if (!mayWrite(real, W_OK)) failHere(errno);
        // Replacing would cut the other links, or cannot happen in this folder.
        if (old.st_nlink == 1 && mayWrite(folderOf(real), W_OK | X_OK)) {
            replacement = std::make_unique<Replacement>(target);
            if (replacement->create(&old)) {
                mode = Mode::Replace;
                return;
            }
            replacement.reset();
        }
    }
    inPlace = std::make_unique<InPlaceWrite>(target, old);
    mode = Mode::InPlace;
}

// Runs a step of the save; a failure ends it.
template <class F> void FileSaveStream::State::guarded(F step) {
    try {
        if (mode == Mode::Undecided) decide();
        step();
    } catch (...) {
        end();
        throw;
    }
}

void FileSaveStream::State::append(const char* data, qsizetype size) {
    guarded([&] {
        switch (mode) {
        case Mode::Replace:
            return replacement->write(data, size);
        case Mode::InPlace:
            return inPlace->write(data, size);
        case Mode::Through:
            return through->write(data, size);
        case Mode::Undecided:
        case Mode::Done:
            break;
        }
        failHere(EBADF);
    });
}

void FileSaveStream::State::finish() {
    guarded([&] {
        switch (mode) {
        case Mode::Replace:
            replacement->commit();
            break;
        case Mode::InPlace:
            inPlace->commit();
            break;
        case Mode::Through:
            through->commit();
            break;
        case Mode::Undecided:
        case Mode::Done:
            failHere(EBADF);
        }
        end();
    });
}

FileSaveStream::FileSaveStream(const QString& shown, const QByteArray& native)
    : m_state(new State) {
    m_state->target = {shown, native};
}

FileSaveStream::FileSaveStream(const QString& path)
    : FileSaveStream(path, QFile::encodeName(path)) {}

FileSaveStream::~FileSaveStream() = default;

void FileSaveStream::write(const char* data, qsizetype size) {
    m_state->append(data, size);
}

void FileSaveStream::write(const QByteArray& data) {
    State& s = *m_state;
    s.guarded([&] {
        if (s.mode == State::Mode::InPlace)
            s.inPlace->write(data);
        else
            s.append(data.constData(), data.size());
    });
}

void FileSaveStream::commit() {
    m_state->finish();
}

void saveFileAtomically(const QString& path, const QByteArray& data) {
    FileSaveStream stream(path);
    stream.write(data);
    stream.commit();
}

namespace {
// Writes all bytes, flushes them and closes; 0 or the errno of the failure.
int writeSyncClose(Fd& fd, const QByteArray& data) {
    int e = writeFully(fd.get(), data);
    if (!e) e = syncFile(fd.get());
    const int closed = fd.close();
    return e ? e : closed;
}
} // namespace

bool writeNewFileExclusively(const QString& path, const QByteArray& data) {
    const SaveTarget t{path, QFile::encodeName(path)};
    Fd fd(fileCall(FileCall::Open, [&] {
        return ::open(t.native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0600);
    }));
    if (fd.get() < 0) {
        if (errno == EEXIST) return false;
        fail(t, errno);
    }
    if (const int e = writeSyncClose(fd, data)) {
        ::unlink(t.native.constData());
        fail(t, e);
    }
    return true;
}

} // namespace twl

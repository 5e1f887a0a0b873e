#include "base/FileSave.h"

#include "base/BaseConsts.h"
#include "base/FileWriteCalls.h"
#include "base/Format.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace twl {

EFileSaveError::EFileSaveError(const QString& path, int error)
    : EFCreateError(Format(LoadResString(rs::SFCreateError), {path}))
    , m_error(error)
    , m_reason(systemErrorText(error)) {}

namespace {

constexpr int MaxLinkDepth = 40; // as the kernel follows links

class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports what close says: some file systems report a
    // failed write only here.
    int close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

struct SaveTarget {
    QString shown; // the caller's path, for the message
    QByteArray native;
};

[[noreturn]] void fail(const SaveTarget& t, int error) {
    throw EFileSaveError(t.shown, error);
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

void syncFolder(const SaveTarget& t, const QByteArray& folder) {
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return; // a folder we may write but not read: nothing to flush through
    if (const int e = syncFile(dir.get(), true)) fail(t, e);
}

// Writes all bytes, flushes them and closes; 0 or the errno of the failure.
int writeSyncClose(Fd& fd, const QByteArray& data, bool deviceMayRefuse) {
    int e = writeFully(fd.get(), data);
    if (!e) e = syncFile(fd.get(), deviceMayRefuse);
    const int closed = fd.close();
    return e ? e : closed;
}

// A device, FIFO or socket: opened and written like a shell redirection.
void writeThrough(const SaveTarget& t, const QByteArray& data) {
    Fd fd(::open(t.native.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) fail(t, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(t, errno);
    // It became a regular file since it was looked at: never write a
    // regular file this way.
    if (S_ISREG(st.st_mode)) fail(t, EAGAIN);
    if (const int e = writeSyncClose(fd, data, true)) fail(t, e);
}

// The old text is overwritten only after the disk has room for the new one.
void writeInPlace(const SaveTarget& t, const struct stat& expected, const QByteArray& data) {
    // Read access lets the C library emulate the reservation where the file
    // system cannot reserve; without it the file is still written.
    int raw = ::open(t.native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (raw < 0 && errno == EACCES)
        raw = ::open(t.native.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    Fd fd(raw);
    if (fd.get() < 0) fail(t, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(t, errno);
    if (!S_ISREG(st.st_mode) || !sameFile(st, expected)) fail(t, EAGAIN);
    const off_t size = static_cast<off_t>(data.size());
    if (size > 0) {
        const int r = ::posix_fallocate(fd.get(), 0, size);
        if (r != 0 && r != EOPNOTSUPP && r != EINVAL && r != EBADF) fail(t, r);
    }
    int e = writeFully(fd.get(), data);
    if (!e && ::ftruncate(fd.get(), size) != 0) e = errno;
    if (!e) e = writeSyncClose(fd, QByteArray(), false);
    if (e) fail(t, e);
}

// A fresh name beside the target, hidden and unique.
QByteArray tempNameFor(const QByteArray& folder, const QByteArray& target) {
    QByteArray base = target.mid(target.lastIndexOf('/') + 1);
    base.truncate(NAME_MAX - 32); // room for the decoration within a name's limit
    const QByteArray tag = QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    return folder + (folder.endsWith('/') ? "" : "/") + '.' + base + '.' + tag + ".tmp";
}

// Replaces the target (or creates it when `old` is null) through a new file.
// Returns false, touching nothing, when the new file could not get the old
// one's owner and group: the caller then writes in place.
bool replaceFile(const SaveTarget& t, const struct stat* old, const QByteArray& data) {
    const QByteArray folder = folderOf(t.native);
    QByteArray tempName;
    int raw = -1;
    for (int attempt = 0; raw < 0; ++attempt) {
        tempName = tempNameFor(folder, t.native);
        // An old file's mode is applied once the file is ours alone.
        raw = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     old ? 0600 : 0666);
        if (raw < 0 && (errno != EEXIST || attempt >= 100)) fail(t, errno);
    }
    Fd fd(raw);
    struct Remove {
        const QByteArray& name;
        bool active = true;
        ~Remove() {
            if (active) ::unlink(name.constData());
        }
    } removeTemp{tempName};
    if (old) {
        struct stat now {};
        if (::fstat(fd.get(), &now) != 0) fail(t, errno);
        if (now.st_uid != old->st_uid || now.st_gid != old->st_gid) {
            if (::fchown(fd.get(), old->st_uid, old->st_gid) != 0) return false;
        }
        // After the owner: a change of owner clears the set-id bits.
        if (::fchmod(fd.get(), old->st_mode & 07777) != 0) fail(t, errno);
    }
    if (const int e = writeSyncClose(fd, data, false)) fail(t, e);
    if (::rename(tempName.constData(), t.native.constData()) != 0) fail(t, errno);
    removeTemp.active = false;
    syncFolder(t, folder);
    return true;
}

void save(SaveTarget t, const QByteArray& data, int depth) {
    if (t.native.isEmpty()) fail(t, ENOENT);
    struct stat st {};
    if (::stat(t.native.constData(), &st) != 0) {
        const int e = errno;
        if (e != ENOENT) fail(t, e);
        // A link to a file not there yet: the file is created where it points.
        struct stat link {};
        if (::lstat(t.native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            if (depth >= MaxLinkDepth) fail(t, ELOOP);
            QByteArray target(PATH_MAX, '\0');
            const ssize_t n = ::readlink(t.native.constData(), target.data(), target.size());
            if (n < 0 || n >= target.size()) fail(t, n < 0 ? errno : ENAMETOOLONG);
            target.truncate(n);
            if (!target.startsWith('/')) target = folderOf(t.native) + '/' + target;
            t.native = target;
            save(std::move(t), data, depth + 1);
            return;
        }
        replaceFile(t, nullptr, data);
        return;
    }
    if (S_ISDIR(st.st_mode)) fail(t, EISDIR);
    if (!S_ISREG(st.st_mode)) {
        writeThrough(t, data);
        return;
    }
    const QByteArray real = resolvedPath(t.native, st);
    if (real.isEmpty()) {
        writeInPlace(t, st, data);
        return;
    }
    t.native = real;
    if (!mayWrite(real, W_OK)) fail(t, errno);
    // Replacing would cut the other links, or cannot happen in this folder.
    if (st.st_nlink > 1 || !mayWrite(folderOf(real), W_OK | X_OK)) {
        writeInPlace(t, st, data);
        return;
    }
    if (!replaceFile(t, &st, data)) writeInPlace(t, st, data);
}

} // namespace

void saveFileAtomically(const QString& path, const QByteArray& data) {
    save({path, QFile::encodeName(path)}, data, 0);
}

bool writeNewFileExclusively(const QString& path, const QByteArray& data) {
    const SaveTarget t{path, QFile::encodeName(path)};
    Fd fd(::open(t.native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        if (errno == EEXIST) return false;
        fail(t, errno);
    }
    if (const int e = writeSyncClose(fd, data, false)) {
        ::unlink(t.native.constData());
        fail(t, e);
    }
    return true;
}

} // namespace twl

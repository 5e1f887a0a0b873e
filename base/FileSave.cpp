// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileSave.h"

#include "base/BaseConsts.h"
#include "base/FileWriteCalls.h"
#include "base/Format.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
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

namespace {

constexpr int MaxLinkDepth = 40;  // as the kernel follows links
constexpr time_t StaleAfter = 60; // seconds a writer's temporary file is left alone
constexpr char TempSuffix[] = ".tmp";

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
    void reset(int fd) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }
    // Closes now and reports what close says: some file systems report a
    // failed write only here.
    int close() {
        const int fd = m_fd;
        m_fd = -1;
        return closeFile(fd);
    }

private:
    int m_fd;
};

struct SaveTarget {
    QString shown; // the caller's path, for the message
    QByteArray native;
};

[[noreturn]] void fail(const SaveTarget& t, int error,
                       SaveOutcome outcome = SaveOutcome::Unchanged) {
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

// Writes all bytes, flushes them and closes; 0 or the errno of the failure.
int writeSyncClose(Fd& fd, const QByteArray& data, bool deviceMayRefuse) {
    int e = writeFully(fd.get(), data);
    if (!e) e = syncFile(fd.get(), deviceMayRefuse);
    const int closed = fd.close();
    return e ? e : closed;
}

// A device, FIFO or socket: opened and written like a shell redirection.
void writeThrough(const SaveTarget& t, const QByteArray& data) {
    Fd fd(fileCall(FileCall::Open,
                   [&] { return ::open(t.native.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC); }));
    if (fd.get() < 0) fail(t, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(t, errno);
    // It became a regular file since it was looked at: never write a
    // regular file this way.
    if (S_ISREG(st.st_mode)) fail(t, EAGAIN);
    if (const int e = writeSyncClose(fd, data, true)) fail(t, e);
}

// Gives back blocks a failed reservation took beyond the end of the file;
// the size and the bytes stay as they are.
void releaseReservation(int fd, off_t size) {
    if (::ftruncate(fd, size) != 0) {
        // Nothing more can be done: the file's bytes were never touched.
    }
}

// The old text is overwritten only after the disk has room for the new one.
void writeInPlace(const SaveTarget& t, const struct stat& expected, const QByteArray& data) {
    const auto openAs = [&](int access) {
        return fileCall(FileCall::Open, [&] {
            return ::open(t.native.constData(), access | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        });
    };
    // Read access lets some file systems reserve; without it the file is
    // still written.
    int raw = openAs(O_RDWR);
    if (raw < 0 && errno == EACCES) raw = openAs(O_WRONLY);
    Fd fd(raw);
    if (fd.get() < 0) fail(t, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(t, errno);
    if (!S_ISREG(st.st_mode) || !sameFile(st, expected)) fail(t, EAGAIN);
    const off_t size = static_cast<off_t>(data.size());
    if (size > st.st_size) {
        // Past the end only, so the file keeps its size and bytes whatever
        // happens; the C library's emulation would pad the file instead.
        if (fileCall(FileCall::Reserve,
                     [&] { return ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, size); }) != 0) {
            const int e = errno;
            if (e != EOPNOTSUPP && e != ENOSYS) {
                releaseReservation(fd.get(), st.st_size);
                fail(t, e);
            }
        }
    }
    // From the first byte written on, a failure has changed the old text.
    qsizetype written = 0;
    int e = writeFully(fd.get(), data.constData(), data.size(), &written);
    bool changed = written > 0;
    if (!e && size < st.st_size) {
        if (fileCall(FileCall::Truncate, [&] { return ::ftruncate(fd.get(), size); }) != 0)
            e = errno;
        else
            changed = true;
    }
    if (e && !changed) {
        releaseReservation(fd.get(), st.st_size);
        fail(t, e);
    }
    if (!e) e = syncFile(fd.get());
    const int closed = fd.close();
    if (!e) e = closed;
    if (e) fail(t, e, SaveOutcome::PartlyWritten);
}

bool allOf(const QByteArray& text, bool (*test)(char)) {
    if (text.isEmpty()) return false;
    for (const char c : text)
        if (!test(c)) return false;
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f');
}

// The writer's process id when `name` is one of our temporary names
// (".<target>.<pid>.<hex>.tmp"), else 0.
pid_t writerOfTempName(const QByteArray& name) {
    if (!name.startsWith('.') || !name.endsWith(TempSuffix)) return 0;
    const QByteArray stem = name.chopped(int(sizeof TempSuffix) - 1);
    const qsizetype tagDot = stem.lastIndexOf('.');
    if (tagDot <= 0) return 0;
    const qsizetype pidDot = stem.lastIndexOf('.', tagDot - 1);
    if (pidDot <= 0) return 0;
    const QByteArray tag = stem.mid(tagDot + 1);
    const QByteArray pid = stem.mid(pidDot + 1, tagDot - pidDot - 1);
    if (tag.size() > 16 || !allOf(tag, isHexDigit) || pid.size() > 9 || !allOf(pid, isDigit))
        return 0;
    return static_cast<pid_t>(pid.toInt());
}

// Removes the temporary files a killed writer left in the folder: ours by
// name, of a process that no longer exists, unchanged for a minute.
void removeStaleTempFiles(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return;
    const time_t now = ::time(nullptr);
    const uid_t self = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const pid_t pid = writerOfTempName(name);
        if (pid <= 0 || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != self || now - st.st_mtime < StaleAfter) continue;
        ::unlinkat(::dirfd(dir), name.constData(), 0);
    }
    ::closedir(dir);
}

// A fresh name beside the target, hidden, unique and carrying our process id.
QByteArray tempNameFor(const QByteArray& folder, const QByteArray& target) {
    QByteArray base = target.mid(target.lastIndexOf('/') + 1);
    base.truncate(NAME_MAX - 48); // room for the decoration within a name's limit
    const QByteArray tag = QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    return folder + (folder.endsWith('/') ? "" : "/") + '.' + base + '.' +
           QByteArray::number(::getpid()) + '.' + tag + TempSuffix;
}

// Copies every extended attribute of `from` (the ACL travels as one) to the
// open file. False when one cannot be copied.
bool copyAttributes(const QByteArray& from, int to) {
    ssize_t listSize = ::llistxattr(from.constData(), nullptr, 0);
    if (listSize < 0) return errno == ENOTSUP;
    if (listSize == 0) return true;
    QByteArray names(listSize, '\0');
    listSize = ::llistxattr(from.constData(), names.data(), names.size());
    if (listSize < 0) return false;
    names.truncate(listSize);
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty()) continue;
        const ssize_t size = ::lgetxattr(from.constData(), name.constData(), nullptr, 0);
        if (size < 0) return false;
        QByteArray value(size, '\0');
        const ssize_t got = ::lgetxattr(from.constData(), name.constData(), value.data(), size);
        if (got < 0) return false;
        value.truncate(got);
        if (fileCall(FileCall::Attribute, [&] {
                return ::fsetxattr(to, name.constData(), value.constData(),
                                   static_cast<size_t>(value.size()), 0);
            }) != 0)
            return false;
    }
    return true;
}

} // namespace

struct FileSaveStream::State {
    enum class Mode { Undecided, Replace, InPlace, Through, Done };
    SaveTarget target;
    Mode mode = Mode::Undecided;
    struct stat old {};
    QByteArray pending; // the whole document, where it is written at commit()
    Fd fd;              // the new file, when replacing
    QByteArray tempName;
    QByteArray folder;

    ~State() { abandonTemp(); }

    void abandonTemp() {
        if (tempName.isEmpty()) return;
        fd.reset(-1);
        ::unlink(tempName.constData());
        tempName.clear();
    }

    [[noreturn]] void failHere(int error, SaveOutcome outcome = SaveOutcome::Unchanged) {
        abandonTemp();
        mode = Mode::Done;
        fail(target, error, outcome);
    }

    void decide();
    bool createTemp(const struct stat* oldFile);
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
            if (!createTemp(nullptr)) failHere(EPERM);
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
        mode = Mode::Through;
        return;
    }
    const QByteArray real = resolvedPath(t.native, old);
    if (real.isEmpty()) {
        mode = Mode::InPlace;
        return;
    }
    t.native = real;
    if (!mayWrite(real, W_OK)) failHere(errno);
    // Replacing would cut the other links, or cannot happen in this folder.
    if (old.st_nlink > 1 || !mayWrite(folderOf(real), W_OK | X_OK) || !createTemp(&old))
        mode = Mode::InPlace;
}

// Creates the new file beside the target with the old one's owner, mode and
// attributes. False, touching nothing, when these cannot be kept: the
// caller then writes in place.
bool FileSaveStream::State::createTemp(const struct stat* oldFile) {
    folder = folderOf(target.native);
    removeStaleTempFiles(folder);
    int raw = -1;
    for (int attempt = 0; raw < 0; ++attempt) {
        tempName = tempNameFor(folder, target.native);
        // An old file's mode is applied once the file is ours alone.
        raw = fileCall(FileCall::Open, [&] {
            return ::open(tempName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          oldFile ? 0600 : 0666);
        });
        if (raw < 0) {
            const int e = errno;
            tempName.clear();
            if (e != EEXIST || attempt >= 100) failHere(e);
        }
    }
    fd.reset(raw);
    mode = Mode::Replace;
    if (!oldFile) return true;
    struct stat now {};
    if (::fstat(fd.get(), &now) != 0) failHere(errno);
    if (now.st_uid != oldFile->st_uid || now.st_gid != oldFile->st_gid) {
        if (fileCall(FileCall::Owner,
                     [&] { return ::fchown(fd.get(), oldFile->st_uid, oldFile->st_gid); }) != 0) {
            abandonTemp();
            return false;
        }
    }
    // After the owner: a change of owner clears the set-id bits. Before the
    // attributes: the ACL's mask is the mode's group bits.
    if (fileCall(FileCall::Mode, [&] { return ::fchmod(fd.get(), oldFile->st_mode & 07777); }) != 0)
        failHere(errno);
    if (!copyAttributes(target.native, fd.get())) {
        abandonTemp();
        return false;
    }
    return true;
}

void FileSaveStream::State::append(const char* data, qsizetype size) {
    if (mode == Mode::Undecided) decide();
    switch (mode) {
    case Mode::Replace:
        if (const int e = writeFully(fd.get(), data, size)) failHere(e);
        break;
    case Mode::InPlace:
    case Mode::Through:
        pending.append(data, size);
        break;
    case Mode::Undecided:
    case Mode::Done:
        failHere(EBADF);
    }
}

void FileSaveStream::State::finish() {
    if (mode == Mode::Undecided) decide();
    switch (mode) {
    case Mode::Replace: {
        int e = syncFile(fd.get());
        const int closed = fd.close();
        if (!e) e = closed;
        if (e) failHere(e);
        if (fileCall(FileCall::Rename, [&] {
                return ::rename(tempName.constData(), target.native.constData());
            }) != 0)
            failHere(errno);
        tempName.clear();
        mode = Mode::Done;
        // The new file is in place: a failure from here on cannot bring the
        // old one back, and must not claim it did.
        Fd dir(fileCall(FileCall::Open, [&] {
            return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }));
        if (dir.get() < 0) return; // a folder we may write but not read: nothing to flush through
        int synced;
        while ((synced = injectedFailure(FileCall::FolderSync)) == EINTR) {
        }
        if (!synced) synced = syncFile(dir.get(), true);
        if (synced) fail(target, synced, SaveOutcome::NotDurable);
        return;
    }
    case Mode::InPlace:
        mode = Mode::Done;
        writeInPlace(target, old, pending);
        return;
    case Mode::Through:
        mode = Mode::Done;
        writeThrough(target, pending);
        return;
    case Mode::Undecided:
    case Mode::Done:
        failHere(EBADF);
    }
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
    if (s.mode == State::Mode::Undecided) s.decide();
    const bool held = s.mode == State::Mode::InPlace || s.mode == State::Mode::Through;
    if (held && s.pending.isEmpty())
        s.pending = data;
    else
        s.append(data.constData(), data.size());
}

void FileSaveStream::commit() {
    m_state->finish();
}

void saveFileAtomically(const QString& path, const QByteArray& data) {
    FileSaveStream stream(path);
    stream.write(data);
    stream.commit();
}

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
    if (const int e = writeSyncClose(fd, data, false)) {
        ::unlink(t.native.constData());
        fail(t, e);
    }
    return true;
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileSaveTemporary.h"

#include "base/BaseConsts.h"
#include "base/FileWriteCalls.h"
#include "base/Format.h"

#include <QFile>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace twl {

namespace {

constexpr time_t StaleAfter = 60; // seconds a writer's temporary is left alone
constexpr char TempSuffix[] = ".tmp";
// What marks our files and folders in the temporary folder, which other
// programs share.
constexpr char OwnPrefix[] = "tarnwell";

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

// Removes `name` in the folder `at`, a folder with everything in it. Only
// system calls, so that a signal handler may use it; links are removed,
// never followed.
void removeEntry(int at, const char* name, int depth) {
    if (::unlinkat(at, name, 0) == 0 || (errno != EISDIR && errno != EPERM) || depth > 8) return;
    const int dir = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) return;
    // Entries removed while the folder is read may hide others: a few passes.
    for (int pass = 0; pass < 4; ++pass) {
        alignas(8) char buffer[4096];
        bool removed = false;
        ::lseek(dir, 0, SEEK_SET);
        for (;;) {
            const ssize_t n = ::getdents64(dir, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t at2 = 0; at2 < n;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at2);
                at2 += entry->d_reclen;
                const char* child = entry->d_name;
                if (std::strcmp(child, ".") == 0 || std::strcmp(child, "..") == 0) continue;
                removeEntry(dir, child, depth + 1);
                removed = true;
            }
        }
        if (!removed) break;
    }
    ::close(dir);
    ::unlinkat(at, name, AT_REMOVEDIR);
}

// The temporaries a handled signal removes.
struct Remembered {
    std::atomic<int> state{0}; // 0 free, 1 being filled, 2 in force
    bool folder = false;
    char path[PATH_MAX] = {};
};
Remembered remembered[32];

void removeRemembered(int signal) {
    for (Remembered& r : remembered) {
        if (r.state.load() != 2) continue;
        if (r.folder)
            removeEntry(AT_FDCWD, r.path, 0);
        else
            ::unlink(r.path);
    }
    // The handler was reset on entry: the signal now ends the process as it
    // would have without us.
    ::raise(signal);
}

} // namespace

ETemporarySpaceError::ETemporarySpaceError(const QString& folder, int error)
    : Exception(Format(LoadResString(rs::STemporaryFolderError), {folder, systemErrorText(error)}))
    , m_error(error) {}

QByteArray temporaryFolder() {
    QByteArray folder = qgetenv("TMPDIR");
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder.isEmpty() ? QByteArrayLiteral("/tmp") : folder;
}

pid_t writerOfTemporaryName(const QByteArray& name) {
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

QByteArray temporaryName(const QByteArray& folder, const QByteArray& prefix) {
    QByteArray base = prefix;
    base.truncate(NAME_MAX - 48); // room for the decoration within a name's limit
    // The system's source gives the one number: the global generator would
    // first draw its whole state from it, a good part of a short run's time.
    const QByteArray tag = QByteArray::number(QRandomGenerator::system()->generate64(), 16);
    return folder + (folder.endsWith('/') ? "" : "/") + '.' + base + '.' +
           QByteArray::number(::getpid()) + '.' + tag + TempSuffix;
}

void removeStaleTemporaries(const QByteArray& folder, const QByteArray& ownPrefix) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return;
    const time_t now = ::time(nullptr);
    const uid_t self = ::geteuid();
    const QByteArray mark = '.' + ownPrefix + '.';
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!ownPrefix.isEmpty() && !name.startsWith(mark)) continue;
        const pid_t pid = writerOfTemporaryName(name);
        if (pid <= 0 || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (st.st_uid != self || now - st.st_mtime < StaleAfter) continue;
        if (S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(dir), name.constData(), 0);
        else if (S_ISDIR(st.st_mode))
            removeEntry(::dirfd(dir), name.constData(), 0);
    }
    ::closedir(dir);
}

int rememberTemporary(const QByteArray& path, bool folder) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < int(std::size(remembered)); ++i) {
        Remembered& r = remembered[i];
        int expected = 0;
        if (!r.state.compare_exchange_strong(expected, 1)) continue;
        r.folder = folder;
        std::memcpy(r.path, path.constData(), size_t(path.size()) + 1);
        r.state.store(2);
        return i;
    }
    return -1;
}

void forgetTemporary(int handle) {
    if (handle >= 0 && handle < int(std::size(remembered))) remembered[handle].state.store(0);
}

void removeTemporariesOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = removeRemembered;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        ::sigaction(signal, &action, nullptr);
    }
}

namespace {
// Leftovers of gone writers are looked for once per process.
void removeStaleOnce(const QByteArray& folder) {
    static std::atomic<bool> done{false};
    if (!done.exchange(true)) removeStaleTemporaries(folder, OwnPrefix);
}
} // namespace

TemporaryFolder::TemporaryFolder() {
    const QByteArray folder = temporaryFolder();
    removeStaleOnce(folder);
    // Remembered before it is made: a signal between the two would leave it.
    // The name carries our process id, so it can only be ours.
    for (int attempt = 0;; ++attempt) {
        m_path = temporaryName(folder, OwnPrefix);
        m_handle = rememberTemporary(m_path, true);
        if (fileCall(FileCall::Open, [&] { return ::mkdir(m_path.constData(), 0700); }) == 0) break;
        const int e = errno;
        forgetTemporary(m_handle);
        if (e != EEXIST || attempt >= 100) throw ETemporarySpaceError(QFile::decodeName(folder), e);
    }
}

TemporaryFolder::~TemporaryFolder() {
    removeEntry(AT_FDCWD, m_path.constData(), 0);
    forgetTemporary(m_handle);
}

void TemporaryFolder::fail(int error) const {
    throw ETemporarySpaceError(QFile::decodeName(temporaryFolder()), error ? error : EIO);
}

TemporaryFile::TemporaryFile() = default;

TemporaryFile::~TemporaryFile() {
    TemporaryFile::close();
}

bool TemporaryFile::open() {
    return open(QIODevice::ReadWrite);
}

bool TemporaryFile::open(OpenMode mode) {
    const QByteArray folder = temporaryFolder();
    removeStaleOnce(folder);
    for (int attempt = 0; m_fd < 0; ++attempt) {
        m_path = temporaryName(folder, OwnPrefix);
        // Remembered before it is made, as a temporary folder is.
        m_handle = rememberTemporary(m_path, false);
        m_fd = fileCall(FileCall::Open, [&] {
            return ::open(m_path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          0600);
        });
        if (m_fd < 0) {
            const int e = errno;
            forgetTemporary(m_handle);
            m_handle = -1;
            if (e != EEXIST || attempt >= 100) {
                m_path.clear();
                return failWith(e);
            }
        }
    }
    m_flushed = 0;
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

void TemporaryFile::close() {
    if (m_fd < 0) return;
    QIODevice::close();
    ::close(m_fd);
    m_fd = -1;
    ::unlink(m_path.constData());
    forgetTemporary(m_handle);
    m_handle = -1;
    m_buffer.clear();
}

qint64 TemporaryFile::size() const {
    return m_flushed + m_buffer.size();
}

bool TemporaryFile::seek(qint64 pos) {
    return flush() && QIODevice::seek(pos);
}

bool TemporaryFile::flush() {
    if (m_buffer.isEmpty()) return m_error == 0;
    qsizetype written = 0;
    const int e = writeFully(m_fd, m_buffer.constData(), m_buffer.size(), &written);
    m_flushed += written;
    m_buffer.clear();
    return e ? failWith(e) : true;
}

QString TemporaryFile::fileName() const {
    return QFile::decodeName(m_path);
}

qint64 TemporaryFile::readData(char* data, qint64 maxSize) {
    if (!flush()) return -1;
    qint64 got;
    do {
        got = ::pread(m_fd, data, size_t(maxSize), off_t(pos()));
    } while (got < 0 && errno == EINTR);
    if (got < 0) failWith(errno);
    return got;
}

qint64 TemporaryFile::writeData(const char* data, qint64 size) {
    // Bytes gather into writes of a size the system handles well.
    constexpr qsizetype Chunk = 256 * 1024;
    if (m_error) return -1;
    m_buffer.append(data, size);
    if (m_buffer.size() >= Chunk && !flush()) return -1;
    return size;
}

bool TemporaryFile::failWith(int error) {
    m_error = error;
    setErrorString(ETemporarySpaceError(QFile::decodeName(temporaryFolder()), error).message());
    return false;
}

} // namespace twl

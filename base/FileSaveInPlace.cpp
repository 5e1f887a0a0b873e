// SPDX-License-Identifier: GPL-3.0-or-later
// The paths of a save that cannot replace the target: the old file written
// in place, and a device or FIFO written as a shell redirection would.
#include "base/FileSaveParts.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace twl::filesave {

namespace {

// Gives back blocks a failed reservation took beyond the end of the file;
// the size and the bytes stay as they are.
void releaseReservation(int fd, off_t size) {
    if (::ftruncate(fd, size) != 0) {
        // Nothing more can be done: the file's bytes were never touched.
    }
}

// Where the file system cannot reserve (ext3, some network file systems):
// whether what is free holds the blocks the new size needs beyond those the
// file has, with the file system's own blocks that map them. 0, or ENOSPC.
int roomFor(int fd, const struct stat& st, off_t size) {
    struct statvfs fs {};
    if (::fstatvfs(fd, &fs) != 0) return 0; // it cannot tell: the writes will
    const unsigned long long block = fs.f_frsize ? fs.f_frsize : fs.f_bsize;
    if (block < 512) return 0;
    const unsigned long long data = (static_cast<unsigned long long>(size) + block - 1) / block;
    // An indirect block maps block/4 others; three more for the levels above.
    const unsigned long long needed = (data + data / (block / 4) + 3) * block;
    const unsigned long long held = static_cast<unsigned long long>(st.st_blocks) * 512;
    // Root may use the blocks kept back for it.
    const unsigned long long free = (::geteuid() == 0 ? fs.f_bfree : fs.f_bavail) * block;
    return needed > held + free ? ENOSPC : 0;
}

} // namespace

InPlaceWrite::InPlaceWrite(const SaveTarget& target, const struct stat& expected)
    : m_target(target)
    , m_expected(expected) {}

InPlaceWrite::~InPlaceWrite() = default;

void InPlaceWrite::spoolFailed() const {
    throw ETemporarySpaceError(QFile::decodeName(temporaryFolder()),
                               m_spool->errorCode() ? m_spool->errorCode() : EIO);
}

void InPlaceWrite::write(const char* data, qsizetype size) {
    // A small document waits in memory; a large one in the temporary folder,
    // so that memory does not grow with the document.
    constexpr qsizetype Held = 1 << 20;
    if (!m_spool && m_held.size() + size <= Held) {
        m_held.append(data, size);
        return;
    }
    if (!m_spool) {
        m_spool = std::make_unique<TemporaryFile>();
        if (!m_spool->open()) spoolFailed();
        if (m_spool->write(m_held) != m_held.size()) spoolFailed();
        m_held = QByteArray();
    }
    if (m_spool->write(data, size) != size) spoolFailed();
}

void InPlaceWrite::write(const QByteArray& data) {
    if (!m_spool && m_held.isEmpty())
        m_held = data; // shared, not copied
    else
        write(data.constData(), data.size());
}

// The next piece of the document; empty at its end.
QByteArray InPlaceWrite::nextPiece() {
    if (!m_spool) return std::exchange(m_held, QByteArray());
    constexpr qint64 Chunk = 256 * 1024;
    if (m_spool->atEnd()) return {};
    const QByteArray piece = m_spool->read(Chunk);
    if (piece.isEmpty()) spoolFailed();
    return piece;
}

// The old text is overwritten only after the disk has room for the new one.
void InPlaceWrite::commit() {
    const SaveTarget& t = m_target;
    if (m_spool && (!m_spool->flush() || !m_spool->seek(0))) spoolFailed();
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
    if (!S_ISREG(st.st_mode) || !sameFile(st, m_expected)) fail(t, EAGAIN);
    const off_t size = static_cast<off_t>(m_spool ? m_spool->size() : m_held.size());
    if (size > st.st_size) {
        // Past the end only, so the file keeps its size and bytes whatever
        // happens; the C library's emulation would pad the file instead.
        if (fileCall(FileCall::Reserve,
                     [&] { return ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, size); }) != 0) {
            int e = errno;
            if (e == EOPNOTSUPP || e == ENOSYS) e = roomFor(fd.get(), st, size);
            if (e) {
                releaseReservation(fd.get(), st.st_size);
                fail(t, e);
            }
        }
    }
    // From the first byte written on, a failure has changed the old text. A
    // failure to read the document back then stands for a failed write.
    bool changed = false;
    int e = 0;
    try {
        for (QByteArray piece = nextPiece(); !e && !piece.isEmpty(); piece = nextPiece()) {
            qsizetype written = 0;
            e = writeFully(fd.get(), piece.constData(), piece.size(), &written);
            changed = changed || written > 0;
        }
    } catch (const ETemporarySpaceError& spool) {
        if (!changed) throw;
        e = spool.errorCode();
    }
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

ThroughWrite::ThroughWrite(const SaveTarget& target)
    : m_target(target) {
    m_fd.reset(fileCall(FileCall::Open, [&] {
        return ::open(target.native.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    }));
    if (m_fd.get() < 0) fail(target, errno);
    struct stat st {};
    if (::fstat(m_fd.get(), &st) != 0) fail(target, errno);
    // It became a regular file since it was looked at: never write a
    // regular file this way.
    if (S_ISREG(st.st_mode)) fail(target, EAGAIN);
}

void ThroughWrite::write(const char* data, qsizetype size) {
    if (const int e = writeFully(m_fd.get(), data, size)) fail(m_target, e);
}

void ThroughWrite::commit() {
    int e = syncFile(m_fd.get(), true);
    const int closed = m_fd.close();
    if (!e) e = closed;
    if (e) fail(m_target, e);
}

} // namespace twl::filesave

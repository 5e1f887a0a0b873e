// SPDX-License-Identifier: GPL-3.0-or-later
// The replacing path of a save: a new file beside the target, renamed over it.
#include "base/FileSaveParts.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace twl::filesave {

namespace {

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

Replacement::Replacement(const SaveTarget& target)
    : m_target(target) {}

Replacement::~Replacement() {
    abandon();
}

void Replacement::abandon() {
    if (m_tempName.isEmpty()) return;
    m_fd.reset(-1);
    ::unlink(m_tempName.constData());
    m_tempName.clear();
    forgetTemporary(m_tempHandle);
    m_tempHandle = -1;
}

void Replacement::failHere(int error) {
    abandon();
    fail(m_target, error);
}

bool Replacement::create(const struct stat* oldFile) {
    m_folder = folderOf(m_target.native);
    removeStaleTemporaries(m_folder);
    const QByteArray base = m_target.native.mid(m_target.native.lastIndexOf('/') + 1);
    int raw = -1;
    for (int attempt = 0; raw < 0; ++attempt) {
        m_tempName = temporaryName(m_folder, base);
        // An old file's mode is applied once the file is ours alone.
        raw = fileCall(FileCall::Open, [&] {
            return ::open(m_tempName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          oldFile ? 0600 : 0666);
        });
        if (raw < 0) {
            const int e = errno;
            m_tempName.clear();
            if (e != EEXIST || attempt >= 100) fail(m_target, e);
        }
    }
    m_fd.reset(raw);
    m_tempHandle = rememberTemporary(m_tempName, false);
    if (!oldFile) return true;
    struct stat now {};
    if (::fstat(m_fd.get(), &now) != 0) failHere(errno);
    if (now.st_uid != oldFile->st_uid || now.st_gid != oldFile->st_gid) {
        if (fileCall(FileCall::Owner,
                     [&] { return ::fchown(m_fd.get(), oldFile->st_uid, oldFile->st_gid); }) != 0) {
            abandon();
            return false;
        }
    }
    // After the owner: a change of owner clears the set-id bits. Before the
    // attributes: the ACL's mask is the mode's group bits.
    if (fileCall(FileCall::Mode, [&] { return ::fchmod(m_fd.get(), oldFile->st_mode & 07777); }) !=
        0)
        failHere(errno);
    if (!copyAttributes(m_target.native, m_fd.get())) {
        abandon();
        return false;
    }
    return true;
}

void Replacement::write(const char* data, qsizetype size) {
    if (const int e = writeFully(m_fd.get(), data, size)) failHere(e);
}

void Replacement::commit() {
    int e = syncFile(m_fd.get());
    const int closed = m_fd.close();
    if (!e) e = closed;
    if (e) failHere(e);
    if (fileCall(FileCall::Rename, [&] {
            return ::rename(m_tempName.constData(), m_target.native.constData());
        }) != 0)
        failHere(errno);
    m_tempName.clear();
    forgetTemporary(m_tempHandle);
    m_tempHandle = -1;
    // The new file is in place: a failure from here on cannot bring the
    // old one back, and must not claim it did.
    Fd dir(fileCall(FileCall::Open, [&] {
        return ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }));
    if (dir.get() < 0) return; // a folder we may write but not read: nothing to flush through
    int synced;
    while ((synced = injectedFailure(FileCall::FolderSync)) == EINTR) {
    }
    if (!synced) synced = syncFile(dir.get(), true);
    if (synced) fail(m_target, synced, SaveOutcome::NotDurable);
}

} // namespace twl::filesave

#include "base/FileSave.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace twl {

namespace {
[[noreturn]] void cannotCreate(const QString& path) {
    throw EFCreateError(Format(LoadResString(rs::SFCreateError), {path}));
}
} // namespace

void saveFileAtomically(const QString& path, const QByteArray& data) {
    if (path.isEmpty()) cannotCreate(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) cannotCreate(path);
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        cannotCreate(path);
    }
    if (!file.commit()) cannotCreate(path);
}

bool writeNewFileExclusively(const QString& path, const QByteArray& data) {
    const QByteArray native = QFile::encodeName(path);
    const int fd =
        ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        cannotCreate(path);
    }
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t w = ::write(fd, p, static_cast<size_t>(left));
        if (w < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            ::unlink(native.constData());
            cannotCreate(path);
        }
        p += w;
        left -= w;
    }
    if (::close(fd) != 0) {
        ::unlink(native.constData());
        cannotCreate(path);
    }
    return true;
}

} // namespace twl

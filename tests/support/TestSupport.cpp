// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include "base/FileWriteCalls.h"
#include "base/RegionalSettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace twl::test {

// The folders come in as definitions of this file alone, so that no other
// test file's compilation depends on where the tree was cloned.
QString sourceDir() {
    return QStringLiteral(TWL_SOURCE_DIR);
}
QString testDataDir() {
    return QStringLiteral(TWL_TEST_DATA_DIR);
}

::testing::AssertionResult bytesEqual(const QByteArray& expected, const QByteArray& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    qsizetype i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        ++i;
    auto window = [i](const QByteArray& b) {
        const qsizetype from = std::max<qsizetype>(0, i - 8);
        return b.mid(from, 24).toHex(' ').toStdString();
    };
    return ::testing::AssertionFailure()
           << "first difference at offset " << i << " (sizes " << expected.size() << " and "
           << actual.size() << ")\n  expected: " << window(expected)
           << "\n  actual:   " << window(actual);
}

QByteArray hexBytes(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(data);
}

RegionalScope::RegionalScope(QChar decimalSeparator, const QString& shortDate,
                             const QString& longTime) {
    RegionalSettings s;
    s.decimalSeparator = decimalSeparator;
    s.thousandSeparator =
        decimalSeparator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    s.shortDateFormat = shortDate;
    s.longTimeFormat = longTime;
    s.shortTimeFormat = QStringLiteral("HH:mm");
    setRegionalSettings(s);
}

RegionalScope::~RegionalScope() {
    setRegionalSettings(RegionalSettings{});
}

ClockScope::ClockScope(const QDateTime& now) {
    setClock([now] { return now; });
}

ClockScope::~ClockScope() {
    setClock({});
}

void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        timer->stop();
        timer->deleteLater();
        answer(w);
    });
    timer->start();
}

struct FailingWrites::Scope {
    ScopedFileWriteCalls calls;
};

FailingWrites::FailingWrites(Plan plan)
    : m_plan(plan) {
    FileWriteCalls calls;
    calls.write = [this](int fd, const char* data, size_t size) -> ssize_t {
        if (m_plan.interrupted) m_interruptNext = !m_interruptNext;
        if (m_interruptNext) {
            errno = EINTR;
            return -1;
        }
        qint64 n = static_cast<qint64>(size);
        if (m_plan.chunk > 0) n = qMin(n, m_plan.chunk);
        if (m_plan.allowedBytes >= 0) {
            n = qMin(n, m_plan.allowedBytes - m_written);
            if (n <= 0) {
                errno = m_plan.error;
                return -1;
            }
        }
        const ssize_t w = ::write(fd, data, static_cast<size_t>(n));
        if (w > 0) m_written += w;
        return w;
    };
    if (m_plan.syncError)
        calls.fsync = [this](int) {
            errno = m_plan.syncError;
            return -1;
        };
    m_scope.reset(new Scope{ScopedFileWriteCalls(std::move(calls))});
}

FailingWrites::~FailingWrites() = default;

QStringList folderEntries(const QString& folder) {
    QStringList left =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    left.removeIf([](const QString& name) { return name.startsWith(QLatin1String("runtime-")); });
    return left;
}

TemporaryFolderScope::TemporaryFolderScope(const QString& path)
    : m_previous(qgetenv("TMPDIR")) {
    qputenv("TMPDIR", QFile::encodeName(path));
}

TemporaryFolderScope::~TemporaryFolderScope() {
    qputenv("TMPDIR", m_previous);
}

struct FailingCall::Scope {
    ScopedFileWriteCalls calls;
};

FailingCall::FailingCall(FileCall call, int error) {
    FileWriteCalls calls;
    // An interruption is answered by trying again: fail every other time.
    auto interrupted = std::make_shared<bool>(false);
    calls.before = [call, error, interrupted](FileCall which) {
        if (which != call) return 0;
        if (error != EINTR) return error;
        *interrupted = !*interrupted;
        return *interrupted ? EINTR : 0;
    };
    m_scope.reset(new Scope{ScopedFileWriteCalls(std::move(calls))});
}

FailingCall::~FailingCall() = default;

void releaseFifoReader(const QString& path) {
    // Fails with ENXIO when no reader is there any more.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
}

SmallTmpfs::SmallTmpfs(qint64 bytes) {
    if (!m_dir.isValid()) {
        m_skipReason = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        m_skipReason = QStringLiteral("cannot mount a tmpfs here (%1); this needs root")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallTmpfs::~SmallTmpfs() {
    // Lazily, so that a file a failed test left open cannot keep it mounted.
    if (m_mounted) ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallTmpfs::fill() {
    const QByteArray filler = QFile::encodeName(filePath(QStringLiteral(".filler")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), block.size()) > 0) {
    }
    // The last block may have room left; single bytes take it.
    while (::write(fd, "f", 1) == 1) {
    }
    ::close(fd);
}

} // namespace twl::test

namespace twl::test {

namespace {
bool runQuietly(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

Ext4Image::Ext4Image(qint64 bytes, const char* type) {
    const QString kind = QString::fromLatin1(type);
    if (::geteuid() != 0) {
        m_skipReason = QStringLiteral("mounting an %1 image needs root").arg(kind);
        return;
    }
    const QString mkfs = QStandardPaths::findExecutable(
        QStringLiteral("mkfs.") + kind, {QStringLiteral("/sbin"), QStringLiteral("/usr/sbin")});
    if (mkfs.isEmpty()) {
        m_skipReason = QStringLiteral("mkfs.%1 is not installed (e2fsprogs)").arg(kind);
        return;
    }
    const QString image = m_dir.filePath(QStringLiteral("image"));
    QFile f(image);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(bytes)) {
        m_skipReason = QStringLiteral("cannot make the image file");
        return;
    }
    f.close();
    QDir(m_dir.path()).mkdir(QStringLiteral("mnt"));
    if (!runQuietly(mkfs, {"-q", "-F", "-b", "1024", "-m", "0", image}) ||
        !runQuietly(QStringLiteral("mount"), {"-o", "loop", image, m_dir.filePath("mnt")})) {
        m_skipReason =
            QStringLiteral("cannot make or mount an %1 image through a loop device").arg(kind);
        return;
    }
    m_mounted = true;
}

Ext4Image::~Ext4Image() {
    if (m_mounted) runQuietly(QStringLiteral("umount"), {"-l", m_dir.filePath("mnt")});
}

qint64 Ext4Image::freeBytes() const {
    struct statvfs vfs {};
    if (::statvfs(QFile::encodeName(m_dir.filePath("mnt")).constData(), &vfs) != 0) return -1;
    return qint64(vfs.f_bavail) * qint64(vfs.f_frsize);
}

void Ext4Image::fillTo(qint64 leave) {
    const QByteArray filler = QFile::encodeName(filePath(QStringLiteral("filler")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    for (const qsizetype size : {64 * 1024, 1024}) {
        const QByteArray block(size, 'f');
        while (freeBytes() > leave + block.size()) {
            if (::write(fd, block.constData(), block.size()) != block.size()) break;
            ::fsync(fd);
        }
    }
    ::close(fd);
}

} // namespace twl::test

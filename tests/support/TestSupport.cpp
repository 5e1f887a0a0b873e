#include "tests/support/TestSupport.h"

#include "base/FileWriteCalls.h"
#include "base/RegionalSettings.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace twl::test {

// The folders come in as definitions of this file alone, so that no other
// test file's compilation depends on where the tree was cloned.
QString sourceDir() { return QStringLiteral(TWL_SOURCE_DIR); }
QString testDataDir() { return QStringLiteral(TWL_TEST_DATA_DIR); }


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

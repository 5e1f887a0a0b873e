// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind of target takes a document as it is made: a FIFO's reader gets
// the bytes as they come, a file written in place waits for a large
// document in the temporary folder, and a file system that cannot reserve
// room refuses before the first changed byte when the room is not there.
#include "base/FileSave.h"
#include "base/FileSaveTemporary.h"
#include "base/FileWriteCalls.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace twl;

namespace {

// A target with a second link, so that it is written in place.
void linkedTarget(const QString& target, const QString& link, const QByteArray& old) {
    test::writeFile(target, old);
    ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()),
              0);
}

// What a save of `data` in pieces raised: nothing, or its message.
std::optional<QString> saveInPieces(const QString& path, const QByteArray& data) {
    try {
        FileSaveStream stream(path);
        for (qsizetype at = 0; at < data.size(); at += 100 * 1024)
            stream.write(data.mid(at, 100 * 1024));
        stream.commit();
        return std::nullopt;
    } catch (const Exception& e) {
        return e.message();
    }
}

const QByteArray Large = QByteArray("1,88.85,10.00,78.85,921.15\r\n").repeated(120000); // 3.2 MB

} // namespace

// The reader of a FIFO sees the first piece before the document is complete.
TEST(FileSaveTargets, AFifoReaderGetsTheBytesAsTheyCome) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray first(4096, 'a');
    std::promise<QByteArray> firstRead;
    QByteArray rest;
    std::thread reader([&] {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_CLOEXEC);
        QByteArray got(first.size(), '\0');
        qsizetype at = 0;
        ssize_t n = 1;
        while (at < got.size() && (n = ::read(fd, got.data() + at, size_t(got.size() - at))) > 0)
            at += n;
        firstRead.set_value(got.left(at));
        char buffer[4096];
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            rest.append(buffer, n);
        ::close(fd);
    });
    FileSaveStream stream(fifo);
    stream.write(first);
    auto got = firstRead.get_future();
    // Generous: only a stream that holds its bytes back fails here.
    const bool arrived = got.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    EXPECT_TRUE(arrived) << "the first piece did not arrive before the document was complete";
    stream.write("the end");
    stream.commit();
    test::releaseFifoReader(fifo);
    reader.join();
    if (arrived) {
        EXPECT_EQ(got.get(), first);
    }
    EXPECT_EQ(rest, "the end");
}

// A large document written in place waits in the temporary folder: the
// target gets exactly the document, and nothing is left in either folder;
// where the temporary folder is full, the old file stays and the message
// names the temporary folder.
TEST(FileSaveTargets, InPlaceALargeDocumentWaitsInTheTemporaryFolder) {
    QTemporaryDir dir;
    QTemporaryDir tmp;
    const test::TemporaryFolderScope scope(tmp.path());
    const QString target = dir.filePath("report.csv");
    linkedTarget(target, dir.filePath("link"), "OLD TEXT\n");
    EXPECT_EQ(saveInPieces(target, Large), std::nullopt);
    EXPECT_TRUE(test::bytesEqual(Large, test::readFile(dir.filePath("link"))));
    EXPECT_EQ(test::folderEntries(tmp.path()), QStringList());
    EXPECT_EQ(test::folderEntries(dir.path()), (QStringList{"link", "report.csv"}));

    test::SmallTmpfs full;
    if (!full.mounted()) GTEST_SKIP() << full.skipReason().toStdString();
    full.fill();
    const test::TemporaryFolderScope fullScope(full.path());
    test::writeFile(target, "OLD TEXT\n");
    EXPECT_EQ(saveInPieces(target, Large),
              "Cannot write in the temporary folder " + full.path() + ": No space left on device");
    EXPECT_EQ(test::readFile(dir.filePath("link")), "OLD TEXT\n");
    EXPECT_EQ(test::folderEntries(full.path()), QStringList{".filler"});
}

// Each failure of a large in-place write, in its spool or at the target:
// the new document, or the old one byte for byte (a failure after the first
// changed byte says so), and never a temporary file left.
TEST(FileSaveTargets, EveryWriteFailureOfALargeInPlaceSave) {
    struct Case {
        const char* what;
        test::FailingWrites::Plan plan;
        bool oldStays; // else: the new document, or "partly written"
    } cases[] = {
        {"the spool is refused", {512 * 1024, ENOSPC}, true},
        {"the spool breaks", {2 * 1024 * 1024, EIO}, true},
        {"the target breaks", {Large.size() + 300 * 1024, EIO}, false},
        {"short writes", {-1, 0, 4096}, false},
        {"interrupted writes", {-1, 0, 0, 0, true}, false},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        QTemporaryDir tmp;
        const test::TemporaryFolderScope scope(tmp.path());
        const QString target = dir.filePath("report.csv");
        linkedTarget(target, dir.filePath("link"), "OLD TEXT\n");
        std::optional<QString> failed;
        {
            test::FailingWrites failing(c.plan);
            failed = saveInPieces(target, Large);
        }
        const QByteArray now = test::readFile(dir.filePath("link"));
        if (c.oldStays) {
            EXPECT_TRUE(failed.has_value()) << c.what;
            EXPECT_EQ(now, "OLD TEXT\n") << c.what;
        } else if (failed) {
            EXPECT_TRUE(failed->endsWith("was partly written: Input/output error"))
                << c.what << ": " << failed->toStdString();
        } else {
            EXPECT_TRUE(test::bytesEqual(Large, now)) << c.what;
        }
        EXPECT_EQ(test::folderEntries(tmp.path()), QStringList()) << c.what;
        EXPECT_EQ(test::folderEntries(dir.path()), (QStringList{"link", "report.csv"})) << c.what;
    }
}

// Where the file system cannot reserve, the free room is checked before the
// first changed byte: a shortage leaves both links as they were.
TEST(FileSaveTargets, WithoutReservationTheRoomIsCheckedFirst) {
    const QByteArray big = QByteArray("Payment #,Payment,Interest\r\n").repeated(3600); // 100 KB
    const auto check = [&](const QString& target, const QString& link) {
        std::optional<QString> failed;
        int error = 0;
        try {
            saveFileAtomically(target, big);
        } catch (const EFileSaveError& e) {
            failed = e.message();
            error = e.errorCode();
        }
        EXPECT_EQ(failed, "Cannot create file " + target);
        EXPECT_EQ(error, ENOSPC);
        EXPECT_EQ(test::readFile(target), "OLD TEXT\n");
        EXPECT_EQ(test::readFile(link), "OLD TEXT\n");
    };
    {
        // tmpfs reserves; told that it cannot, the save checks.
        test::SmallTmpfs disk(256 * 1024);
        if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
        linkedTarget(disk.filePath("target"), disk.filePath("link"), "OLD TEXT\n");
        disk.fill();
        test::FailingCall noReservation(FileCall::Reserve, EOPNOTSUPP);
        check(disk.filePath("target"), disk.filePath("link"));
    }
    test::Ext4Image ext3(4 * 1024 * 1024, "ext3");
    if (!ext3.mounted()) GTEST_SKIP() << ext3.skipReason().toStdString();
    linkedTarget(ext3.filePath("target"), ext3.filePath("link"), "OLD TEXT\n");
    ext3.fillTo(16 * 1024);
    check(ext3.filePath("target"), ext3.filePath("link"));
}

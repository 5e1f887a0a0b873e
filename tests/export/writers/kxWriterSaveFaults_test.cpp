// SPDX-License-Identifier: GPL-3.0-or-later
// The writers that work in the temporary folder (workbook, OpenDocument
// spreadsheet, PDF report) under every kind of failed write: their own files
// and the document go through the program's file calls, so each fails in
// turn. The outcome is the exact new document, or a failure with the old
// file byte for byte; never a temporary file left anywhere.

#include "base/FileSaveTemporary.h"
#include "tests/export/MemorySource.h"
#include "tests/export/writers/WriterTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <optional>

using namespace twl;
using namespace twl::test;

namespace {

void fill(MemorySource& source, int months) {
    source.captions = {"Payment #", "Payment", "Balance"};
    for (int m = 1; m <= months; ++m)
        source.rows.push_back({TVariant(QString::number(m)), TVariant(QStringLiteral("88.85")),
                               TVariant(QString::number(months - m) + QStringLiteral(".00"))});
    source.setOptions(source.Options().without(xoShowExportDate).without(xoShowProgress));
    kxRegisterDocumentWriters(); // the typeset writers too
    source.setWriterFactory(&kxCreateDocumentWriter);
}

struct Fault {
    const char* what;
    FailingWrites::Plan writes; // allowedBytes -1 and no chunk: the writes do not fail
    std::optional<FileCall> call;
    int callError = 0;
};

} // namespace

TEST(WriterSaveFaults, EveryFailedWriteEndsInTheNewFileOrTheOldOneAndLeavesNoTemporary) {
    ClockScope clock{QDateTime(QDate(2031, 2, 3), QTime(4, 5, 6), Qt::UTC)};
    QTemporaryDir tmp;
    QTemporaryDir out;
    const TemporaryFolderScope scope(tmp.path());
    const QByteArray old = "the old document\n";
    const Fault faults[] = {
        {"EIO at once", {0, EIO}, {}, 0},
        {"ENOSPC at once", {0, ENOSPC}, {}, 0},
        {"EIO after 4 KiB", {4 * 1024, EIO}, {}, 0},
        {"ENOSPC after 12 KiB", {12 * 1024, ENOSPC}, {}, 0},
        {"short writes", {-1, 0, 7 * 1024}, {}, 0},
        {"interrupted writes", {-1, 0, 0, 0, true}, {}, 0},
        {"a flush fails", {-1, 0, 0, EIO}, {}, 0},
        {"no file can be made", {}, FileCall::Open, ENOSPC},
        {"a made file is interrupted", {}, FileCall::Open, EINTR},
    };
    for (const TkxExportType type : {xtXLSX, xtODS, xtPDF}) {
        MemorySource source;
        fill(source, 1500);
        source.setExportType(type);
        const QString target = out.filePath(QStringLiteral("doc"));
        QFile::remove(target);
        source.WriteDocument(target);
        const QByteArray expected = readFile(target);
        ASSERT_FALSE(expected.isEmpty()) << type;
        for (const Fault& f : faults) {
            writeFile(target, old);
            std::vector<TkxExportError> errors;
            source.OnError = [&errors](QObject*, TkxExportError e) { errors.push_back(e); };
            {
                std::optional<FailingWrites> writes;
                std::optional<FailingCall> call;
                if (f.call)
                    call.emplace(*f.call, f.callError);
                else
                    writes.emplace(f.writes);
                source.WriteDocument(target);
            }
            const auto where = testing::Message() << "type " << int(type) << ", " << f.what << ": "
                                                  << source.LastErrorText().toStdString();
            if (errors.empty()) {
                EXPECT_TRUE(bytesEqual(expected, readFile(target))) << where;
            } else {
                EXPECT_EQ(errors, std::vector<TkxExportError>{xeWriteFailed}) << where;
                EXPECT_EQ(readFile(target), old) << where;
                EXPECT_FALSE(source.LastErrorText().isEmpty()) << where;
            }
            // A failure that can happen must: the faults that only slow the
            // writes down end in the document.
            const bool mustSucceed = f.writes.allowedBytes < 0 && !f.writes.syncError &&
                                     (!f.call || f.callError == EINTR);
            EXPECT_EQ(errors.empty(), mustSucceed) << where;
            EXPECT_EQ(folderEntries(tmp.path()), QStringList()) << where;
            EXPECT_EQ(folderEntries(out.path()), QStringList{"doc"}) << where;
        }
    }
}

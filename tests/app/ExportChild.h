// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// twlc-export run as the child process a script would start, with its
// standard output and error where the test wants them.
#include "app/ExportCliFonts.h"
#include "export/kxExport.h"
#include "export/kxExportHost.h"
#include "export/kxTableExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace twl::test {

struct ChildRun {
    int status = -1;
    QString err;
};

enum class Output { ToFile, AppendToFile, Closed };

const QStringList Schedule = {"--amount", "1000", "--months", "12",
                              "--rate",   "12",   "--format", "csv"};

class ExportChild : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Reachable by the unprivileged user some cases run as.
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    }

    // Runs twlc-export with its standard output as given, optionally as the
    // unprivileged user 65534, and waits for it to end.
    ChildRun run(const QStringList& args, Output output = Output::ToFile,
                 const QString& outputFile = {}, bool unprivileged = false) {
        std::vector<QByteArray> bytes;
        for (const QString& a : args)
            bytes.push_back(a.toLocal8Bit());
        return runBytes(bytes, output, outputFile, unprivileged);
    }

    // The same with arguments as bytes, which need not be valid text.
    ChildRun runBytes(const std::vector<QByteArray>& args, Output output = Output::ToFile,
                      const QString& outputFile = {}, bool unprivileged = false) {
        std::vector<QByteArray> argv;
        if (unprivileged)
            for (const char* a :
                 {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"})
                argv.emplace_back(a);
        argv.emplace_back(program);
        for (const QByteArray& a : args)
            argv.push_back(a);
        std::vector<char*> pointers;
        for (QByteArray& a : argv)
            pointers.push_back(a.data());
        pointers.push_back(nullptr);

        const QByteArray out =
            QFile::encodeName(outputFile.isEmpty() ? dir.filePath("stdout") : outputFile);
        const QByteArray err = QFile::encodeName(dir.filePath("stderr"));
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (output == Output::Closed)
            posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
        else
            posix_spawn_file_actions_addopen(
                &actions, STDOUT_FILENO, out.constData(),
                O_WRONLY | O_CREAT | (output == Output::AppendToFile ? O_APPEND : O_TRUNC), 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        ChildRun r;
        const int spawned =
            posix_spawn(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0) << pointers[0];
        if (spawned != 0) return r;
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        r.err = QString::fromLocal8Bit(test::readFile(dir.filePath("stderr")));
        return r;
    }

    // The document of the schedule, as written to a plain file.
    QByteArray document() {
        const QString path = dir.filePath("reference.csv");
        EXPECT_EQ(run(Schedule + QStringList{"-o", path}).status, 0);
        return test::readFile(path);
    }

    // A one-row table export of `type` whose error events land in `errors`.
    static void setUpExport(TkxTableExport& table, TkxExportType type,
                            std::vector<TkxExportError>& errors) {
        useFontDocuments();
        table.setExportType(type);
        table.setCaptions({"Payment #", "Payment"});
        table.addRow({"1", "88.85"});
        table.OnError = [&errors](QObject*, TkxExportError e) { errors.push_back(e); };
    }

    static struct stat statOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st;
    }

    QTemporaryDir dir;
    // The program run: twlc-export as built, unless a test names another.
    QByteArray program = TWL_EXPORT_PROGRAM;
};

} // namespace twl::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads documents back with real readers in a child process: Python's
// spreadsheet modules and the PDF tools. A test without its reader skips.

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace twl::test {

struct ReaderRun {
    bool found = false;
    int status = -1;
    QString out;
    QString err;
};

// Bytes written to `name` in `dir`, for a reader to open.
inline QString savedFile(QTemporaryDir& dir, const QByteArray& bytes, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

inline ReaderRun runReader(const QString& program, const QStringList& arguments) {
    ReaderRun run;
    if (program.isEmpty()) return run;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) return run;
    process.waitForFinished(-1);
    run.found = true;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The Python that imports `module`: the system's first (where the Debian
// packages put it), then the first on the path; "" when none does.
inline QString pythonWith(const QString& module) {
    QStringList candidates = {QStringLiteral("/usr/bin/python3")};
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (!onPath.isEmpty()) candidates << onPath;
    for (const QString& python : candidates) {
        const ReaderRun probe =
            runReader(python, {QStringLiteral("-c"), QStringLiteral("import ") + module});
        if (probe.found && probe.status == 0) return python;
    }
    return {};
}

// A Python script's output on the file; skips the test without the module.
#define TWL_READ_WITH_PYTHON(module, script, file, result)                                         \
    const QString python_##result = ::twl::test::pythonWith(QStringLiteral(module));               \
    if (python_##result.isEmpty()) GTEST_SKIP() << "python3 with " module " is not installed";     \
    const ::twl::test::ReaderRun result = ::twl::test::runReader(                                  \
        python_##result, {QStringLiteral("-c"), QString::fromUtf8(script), file});                 \
    ASSERT_EQ(result.status, 0) << result.err.toStdString()

// A PDF tool's output; skips the test without poppler-utils.
#define TWL_RUN_PDF_TOOL(tool, arguments, result)                                                  \
    const ::twl::test::ReaderRun result =                                                          \
        ::twl::test::runReader(QStandardPaths::findExecutable(QStringLiteral(tool)), arguments);   \
    if (!result.found) GTEST_SKIP() << tool " (poppler-utils) is not installed";                   \
    ASSERT_EQ(result.status, 0) << result.err.toStdString()

} // namespace twl::test

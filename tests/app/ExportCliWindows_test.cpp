// SPDX-License-Identifier: GPL-3.0-or-later
// twlc-export never opens a window: what the export component or the
// translator would show in a box ends the run with one line on the error
// output and status 2.

#include "app/ExportCli.h"
#include "app/ExportCliFonts.h"
#include "base/ProgramFolder.h"
#include "export/writers/kxWriterTypeset.h"
#include "i18n/bsPolyglotUn.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

using namespace twl;

namespace {

// Counts every window shown while it lives.
class WindowsShown : public QObject {
public:
    WindowsShown() { qApp->installEventFilter(this); }
    QStringList shown;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            shown << o->metaObject()->className();
        return false;
    }
};

class ExportCliWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setProgramFolder(dir.path());
        QDir(dir.path()).mkdir("language");
        english = test::readFile(test::sourceDir() + QStringLiteral("/language/English.lng"));
        test::writeFile(dir.filePath("language/English.lng"), english);
        useFontDocuments();
        TbsCorePolyglot::Create();
    }
    void TearDown() override {
        TbsCorePolyglot::Release();
        setProgramFolder(QString());
    }

    struct Result {
        int status;
        QByteArray out;
        QString err;
    };
    Result run(const QStringList& extra) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const QStringList args = QStringList{"--amount", "1000",     "--months", "3",  "--rate",
                                             "12",       "--format", "txt",      "-o", "-"} +
                                 extra;
        const int status = runExportCli(args, out, err);
        return {status, out.data(), QString::fromLocal8Bit(err.data())};
    }

    QTemporaryDir dir;
    QByteArray english;
    WindowsShown windows;
};

const QString FormatMessage = "twlc-export: The format has to contain %d string.\n";

} // namespace

TEST_F(ExportCliWindows, ARefusedRowNumberFormatIsOneLineAndStatusTwo) {
    for (const char* value : {"RowNumberFormat=abc", "RowNumberFormat=%5d"}) {
        const Result r = run({"--set", value});
        EXPECT_EQ(r.status, 2) << value;
        EXPECT_EQ(r.err, FormatMessage) << value;
        EXPECT_TRUE(r.out.isEmpty()) << value;
    }
    // An accepted format still writes the document.
    const Result ok = run({"--set", "RowNumberFormat=No. %d"});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_FALSE(ok.out.isEmpty());
    EXPECT_TRUE(windows.shown.isEmpty()) << windows.shown.join(", ");
}

TEST_F(ExportCliWindows, TheSameLineInTheLanguageFileIsOneLineAndStatusTwo) {
    QByteArray lng = english;
    lng.replace("[Tmainfrm]\r\n", "[Tmainfrm]\r\nloanexp.RowNumberFormat='abc'\r\n");
    ASSERT_NE(lng, english);
    test::writeFile(dir.filePath("language/English.lng"), lng);
    const Result r = run({});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, FormatMessage);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(windows.shown.isEmpty()) << windows.shown.join(", ");
}

// The progress window is on by default; a run shows neither it nor anything else,
// whatever ends the run.
TEST_F(ExportCliWindows, NoRunShowsAWindow) {
    const QList<QStringList> runs = {
        {},
        {"--set", "Options=[xoShowProgress,xoShowHeader]"},
        {"--set", "Options=[xoShowProgress,xoClipboardMessage]"},
        {"--set", "NoSuchProperty=1"},
        {"--decimal", "abc"},
        {"--set", "RowNumberFormat=x", "--set", "RowNumberFormat=y"},
    };
    for (const QStringList& extra : runs) {
        const Result r = run(extra);
        EXPECT_FALSE(r.status == 0 && r.out.isEmpty()) << extra.join(' ').toStdString();
    }
    EXPECT_TRUE(windows.shown.isEmpty()) << windows.shown.join(", ");
}

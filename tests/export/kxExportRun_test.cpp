// SPDX-License-Identifier: GPL-3.0-or-later
// The export run: ExportData's naming, the frame of WriteDocument with its
// guard and progress window, delivery, viewing, and the host's prompts.

#include "base/Exceptions.h"
#include "export/kxExportHost.h"
#include "export/kxExportProgress.h"
#include "export/kxListViewExport.h"
#include "export/writers/kxWriterTypeset.h"
#include "tests/export/ExportTestTable.h"
#include "tests/export/MemorySource.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressBar>

using namespace twl;
using namespace twl::test;

namespace {

// A source that records the contract calls and events of a run.
class RecordingSource : public MemorySource {
public:
    QStringList log;
    RecordingSource() {
        captions = {"A"};
        setTextRows({{"a"}, {"b"}});
        setOptions({});
        kxRegisterDocumentWriters(); // the typeset writers too
        setWriterFactory(&kxCreateDocumentWriter);
        OnBeginExport = [this](QObject*) { log << "OnBeginExport"; };
        OnEndExport = [this](QObject*) { log << "OnEndExport"; };
        OnError = [this](QObject*, TkxExportError e) {
            log << QStringLiteral("OnError(%1)").arg(int(e));
        };
    }
    void PrepareSource() override { log << "PrepareSource"; }
    void ReleaseSource() override { log << "ReleaseSource"; }
    void GotoFirstRow() override {
        log << "GotoFirstRow";
        MemorySource::GotoFirstRow();
    }
    bool IsSourceReady() override {
        log << "IsSourceReady";
        return ready;
    }
    int GetColumnCount() override {
        log << "GetColumnCount";
        return MemorySource::GetColumnCount();
    }
    void GetRowValues(TkxValues& Values) override {
        log << QStringLiteral("GetRowValues(%1)").arg(RowIndex());
        MemorySource::GetRowValues(Values);
    }
    int GetRowCount() override {
        log << "GetRowCount";
        return MemorySource::GetRowCount();
    }
};

struct Run : ::testing::Test {
    RegionalScope regional;
    QTemporaryDir dir;
    RecordingSource source;
    QStringList opened;
    Run() {
        source.setTempDir(dir.path() + "/");
        source.DocumentOpener = [this](const QString& f) { opened << f; };
        source.setExportType(xtCSV);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::System, QDir::Name);
    }
};

const QStringList Error(TkxExportError e) {
    return {QStringLiteral("OnError(%1)").arg(int(e))};
}

} // namespace

TEST_F(Run, AFileRunDrivesTheContractInItsOrder) {
    source.setExportStyle(xsFile);
    source.setFileName(path("out.csv"));
    source.ExportData();
    EXPECT_EQ(source.log,
              QStringList({"IsSourceReady", "PrepareSource", "OnBeginExport", "GetRowCount",
                           "GotoFirstRow", "GotoFirstRow", "GetColumnCount", "GetRowValues(0)",
                           "GetRowValues(1)", "OnEndExport", "ReleaseSource"}));
    EXPECT_EQ(readFile(path("out.csv")), "a\r\nb\r\n");
    EXPECT_EQ(source.RowTotal(), 2u);
    EXPECT_EQ(source.WrittenCount(), 2u);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(Run, ASourceWithoutColumnsWritesNothingAndEndsWithoutOnEndExport) {
    source.captions.clear();
    source.setExportStyle(xsFile);
    source.setFileName(path("out.csv"));
    source.ExportData();
    EXPECT_TRUE(source.log.contains("OnBeginExport"));
    EXPECT_FALSE(source.log.contains("OnEndExport"));
    EXPECT_FALSE(source.log.join(' ').contains("OnError"));
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Run, NoSourceAndNoFileName) {
    source.ready = false;
    source.ExportData();
    EXPECT_EQ(source.log, QStringList({"IsSourceReady"}) + Error(xeNoSource));
    EXPECT_FALSE(kxFailureText(source, xeNoSource).isEmpty());

    source.ready = true;
    source.log.clear();
    source.setExportStyle(xsFile);
    source.ExportData();
    EXPECT_EQ(source.log, QStringList({"IsSourceReady", "PrepareSource"}) + Error(xeNoFileName) +
                              QStringList({"ReleaseSource"}));
}

TEST_F(Run, FileRunsReplaceTheExtensionButKeepTheUsersSpelling) {
    source.setExportStyle(xsFile);
    const std::pair<const char*, const char*> cases[] = {{"report.txt", "report.CSV"},
                                                         {"report.csv", "report.csv"},
                                                         {"report", "report.CSV"},
                                                         {"a.b/report", "a.b/report.CSV"}};
    QDir(dir.path()).mkdir("a.b");
    for (const auto& [given, written] : cases) {
        source.setFileName(path(given));
        source.ExportData();
        EXPECT_TRUE(QFile::exists(path(written))) << written;
        EXPECT_EQ(source.FileName(), path(given));
    }
    // The extension handler changes what both styles write.
    source.OnGetExtension = [](QObject*, QString& ext) { ext = QStringLiteral("dat"); };
    source.setFileName(path("x.txt"));
    source.ExportData();
    EXPECT_TRUE(QFile::exists(path("x.dat")));
    source.setExportStyle(xsView);
    source.ExportData();
    EXPECT_EQ(opened, QStringList({path("TWL1.dat")}));
}

TEST_F(Run, ViewRunsTakeTheNextFreeTemporaryNameAndOpenIt) {
    source.setExportType(xtTXT);
    source.ExportData();
    source.ExportData();
    EXPECT_EQ(opened, QStringList({path("TWL1.TXT"), path("TWL2.TXT")}));
    EXPECT_EQ(readFile(path("TWL2.TXT")), "a\r\nb\r\n");
    EXPECT_EQ(source.FileName(), "");
}

TEST_F(Run, AViewDocumentIsNeverWrittenThroughAFileThatAppearedAtItsName) {
    const QString victim = path("victim.txt");
    writeFile(victim, "keep");
    // The name is free when chosen; a link appears there before the write.
    source.OnBeginExport = [&](QObject*) { QFile::link(victim, path("TWL1.CSV")); };
    source.ExportData();
    EXPECT_EQ(readFile(victim), "keep");
    EXPECT_EQ(opened, QStringList({path("TWL2.CSV")}));
    EXPECT_EQ(readFile(path("TWL2.CSV")), "a\r\nb\r\n");
}

TEST_F(Run, ARefusedOverwriteLeavesTheFileAndReportsNoReason) {
    writeFile(path("out.csv"), "old");
    source.setExportStyle(xsFile);
    source.setFileName(path("out.csv"));
    QStringList asked;
    source.OnFileExist = [&](QObject*, const QString& name, bool& canOverWrite) {
        EXPECT_TRUE(canOverWrite);
        asked << name;
        canOverWrite = false;
    };
    source.ExportData();
    EXPECT_EQ(asked, QStringList({path("out.csv")}));
    EXPECT_EQ(readFile(path("out.csv")), "old");
    EXPECT_EQ(source.log.mid(source.log.indexOf("GetRowCount") + 2),
              Error(xeFileExists) + Error(xeWriteFailed) +
                  QStringList({"OnEndExport", "ReleaseSource"}));
    EXPECT_EQ(source.LastErrorText(), "");
    EXPECT_EQ(kxFailureText(source, xeWriteFailed), "");
    EXPECT_EQ(kxFailureText(source, xeFileExists), "");

    // Without a handler the file is replaced.
    source.OnFileExist = nullptr;
    source.ExportData();
    EXPECT_EQ(readFile(path("out.csv")), "a\r\nb\r\n");
}

TEST_F(Run, AFailedWriteIsReportedWithItsReasonAndDamagesNothing) {
    writeFile(path("out.csv"), "old");
    source.setExportStyle(xsFile);
    source.setFileName(path("out.csv"));
    source.OnExport = [](QObject*, std::uint32_t current, std::uint32_t, TkxValues, bool) {
        if (current == 1) throw EConvertError(QStringLiteral("bad row"));
    };
    source.ExportData();
    EXPECT_EQ(readFile(path("out.csv")), "old");
    EXPECT_TRUE(source.log.contains("OnEndExport"));
    EXPECT_EQ(source.LastErrorText(), "bad row");
    EXPECT_EQ(kxFailureText(source, xeWriteFailed),
              "The export to " + path("out.csv") + " failed:\nbad row");

    source.OnExport = nullptr;
    source.setFileName(path("missing/out.csv"));
    source.ExportData();
    EXPECT_EQ(source.LastErrorText().toStdString(),
              ("Cannot create file " + path("missing/out.csv")).toStdString());
    EXPECT_EQ(files(), QStringList({"out.csv"}));
}

TEST_F(Run, AFailedViewRunOpensNothing) {
    source.OnExport = [](QObject*, std::uint32_t, std::uint32_t, TkxValues, bool) {
        throw EConvertError(QStringLiteral("bad row"));
    };
    source.ExportData();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Run, FailuresBeforeTheGuardReachTheCaller) {
    source.OnBeginExport = [](QObject*) { throw EConvertError(QStringLiteral("begin")); };
    source.setExportStyle(xsFile);
    source.setFileName(path("out.csv"));
    EXPECT_THROW(source.ExportData(), EConvertError);
    EXPECT_FALSE(source.log.contains("ReleaseSource"));
}

TEST_F(Run, AMissingWriterIsAWriteFailure) {
    source.setWriterFactory([](TkxCustomExport&) { return std::unique_ptr<TkxDocumentWriter>(); });
    source.ExportData();
    EXPECT_TRUE(source.log.contains(Error(xeWriteFailed).first()));
    EXPECT_EQ(source.LastErrorText(), "No document writer is installed for this export type");
}

TEST_F(Run, TheClipboardTypeOnlyFillsTheClipboard) {
    source.setExportType(xtClipboard);
    source.setOptions({xoClipboardMessage});
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    for (TkxExportStyle style : {xsView, xsFile}) {
        source.setExportStyle(style);
        QString shown;
        answerNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            shown = box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Information);
            box->accept();
        });
        source.ExportData();
        EXPECT_EQ(shown, "Data was copied to clipboard!");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "a\r\nb\r\n");
    }
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(source.log.join(' ').contains("OnError"));

    // Without the option the copy is silent.
    source.setOptions({});
    source.setTextRows({{"c"}});
    source.ExportData();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "c\r\n");
}

TEST_F(Run, TheProgressWindowFollowsTheRowsAndCloses) {
    source.setOptions({xoShowProgress});
    source.Messages()->Width = 250;
    source.Messages()->Height = 90;
    source.Messages()->Text = QStringLiteral("Working");
    source.setTextRows({{"a"}, {"b"}, {"c"}});
    Tfrm_ProgressForm* form = source.ProgressForm();
    std::vector<int> positions;
    source.OnExport = [&](QObject*, std::uint32_t, std::uint32_t, TkxValues, bool) {
        EXPECT_TRUE(form->isVisible());
        positions.push_back(form->ProgressBar->value());
    };
    source.ExportData();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(positions, std::vector<int>({0, 0, 1})); // moved after each report
    EXPECT_EQ(form->ProgressBar->maximum(), 3);
    EXPECT_EQ(form->Caption(), source.Messages()->Caption);
    EXPECT_EQ(form->ProgressLabel->Caption(), "Working");
    EXPECT_EQ(form->ProgressBar->x(), 8);
    EXPECT_EQ(form->ProgressBar->width(), form->ClientWidth() - 16);

    source.setOptions({});
    source.OnExport = [&](QObject*, std::uint32_t, std::uint32_t, TkxValues, bool) {
        EXPECT_FALSE(form->isVisible());
    };
    source.ExportData();
}

TEST_F(Run, HostPromptsAskBeforeReplacingAndTellAboutFailures) {
    writeFile(path("out.csv"), "old");
    source.setExportStyle(xsFile);
    source.setFileName(path("out.csv"));
    kxAttachUserPrompts(source);

    QString question;
    answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        question = box->text();
        box->button(QMessageBox::No)->click();
    });
    source.ExportData(); // refused: no further message box
    EXPECT_EQ(question,
              "The file " + path("out.csv") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(readFile(path("out.csv")), "old");

    answerNextModal(
        [&](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click(); });
    source.ExportData();
    EXPECT_EQ(readFile(path("out.csv")), "a\r\nb\r\n");

    QString failure;
    source.setFileName(path("missing/out.csv"));
    answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        failure = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->accept();
    });
    source.ExportData();
    EXPECT_EQ(failure, "The export to " + path("missing/out.csv") +
                           " failed:\nCannot create file " + path("missing/out.csv") +
                           " (No such file or directory)");
}

TEST(RunWithListView, TheMainWindowsTableExportsLive) {
    RegionalScope regional;
    QTemporaryDir dir;
    auto view = makeScheduleView();
    TkxListViewExport e;
    kxApplyMainWindowSettings(e, view.get());
    kxRegisterDocumentWriters(); // the typeset writers too
    e.setWriterFactory(&kxCreateDocumentWriter);
    e.setOptions({xoShowHeader});
    e.setExportType(xtTXT);
    e.setExportStyle(xsFile);
    e.setFileName(dir.filePath("t.txt"));
    // A handler that changes the table mid-run: widths follow the change.
    e.OnExport = [&](QObject*, std::uint32_t current, std::uint32_t, TkxValues, bool) {
        if (current == 0) view->setItemCaption(13, QStringLiteral("inputs:"));
    };
    e.ExportData();
    const QList<QByteArray> lines = readFile(dir.filePath("t.txt")).split('\n');
    EXPECT_EQ(lines.at(0), "Payment # Payment Interest Principal Balance   \r");
    EXPECT_EQ(lines.at(1), "1       88.85   10.00 78.85   921.15    \r");
    EXPECT_EQ(lines.at(14), "inputs: 1000    12    12      2026-12-07\r");
}

TEST(RunProgress, NoBoxOfTheRunIsShownOverTheProgressWindow) {
    RegionalScope regional;
    QTemporaryDir dir;
    struct Case {
        const char* name;
        TkxExportType type;
        QString file;
        bool existing;
    };
    const Case cases[] = {{"replace question", xtCSV, dir.filePath("out.csv"), true},
                          {"failure", xtCSV, dir.filePath("missing/out.csv"), false},
                          {"clipboard notice", xtClipboard, QString(), false}};
    for (const Case& c : cases) {
        RecordingSource source;
        source.setTempDir(dir.path() + "/");
        source.setExportType(c.type);
        source.setExportStyle(xsFile);
        source.setFileName(c.file);
        source.setOptions({xoShowProgress, xoClipboardMessage});
        kxAttachUserPrompts(source);
        if (c.existing) writeFile(c.file, "old");
        Tfrm_ProgressForm* form = source.ProgressForm();
        bool asked = false;
        answerNextModal([&](QWidget* w) {
            asked = true;
            EXPECT_FALSE(form->isVisible()) << c.name;
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << c.name;
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
        });
        // After a "yes" the rows are written under the progress window again.
        bool shownWhileWriting = false;
        source.OnExport = [&](QObject*, std::uint32_t, std::uint32_t, TkxValues, bool) {
            shownWhileWriting = form->isVisible();
        };
        source.ExportData();
        EXPECT_TRUE(asked) << c.name;
        EXPECT_TRUE(shownWhileWriting) << c.name;
        EXPECT_FALSE(form->isVisible()) << c.name;
        EXPECT_FALSE(form->isRunning()) << c.name;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on a desktop: its title and icon text, where its error boxes
// open, and how "Export to file" names the file.

#include "app/ExportFileName.h"
#include "app/MainWindow.h"
#include "export/kxExport.h"
#include "export/kxExportSelect.h"
#include "export/kxListViewExport.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/ApplicationTitle.h"
#include "toolkit/Controls.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/ListView.h"
#include "toolkit/Timer.h"
#include "widgets/LbSpeedButton.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

using namespace twl;

namespace {

class MainWindowDesktop : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        // The user's documents folder, where the desktop keeps it.
        documents = dir.filePath("Documents");
        QDir(dir.path()).mkdir("Documents");
        QDir(dir.path()).mkdir("config");
        test::writeFile(dir.filePath("config/user-dirs.dirs"),
                        "XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", oldConfig);
        MainWindowFixture::TearDown();
    }

    void calculate(Tmainfrm& form) {
        form.amountedt->setText("1000");
        form.monthsedt->setText("12");
        form.interestedt->setText("12");
        form.calcbtnClick(nullptr);
    }

    // One "Export" click choosing CSV to a file; `save` answers the save dialog.
    void exportToFile(Tmainfrm& form, std::function<void(QFileDialog*)> save) {
        bool selected = false, asked = false;
        test::answerNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<Tfrm_Selection*>(w);
            ASSERT_NE(dlg, nullptr);
            selected = true;
            dlg->SelectionCombo->setCurrentIndex(
                dlg->SelectionCombo->findText(TkxCustomExport::ExportTypeText(xtCSV)));
            dlg->rdo_File->click();
            test::answerNextModal([&](QWidget* s) {
                auto* dialog = qobject_cast<QFileDialog*>(s);
                ASSERT_NE(dialog, nullptr);
                EXPECT_EQ(dialog->parentWidget(), &form) << "the save dialog sits over the window";
                asked = true;
                save(dialog);
            });
            dlg->btn_Selection->click();
        });
        form.expbtnClick(nullptr);
        EXPECT_TRUE(selected);
        EXPECT_TRUE(asked) << "every file export asks for the name";
    }

    QString documents;
    QByteArray oldConfig;
};

QString proposedName(QFileDialog* dialog) {
    const QStringList files = dialog->selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

TEST_F(MainWindowDesktop, WindowTitleIsTheCaptionAndTheIconTextCarriesTheApplicationTitle) {
    setApplicationTitle("twlc");
    Tmainfrm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.windowHandle()->title(), "Tarnwell - TWL-Calculator");
    EXPECT_EQ(form.windowIconText(), "twlc");

    form.titletimerTimer(form.titletimer);
    const QString title = QString::fromUtf8("TWL-Calculator\u00AE");
    EXPECT_EQ(form.windowIconText(), title);
    EXPECT_EQ(form.windowHandle()->title(), "Tarnwell - TWL-Calculator");
    // Qt appends a display name to every window title; none is set.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());

    // The default error display is captioned with it and opens over the window.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QString caption;
    QWidget* parent = nullptr;
    test::answerNextModal([&](QWidget* w) {
        caption = w->windowTitle();
        parent = w->parentWidget();
        qobject_cast<QMessageBox*>(w)->accept();
    });
    test::writeFile(iniPath(), "[Settings]\nDecimal=abc\n");
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(caption, title);
    EXPECT_EQ(parent, &form);
}

TEST_F(MainWindowDesktop, EveryFileExportAsksProposingTheLastNameAndForgetsAFailedOne) {
    Tmainfrm form;
    calculate(form);
    const QString first = QDir(documents).filePath("plan.csv");

    // The first time: the documents folder.
    exportToFile(form, [&](QFileDialog* save) {
        EXPECT_EQ(QDir(save->directory()).absolutePath(), QDir(documents).absolutePath());
        save->selectFile(first);
        static_cast<QDialog*>(save)->accept();
    });
    EXPECT_TRUE(test::readFile(first).startsWith("\"Payment #\""));

    // Then the last name written, asked again; keeping it replaces the file
    // after the usual question.
    QFile::remove(first);
    exportToFile(form, [&](QFileDialog* save) {
        EXPECT_EQ(proposedName(save), first);
        static_cast<QDialog*>(save)->accept();
    });
    EXPECT_TRUE(QFile::exists(first));

    // A folder that is gone by the time of writing: the save fails and is told.
    const QString gone = dir.filePath("gone");
    QDir(dir.path()).mkdir("gone");
    form.loanexp->OnBeginExport = [&](QObject*) { QDir(gone).removeRecursively(); };
    QString failure;
    exportToFile(form, [&](QFileDialog* save) {
        save->selectFile(gone + "/plan.csv");
        test::answerNextModal([&](QWidget* w) {
            failure = qobject_cast<QMessageBox*>(w)->text();
            qobject_cast<QMessageBox*>(w)->accept();
        });
        static_cast<QDialog*>(save)->accept();
    });
    EXPECT_TRUE(failure.contains(gone + "/plan.csv")) << failure;
    form.loanexp->OnBeginExport = nullptr;

    // The failed name is forgotten: back to the documents folder, and the
    // component keeps no name of its own between runs.
    exportToFile(form, [&](QFileDialog* save) {
        EXPECT_EQ(QDir(save->directory()).absolutePath(), QDir(documents).absolutePath());
        EXPECT_NE(proposedName(save), gone + "/plan.csv");
        save->reject();
    });
    EXPECT_EQ(form.loanexp->FileName(), "");
}

TEST_F(MainWindowDesktop, AMissingDocumentsFolderIsNotProposedAsAFileName) {
    const ExportFileName names;
    EXPECT_EQ(names.proposal(), documents);
    QDir(documents).removeRecursively();
    EXPECT_EQ(names.proposal(), QDir::homePath());
}

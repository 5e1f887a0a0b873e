// SPDX-License-Identifier: GPL-3.0-or-later
// The Export button as a user presses it: the format dialog answered from the
// keyboard, a dated plan's table exported, and a viewed document that nothing
// can open named in a box.

#include "app/MainWindow.h"
#include "export/kxExport.h"
#include "export/kxExportRunViewer.h"
#include "export/kxExportSelect.h"
#include "export/kxListViewExport.h"
#include "i18n/bsPolyglotUnWindows.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"

#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace twl;

namespace {

class WindowExport : public test::MainWindowFixture {
protected:
    void SetUp() override {
        test::MainWindowFixture::SetUp();
        form = std::make_unique<Tmainfrm>();
        form->loanexp->setTempDir(dir.path());
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override {
        form.reset();
        kxSetViewerProgram(QString());
        test::MainWindowFixture::TearDown();
    }

    void calculate(const PlanTexts& plan) {
        form->plan = plan;
        form->amountedt->setText("250000");
        form->monthsedt->setText("360");
        form->interestedt->setText("7.5");
        QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
    }

    // Alt+E, then the format dialog: the entry, View only, Enter; `then`
    // once the dialog is answered.
    void exportToView(const QString& entry, std::function<void()> then = {}) {
        test::answerNextModal([entry, then](QWidget* w) {
            auto* dialog = qobject_cast<Tfrm_Selection*>(w);
            ASSERT_NE(dialog, nullptr)
                << w->metaObject()->className() << " " << w->windowTitle().toStdString();
            dialog->SelectionCombo->setFocus();
            dialog->SelectionCombo->setCurrentIndex(dialog->SelectionCombo->findText(entry));
            QTest::keyClick(dialog->rdo_View, Qt::Key_Space);
            QTest::keyClick(dialog->btn_Selection, Qt::Key_Return);
            if (then) then();
        });
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_E, Qt::AltModifier);
    }

    // The openers started by the runs have all ended.
    static bool openersDone() { return qApp->findChildren<QProcess*>().isEmpty(); }

    std::unique_ptr<Tmainfrm> form;
};

} // namespace

TEST_F(WindowExport, ADatedPlanWithAnExtraOrRoundingIsExported) {
    std::vector<TkxExportError> errors;
    form->loanexp->OnError = [&](QObject*, TkxExportError e) { errors.push_back(e); };
    QStringList opened;
    form->loanexp->DocumentOpener = [&](const QString& f) { opened << f; };
    const PlanTexts plans[] = {
        {.firstDate = "2027-01-31", .extras = {"12=5000"}},
        {.firstDate = "2027-01-31", .rounding = "cent"},
    };
    for (const PlanTexts& plan : plans) {
        calculate(plan);
        ASSERT_EQ(form->loanview->Columns()->Count(), 6);
        for (const char* entry : {"Comma-Separated Text", "HTML", "Text"}) {
            errors.clear();
            opened.clear();
            exportToView(entry);
            EXPECT_TRUE(errors.empty())
                << entry << ": " << form->loanexp->LastErrorText().toStdString();
            ASSERT_EQ(opened.size(), 1) << entry;
            const QByteArray document = test::readFile(opened[0]);
            EXPECT_TRUE(document.contains("Plan vs. plain loan")) << entry;
        }
    }
}

TEST_F(WindowExport, AViewedDocumentNothingCanOpenIsNamedInABox) {
    form->amountedt->setText("1000");
    form->monthsedt->setText("12");
    form->interestedt->setText("12");
    form->calcbtnClick(nullptr);
    struct Case {
        const char* opener;
        bool told;
    } cases[] = {
        {"/nonexistent/xdg-open", true}, // no opener at all
        {"/bin/false", true},            // no application for the type
        {"/bin/true", false},            // opened
    };
    for (const Case& c : cases) {
        kxSetViewerProgram(c.opener);
        QString told;
        // Where nothing is told, a box would stay open and fail the run.
        exportToView("Comma-Separated Text", [&] {
            if (!c.told) return;
            test::answerNextModal([&](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) told = box->text();
                w->close();
            });
        });
        const QString file = form->loanexp->WrittenFileName();
        ASSERT_TRUE(QFile::exists(file)) << c.opener;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return openersDone() && (!c.told || !told.isEmpty()); }, 20000))
            << c.opener;
        if (c.told) {
            EXPECT_EQ(told, QStringLiteral("No program could open %1.\nThe document stays in that "
                                           "file.")
                                .arg(file));
        } else {
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
        // The file stays where the box says.
        EXPECT_TRUE(QFile::exists(file));
    }
}

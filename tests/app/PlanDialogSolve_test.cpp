// SPDX-License-Identifier: GPL-3.0-or-later
// Asking the loan in the window: the Plan dialog's solving and rate changes
// checked as the command line checks them, kept in the settings file only once
// set, and the main window's box of the solved input.

#include "app/MainWindow.h"
#include "app/PlanDialog.h"
#include "app/PlanDialogSolve.h"
#include "app/PlanDialogSolveBoxes.h"
#include "app/PlanLabels.h"
#include "app/SettingsFile.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/PlanDialogOk.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace twl;
using twl::test::pressOk;

namespace {

using PlanDialogSolve = test::MainWindowFixture;

struct SolveRefusal {
    const char* name;
    PlanTexts plan;
    const char* solveFor;
    const char* amount;  // the loan typed in the window
    const char* message; // "" when taken
    const char* focused;
    int row; // the rate changes row made current, or -1
};

} // namespace

TEST_F(PlanDialogSolve, OkRefusesWhatTheCommandLineRefusesAndPointsAtTheField) {
    const SolveRefusal cases[] = {
        {"solving without a payment",
         {},
         "rate",
         "1000",
         "Payment: give the payment with exactly two of the loan amount, the number of payments "
         "and the rate",
         "paymentedt",
         -1},
        {"a payment that does not read",
         {.payment = "9x"},
         "amount",
         "1000",
         "Payment: '9x' is not a valid floating point value",
         "paymentedt",
         -1},
        {"a negative payment", {.payment = "-5"}, "months", "1000", "", "paymentedt", -1},
        {"the second change after the last payment",
         {.rateChanges = {"3=5", "400=5"}},
         "",
         "1000",
         "Rate change 2: the period 400 is after the last payment (360)",
         "ratestbl",
         1},
        {"a change to no rate",
         {.rateChanges = {"3=5", "", "5=0"}},
         "",
         "1000",
         "Rate change 2: the rate may not be 0",
         "ratestbl",
         2},
        // The amount box is the calculation's while it is solved.
        {"solving the amount, the box's old text unread",
         {.rateChanges = {"6=8"}, .payment = "88.85"},
         "amount",
         "abc",
         "",
         "",
         -1},
    };
    TPlanLabels labels;
    for (const SolveRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        TPlanDialog dialog(labels);
        dialog.setTexts(c.plan, {}, c.solveFor);
        dialog.setLoan(c.amount, "360");
        dialog.show();
        const QString told = pressOk(dialog);
        if (*c.focused == 0) {
            EXPECT_EQ(told, "");
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            continue;
        }
        // The message is the calculation's own; some are checked by their text.
        EXPECT_FALSE(told.isEmpty());
        if (*c.message) {
            EXPECT_EQ(told, QString::fromUtf8(c.message));
        }
        EXPECT_EQ(dialog.result(), 0);
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), c.focused);
        if (c.row >= 0) {
            EXPECT_EQ(dialog.solvegrp->ratestbl->currentRow(), c.row);
        }
    }
}

TEST_F(PlanDialogSolve, TheGroupGivesBackThePlanAsTypedAndThePaymentOnlyWhileSolving) {
    test::RegionalScope german{QLatin1Char(','), QStringLiteral("dd.MM.yyyy")};
    TPlanLabels labels;
    TPlanDialog dialog(labels);
    const PlanTexts plan{.firstDate = "2027-01-31",
                         .rateChanges = {"2027-06-30=4,25", "12=5"},
                         .afterRateChange = "term",
                         .payment = "1199,10"};
    dialog.setTexts(plan, {}, "rate");
    // Dates in the regional form, as the extras show them.
    EXPECT_EQ(dialog.solvegrp->ratestbl->item(0, 0)->text(), "30.06.2027");
    EXPECT_TRUE(dialog.solvegrp->paymentedt->isEnabled());
    PlanTexts back = dialog.texts();
    EXPECT_EQ(back.rateChanges, plan.rateChanges);
    EXPECT_EQ(back.afterRateChange, plan.afterRateChange);
    EXPECT_EQ(back.payment, plan.payment);
    EXPECT_EQ(dialog.solveFor(), "rate");

    dialog.solvegrp->solvecmb->setCurrentIndex(0);
    EXPECT_FALSE(dialog.solvegrp->paymentedt->isEnabled());
    back = dialog.texts();
    EXPECT_EQ(back.payment, "");
    EXPECT_EQ(dialog.solveFor(), "");
    EXPECT_EQ(back.rateChanges, plan.rateChanges);
}

TEST_F(PlanDialogSolve, TheSettingsFileKeepsSolvingAndNoKeyWhileItIsUnset) {
    test::writeFile(iniPath(), "[Position]\r\nTop=5\r\n");
    SettingsFile settings(iniPath());
    const PlanTexts older{.firstDate = "2027-01-31", .extras = {"3=500"}};
    writePlanSettings(settings, older);
    writeSolveForSetting(settings, {});
    const QByteArray before = test::readFile(iniPath());
    // A plan from before solving reads as one without it and is written back as it was.
    EXPECT_TRUE(readSolveForSetting(settings).isEmpty());
    EXPECT_TRUE(readPlanSettings(settings).rateChanges.isEmpty());
    writePlanSettings(settings, readPlanSettings(settings));
    EXPECT_EQ(test::readFile(iniPath()), before);

    PlanTexts plan = older;
    plan.rateChanges = {"2027-06-30=4,25", "12=5"};
    plan.afterRateChange = "term";
    plan.payment = "1199,10";
    writePlanSettings(settings, plan);
    writeSolveForSetting(settings, "months");
    const PlanTexts back = readPlanSettings(settings);
    EXPECT_EQ(back.rateChanges, plan.rateChanges);
    EXPECT_EQ(back.afterRateChange, plan.afterRateChange);
    EXPECT_EQ(back.payment, plan.payment);
    EXPECT_EQ(readSolveForSetting(settings), "months");
    EXPECT_TRUE(test::readFile(iniPath()).startsWith("[Position]\r\nTop=5\r\n"));

    // Unset again: what was stored reads as unset.
    writePlanSettings(settings, older);
    writeSolveForSetting(settings, {});
    const PlanTexts cleared = readPlanSettings(settings);
    EXPECT_TRUE(cleared.rateChanges.isEmpty());
    EXPECT_TRUE(cleared.payment.isEmpty());
    EXPECT_TRUE(cleared.afterRateChange.isEmpty());
    EXPECT_TRUE(readSolveForSetting(settings).isEmpty());
}

TEST_F(PlanDialogSolve, TheSolvedBoxShowsTheAnswerAndGivesBackWhatWasTyped) {
    Tmainfrm form;
    form.show();
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    form.calcbtnClick(nullptr);
    const QString plainPayment = form.loanview->cellText(0, 1);
    // Chosen in the dialog: the number of payments solved from 88.85 a month.
    test::answerNextModal([](QWidget* w) {
        auto* dialog = qobject_cast<TPlanDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->solvegrp->solvecmb->setCurrentIndex(2);
        QTest::keyClicks(dialog->solvegrp->paymentedt, "88.85");
        EXPECT_EQ(pressOk(*dialog), "");
    });
    QTest::mouseClick(form.planbtn, Qt::LeftButton);
    EXPECT_TRUE(form.monthsedt->isReadOnly());
    EXPECT_EQ(form.monthsedt->text(), "12");
    EXPECT_EQ(form.loanview->cellText(0, 1), "88.85");
    EXPECT_TRUE(test::readFile(iniPath()).contains("SolveFor=months"));

    // Twice the amount at no interest: the box follows the calculation, the
    // last payment smaller.
    form.amountedt->setText("2000");
    form.interestedt->setText("0");
    form.calcbtnClick(nullptr);
    EXPECT_EQ(form.monthsedt->text(), "23");
    // Leaving solving gives back what was typed before it.
    form.solveboxes->setSolved(SolvedInput::Nothing);
    EXPECT_FALSE(form.monthsedt->isReadOnly());
    EXPECT_EQ(form.monthsedt->text(), "12");
    form.monthsedt->setText("24");
    form.interestedt->setText("12");
    form.solveboxes->setSolved(SolvedInput::Rate);
    EXPECT_TRUE(form.interestedt->isReadOnly());
    EXPECT_TRUE(form.interestedt->text().isEmpty());
    form.solveboxes->setSolved(SolvedInput::Nothing);
    EXPECT_EQ(form.interestedt->text(), "12");
    form.calcbtnClick(nullptr);
    EXPECT_NE(form.loanview->cellText(0, 1), plainPayment);
}

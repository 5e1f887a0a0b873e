// SPDX-License-Identifier: GPL-3.0-or-later
// The Plan dialog as a user meets it: OK checks the plan and what the loan
// costs as the calculation will and points at the field at fault; dates and
// fees in the regional form; names for a screen reader; the focus shown from
// the start.

#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/PlanDialog.h"
#include "app/PlanDialogCost.h"
#include "app/PlanDialogSolve.h"
#include "app/PlanLabels.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/PlanDialogOk.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOption>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace twl;
using twl::test::pressOk;

namespace {

class PlanDialog : public test::MainWindowFixture {
protected:
    // The window in German, with a plain loan calculated.
    std::unique_ptr<Tmainfrm> germanWindow() {
        dir.ship("Deutsch.lng");
        test::writeFile(iniPath(), "[Settings]\r\nLanguage=Deutsch\r\n");
        auto form = std::make_unique<Tmainfrm>();
        form->show();
        form->amountedt->setText("1000");
        form->monthsedt->setText("12");
        form->interestedt->setText("12");
        form->calcbtnClick(nullptr);
        return form;
    }
};

struct Refusal {
    const char* name;
    PlanTexts plan;
    const char* months;
    const char* message; // "" when the plan is taken
    const char* focused; // the field at fault
    int row;             // the extras row made current, or -1
};

} // namespace

TEST_F(PlanDialog, OkRefusesWhatTheCalculationWouldAndPointsAtTheField) {
    const Refusal cases[] = {
        {"period after the last payment",
         {.extras = {"3=100", "400=100"}},
         "360",
         "Extra payment 2: the period 400 is after the last payment (360)",
         "extrastbl",
         1},
        {"date without a first date",
         {.extras = {"2027-06-30=100"}},
         "360",
         "Extra payment 1: the date 2027-06-30 needs a first payment date",
         "extrastbl",
         0},
        {"negative extra",
         {.extras = {"3=100", "4=-5"}},
         "360",
         "Extra payment 2: the amount -5 is not more than 0",
         "extrastbl",
         1},
        {"negative recurring extra",
         {.extraEach = {"-10"}},
         "360",
         "Recurring extra payment: the amount -10 is not more than 0",
         "eachamountedt",
         -1},
        {"recurring from after the last",
         {.extraEach = {"10@400"}},
         "360",
         "Recurring extra payment: the period 400 is after the last payment (360)",
         "eachfromspn",
         -1},
        {"recurring to after the last",
         {.extraEach = {"10@2-400"}},
         "360",
         "Recurring extra payment: the period 400 is after the last payment (360)",
         "eachtospn",
         -1},
        {"negative balloon",
         {.balloon = "-1"},
         "360",
         "Balloon: the amount -1 is negative",
         "balloonedt",
         -1},
        {"balloon above the amount",
         {.balloon = "2000"},
         "360",
         "Balloon: the amount 2000 is more than the loan amount (1000)",
         "balloonedt",
         -1},
        {"date after the last payment",
         {.firstDate = "2027-01-31", .extras = {"2028-06-30=5"}},
         "12",
         "Extra payment 1: the date 2028-06-30 is after the last payment (2027-12-31)",
         "extrastbl",
         0},
        // Without a number of payments that reads, only what needs none is checked.
        {"no loan typed yet", {.extras = {"400=100"}}, "", "", "", -1},
        {"no loan typed yet, dated and rounded",
         {.firstDate = "2027-01-31", .extras = {"3=500"}, .rounding = "cent"},
         "",
         "",
         "",
         -1},
        {"a plan that fits",
         {.firstDate = "2027-01-31", .extras = {"2027-06-30=100"}},
         "360",
         "",
         "",
         -1},
    };
    TPlanLabels labels;
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        TPlanDialog dialog(labels);
        dialog.setTexts(c.plan);
        dialog.setLoan("1000", c.months);
        dialog.show();
        EXPECT_EQ(pressOk(dialog), QString::fromUtf8(c.message));
        if (*c.message == 0) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            continue;
        }
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 0);
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), c.focused);
        if (c.row >= 0) {
            EXPECT_EQ(dialog.extrastbl->currentRow(), c.row);
        }
    }
}

TEST_F(PlanDialog, AValidPlanRecalculatesAtOnceAndABadOneIsToldInTheWindowsLanguage) {
    const std::unique_ptr<Tmainfrm> window = germanWindow();
    Tmainfrm& form = *window;
    ASSERT_EQ(form.loanview->itemCount(), 14);

    QString told;
    QString focused;
    test::answerNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<TPlanDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->balloonedt, "5000");
        told = pressOk(*dialog);
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        dialog->balloonedt->clear();
        QTest::keyClicks(dialog->balloonedt, "100");
        EXPECT_EQ(pressOk(*dialog), "");
    });
    QTest::mouseClick(form.planbtn, Qt::LeftButton);
    EXPECT_EQ(told, "Schlussrate: der Betrag 5000 ist größer als der Darlehensbetrag (1000)");
    EXPECT_EQ(focused, "balloonedt");
    EXPECT_EQ(form.plan.balloon, "100");
    // The table shows the plan without another Calculate: 100 still owed at the end.
    EXPECT_TRUE(form.plansummary->isVisible());
    EXPECT_EQ(form.loanview->cellText(11, 4), "0.00");
    EXPECT_NE(form.loanview->cellText(0, 1), "88.85");
}

TEST_F(PlanDialog, DatesAreShownAndReadInTheRegionalFormAndIsoStillReads) {
    test::RegionalScope german{QLatin1Char(','), QStringLiteral("dd.MM.yyyy")};
    TPlanLabels labels;
    TPlanDialog dialog(labels);
    dialog.setTexts({.firstDate = "2027-01-31", .extras = {"2027-06-30=100", "7=5"}});
    EXPECT_EQ(dialog.firstdateedt->text(), "31.01.2027");
    EXPECT_EQ(dialog.extrastbl->item(0, 0)->text(), "30.06.2027");
    EXPECT_EQ(dialog.extrastbl->item(1, 0)->text(), "7");
    dialog.show();

    // Typed in the regional form, over the whole box.
    dialog.firstdateedt->setFocus();
    dialog.firstdateedt->selectAll();
    QTest::keyClicks(dialog.firstdateedt, "31.01.2028");
    QTest::keyClick(dialog.firstdateedt, Qt::Key_Tab);
    EXPECT_EQ(dialog.firstdateedt->date(), QDate(2028, 1, 31));
    // Pasted as YYYY-MM-DD.
    dialog.firstdateedt->setFocus();
    dialog.firstdateedt->selectAll();
    QApplication::clipboard()->setText("2028-02-29");
    QTest::keyClick(dialog.firstdateedt, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(dialog.firstdateedt, Qt::Key_Tab);
    EXPECT_EQ(dialog.firstdateedt->date(), QDate(2028, 2, 29));
    EXPECT_EQ(dialog.firstdateedt->text(), "29.02.2028");

    dialog.extrastbl->item(1, 0)->setText("15.03.2029");
    const PlanTexts back = dialog.texts();
    EXPECT_EQ(back.firstDate, "2028-02-29");
    EXPECT_EQ(back.extras, (QStringList{"2027-06-30=100", "2029-03-15=5"}));
}

TEST_F(PlanDialog, AScreenReaderHearsEveryFieldAndTheFocusIsShownFromTheStart) {
    TPlanLabels labels;
    TPlanDialog dialog(labels);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog.firstdatechk);
    QStyleOption option;
    option.initFrom(dialog.firstdatechk);
    EXPECT_TRUE(option.state & QStyle::State_HasFocus);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);

    const std::pair<QWidget*, const char*> fields[] = {
        {dialog.firstdateedt, "First payment date:"},
        {dialog.extrastbl, "One-off extra payments:"},
        {dialog.eachamountedt, "Extra with every payment:"},
        {dialog.eachfromspn, "from payment"},
        {dialog.eachtospn, "to (0: the last)"},
        {dialog.costgrp->loandateedt, "Loan date (money paid out):"},
        {dialog.costgrp->feestbl, "Fees:"},
        {dialog.solvegrp->paymentedt, "Payment per period:"},
        {dialog.solvegrp->ratestbl, "Rate changes:"},
    };
    for (const auto& [field, name] : fields)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), name)
            << field->objectName().toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&dialog)->role(), QAccessible::Dialog);
}

namespace {

struct CostRefusal {
    const char* name;
    PlanTexts plan;
    CostTexts cost;
    const char* amount;
    const char* message; // "" when taken
    const char* focused;
    int row; // the fees row made current, or -1
};

} // namespace

TEST_F(PlanDialog, OkRefusesTheCostsTheCommandLineRefusesWithItsMessages) {
    const CostRefusal cases[] = {
        {"loan date after the first payment",
         {.firstDate = "2027-01-31"},
         {.loanDate = "2027-02-01"},
         "1000",
         "Loan date: 2027-02-01 is after the first payment (2027-01-31)",
         "loandateedt",
         -1},
        {"loan date without a first date",
         {},
         {.loanDate = "2027-01-01"},
         "1000",
         "Loan date: 2027-01-01 needs a first payment date",
         "loandateedt",
         -1},
        {"fee that is no amount",
         {},
         {.fees = {"25", "1O:financed"}},
         "1000",
         "Fee 2: '1O:financed' is not AMOUNT or AMOUNT:financed",
         "feestbl",
         1},
        {"fee of nothing",
         {},
         {.fees = {"0"}},
         "1000",
         "Fee 1: the amount 0 is not more than 0",
         "feestbl",
         0},
        {"fees at the start eat the amount",
         {},
         {.fees = {"600", "400", "5000:financed"}},
         "1000",
         "Fees: those paid at the start (1000) leave nothing of the amount (1000) to finance",
         "feestbl",
         -1},
        // Without an amount that reads, all but the check against it.
        {"no amount typed yet", {}, {.fees = {"600", "400"}}, "", "", "", -1},
        {"loan date on the first payment",
         {.firstDate = "2027-01-31"},
         {.fees = {"75"}, .loanDate = "2027-01-31", .rule = "eu"},
         "1000",
         "",
         "",
         -1},
    };
    TPlanLabels labels;
    for (const CostRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        TPlanDialog dialog(labels);
        dialog.setTexts(c.plan, c.cost);
        dialog.setLoan(c.amount, "12");
        dialog.show();
        EXPECT_EQ(pressOk(dialog), QString::fromUtf8(c.message));
        if (*c.message == 0) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.costTexts().fees, c.cost.fees);
            continue;
        }
        EXPECT_EQ(dialog.result(), 0);
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), c.focused);
        if (c.row >= 0) {
            EXPECT_EQ(dialog.costgrp->feestbl->currentRow(), c.row);
        }
    }
}

TEST_F(PlanDialog, FeesAreTypedInTheRegionalFormAndTickedFromTheKeyboard) {
    test::RegionalScope german{QLatin1Char(','), QStringLiteral("dd.MM.yyyy")};
    TPlanLabels labels;
    TPlanDialog dialog(labels);
    const CostTexts stored{.fees = {"12,5", "40:financed"}, .loanDate = "2027-01-10", .rule = "eu"};
    dialog.setTexts({.firstDate = "2027-01-31"}, stored);
    TPlanDialogCost& cost = *dialog.costgrp;
    EXPECT_EQ(cost.loandateedt->text(), "10.01.2027");
    EXPECT_EQ(cost.feestbl->item(0, 0)->text(), "12,5");
    EXPECT_EQ(cost.feestbl->item(0, 1)->text(), "At the start");
    EXPECT_EQ(cost.feestbl->item(1, 0)->text(), "40");
    EXPECT_EQ(cost.feestbl->item(1, 1)->text(), "Financed (added to the loan)");
    EXPECT_EQ(cost.rulecmb->currentText(), "EU rule (APRC)");
    EXPECT_EQ(dialog.costTexts().fees, stored.fees);
    EXPECT_EQ(dialog.costTexts().loanDate, stored.loanDate);
    EXPECT_EQ(dialog.costTexts().rule, stored.rule);
    dialog.show();

    // Add opens the amount for typing; Tab and Space make the fee financed.
    QTest::mouseClick(cost.addfeebtn, Qt::LeftButton);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : cost.feestbl->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "7,25");
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(cost.feestbl->currentColumn(), 1);
    QTest::keyClick(cost.feestbl, Qt::Key_Space);
    EXPECT_EQ(dialog.costTexts().fees, (QStringList{"12,5", "40:financed", "7,25:financed"}));
    EXPECT_EQ(cost.feestbl->item(2, 1)->text(), "Financed (added to the loan)");

    // The first choice is the regional rule: stored as no rule.
    cost.rulecmb->setCurrentIndex(0);
    EXPECT_EQ(dialog.costTexts().rule, "");
    QTest::mouseClick(dialog.clearbtn, Qt::LeftButton);
    EXPECT_TRUE(dialog.costTexts().isEmpty());
    EXPECT_FALSE(cost.loandateedt->isEnabled());
}

TEST_F(PlanDialog, ARefusedLoanDateIsToldInTheWindowsLanguageAndAGoodOneShowsTheCost) {
    const std::unique_ptr<Tmainfrm> window = germanWindow();
    Tmainfrm& form = *window;
    EXPECT_FALSE(form.costsummary->isVisible());

    QString told;
    QString focused;
    test::answerNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<TPlanDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->costgrp->title(), "Was der Kredit kostet");
        dialog->setTexts({.firstDate = "2027-01-31"}, {.loanDate = "2027-03-01"});
        told = pressOk(*dialog);
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        dialog->costgrp->loandateedt->setDate(QDate(2026, 12, 20));
        EXPECT_EQ(pressOk(*dialog), "");
    });
    QTest::mouseClick(form.planbtn, Qt::LeftButton);
    EXPECT_EQ(told, "Auszahlungstag: 2027-03-01 liegt nach der ersten Zahlung (2027-01-31)");
    EXPECT_EQ(focused, "loandateedt");
    EXPECT_EQ(form.cost.loanDate, "2026-12-20");
    // Recalculated at once: the cost row ends the table and shows in full below it.
    const int last = form.loanview->itemCount() - 1;
    EXPECT_EQ(form.loanview->itemCaption(last), "Kreditkosten");
    EXPECT_TRUE(form.costsummary->isVisible());
    const QString summary = form.costsummary->text().replace(QChar(0xA0), ' ');
    EXPECT_TRUE(summary.startsWith("Kreditkosten: Nettodarlehensbetrag: 1000.00"))
        << summary.toStdString();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Plan dialog as a user meets it: OK checks the plan as the calculation
// will and points at the field at fault; dates in the regional form; names
// for a screen reader; the focus shown from the start.

#include "app/LanguageChoice.h"
#include "app/MainWindow.h"
#include "app/PlanDialog.h"
#include "app/PlanLabels.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
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

namespace {

class PlanDialog : public test::MainWindowFixture {};

// Presses OK and returns the text of the message box it opened ("" when none);
// the box is answered by a timer of its own, gone when no box came.
QString pressOk(TPlanDialog& dialog) {
    QString told;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer.stop();
            told = box->text();
            box->accept();
        }
    });
    timer.start();
    QTest::mouseClick(dialog.okbtn, Qt::LeftButton);
    return told;
}

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
    dir.ship("Deutsch.lng");
    test::writeFile(iniPath(), "[Settings]\r\nLanguage=Deutsch\r\n");
    Tmainfrm form;
    form.show();
    form.amountedt->setText("1000");
    form.monthsedt->setText("12");
    form.interestedt->setText("12");
    form.calcbtnClick(nullptr);
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
    };
    for (const auto& [field, name] : fields)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), name)
            << field->objectName().toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&dialog)->role(), QAccessible::Dialog);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/PlanDialog.h"
#include "app/PlanLabels.h"
#include "app/SettingsFile.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace twl;

namespace {

class PlanWindow : public test::MainWindowFixture {};

QStringList row(const TListView* view, int r) {
    QStringList cells;
    for (int c = 0; c < view->Columns()->Count(); ++c)
        cells << view->cellText(r, c);
    return cells;
}

QStringList captions(const TListView* view) {
    QStringList list;
    for (int c = 0; c < view->Columns()->Count(); ++c)
        list << view->Columns()->column(c)->Caption();
    return list;
}

// Types into the cell editor the table has open, and confirms with Enter.
void typeIntoCell(QTableWidget& table, const QString& text) {
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : table.viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

// Types into the dialog as a user does: a first date, an extra in payment 3
// entered in the table, rounding to the cent chosen with the keyboard.
void fillPlan(QWidget* w) {
    auto* dialog = qobject_cast<TPlanDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->firstdatechk, Qt::LeftButton);
    dialog->firstdateedt->setFocus();
    dialog->firstdateedt->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(dialog->firstdateedt, "2027");
    dialog->firstdateedt->setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(dialog->firstdateedt, "01");
    dialog->firstdateedt->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(dialog->firstdateedt, "31");
    // Add opens the new row's first cell for typing; a double click the second.
    QTest::mouseClick(dialog->addextrabtn, Qt::LeftButton);
    typeIntoCell(*dialog->extrastbl, "3");
    QWidget* viewport = dialog->extrastbl->viewport();
    const QPoint amountCell =
        dialog->extrastbl->visualItemRect(dialog->extrastbl->item(0, 1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, amountCell);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, amountCell);
    typeIntoCell(*dialog->extrastbl, "500");
    dialog->roundingcmb->setFocus();
    QTest::keyClick(dialog->roundingcmb, Qt::Key_Down);
    QTest::mouseClick(dialog->okbtn, Qt::LeftButton);
}

} // namespace

TEST_F(PlanWindow, ThePlanButtonSitsInTheRowOfTheOthers) {
    Tmainfrm form;
    EXPECT_EQ(form.planbtn->parentWidget(), form.bpanel);
    EXPECT_EQ(form.planbtn->geometry(), QRect(108, 8, 97, 25));
    EXPECT_EQ(form.chartbtn->geometry(), QRect(208, 8, 97, 25));
    EXPECT_EQ(form.planbtn->Caption(), "&Plan...");
    EXPECT_EQ(form.expbtn->geometry(), QRect(308, 8, 97, 25));
}

TEST_F(PlanWindow, ThePlanFromTheDialogShapesTheTableAndIsKept) {
    {
        Tmainfrm form;
        form.show();
        test::answerNextModal(fillPlan);
        QTest::mouseClick(form.planbtn, Qt::LeftButton);
        EXPECT_EQ(form.plan.firstDate, "2027-01-31");
        EXPECT_EQ(form.plan.extras, QStringList{"3=500"});
        EXPECT_EQ(form.plan.rounding, "cent");
        QTest::keyClicks(form.amountedt, "1000");
        QTest::keyClicks(form.monthsedt, "12");
        QTest::keyClicks(form.interestedt, "12");
        QTest::mouseClick(form.calcbtn, Qt::LeftButton);
        EXPECT_EQ(captions(form.loanview),
                  (QStringList{"Payment #", "Due", "Payment", "Interest", "Principal", "Balance"}));
        // 10.00 + 9.21 + 8.42 interest; 841.51 - 580.43 = 261.08 after the extra.
        EXPECT_EQ(row(form.loanview, 2),
                  (QStringList{"3", "2027-03-31", "588.85", "8.42", "580.43", "261.08"}));
        EXPECT_TRUE(form.plansummary->isVisible());
        EXPECT_TRUE(form.plansummary->text().contains("Payments saved: 6"));
        form.close();
    }
    const QByteArray ini = test::readFile(iniPath());
    EXPECT_TRUE(ini.contains("[Plan]")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("Extra1=3=500"));
    // A new window reads the plan back; clearing it brings the plain table back.
    Tmainfrm again;
    EXPECT_EQ(again.plan.rounding, "cent");
    again.amountedt->setText("1000");
    again.monthsedt->setText("12");
    again.interestedt->setText("12");
    again.calcbtnClick(nullptr);
    EXPECT_EQ(again.loanview->Columns()->Count(), 6);
    test::answerNextModal([](QWidget* w) {
        auto* dialog = qobject_cast<TPlanDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->firstdatechk->isChecked());
        EXPECT_EQ(dialog->extrastbl->rowCount(), 1);
        QTest::mouseClick(dialog->clearbtn, Qt::LeftButton);
        QTest::mouseClick(dialog->okbtn, Qt::LeftButton);
    });
    QTest::mouseClick(again.planbtn, Qt::LeftButton);
    EXPECT_TRUE(again.plan.isEmpty());
    again.calcbtnClick(nullptr);
    EXPECT_EQ(captions(again.loanview),
              (QStringList{"Payment #", "Payment", "Interest", "Principal", "Balance"}));
    EXPECT_EQ(row(again.loanview, 1), (QStringList{"2", "88.85", "9.21", "79.64", "841.51"}));
    EXPECT_TRUE(again.plansummary->isHidden());
}

// A bad entry keeps the dialog open with a message naming it.
TEST_F(PlanWindow, OkRefusesABadEntryWithItsName) {
    TPlanLabels labels;
    TPlanDialog dialog(labels);
    dialog.show();
    QTest::keyClicks(dialog.balloonedt, "12x");
    QString message;
    test::answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        message = box->text();
        box->accept();
    });
    QTest::mouseClick(dialog.okbtn, Qt::LeftButton);
    EXPECT_EQ(message, "Balloon: '12x' is not a valid floating point value");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(PlanWindow, TheSettingsFileKeepsThePlanInItsOwnSection) {
    test::writeFile(iniPath(), "[Position]\r\nTop=5\r\n");
    SettingsFile settings(iniPath());
    EXPECT_TRUE(readPlanSettings(settings).isEmpty()); // files from before plans
    const PlanTexts plan{.firstDate = "2027-01-31",
                         .extras = {"3=500", "2027-06-30=1000,5"},
                         .extraEach = {"100@2-24", "50@30"},
                         .afterExtra = "payment",
                         .rounding = "unit",
                         .period = "biweekly",
                         .balloon = "2000"};
    writePlanSettings(settings, plan);
    const PlanTexts back = readPlanSettings(settings);
    EXPECT_EQ(back.firstDate, plan.firstDate);
    EXPECT_EQ(back.extras, plan.extras);
    EXPECT_EQ(back.extraEach, plan.extraEach);
    EXPECT_EQ(back.afterExtra, plan.afterExtra);
    EXPECT_EQ(back.rounding, plan.rounding);
    EXPECT_EQ(back.period, plan.period);
    EXPECT_EQ(back.balloon, plan.balloon);
    EXPECT_TRUE(test::readFile(iniPath()).startsWith("[Position]\r\nTop=5\r\n"));
    // One recurring extra is stored as it always was, and a longer list
    // written before ends there.
    writePlanSettings(settings, {.extraEach = {"70@3"}});
    EXPECT_EQ(readPlanSettings(settings).extraEach, QStringList{"70@3"});
    EXPECT_TRUE(test::readFile(iniPath()).contains("\r\nExtraEach=70@3\r\n"));
}

TEST_F(PlanWindow, TheSettingsFileKeepsTheCostBesideThePlanAndNoKeyWhileItIsUnset) {
    const QByteArray before = "[Position]\r\nTop=5\r\n[Plan]\r\nFirstDate=2027-01-31\r\n";
    test::writeFile(iniPath(), before);
    SettingsFile settings(iniPath());
    EXPECT_TRUE(readCostSettings(settings).isEmpty()); // files from before costs
    writeCostSettings(settings, {});
    EXPECT_EQ(test::readFile(iniPath()), before);

    const CostTexts cost{.fees = {"75", "1200,5:financed"}, .loanDate = "2027-01-10", .rule = "us"};
    writeCostSettings(settings, cost);
    const CostTexts back = readCostSettings(settings);
    EXPECT_EQ(back.fees, cost.fees);
    EXPECT_EQ(back.loanDate, cost.loanDate);
    EXPECT_EQ(back.rule, cost.rule);
    EXPECT_TRUE(test::readFile(iniPath()).startsWith(before));
    // Unset again: what was stored reads as unset.
    writeCostSettings(settings, {});
    EXPECT_TRUE(readCostSettings(settings).isEmpty());
    EXPECT_EQ(readPlanSettings(settings).firstDate, "2027-01-31");
}

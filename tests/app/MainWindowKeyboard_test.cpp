// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard, for a screen reader, and on any screen:
// the focus chain, Space and Alt-letter presses, accessible names, placement,
// minimum size and icon.

#include "app/MainWindow.h"
#include "app/ProgramIcon.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/ListView.h"
#include "widgets/LbSpeedButton.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using namespace twl;

namespace {

class MainWindowKeyboard : public test::MainWindowFixture {
protected:
    void showActive(Tmainfrm& form) {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    static void fill(Tmainfrm& form) {
        form.amountedt->setText("1000");
        form.monthsedt->setText("12");
        form.interestedt->setText("12");
    }
};

} // namespace

TEST_F(MainWindowKeyboard, TabReachesEveryControlAndSpacePressesTheFocusedButton) {
    Tmainfrm form;
    showActive(form);
    fill(form);
    form.amountedt->setFocus(Qt::TabFocusReason);
    const std::vector<QWidget*> chain = {form.monthsedt, form.interestedt, form.calcbtn,
                                         form.loanview,  form.planbtn,     form.chartbtn,
                                         form.expbtn,    form.cancelbtn,   form.amountedt};
    for (QWidget* next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    // Shift+Tab walks back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.cancelbtn);

    // A click leaves the focus in the box the user types in.
    form.interestedt->setFocus();
    QTest::mouseClick(form.calcbtn, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), form.interestedt);
    form.loanview->clearItems();

    // Enter and Escape press nothing; Space on Calculate calculates.
    form.calcbtn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.calcbtn, Qt::Key_Return);
    QTest::keyClick(form.calcbtn, Qt::Key_Escape);
    EXPECT_EQ(form.loanview->itemCount(), 0);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(form.calcbtn, Qt::Key_Space);
    EXPECT_EQ(form.loanview->itemCount(), 14);
}

TEST_F(MainWindowKeyboard, AltWithTheMarkedLetterPressesAButtonWhereverTheFocusIs) {
    Tmainfrm form;
    showActive(form);
    fill(form);
    form.monthsedt->setFocus();
    QTest::keyClick(form.monthsedt, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(form.loanview->itemCount(), 14);
    EXPECT_EQ(form.monthsedt->text(), "12"); // the letter is not typed
    form.loanview->setFocus();
    QTest::keyClick(form.loanview, Qt::Key_L, Qt::AltModifier);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindowKeyboard, EveryLanguageMarksOneLetterPerButtonAndNoLetterTwice) {
    const QRegularExpression caption(
        QStringLiteral("^(calcbtn|expbtn|cancelbtn)\\.Caption='([^'\\r\\n]*)'"),
        QRegularExpression::MultilineOption);
    for (const char* file : {"English", "Deutsch", "Espanol", "Francais"}) {
        const QString text = QString::fromUtf8(
            test::readFile(test::ShippedLanguages + QString::fromLatin1(file) + ".lng"));
        QSet<QChar> letters;
        int buttons = 0;
        for (auto m = caption.globalMatch(text); m.hasNext();) {
            const QString c = m.next().captured(2);
            ++buttons;
            EXPECT_EQ(c.count('&'), 1) << file << " " << c;
            const QKeySequence mnemonic = QKeySequence::mnemonic(c);
            EXPECT_FALSE(mnemonic.isEmpty()) << file << " " << c;
            const QChar letter = c.at(c.indexOf('&') + 1).toUpper();
            EXPECT_FALSE(letters.contains(letter)) << file << " " << c;
            letters.insert(letter);
        }
        EXPECT_EQ(buttons, 3) << file;
    }
    // The window with a language applied presses by that language's letter.
    dir.ship("Deutsch.lng");
    test::writeFile(iniPath(), "[Settings]\r\nLanguage=Deutsch\r\n");
    Tmainfrm form;
    EXPECT_EQ(form.calcbtn->Caption(), "&Berechnen");
    showActive(form);
    fill(form);
    form.amountedt->setFocus();
    QTest::keyClick(form.amountedt, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(form.loanview->itemCount(), 14);
}

TEST_F(MainWindowKeyboard, AScreenReaderFindsNamedButtonsBoxesAndColumnHeaders) {
    Tmainfrm form;
    showActive(form);
    fill(form);
    QAccessibleInterface* calc = QAccessible::queryAccessibleInterface(form.calcbtn);
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(calc->role(), QAccessible::Button);
    EXPECT_EQ(calc->text(QAccessible::Name), "Calculate");
    ASSERT_NE(calc->actionInterface(), nullptr);
    calc->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form.loanview->itemCount(), 14);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.cancelbtn)->text(QAccessible::Name),
              "Close");

    const std::pair<QWidget*, const char*> boxes[] = {{form.amountedt, "Loan Amount"},
                                                      {form.monthsedt, "# of Months"},
                                                      {form.interestedt, "Annual Interest Rate"}};
    for (const auto& [box, name] : boxes)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), name);

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(form.loanview);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    QStringList headers;
    for (int c = 0; c < table->tableInterface()->columnCount(); ++c)
        headers << table->tableInterface()->columnDescription(c);
    EXPECT_EQ(headers, QStringList({"Payment #", "Payment", "Interest", "Principal", "Balance"}));
}

TEST_F(MainWindowKeyboard, AStoredPlaceOffTheScreenComesBackAndTheWindowKeepsItsControls) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    test::writeFile(iniPath(),
                    "[Position]\r\nLeft=5000\r\nTop=3000\r\nWidth=533\r\nHeight=400\r\n");
    {
        // Placed once shown, when the frame around it is known.
        Tmainfrm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        const QRect placed = form.frameGeometry();
        EXPECT_TRUE(area.contains(placed)) << placed.x() << "," << placed.y();
        EXPECT_EQ(form.size(), QSize(533, 400));
        // The least move: against the bottom right corner.
        EXPECT_EQ(placed.right(), area.right());
        EXPECT_EQ(placed.bottom(), area.bottom());
    }
    test::writeFile(iniPath(), "[Position]\r\nLeft=40\r\nTop=30\r\nWidth=533\r\nHeight=400\r\n");
    Tmainfrm form;
    EXPECT_EQ(form.Left(), 40);
    EXPECT_EQ(form.Top(), 30);

    form.show();
    form.resize(300, 200);
    QApplication::processEvents();
    const std::vector<QWidget*> controls = {form.calcbtn, form.planbtn, form.expbtn, form.cancelbtn,
                                            form.interestedt};
    for (QWidget* w : controls) {
        const QRect inWindow(w->mapTo(&form, QPoint(0, 0)), w->size());
        EXPECT_TRUE(form.rect().contains(inWindow)) << w->objectName().toStdString();
    }
    EXPECT_GT(form.loanview->height(), form.loanview->horizontalHeader()->height());
}

TEST_F(MainWindowKeyboard, EveryWindowCarriesTheProgramsIcon) {
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
    const QIcon before = QApplication::windowIcon();
    applyProgramIdentity();
    Tmainfrm form;
    EXPECT_EQ(form.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    EXPECT_FALSE(form.windowIcon().pixmap(48, 48).isNull());
    QApplication::setWindowIcon(before);
}

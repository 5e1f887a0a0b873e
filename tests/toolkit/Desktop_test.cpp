// SPDX-License-Identifier: GPL-3.0-or-later
// What a desktop user expects of the toolkit: windows on a visible screen,
// colours that a dark theme does not unsettle, a table that copies and jumps
// like any other.

#include "base/GuiConversions.h"
#include "tests/support/TestSupport.h"
#include "toolkit/FixedPalette.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/ScreenPlacement.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTest>

using namespace twl;

TEST(ScreenPlacement, KeepsAVisiblePlaceAndOtherwiseMovesTheLeastOntoTheNearestScreen) {
    const QRect single(0, 0, 1600, 1000);
    const QRect panelled(0, 0, 1600, 960); // a task bar takes the bottom 40
    const QRect left(0, 0, 1920, 1080), right(1920, 0, 1280, 1024);
    struct Row {
        const char* name;
        QList<QRect> areas;
        QRect wanted, expected;
    };
    const Row rows[] = {
        {"inside", {single}, {100, 100, 533, 546}, {100, 100, 533, 546}},
        {"far off", {single}, {5000, 3000, 533, 546}, {1067, 454, 533, 546}},
        {"left and above", {single}, {-700, -20, 533, 546}, {0, 0, 533, 546}},
        {"partly off the right", {single}, {1500, 10, 533, 546}, {1067, 10, 533, 546}},
        {"under the task bar", {panelled}, {200, 600, 533, 546}, {200, 414, 533, 546}},
        {"larger than the screen", {QRect(0, 0, 800, 600)}, {50, 50, 1000, 700}, {0, 0, 800, 600}},
        {"across two screens", {left, right}, {1700, 100, 533, 546}, {1700, 100, 533, 546}},
        {"below the smaller screen", {left, right}, {2500, 900, 533, 546}, {2500, 478, 533, 546}},
        {"right of both", {left, right}, {4000, 100, 533, 546}, {2667, 100, 533, 546}},
        {"screen gone on the left", {right}, {100, 100, 533, 546}, {1920, 100, 533, 546}},
        {"no screens known", {}, {5000, 3000, 533, 546}, {5000, 3000, 533, 546}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(placeOnScreens(r.wanted, r.areas), r.expected) << r.name;
}

TEST(FixedPalette, EveryRoleOfEveryGroupIsTheWindowsOwnUnderADarkTheme) {
    const QPalette before = QApplication::palette();
    QPalette dark;
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        dark.setColor(QPalette::ColorRole(role), QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    {
        TForm form;
        auto* list = new TListView(&form);
        list->AddColumn("Payment #", 70);
        const QPalette pal = form.palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                if (role == QPalette::NoRole) continue;
                const auto r = QPalette::ColorRole(role);
                // Window and its text are the window's Color and Font.
                if (r != QPalette::Window && r != QPalette::WindowText) {
                    EXPECT_EQ(pal.color(g, r), fixedPalette().color(g, r)) << g << " " << role;
                }
                EXPECT_NE(pal.color(g, r), QColor(40, 40, 40)) << g << " " << role;
            }
        // The table's header reads dark on light, as the window does.
        const QPalette header = list->horizontalHeader()->palette();
        EXPECT_EQ(header.color(QPalette::ButtonText), QColor(Qt::black));
        EXPECT_EQ(header.color(QPalette::Button), toQColor(clBtnFace));
    }
    QApplication::setPalette(before);
}

TEST(ListView, CopiesSelectedRowsSelectsAllAndJumpsToTheEnds) {
    TForm form;
    auto* list = new TListView(&form);
    list->setMultiSelect(true);
    for (const char* c : {"No.", "Payment", "Interest"})
        list->AddColumn(c, 60);
    list->addItem("1", {"10.00", "0.50"});
    list->addItem("2", {"10.00", "0.40"});
    list->addItem("3", {"10.00"}); // a row cut short keeps its empty cell
    form.resize(300, 200);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    list->setFocus();

    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->currentIndex().row(), 2);
    EXPECT_TRUE(list->itemSelected(2));
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_TRUE(list->itemSelected(0));
    EXPECT_FALSE(list->itemSelected(2));

    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\t10.00\t0.50\n");

    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    for (int r = 0; r < 3; ++r)
        EXPECT_TRUE(list->itemSelected(r)) << r;
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\t10.00\t0.50\n2\t10.00\t0.40\n3\t10.00\t\n");

    // Nothing selected: the clipboard keeps what it had.
    list->clearSelection();
    QGuiApplication::clipboard()->setText("kept");
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The speed button under the user's hands: clicks and double-clicks, the
// popup menu, accelerators, the pointer, the keyboard focus, screen readers.

#include "tests/widgets/SpeedButtonForm.h"
#include "widgets/LbSpeedButton.h"
#include "widgets/LbSpeedButtonAccessible.h"
#include "widgets/LbSpeedButtonGlyphs.h"

#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace twl;
using namespace twl::test;

namespace {

// The mouse events a widget receives, by type.
struct MouseEventTypes : QObject {
    explicit MouseEventTypes(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        const QEvent::Type t = e->type();
        if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
            t == QEvent::MouseButtonDblClick)
            types << t;
        return false;
    }
    QList<QEvent::Type> types;
};

// A double-click as the window system reports it: two presses and releases
// in quick succession at one spot, which Qt turns into the widget's events.
void doubleClick(QWidget* w, QPoint pos) {
    QWidget* top = w->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, pos));
}

} // namespace

TEST(LbSpeedButton, DoubleClickIsOneMorePress) {
    Form f;
    TLbSpeedButton* plain = f.add(10, 10);
    TLbSpeedButton* toggle = f.add(120, 10);
    toggle->setGroupIndex(1);
    toggle->setAllowAllUp(true);
    TLbSpeedButton* sticky = f.add(230, 10);
    sticky->setGroupIndex(2);
    f.show();
    QStringList log;
    for (TLbSpeedButton* b : {plain, toggle, sticky}) {
        b->OnMouseDown = [&log](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                int y) {
            log << QStringLiteral("down %1 %2,%3").arg(button).arg(x).arg(y);
        };
        b->OnClick = [&log, b](QObject*) { log << QStringLiteral("click down=%1").arg(b->Down()); };
        b->OnMouseUp = [&log, b](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            log << QStringLiteral("up");
        };
    }

    MouseEventTypes seen(plain);
    doubleClick(plain, QPoint(5, 6));
    ASSERT_EQ(seen.types,
              QList<QEvent::Type>({QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                   QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}));
    const QStringList pressAndClick = {"down 1 5,6", "click down=1", "up"};
    EXPECT_EQ(log, pressAndClick + pressAndClick);
    EXPECT_FALSE(plain->Down());

    // A group button that may pop up goes down and up again.
    log.clear();
    doubleClick(toggle, QPoint(5, 6));
    EXPECT_EQ(
        log, QStringList({"down 1 5,6", "click down=1", "up", "down 1 5,6", "click down=0", "up"}));
    EXPECT_FALSE(toggle->Down());

    // One that may not stays down, and still clicks twice.
    log.clear();
    doubleClick(sticky, QPoint(5, 6));
    EXPECT_EQ(log, pressAndClick + pressAndClick);
    EXPECT_TRUE(sticky->Down());
}

TEST(LbSpeedButton, MouseEventsReachTheirHandlers) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    f.show();
    QStringList log;
    b->OnMouseDown = [&](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        log << QStringLiteral("down %1 %2,%3").arg(int(button)).arg(x).arg(y);
    };
    b->OnMouseUp = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log << QStringLiteral("up down=%1").arg(b->Down());
    };
    b->OnClick = [&](QObject*) { log << QStringLiteral("click"); };
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(3, 4));
    // The click comes before OnMouseUp, and the button pops up after both.
    EXPECT_EQ(log, QStringList({"down 1 3,4", "click", "up down=1"}));
    EXPECT_FALSE(b->Down());
}

TEST(LbSpeedButton, PopupMenuOpensUnderTheButtonBeforeOnClick) {
    Form f;
    TLbSpeedButton* b = f.add(20, 30);
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    b->setPopupMenu(&menu);
    f.show();
    QStringList order;
    QPoint shownAt;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        order << QStringLiteral("popup");
        QTimer::singleShot(0, &menu, [&] {
            shownAt = menu.pos();
            menu.close();
        });
    });
    b->OnClick = [&](QObject*) { order << QStringLiteral("click"); };
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(order, QStringList({"popup", "click"}));
    EXPECT_EQ(shownAt, b->mapToGlobal(QPoint(0, b->height())));
    // The arrow shows on the button.
    EXPECT_EQ(b->paintSurface().pixel(b->width() - 11, b->height() / 2 - 1), qRgb(0, 0, 0));
}

TEST(LbSpeedButton, AcceleratorKeyClicksOnce) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    b->setCaption(QStringLiteral("&Calculate"));
    TLbSpeedButton* off = f.add(10, 50);
    off->setCaption(QStringLiteral("E&xport"));
    off->setEnabled(false);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    int clicks = 0;
    bool downInClick = false;
    b->OnClick = [&](QObject*) {
        ++clicks;
        downInClick = b->Down();
    };
    int offClicks = 0;
    off->OnClick = [&](QObject*) { ++offClicks; };

    QTest::keyClick(&f.window, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(downInClick);
    EXPECT_FALSE(b->Down());
    QTest::keyClick(&f.window, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(offClicks, 0);

    // The same rule when the key arrives directly; "&&" is a plain ampersand.
    EXPECT_TRUE(b->acceleratorPressed(QLatin1Char('c')));
    EXPECT_FALSE(b->acceleratorPressed(QLatin1Char('a')));
    EXPECT_FALSE(off->acceleratorPressed(QLatin1Char('x')));
    b->setCaption(QStringLiteral("A&&B"));
    EXPECT_FALSE(b->acceleratorPressed(QLatin1Char('B')));
    EXPECT_EQ(clicks, 2);
}

TEST(LbSpeedButton, PointerEnterAndLeave) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    b->setUseHotTrackFont(true);
    f.show();
    QStringList log;
    b->OnMouseEnter = [&](QObject*) { log << QStringLiteral("enter"); };
    b->OnMouseExit = [&](QObject*) { log << QStringLiteral("exit"); };
    enter(b);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_EQ(b->FadeStep(), 8);
    EXPECT_EQ(b->paintState().font, b->HotTrackFont());
    leave(b);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(b->FadeStep(), 0);
    EXPECT_EQ(b->paintState().font, b->Font());
    EXPECT_EQ(log, QStringList({"enter", "exit"}));

    // A disabled button does not track the pointer.
    b->setEnabled(false);
    enter(b);
    leave(b);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(log.size(), 2);
}

TEST(LbSpeedButton, HotTrackingShowsOnTheSurface) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    b->setColor(0x000000);
    b->setHotTrackColor(0x0000FF);
    b->setFlat(true);
    f.show();
    EXPECT_EQ(b->paintSurface().pixel(50, 5), qRgb(0, 0, 0));
    EXPECT_EQ(b->paintSurface().pixel(0, 0), qRgb(0, 0, 0)); // flat: no bevel
    enter(b);
    EXPECT_EQ(b->paintSurface().pixel(50, 5), qRgb(255, 0, 0));
    EXPECT_EQ(b->paintSurface().pixel(0, 0), qRgb(255, 255, 255));
}

TEST(LbSpeedButton, TabFocusSpaceAndTheFocusMark) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    b->resize(105, 41);
    b->setCaption(QStringLiteral("&Calculate"));
    TLbSpeedButton* plain = f.add(10, 60);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    EXPECT_EQ(plain->focusPolicy(), Qt::NoFocus); // a button takes focus only when given it
    b->setFocusPolicy(Qt::TabFocus);
    int clicks = 0;
    bool downInClick = false;
    b->OnClick = [&](QObject*) {
        ++clicks;
        downInClick = b->Down();
    };
    const QImage unfocused = b->grab().toImage();
    b->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(b->hasFocus());
    EXPECT_NE(b->grab().toImage(), unfocused); // the focus shows

    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 0); // pressed on the way down, clicked on the way up
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(downInClick);
    EXPECT_FALSE(b->Down());

    // Neither Enter nor Escape presses it; Space with a modifier does not either.
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Return, Qt::NoModifier}, std::pair{Qt::Key_Enter, Qt::NoModifier},
          std::pair{Qt::Key_Escape, Qt::NoModifier}, std::pair{Qt::Key_Space, Qt::ControlModifier}})
        QTest::keyClick(b, key, modifiers);
    EXPECT_EQ(clicks, 1);

    // Focus lost while Space is held: no click.
    QTest::keyPress(b, Qt::Key_Space);
    plain->setFocusPolicy(Qt::TabFocus);
    plain->setFocus(Qt::TabFocusReason);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Down());

    // In a group Space works as a click does: down stays down, AllowAllUp lets it up.
    b->setGroupIndex(1);
    b->setAllowAllUp(true);
    b->setFocus(Qt::TabFocusReason);
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_TRUE(b->Down());
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 3);
}

TEST(LbSpeedButton, AccessibleAsAPushButtonNamedByItsCaption) {
    Form f;
    TLbSpeedButton* b = f.add(10, 10);
    b->setCaption(QStringLiteral("&Calculate"));
    b->setHint(QStringLiteral("Computes the table"));
    int clicks = 0;
    b->OnClick = [&](QObject*) { ++clicks; };
    f.show();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "Calculate");
    EXPECT_EQ(a->text(QAccessible::Description), "Computes the table");
    QAccessibleActionInterface* actions = a->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    b->setEnabled(false);
    EXPECT_TRUE(actions->actionNames().isEmpty());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);

    for (const auto& [caption, spoken] : {std::pair{"E&xport", "Export"}, std::pair{"A&&B", "A&B"},
                                          std::pair{"Plain", "Plain"}, std::pair{"End&", "End"}})
        EXPECT_EQ(captionWithoutMnemonic(QString::fromUtf8(caption)), spoken) << caption;
}

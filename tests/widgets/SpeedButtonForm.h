// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the speed button tests share: a shown window to put buttons on, the
// display depth to pretend, the pointer entering and leaving.

#include "widgets/LbSpeedButton.h"
#include "widgets/LbSpeedButtonGlyphs.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMetaProperty>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace twl::test {

struct DepthScope {
    explicit DepthScope(int bits) {
        setDisplayDepthSource([bits] { return bits; });
    }
    ~DepthScope() { setDisplayDepthSource({}); }
};

// A shown window with buttons on it.
struct Form {
    Form() {
        window.resize(400, 200);
        window.move(50, 60);
    }
    TLbSpeedButton* add(int x, int y) {
        auto* b = new TLbSpeedButton(&window);
        b->move(x, y);
        return b;
    }
    void show() {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWidget window;
};

inline void enter(QWidget* w) {
    QEnterEvent e(QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
}

inline void leave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

inline QMetaProperty prop(const QObject& o, const char* name) {
    return o.metaObject()->property(o.metaObject()->indexOfProperty(name));
}

} // namespace twl::test

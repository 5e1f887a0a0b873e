// SPDX-License-Identifier: GPL-3.0-or-later
// Where the main and chart windows stand: the client area comes back as it
// was stored, whatever frame the desktop adds around it, and the whole frame
// is brought onto the screen. The suite runs again on a screen scaled by two
// (tests/app/tests.cmake).

#include "app/ChartWindow.h"
#include "app/MainWindow.h"
#include "app/SettingsFile.h"
#include "tests/app/MainWindowFixture.h"
#include "toolkit/Controls.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace twl;

namespace {

class WindowPlacement : public test::MainWindowFixture {
protected:
    void storePosition(const QRect& r) {
        SettingsFile s(iniPath());
        s.WriteInteger("Position", "Top", r.y());
        s.WriteInteger("Position", "Left", r.x());
        s.WriteInteger("Position", "Height", r.height());
        s.WriteInteger("Position", "Width", r.width());
    }
    QRect storedPosition() const {
        const SettingsFile s(iniPath());
        return {s.ReadInteger("Position", "Left", -1), s.ReadInteger("Position", "Top", -1),
                s.ReadInteger("Position", "Width", -1), s.ReadInteger("Position", "Height", -1)};
    }
    static QRect screen() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static void showAndSettle(QWidget& w) {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(WindowPlacement, TheClientAreaComesBackAsItWasAtEveryStart) {
    const QRect stored(screen().x() + 40, screen().y() + 60, 520, 300);
    storePosition(stored);
    for (int start = 1; start <= 3; ++start) {
        Tmainfrm form;
        showAndSettle(form);
        EXPECT_EQ(form.geometry(), stored) << "start " << start;
        // The frame lies around it, not in its place.
        EXPECT_TRUE(form.frameGeometry().contains(form.geometry()));
        form.close();
        EXPECT_EQ(storedPosition(), stored) << "start " << start;
    }
}

TEST_F(WindowPlacement, TheWholeFrameIsBroughtOntoTheScreen) {
    const QRect s = screen();
    struct Case {
        const char* name;
        std::optional<QRect> stored; // none: the first start, at the top-left corner
    } cases[] = {
        {"first start", std::nullopt},
        {"bottom below the screen", QRect(s.x() + 20, s.bottom() - 100, 520, 400)},
        {"left of the screen", QRect(s.x() - 300, s.y() + 20, 520, 300)},
        {"taller than the screen", QRect(s.x(), s.y(), 533, s.height() + 200)},
    };
    for (const Case& c : cases) {
        QFile::remove(iniPath());
        if (c.stored) storePosition(*c.stored);
        Tmainfrm form;
        showAndSettle(form);
        EXPECT_TRUE(s.contains(form.frameGeometry()))
            << c.name << ": " << form.frameGeometry().x() << "," << form.frameGeometry().y() << " "
            << form.frameGeometry().width() << "x" << form.frameGeometry().height();
        // The buttons' row is in view.
        EXPECT_TRUE(s.contains(QRect(form.bpanel->mapToGlobal(QPoint(0, 0)), form.bpanel->size())))
            << c.name;

        // The chart window opens whole on the screen too, beside a window
        // that stands at the screen's edge.
        form.chartbtnClick(nullptr);
        ASSERT_TRUE(form.chartWindow);
        TChartWindow& chart = *form.chartWindow;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        QCoreApplication::processEvents();
        EXPECT_TRUE(s.contains(chart.frameGeometry()))
            << c.name << ": chart " << chart.frameGeometry().x() << "," << chart.frameGeometry().y()
            << " " << chart.frameGeometry().width() << "x" << chart.frameGeometry().height();
        form.close();
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point: one QApplication for the whole run (widgets need it),
// offscreen unless the caller chose a platform, and pinned regional settings.

#include "base/RegionalSettings.h"
#include "toolkit/UseWidgets.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A dialog that no test answers would block the run forever: after it has
// stayed open for a long while it is closed and the test fails, so the suite
// ends with a report instead of hanging CI.
void installModalWatchdog() {
    static QPointer<QWidget> seen;
    static int ticks = 0;
    auto* timer = new QTimer(qApp);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != seen) {
            seen = modal;
            ticks = 0;
            return;
        }
        if (!modal || ++ticks < 30) return;
        ADD_FAILURE() << "an unanswered dialog was left open: " << modal->metaObject()->className()
                      << " \"" << modal->windowTitle().toStdString() << "\"";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        ticks = 0;
    });
    timer->start();
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    twl::setRegionalSettings(twl::RegionalSettings{});
    twl::useWidgets();
    installModalWatchdog();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

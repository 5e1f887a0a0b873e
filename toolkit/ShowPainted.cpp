// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ShowPainted.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace twl {

namespace {
constexpr int ExposeLimitMs = 1000;
}

void showPainted(QWidget& window) {
    window.show();
    QWindow* handle = window.windowHandle();
    if (handle && !handle->isExposed()) {
        // The limit timer wakes the wait should no expose event ever come.
        QTimer limit;
        limit.setSingleShot(true);
        limit.start(ExposeLimitMs);
        while (!handle->isExposed() && limit.isActive())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                            QEventLoop::ExcludeUserInputEvents);
    }
    window.repaint();
}

} // namespace twl

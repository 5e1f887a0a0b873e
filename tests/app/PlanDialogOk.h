// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pressing the Plan dialog's OK as a user does, and reading what it told.

#include "app/PlanDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace twl::test {

// Presses OK and returns the text of the message box it opened ("" when none);
// the box is answered by a timer of its own, gone when no box came.
inline QString pressOk(TPlanDialog& dialog) {
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

} // namespace twl::test

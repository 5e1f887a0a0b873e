// SPDX-License-Identifier: GPL-3.0-or-later
// The fade worker with its real thread: ticks arrive on the user-interface
// thread, pause at step 0, and stop cleanly whatever the worker is doing.
// Every wait is event-driven with a generous limit; no timing is asserted.

#include "widgets/LbSpeedButton.h"

#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

using namespace twl;

namespace {

constexpr int Patience = 20000; // ms; only a hung worker reaches it

struct FadeFixture : ::testing::Test {
    void SetUp() override {
        window = std::make_unique<QWidget>();
        button = new TLbSpeedButton(window.get());
        button->setColor(0x000000);
        button->setHotTrackColor(0x0000FF);
        button->setSlowDecease(true);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QObject::connect(button, &TLbSpeedButton::fadeTicked, [this](int step) {
            steps << step;
            onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
        });
    }

    void enter() {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(button, &e);
    }
    void leave() {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(button, &e);
    }
    // Lets every event already queued run.
    static void drain() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<QWidget> window;
    TLbSpeedButton* button = nullptr;
    QList<int> steps;
    bool onUiThread = true;
};

} // namespace

TEST_F(FadeFixture, LeavingCountsDownToZeroThenPauses) {
    TLbButtonThread* worker = button->FadeThread();
    ASSERT_NE(worker, nullptr);
    EXPECT_TRUE(worker->Suspended());
    QTRY_VERIFY_WITH_TIMEOUT(worker->isParked(), Patience);

    enter();
    EXPECT_EQ(button->FadeStep(), 8);
    EXPECT_TRUE(worker->Suspended()); // entering leaves the worker alone
    leave();
    QTRY_COMPARE_WITH_TIMEOUT(steps.size(), 8, Patience);
    EXPECT_EQ(steps, QList<int>({7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_TRUE(onUiThread);
    EXPECT_TRUE(worker->Suspended());
    QTRY_VERIFY_WITH_TIMEOUT(worker->isParked(), Patience);
    drain();
    EXPECT_EQ(steps.size(), 8);
    EXPECT_EQ(button->FadeStep(), 0);
    EXPECT_EQ(button->paintSurface().pixel(50, 5), qRgb(0, 0, 0));

    // The next leave fades again.
    enter();
    leave();
    QTRY_COMPARE_WITH_TIMEOUT(steps.size(), 16, Patience);
    EXPECT_EQ(steps.mid(8), QList<int>({7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST_F(FadeFixture, ReenteringRestartsTheCountdownFromEight) {
    enter();
    leave();
    QTRY_VERIFY_WITH_TIMEOUT(steps.size() >= 3, Patience);
    const qsizetype before = steps.size();
    ASSERT_GT(steps.last(), 0);
    enter();
    EXPECT_EQ(button->FadeStep(), 8);
    // The running worker goes on from 8.
    QTRY_COMPARE_WITH_TIMEOUT(steps.size(), before + 8, Patience);
    EXPECT_EQ(steps.mid(before), QList<int>({7, 6, 5, 4, 3, 2, 1, 0}));
    QTRY_VERIFY_WITH_TIMEOUT(button->FadeThread()->isParked(), Patience);
}

TEST_F(FadeFixture, ClearingSlowDeceaseMidFadeStopsTheWorker) {
    enter();
    leave();
    QTRY_VERIFY_WITH_TIMEOUT(steps.size() >= 2, Patience);
    button->setSlowDecease(false);
    EXPECT_EQ(button->FadeThread(), nullptr);
    EXPECT_EQ(button->FadeStep(), 0);
    const qsizetype stopped = steps.size();
    drain();
    EXPECT_EQ(steps.size(), stopped);

    // Without the worker, leaving resets at once.
    enter();
    leave();
    EXPECT_EQ(button->FadeStep(), 0);
}

TEST_F(FadeFixture, StoppingWhileATickIsHandedOverDoesNotDeadlock) {
    enter();
    leave();
    // The worker has posted a tick and waits for it; the user-interface
    // thread has not run it and now drops the worker.
    ASSERT_TRUE(button->FadeThread()->waitUntilTickPending(std::chrono::milliseconds(Patience)));
    button->setSlowDecease(false);
    EXPECT_EQ(button->FadeThread(), nullptr);
    drain();
    EXPECT_TRUE(steps.isEmpty());
}

TEST_F(FadeFixture, DestroyingTheButtonMidFadeIsSafe) {
    enter();
    leave();
    QTRY_VERIFY_WITH_TIMEOUT(steps.size() >= 1, Patience);
    ASSERT_TRUE(button->FadeThread()->waitUntilTickPending(std::chrono::milliseconds(Patience)));
    const qsizetype before = steps.size();
    window.reset();
    drain();
    EXPECT_EQ(steps.size(), before);
}

TEST_F(FadeFixture, TickHandlerMayDropTheWorker) {
    QObject::connect(button, &TLbSpeedButton::fadeTicked, [this](int step) {
        if (step == 5) button->setSlowDecease(false);
    });
    enter();
    leave();
    QTRY_VERIFY_WITH_TIMEOUT(button->FadeThread() == nullptr, Patience);
    drain();
    EXPECT_EQ(steps, QList<int>({7, 6, 5}));
    EXPECT_EQ(button->FadeStep(), 0);
}

TEST(LbButtonThread, CreatedPausedAndStopsFromAnyState) {
    int ticks = 0;
    QObject* sender = nullptr;
    auto worker = std::make_unique<TLbButtonThread>([&](QObject* s) {
        ++ticks;
        sender = s;
    });
    QTRY_VERIFY_WITH_TIMEOUT(worker->isParked(), Patience);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 0);
    worker->Resume();
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, Patience);
    EXPECT_EQ(sender, worker.get());
    worker->Suspend();
    QTRY_VERIFY_WITH_TIMEOUT(worker->isParked(), Patience);
    const int paused = ticks;
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, paused);
    // Destroying a paused worker resumes, terminates and joins it.
    worker.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, paused);
}

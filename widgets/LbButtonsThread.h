// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fade worker of a speed button: it sleeps 30 ms, hands one tick to the
// user-interface thread, waits until the tick has run, and repeats until it is
// paused or terminated. It is created paused.
//
// Stopping never deadlocks against a tick being handed over: the worker waits
// for a tick on its own condition variable, which a termination also wakes, so
// the user-interface thread can join it at any moment; a tick still queued
// then is dropped.

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace twl {

class TLbButtonThread : public QObject {
    Q_OBJECT
public:
    // Runs on the user-interface thread; the thread passes itself as the sender.
    using TNotifyEvent = std::function<void(QObject* sender)>;

    static constexpr std::chrono::milliseconds TickInterval{30};

    // Starts the worker paused; `onTick` is stored as OnTick. Create it on the
    // user-interface thread: that is where the ticks run.
    explicit TLbButtonThread(TNotifyEvent onTick, QObject* parent = nullptr);
    // Resumes, terminates and waits for the worker; errors are swallowed.
    ~TLbButtonThread() override;

    TNotifyEvent OnTick;

    void Resume();
    void Suspend();
    bool Suspended() const;
    void Terminate();
    bool Terminated() const;
    // Joins the worker. Safe from the user-interface thread after Terminate.
    void WaitFor();
    // Resume, terminate, wait: the stop that works whatever state the worker is in.
    void stop() noexcept;

    // Observation points for tests: the worker waits for a resume, or has
    // posted a tick that has not run yet.
    bool isParked() const;
    bool waitUntilTickPending(std::chrono::milliseconds timeout) const;

private:
    void run();
    Q_INVOKABLE void runTick();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cond;
    bool m_suspended = true;
    bool m_terminated = false;
    bool m_parked = false;
    bool m_tickPending = false;
    std::thread m_worker;
};

} // namespace twl

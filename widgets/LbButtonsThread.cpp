// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LbButtonsThread.h"

#include <QPointer>

namespace twl {

TLbButtonThread::TLbButtonThread(TNotifyEvent onTick, QObject* parent)
    : QObject(parent)
    , OnTick(std::move(onTick)) {
    m_worker = std::thread([this] { run(); });
}

TLbButtonThread::~TLbButtonThread() {
    stop();
}

void TLbButtonThread::Resume() {
    {
        std::lock_guard lock(m_mutex);
        m_suspended = false;
    }
    m_cond.notify_all();
}

void TLbButtonThread::Suspend() {
    {
        std::lock_guard lock(m_mutex);
        m_suspended = true;
    }
    m_cond.notify_all();
}

bool TLbButtonThread::Suspended() const {
    std::lock_guard lock(m_mutex);
    return m_suspended;
}

void TLbButtonThread::Terminate() {
    {
        std::lock_guard lock(m_mutex);
        m_terminated = true;
    }
    m_cond.notify_all();
}

bool TLbButtonThread::Terminated() const {
    std::lock_guard lock(m_mutex);
    return m_terminated;
}

void TLbButtonThread::WaitFor() {
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id()) m_worker.join();
}

void TLbButtonThread::stop() noexcept {
    try {
        Resume();
        Terminate();
        WaitFor();
    } catch (...) {
        // The button must always be able to drop its worker.
    }
}

bool TLbButtonThread::isParked() const {
    std::lock_guard lock(m_mutex);
    return m_parked;
}

bool TLbButtonThread::waitUntilTickPending(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_cond.wait_for(lock, timeout, [this] { return m_tickPending; });
}

void TLbButtonThread::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_parked = true;
        m_cond.notify_all();
        m_cond.wait(lock, [this] { return !m_suspended || m_terminated; });
        m_parked = false;
        if (m_terminated) break;
        // Sleep one interval; a pause or a termination cuts it short.
        m_cond.wait_for(lock, TickInterval, [this] { return m_suspended || m_terminated; });
        if (m_terminated) break;
        if (m_suspended) continue;
        m_tickPending = true;
        m_cond.notify_all();
        lock.unlock();
        // A queued meta-call: the event carries nothing but this object, which
        // the user-interface thread owns.
        QMetaObject::invokeMethod(this, "runTick", Qt::QueuedConnection);
        lock.lock();
        m_cond.wait(lock, [this] { return !m_tickPending || m_terminated; });
        if (m_terminated) break;
    }
    m_parked = false;
}

void TLbButtonThread::runTick() {
    {
        std::lock_guard lock(m_mutex);
        if (m_terminated || !m_tickPending) return;
    }
    // Releases the worker however the handler ends; the handler may even free
    // this thread (by clearing the button's SlowDecease).
    struct Release {
        QPointer<TLbButtonThread> self;
        ~Release() {
            if (!self) return;
            {
                std::lock_guard lock(self->m_mutex);
                self->m_tickPending = false;
            }
            self->m_cond.notify_all();
        }
    } release{this};
    // A copy, since the handler may free the stored one along with this thread.
    const TNotifyEvent tick = OnTick;
    if (tick) tick(this);
}

} // namespace twl

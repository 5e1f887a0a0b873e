// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Timer.h"

namespace twl {

TTimer::TTimer(QObject* parent)
    : QObject(parent) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (OnTimer) OnTimer(this);
    });
}

void TTimer::setEnabled(bool v) {
    m_enabled = v;
    update();
}

void TTimer::setInterval(int ms) {
    m_timer.setInterval(ms < 0 ? 0 : ms);
    update();
}

void TTimer::update() {
    if (m_enabled && m_timer.interval() > 0)
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace twl

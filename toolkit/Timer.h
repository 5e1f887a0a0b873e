// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A timer component: enabled or not, an interval, and an OnTimer event.

#include <QObject>
#include <QTimer>
#include <functional>

namespace twl {

class TTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)

public:
    explicit TTimer(QObject* parent = nullptr);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v);
    int Interval() const { return m_timer.interval(); }
    void setInterval(int ms);

    std::function<void(QObject* sender)> OnTimer;

private:
    void update();

    QTimer m_timer;
    bool m_enabled = true;
};

} // namespace twl

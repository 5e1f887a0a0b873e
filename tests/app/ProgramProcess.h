// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The environment a test runs the built twlc-export in: the C conventions,
// a fixed "now" at noon UTC (the same day anywhere) and a home of its own, so
// that no user's settings or languages reach it.

#include <QProcessEnvironment>
#include <QString>

namespace twl::test {

inline QProcessEnvironment programEnvironment(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOURCE_DATE_EPOCH", "1796644800");
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("XDG_CONFIG_HOME", home);
    env.insert("XDG_DATA_HOME", home);
    return env;
}

} // namespace twl::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliMessageGuard.h"

#include "toolkit/ErrorDisplay.h"

#include <QIODevice>

namespace twl {

CliMessageGuard::CliMessageGuard(QIODevice& err)
    : m_scope([this, &err](const QString&, const QString& text) {
        m_failed = true;
        QString line = defaultErrorText(text.simplified());
        err.write(QStringLiteral("twlc-export: %1\n").arg(line).toLocal8Bit());
    }) {}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While a command-line run lives, no window opens: every message the export
// component or the translator would show in a box becomes one line on the
// error output, and the run counts as failed.

#include "toolkit/Messages.h"

class QIODevice;

namespace twl {

class CliMessageGuard {
public:
    explicit CliMessageGuard(QIODevice& err);

    // Whether a message was written (a value was refused).
    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
    HeadlessScope m_scope;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view-only run's last step: the written document is opened with the
// desktop's application for its type, and the caller hears when nothing
// opened it (no opener program, or no application for the type), so that
// the user can be told where the file is.

#include <QString>
#include <functional>

class QObject;

namespace twl {

// Starts the opener program on `FileName`, without waiting for it; `failed`
// runs later, on the user-interface thread, when the program cannot start or
// ends with a failure status. `guard` going away first silences `failed`.
void kxOpenInViewer(const QString& FileName, QObject* guard,
                    std::function<void(const QString& FileName)> failed);

// The opener program: xdg-open unless a test names another.
void kxSetViewerProgram(const QString& program);

} // namespace twl

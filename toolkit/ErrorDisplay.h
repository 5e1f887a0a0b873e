// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two ways errors reach the user. The default display shows an error that
// escaped an event handler: a message box captioned with the application title.
// The local style is used by handlers that catch their own errors: an "Error"
// dialog whose text ends in ": " and the error's type name. Both are centred on
// the window the user works in.

#include "base/Exceptions.h"

#include <QString>
#include <exception>
#include <utility>

namespace twl {

// The message with "." appended unless it is empty or ends in "." or a
// character of lower code.
QString defaultErrorText(const QString& message);
QString localErrorText(const Exception& error);

void ShowDefaultError(const QString& message);
void ShowLocalError(const Exception& error);

// Runs an event handler; an error that escapes it goes to the default display,
// so the application keeps running.
template <class Handler> void runGuarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const Exception& e) {
        ShowDefaultError(e.message());
    } catch (const std::exception& e) {
        ShowDefaultError(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace twl

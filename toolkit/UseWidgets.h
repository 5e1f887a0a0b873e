// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the layers below the widgets ask of windows, answered by the widget
// layer: messages in message boxes, a watch for windows while headless
// (Messages.h), and which window a control is on (Component.h).

namespace twl {

// Every program with windows calls it before its first window or message;
// calling it again changes nothing.
void useWidgets();

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology sees of a speed button: a push button named by
// its caption, with a press action that clicks it.

#include <QString>

namespace twl {

// The caption as read aloud: without its accelerator marks ("&&" is one "&").
QString captionWithoutMnemonic(const QString& caption);

// Registers the buttons' accessible interface with Qt; once per process.
void installSpeedButtonAccessibility();

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's button look and the pictures on its three buttons. Each
// picture stands on a magenta background, which its lower-left pixel hands to
// the button as the see-through colour.

#include "widgets/LbSpeedButton.h"

#include <QImage>

namespace twl {

// A pocket calculator, 32 x 32: the larger picture of the Calculate button.
QImage calculatorGlyph();
// A page with an arrow leaving it, 16 x 16.
QImage exportGlyph();
// A red cross, 16 x 16.
QImage closeGlyph();

// Gives a button the look the main window's buttons share: style bsModern,
// centred caption, `glyph` as its one image, and a hot-track font "MS Sans
// Serif" of 8 points (height -11) in blue, underlined, used while hot.
void applyMainWindowButtonLook(TLbSpeedButton& button, const QImage& glyph);

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speed button's companions: its enumerations, the colour presets and the
// drawing routines that paint a button onto an off-screen surface. The fade
// worker that counts the hot-track colour back down is in LbButtonsThread.h.

#include "base/Font.h"
#include "base/TColor.h"

#include <QFontMetrics>
#include <QImage>
#include <QObject>
#include <QString>
#include <functional>

namespace twl {
namespace Lb {
Q_NAMESPACE

enum TLbSpeedButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TLbSpeedButtonLayout)

enum TLbSpeedButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
Q_ENUM_NS(TLbSpeedButtonStyle)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Where a control docks in its parent, and which parent edges it keeps its
// distance to when the parent is resized.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAnchors)

enum TLbColorStyle {
    lcsCustom,
    lcsGold,
    lcsChrome,
    lcsBlue,
    lcsRed,
    lcsUltraFlat1,
    lcsUltraFlat2,
    lcsUltraFlatXP,
    lcsAqua,
    lcsDefault,
    lcsQuicken
};
Q_ENUM_NS(TLbColorStyle)

} // namespace Lb

// The button's own names; TAlignment, TAlign and TAnchors stay in Lb, where
// they cannot meet the same names of other control libraries.
using Lb::TLbColorStyle;
using Lb::TLbSpeedButtonLayout;
using Lb::TLbSpeedButtonStyle;

// The colours, flatness and style a preset gives a button.
struct TLbColorStyleValues {
    TColor faceColor = clBtnFace;
    TColor lightColor = clWhite;
    TColor shadowColor = clBlack;
    TColor downColor = clNone;
    TColor hotTrackColor = clNone;
    TColor fontColor = clBlack;
    bool flat = false;
    TLbSpeedButtonStyle style = Lb::bsNormal;
};

// The preset's values; lcsCustom (which presets nothing) gives the starting values.
TLbColorStyleValues ApplyColorStyle(TLbColorStyle style);

// The display's bits per pixel. Tests replace the source to reach the rule for
// 8-bit displays; an empty source restores the primary screen's depth.
using DisplayDepthSource = std::function<int()>;
void setDisplayDepthSource(DisplayDepthSource source);
int displayBitsPerPixel();

// Surfaces that need to be see-through are filled with this colour first;
// pixels still holding it are skipped when the surface is copied to the screen.
inline constexpr QRgb TransparentKey = 0xFFFF00FF;

// Everything DrawButton needs to know about a button.
struct TLbButtonPaintState {
    int width = 0;
    int height = 0;
    TLbSpeedButtonStyle style = Lb::bsNormal;
    TLbSpeedButtonLayout layout = Lb::blGlyphLeft;
    Lb::TAlignment alignment = Lb::taLeftJustify;
    bool enabled = true;
    bool down = false;
    bool flat = false;
    bool transparent = false;
    bool wordWrap = false;
    bool mouseInControl = false;
    bool hasPopupMenu = false;
    int fadeStep = 0;
    TColor color = clBtnFace;
    TColor colorWhenDown = clNone;
    TColor hotTrackColor = clNone;
    TColor lightColor = clWhite;
    TColor shadowColor = clBlack;
    const TFont* font = nullptr; // the chosen font; a default font when null
    QString caption;
    QImage glyph;
    int numGlyphs = 0;
};

// Whether a button in this state is drawn on a magenta-keyed surface.
bool needsTransparentKey(const TLbButtonPaintState& s);

// The face colour after the hot-track blend and the down colour.
TColor faceColorOf(const TLbButtonPaintState& s);

// The index of the glyph strip's image for this state: 0 up, 1 disabled, 2 down, 3 hot.
int glyphCellIndex(const TLbButtonPaintState& s);

// Paints the whole button onto `surface` (already sized, in a 32-bit format,
// and, where needed, filled with the transparent key). These routines write
// 32-bit pixels straight into the surface; only a glyph in another format is
// converted first.
void DrawButton(QImage& surface, const TLbButtonPaintState& s);

// A vertical gradient from colour a to colour b in 32 bands over (x1, y1)-(x2, y2).
void DrawGradient(QImage& surface, TColor a, TColor b, int x1, int y1, int x2, int y2);

// Draws the image of `glyph` that starts at `cellLeft` at (x, y); the cell's
// lower-left pixel gives the colour that stays see-through.
void DrawGlyphCell(QImage& surface, const QImage& glyph, int x, int y, int cellLeft, int gh,
                   int gw);

// The caption after removing its last characters until it is at most `limit`
// pixels wide (measured as drawn, accelerator marks removed).
QString fitCaption(const QString& caption, const QFontMetrics& metrics, int limit);

// The 5 x 3 popup arrow, white where the face shows through.
QImage popupArrowBitmap();

} // namespace twl

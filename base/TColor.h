// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colour values: 0x00BBGGRR for an RGB colour (red in the low byte),
// 0x80000000 + n for the platform's system colour n, clNone for no colour.

#include <QString>
#include <cstdint>

namespace twl {

using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor SystemColorBase = static_cast<TColor>(0x80000000u);
inline constexpr TColor clScrollBar = SystemColorBase | 0;
inline constexpr TColor clBackground = SystemColorBase | 1;
inline constexpr TColor clActiveCaption = SystemColorBase | 2;
inline constexpr TColor clWindow = SystemColorBase | 5;
inline constexpr TColor clWindowText = SystemColorBase | 8;
inline constexpr TColor clHighlight = SystemColorBase | 13;
inline constexpr TColor clHighlightText = SystemColorBase | 14;
inline constexpr TColor clBtnFace = SystemColorBase | 15;
inline constexpr TColor clBtnShadow = SystemColorBase | 16;
inline constexpr TColor clGrayText = SystemColorBase | 17;
inline constexpr TColor clBtnText = SystemColorBase | 18;
inline constexpr TColor clBtnHighlight = SystemColorBase | 20;
inline constexpr TColor cl3DDkShadow = SystemColorBase | 21;
inline constexpr TColor cl3DLight = SystemColorBase | 22;
inline constexpr TColor clInfoBk = SystemColorBase | 24;

inline bool isSystemColor(TColor c) {
    return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0x80000000u;
}

// Resolves a system colour to its RGB value (fixed classic values, so that
// drawing and documents do not depend on the desktop theme); RGB passes through.
TColor ColorToRGB(TColor c);

inline int GetRValue(TColor c) {
    return c & 0xFF;
}
inline int GetGValue(TColor c) {
    return (c >> 8) & 0xFF;
}
inline int GetBValue(TColor c) {
    return (c >> 16) & 0xFF;
}
inline TColor RGBColor(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// The toolkit's string-to-colour conversion: a colour name ("clRed"), or an
// integer text ("$00FFFFCF", "0x..", decimal). Returns false when it is neither.
bool IdentToColor(const QString& ident, TColor& out);
bool TryStringToColor(const QString& text, TColor& out);
// Throws EConvertError for a text that is not a colour.
TColor StringToColor(const QString& text);
// A named colour's name, else "$" and eight hexadecimal digits.
QString ColorToString(TColor c);

} // namespace twl

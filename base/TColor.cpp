// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TColor.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/NumberParse.h"

#include <array>
#include <utility>

namespace twl {

namespace {
// Classic system palette, indexed by system colour number.
constexpr std::array<TColor, 31> SystemPalette = {
    0xC8D0D4, 0x6E3A00, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF6A33, 0xF0F0F0};

constexpr std::array<std::pair<const char*, TColor>, 42> ColorNames = {{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", SystemColorBase | 3},
    {"clMenu", SystemColorBase | 4},
    {"clWindow", clWindow},
    {"clWindowFrame", SystemColorBase | 6},
    {"clMenuText", SystemColorBase | 7},
    {"clWindowText", clWindowText},
    {"clCaptionText", SystemColorBase | 9},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoBk", clInfoBk},
}};
} // namespace

TColor ColorToRGB(TColor c) {
    if (isSystemColor(c)) {
        const unsigned index = static_cast<std::uint32_t>(c) & 0xFFu;
        return index < SystemPalette.size() ? SystemPalette[index] : clBlack;
    }
    return c;
}

bool IdentToColor(const QString& ident, TColor& out) {
    for (const auto& [name, value] : ColorNames) {
        if (ident.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            out = value;
            return true;
        }
    }
    return false;
}

bool TryStringToColor(const QString& text, TColor& out) {
    if (IdentToColor(text, out)) return true;
    std::int32_t v = 0;
    if (!TryStrToInt(text, v, true)) return false;
    out = v;
    return true;
}

TColor StringToColor(const QString& text) {
    TColor c = 0;
    if (!TryStringToColor(text, c))
        throw EConvertError(Format(LoadResString(rs::SInvalidInteger), {text}));
    return c;
}

QString ColorToString(TColor c) {
    for (const auto& [name, value] : ColorNames) {
        if (value == c) return QLatin1String(name);
    }
    return QStringLiteral("$%1")
        .arg(static_cast<std::uint32_t>(c), 8, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace twl

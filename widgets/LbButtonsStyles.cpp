// SPDX-License-Identifier: GPL-3.0-or-later
// The colour presets a button takes from its ColorStyle.
#include "widgets/LbButtons.h"

namespace twl {

TLbColorStyleValues ApplyColorStyle(TLbColorStyle style) {
    TLbColorStyleValues v;
    v.fontColor = clBlack;
    v.flat = false;
    v.style = Lb::bsNormal;
    auto set = [&v](TColor face, TColor light, TColor shadow, TColor downColor, TColor hot,
                    bool flat, TLbSpeedButtonStyle st) {
        v.faceColor = face;
        v.lightColor = light;
        v.shadowColor = shadow;
        v.downColor = downColor;
        v.hotTrackColor = hot;
        v.flat = flat;
        v.style = st;
    };
    switch (style) {
    case Lb::lcsCustom:
        break;
    case Lb::lcsGold:
        set(0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, Lb::bsModern);
        break;
    case Lb::lcsChrome:
        set(0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, Lb::bsModern);
        break;
    case Lb::lcsBlue:
        set(0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, Lb::bsModern);
        break;
    case Lb::lcsRed:
        set(0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, Lb::bsModern);
        break;
    case Lb::lcsUltraFlat1:
        set(clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, Lb::bsNormal);
        break;
    case Lb::lcsUltraFlat2:
        set(clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, Lb::bsNormal);
        break;
    case Lb::lcsUltraFlatXP:
        // The shadow and down colours differ from the light colour in red by one.
        set(0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, Lb::bsNormal);
        break;
    case Lb::lcsAqua:
        set(0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, Lb::bsModern);
        break;
    case Lb::lcsDefault:
        set(clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, Lb::bsNormal);
        break;
    case Lb::lcsQuicken:
        set(0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, Lb::bsQuicken);
        v.fontColor = clWhite;
        break;
    }
    return v;
}

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/FixedPalette.h"

#include "base/GuiConversions.h"
#include "base/TColor.h"

namespace twl {

QPalette fixedPalette() {
    QPalette pal;
    const auto set = [&pal](QPalette::ColorGroup group, QPalette::ColorRole role, TColor c) {
        pal.setColor(group, role, toQColor(c));
    };
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = g == QPalette::Disabled;
        const TColor text = disabled ? clGrayText : clWindowText;
        set(g, QPalette::Window, clBtnFace);
        set(g, QPalette::WindowText, text);
        set(g, QPalette::Base, disabled ? clBtnFace : clWindow);
        set(g, QPalette::AlternateBase, clInfoBk);
        set(g, QPalette::ToolTipBase, clInfoBk);
        set(g, QPalette::ToolTipText, clBlack);
        set(g, QPalette::PlaceholderText, clGrayText);
        set(g, QPalette::Text, text);
        set(g, QPalette::Button, clBtnFace);
        set(g, QPalette::ButtonText, disabled ? clGrayText : clBtnText);
        set(g, QPalette::BrightText, clWhite);
        set(g, QPalette::Light, clBtnHighlight);
        set(g, QPalette::Midlight, cl3DLight);
        set(g, QPalette::Mid, clBtnShadow);
        set(g, QPalette::Dark, clBtnShadow);
        set(g, QPalette::Shadow, cl3DDkShadow);
        set(g, QPalette::Highlight, disabled ? clBtnShadow : clHighlight);
        set(g, QPalette::HighlightedText, clHighlightText);
        set(g, QPalette::Link, clBlue);
        set(g, QPalette::LinkVisited, clPurple);
    }
    return pal;
}

} // namespace twl

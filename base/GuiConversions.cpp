// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/GuiConversions.h"

#include <algorithm>

namespace twl {

QFont toQFont(const TFont& font) {
    QFont f(font.Name());
    if (font.Name().compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        f.setFamilies({font.Name(), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    if (font.Height() < 0)
        f.setPixelSize(-font.Height());
    else if (font.Height() > 0)
        f.setPixelSize(std::max(1, font.Height() * 3 / 4)); // cell height includes internal leading
    f.setBold(font.Bold());
    f.setItalic(font.Italic());
    f.setUnderline(font.Underline());
    f.setStrikeOut(font.StrikeOut());
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QColor toQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor fromQColor(const QColor& c) {
    return RGBColor(c.red(), c.green(), c.blue());
}

} // namespace twl

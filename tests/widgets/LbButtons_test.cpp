// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing routines on the off-screen surface, pixel by pixel where the
// geometry is fixed, and the colour presets.

#include "widgets/LbButtons.h"

#include "base/GuiConversions.h"
#include "tests/support/TestSupport.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace twl;

namespace {

constexpr TColor Face = 0x204060; // #604020
constexpr TColor Light = 0xF0E0D0;
constexpr TColor Shadow = 0x102030;

QRgb rgb(TColor c) {
    const TColor v = ColorToRGB(c);
    return qRgb(GetRValue(v), GetGValue(v), GetBValue(v));
}

TLbButtonPaintState plainState(TLbSpeedButtonStyle style, int w, int h) {
    TLbButtonPaintState s;
    s.style = style;
    s.width = w;
    s.height = h;
    s.color = Face;
    s.lightColor = Light;
    s.shadowColor = Shadow;
    return s;
}

QImage draw(const TLbButtonPaintState& s) {
    QImage surface(s.width, s.height, QImage::Format_RGB32);
    surface.fill(needsTransparentKey(s) ? TransparentKey : qRgb(1, 2, 3));
    DrawButton(surface, s);
    return surface;
}

// Compares every pixel with the expected colour function and reports the first miss.
template <typename Expected>
::testing::AssertionResult pixelsAre(const QImage& img, Expected expected) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != expected(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << img.pixel(x, y)
                       << ", expected " << expected(x, y);
    return ::testing::AssertionSuccess();
}

// A strip of `cells` 4 x 4 images, cell i solid in colour i + 1 except its
// lower-left pixel, which holds the see-through key.
QImage glyphStrip(int cells) {
    QImage strip(4 * cells, 4, QImage::Format_RGB32);
    for (int i = 0; i < cells; ++i) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                strip.setPixel(4 * i + x, y, qRgb(10 * (i + 1), 0, 0));
        strip.setPixel(4 * i, 3, TransparentKey);
    }
    return strip;
}

int cellShown(const QImage& surface, int x, int y) {
    return qRed(surface.pixel(x, y)) / 10 - 1;
}

} // namespace

TEST(LbButtonsDraw, NormalBevelUpAndDown) {
    for (bool down : {false, true}) {
        TLbButtonPaintState s = plainState(Lb::bsNormal, 20, 10);
        s.down = down;
        const QRgb topLeft = rgb(down ? Shadow : Light);
        const QRgb bottomRight = rgb(down ? Light : Shadow);
        EXPECT_TRUE(pixelsAre(draw(s),
                              [&](int x, int y) {
                                  if (x == 0 || (y == 0 && x < 19)) return topLeft;
                                  if (x == 19 || y == 9) return bottomRight;
                                  return rgb(Face);
                              }))
            << "down " << down;
    }
}

TEST(LbButtonsDraw, FlatBevelOnlyWhenHotOrDown) {
    TLbButtonPaintState s = plainState(Lb::bsNormal, 12, 8);
    s.flat = true;
    EXPECT_TRUE(pixelsAre(draw(s), [](int, int) { return rgb(Face); }));
    s.mouseInControl = true;
    EXPECT_EQ(draw(s).pixel(0, 0), rgb(Light));
    // A disabled flat button has no bevel even with the pointer over it.
    s.enabled = false;
    EXPECT_EQ(draw(s).pixel(0, 0), rgb(Face));
}

TEST(LbButtonsDraw, OldStyleBevelUp) {
    const TLbButtonPaintState s = plainState(Lb::bsOld, 20, 10);
    const QRgb dark = rgb(cl3DDkShadow);
    EXPECT_TRUE(pixelsAre(draw(s), [&](int x, int y) {
        if (x == 19 || y == 9) return dark;
        if (x == 0 || y == 0) return rgb(Light);
        if ((x == 18 && y <= 7) || (y == 8 && x >= 1 && x <= 18)) return rgb(Shadow);
        return rgb(Face);
    }));
}

TEST(LbButtonsDraw, ModernOutlineLeavesRoundedCornersSeeThrough) {
    for (bool down : {false, true}) {
        TLbButtonPaintState s = plainState(Lb::bsModern, 40, 20);
        s.down = down;
        const QImage img = draw(s);
        // Each corner: three pixels outside the 6 x 6 arc, then the arc.
        const int w = 40, h = 20;
        for (auto [cx, cy, sx, sy] :
             {std::array{0, 0, 1, 1}, std::array{w - 1, 0, -1, 1}, std::array{0, h - 1, 1, -1},
              std::array{w - 1, h - 1, -1, -1}}) {
            EXPECT_EQ(img.pixel(cx, cy), TransparentKey);
            EXPECT_EQ(img.pixel(cx + sx, cy), TransparentKey);
            EXPECT_EQ(img.pixel(cx, cy + sy), TransparentKey);
            EXPECT_EQ(img.pixel(cx + 2 * sx, cy), rgb(Shadow));
            EXPECT_EQ(img.pixel(cx + sx, cy + sy), rgb(Shadow));
            EXPECT_EQ(img.pixel(cx, cy + 2 * sy), rgb(Shadow));
        }
        for (int x = 2; x < w - 2; ++x) {
            EXPECT_EQ(img.pixel(x, 0), rgb(Shadow));
            EXPECT_EQ(img.pixel(x, h - 1), rgb(Shadow));
        }
        for (int y = 2; y < h - 2; ++y) {
            EXPECT_EQ(img.pixel(0, y), rgb(Shadow));
            EXPECT_EQ(img.pixel(w - 1, y), rgb(Shadow));
        }
        // The inner rectangle: face colour when up, shadow when down.
        const QRgb inner = rgb(down ? Shadow : Face);
        for (int x = 2; x < w - 2; ++x) {
            EXPECT_EQ(img.pixel(x, 1), inner);
            EXPECT_EQ(img.pixel(x, h - 2), inner);
        }
        for (int y = 2; y < h - 2; ++y) {
            EXPECT_EQ(img.pixel(1, y), inner);
            EXPECT_EQ(img.pixel(w - 2, y), inner);
        }
    }
    // On a button tall enough for whole bands, the second gradient starts
    // with the face colour at H/4 + d and the first ends just above it.
    for (int d : {0, 1}) {
        TLbButtonPaintState s = plainState(Lb::bsModern, 40, 128);
        s.down = d == 1;
        const QImage img = draw(s);
        EXPECT_EQ(img.pixel(2, 32 + d), rgb(Face));
        EXPECT_EQ(img.pixel(37, 32 + d), rgb(Face));
        EXPECT_NE(img.pixel(2, 31 + d), rgb(Face));
        EXPECT_EQ(img.pixel(38, 32 + d), rgb(d ? Shadow : Face)); // inner rectangle
    }
}

TEST(LbButtonsDraw, GradientBandsAndEdges) {
    // One unit per band and channel; 62 rows give two rows per band, the last
    // band (top 62) is empty and column x2 stays untouched.
    QImage img(5, 64, QImage::Format_RGB32);
    img.fill(TransparentKey);
    DrawGradient(img, 0x000000, 0x1F1F1F, 0, 0, 4, 62);
    EXPECT_TRUE(pixelsAre(img, [](int x, int y) {
        if (x == 4 || y >= 62) return TransparentKey;
        const int c = y / 2;
        return qRgb(c, c, c);
    }));

    // Falling channels truncate toward zero: 255 - i x 255/31.
    QImage down(1, 31, QImage::Format_RGB32);
    DrawGradient(down, clWhite, clBlack, 0, 0, 1, 31);
    EXPECT_EQ(down.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(down.pixel(0, 1), qRgb(246, 246, 246));
    EXPECT_EQ(down.pixel(0, 15), qRgb(131, 131, 131));
    EXPECT_EQ(down.pixel(0, 30), qRgb(8, 8, 8));

    // Channels move independently: red up, blue down.
    QImage mixed(1, 31, QImage::Format_RGB32);
    DrawGradient(mixed, 0xFF0000, 0x00003E, 0, 0, 1, 31);
    EXPECT_EQ(mixed.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(mixed.pixel(0, 10), qRgb(20, 0, 172));
}

TEST(LbButtonsDraw, QuickenLinesAndRoundedFace) {
    const TLbButtonPaintState s = plainState(Lb::bsQuicken, 30, 12);
    const QImage img = draw(s);
    for (int x = 0; x < 30; ++x) {
        const QRgb line = x >= 4 && x < 25 ? rgb(Shadow) : TransparentKey;
        EXPECT_EQ(img.pixel(x, 0), line) << x;
    }
    for (int x = 4; x < 25; ++x)
        EXPECT_EQ(img.pixel(x, 11), rgb(Shadow)) << x;
    // The filled face from row 1 has one-pixel corners cut by its 4 x 4 ellipse.
    EXPECT_EQ(img.pixel(0, 1), TransparentKey);
    EXPECT_EQ(img.pixel(29, 1), TransparentKey);
    EXPECT_EQ(img.pixel(0, 11), TransparentKey);
    EXPECT_EQ(img.pixel(1, 1), rgb(Face));
    EXPECT_EQ(img.pixel(0, 2), rgb(Face));
    EXPECT_EQ(img.pixel(29, 6), rgb(Face));
    EXPECT_EQ(img.pixel(2, 11), rgb(Face));
    EXPECT_EQ(img.pixel(25, 11), rgb(Face));
}

TEST(LbButtonsDraw, ShapeDrawsNoFaceAndNoFrame) {
    TLbButtonPaintState s = plainState(Lb::bsShape, 24, 16);
    s.down = true;
    s.glyph = glyphStrip(1);
    s.numGlyphs = 1;
    const QImage img = draw(s);
    // Only the glyph, centred at ((W - GW)/2, (H - GH)/2) = (10, 6), on the key.
    EXPECT_TRUE(pixelsAre(img, [](int x, int y) {
        const bool inGlyph = x >= 10 && x < 14 && y >= 6 && y < 10 && !(x == 10 && y == 9);
        return inGlyph ? qRgb(10, 0, 0) : TransparentKey;
    }));
}

TEST(LbButtonsDraw, TransparentButtonKeepsOnlyFrame) {
    TLbButtonPaintState s = plainState(Lb::bsNormal, 10, 6);
    s.transparent = true;
    const QImage img = draw(s);
    EXPECT_EQ(img.pixel(0, 0), rgb(Light));
    EXPECT_EQ(img.pixel(5, 3), TransparentKey);
}

TEST(LbButtonsDraw, GlyphCellPerStateAndNumberOfGlyphs) {
    struct Case {
        int glyphs;
        bool enabled, down, hot;
        int cell;
    };
    const Case cases[] = {
        {1, true, false, false, 0}, {1, false, false, false, 1}, {1, true, true, false, 0},
        {1, true, false, true, 0},  {3, true, false, false, 0},  {3, false, true, false, 1},
        {3, true, true, false, 2},  {3, true, false, true, 0},   {4, true, false, true, 3},
        {4, true, true, true, 2},   {4, false, false, true, 1},
    };
    for (const Case& c : cases) {
        TLbButtonPaintState s = plainState(Lb::bsNormal, 40, 20);
        s.glyph = glyphStrip(c.glyphs);
        s.numGlyphs = c.glyphs;
        s.enabled = c.enabled;
        s.down = c.down;
        s.mouseInControl = c.hot;
        const QImage img = draw(s);
        // Glyph left d + 4, top (H - GH)/2 + d; cell 1 of a single-image strip
        // lies outside it and shows the strip's left end.
        const int d = c.down && c.enabled ? 1 : 0;
        const int expected = c.cell < c.glyphs ? c.cell : 0;
        EXPECT_EQ(cellShown(img, 4 + d + 1, 8 + d + 1), expected)
            << c.glyphs << " glyphs, enabled " << c.enabled << " down " << c.down << " hot "
            << c.hot;
        // The key pixel lets the face through.
        EXPECT_EQ(img.pixel(4 + d, 8 + d + 3), rgb(Face));
    }
}

TEST(LbButtonsDraw, DownOffsetMovesContentExceptEncarta) {
    for (auto style : {Lb::bsNormal, Lb::bsOld, Lb::bsEncarta}) {
        TLbButtonPaintState s = plainState(style, 40, 20);
        s.glyph = glyphStrip(1);
        s.numGlyphs = 1;
        s.down = true;
        const QImage img = draw(s);
        const int d = style == Lb::bsEncarta ? 0 : 1;
        EXPECT_EQ(img.pixel(4 + d, 8 + d), qRgb(10, 0, 0)) << style;
        EXPECT_EQ(img.pixel(4 + d + 3, 8 + d + 3), qRgb(10, 0, 0)) << style;
        EXPECT_NE(img.pixel(4 + d + 4, 8 + d + 3), qRgb(10, 0, 0)) << style;
    }
}

TEST(LbButtonsDraw, GlyphPositionsForLayoutsAndAlignments) {
    // No caption: TS = 0, so every position follows from W, H, GW, GH alone.
    struct Case {
        TLbSpeedButtonLayout layout;
        Lb::TAlignment alignment;
        int gx, gy;
    };
    const int w = 41, h = 21; // GW = GH = 4
    const Case cases[] = {
        {Lb::blGlyphLeft, Lb::taLeftJustify, 4, 8},
        {Lb::blGlyphLeft, Lb::taRightJustify, w - 4 - 4, 8},
        {Lb::blGlyphLeft, Lb::taCenter, (w - 4) / 2, 8},
        {Lb::blGlyphRight, Lb::taLeftJustify, 4, 8},
        {Lb::blGlyphRight, Lb::taRightJustify, w - 4 - 4, 8},
        {Lb::blGlyphTop, Lb::taLeftJustify, 4, (h - 8) / 2},
        {Lb::blGlyphTop, Lb::taCenter, (w - 4) / 2, (h - 8) / 2},
        {Lb::blGlyphBottom, Lb::taRightJustify, w - 4 - 4, (h - 8) / 2},
    };
    for (const Case& c : cases) {
        TLbButtonPaintState s = plainState(Lb::bsNormal, w, h);
        s.glyph = glyphStrip(1);
        s.numGlyphs = 1;
        s.layout = c.layout;
        s.alignment = c.alignment;
        const QImage img = draw(s);
        EXPECT_EQ(img.pixel(c.gx, c.gy), qRgb(10, 0, 0)) << c.layout << " " << c.alignment;
        EXPECT_EQ(img.pixel(c.gx + 3, c.gy + 3), qRgb(10, 0, 0)) << c.layout << " " << c.alignment;
        EXPECT_EQ(img.pixel(c.gx - 1, c.gy + 1), rgb(Face)) << c.layout << " " << c.alignment;
    }
}

TEST(LbButtonsDraw, CentredGlyphMovesLeftByHalfTheCaption) {
    TLbButtonPaintState s = plainState(Lb::bsNormal, 101, 21);
    s.glyph = glyphStrip(1);
    s.numGlyphs = 1;
    s.alignment = Lb::taCenter;
    s.caption = QStringLiteral("Wide caption");
    TFont font;
    s.font = &font;
    QImage probe(1, 1, QImage::Format_RGB32);
    const QFontMetrics fm(toQFont(font), &probe);
    const int limit = 101 - 8 - 8;
    const int tw =
        fm.boundingRect(QRect(0, 0, limit, 0),
                        Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignHCenter, s.caption)
            .width();
    const int gx = (101 - 4) / 2 - (tw + 4) / 2;
    const QImage img = draw(s);
    EXPECT_EQ(img.pixel(gx, 9), qRgb(10, 0, 0));
    EXPECT_EQ(img.pixel(gx - 1, 9), rgb(Face));
}

TEST(LbButtonsDraw, GlyphCellOutsideStripShowsLeftEnd) {
    QImage surface(8, 8, QImage::Format_RGB32);
    surface.fill(qRgb(0, 0, 1));
    DrawGlyphCell(surface, glyphStrip(2), 2, 2, 4, 4, 4);
    EXPECT_EQ(cellShown(surface, 3, 3), 1);
    surface.fill(qRgb(0, 0, 1));
    DrawGlyphCell(surface, glyphStrip(2), 2, 2, 12, 4, 4);
    EXPECT_EQ(cellShown(surface, 3, 3), 0);
    EXPECT_EQ(surface.pixel(2, 5), qRgb(0, 0, 1)); // the key pixel
    // A zero-sized cell draws nothing.
    surface.fill(qRgb(0, 0, 1));
    DrawGlyphCell(surface, glyphStrip(2), 2, 2, 0, 4, 0);
    EXPECT_TRUE(pixelsAre(surface, [](int, int) { return qRgb(0, 0, 1); }));
}

TEST(LbButtonsDraw, PopupArrowElevenPixelsFromTheRight) {
    TLbButtonPaintState s = plainState(Lb::bsNormal, 40, 20);
    s.hasPopupMenu = true;
    const QImage img = draw(s);
    const QRgb black = qRgb(0, 0, 0);
    for (int x = 29; x < 34; ++x)
        EXPECT_EQ(img.pixel(x, 9), black) << x;
    EXPECT_EQ(img.pixel(28, 9), rgb(Face));
    EXPECT_EQ(img.pixel(34, 9), rgb(Face));
    EXPECT_EQ(img.pixel(29, 10), rgb(Face));
    for (int x = 30; x < 33; ++x)
        EXPECT_EQ(img.pixel(x, 10), black) << x;
    EXPECT_EQ(img.pixel(31, 11), black);
    EXPECT_EQ(img.pixel(30, 11), rgb(Face));
    EXPECT_EQ(popupArrowBitmap().size(), QSize(5, 3));
}

TEST(LbButtonsDraw, DisabledCaptionIsGrey) {
    TLbButtonPaintState s = plainState(Lb::bsNormal, 60, 20);
    s.color = clWhite;
    s.caption = QStringLiteral("HIH");
    TFont font;
    font.setColor(clBlack);
    s.font = &font;
    auto darkest = [](const QImage& img) {
        int v = 255;
        for (int y = 2; y < img.height() - 2; ++y)
            for (int x = 2; x < img.width() - 2; ++x)
                v = std::min(v, qGreen(img.pixel(x, y)));
        return v;
    };
    EXPECT_LT(darkest(draw(s)), 0x40);
    // Grey strokes: the darkest pixels are grey (smoothing may lighten them a little).
    s.enabled = false;
    EXPECT_NEAR(darkest(draw(s)), 0x80, 2);
}

TEST(LbButtonsDraw, CaptionIsCutToFit) {
    TFont font;
    QImage probe(1, 1, QImage::Format_RGB32);
    const QFontMetrics fm(toQFont(font), &probe);
    const int limit = fm.horizontalAdvance(QStringLiteral("Calc"));
    EXPECT_EQ(fitCaption(QStringLiteral("Calculate"), fm, limit), QStringLiteral("Calc"));
    // The accelerator mark takes no room.
    EXPECT_EQ(fitCaption(QStringLiteral("&Calculate"), fm, limit), QStringLiteral("&Calc"));
    EXPECT_EQ(fitCaption(QStringLiteral("Calculate"), fm, 0), QString());
    EXPECT_EQ(fitCaption(QString(), fm, 0), QString());
}

TEST(LbButtonsDraw, FadeBlendAndDownColour) {
    TLbButtonPaintState s = plainState(Lb::bsNormal, 4, 4);
    s.color = 0x000000;
    s.hotTrackColor = 0x0000FF;
    s.fadeStep = 8;
    EXPECT_EQ(faceColorOf(s), 0x0000FF);
    s.fadeStep = 3; // 255 x 3/8 = 95.6
    EXPECT_EQ(faceColorOf(s), 0x00005F);
    s.fadeStep = 0;
    EXPECT_EQ(faceColorOf(s), 0x000000);
    s.fadeStep = 8;
    s.enabled = false;
    EXPECT_EQ(faceColorOf(s), 0x000000);
    s.enabled = true;
    s.down = true;
    s.colorWhenDown = 0x00FF00;
    EXPECT_EQ(faceColorOf(s), 0x00FF00);
    // A disabled button counts as up: no down colour.
    s.enabled = false;
    EXPECT_EQ(faceColorOf(s), 0x000000);
}

TEST(LbButtonsColorStyle, PresetsThatDifferFromTheirNeighbours) {
    const TLbColorStyleValues xp = ApplyColorStyle(Lb::lcsUltraFlatXP);
    EXPECT_EQ(xp.lightColor, 0xB59284);
    EXPECT_EQ(xp.shadowColor, 0xB59285);
    EXPECT_EQ(xp.downColor, 0xB59285);
    EXPECT_EQ(xp.faceColor, 0xD1D8DB);
    EXPECT_TRUE(xp.flat);

    const TLbColorStyleValues quicken = ApplyColorStyle(Lb::lcsQuicken);
    EXPECT_EQ(quicken.fontColor, clWhite);
    EXPECT_EQ(quicken.style, Lb::bsQuicken);
    EXPECT_EQ(quicken.faceColor, 0x603000);
    EXPECT_EQ(quicken.downColor, 0xAD6529);

    const TLbColorStyleValues gold = ApplyColorStyle(Lb::lcsGold);
    EXPECT_EQ(gold.style, Lb::bsModern);
    EXPECT_EQ(gold.hotTrackColor, 0x00DFDF);
    EXPECT_EQ(gold.fontColor, clBlack);

    const TLbColorStyleValues flat2 = ApplyColorStyle(Lb::lcsUltraFlat2);
    EXPECT_EQ(flat2.faceColor, clBtnFace);
    EXPECT_EQ(flat2.downColor, 0x24DABC);
    EXPECT_EQ(flat2.hotTrackColor, 0x8CF6E4);
}

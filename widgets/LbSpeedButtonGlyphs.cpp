// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LbSpeedButtonGlyphs.h"

namespace twl {

namespace {

// Hard-edged pixel drawing: smoothed edges would blend into the magenta key.
class Pixels {
public:
    explicit Pixels(int size)
        : m_image(size, size, QImage::Format_RGB32) {
        m_image.fill(TransparentKey);
    }

    // Fills columns x..x+w-1 of rows y..y+h-1.
    void fill(int x, int y, int w, int h, QRgb c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (m_image.valid(i, j)) m_image.setPixel(i, j, c);
    }

    // A filled box with a one-pixel border.
    void box(int x, int y, int w, int h, QRgb inside, QRgb border) {
        fill(x, y, w, h, border);
        fill(x + 1, y + 1, w - 2, h - 2, inside);
    }

    QImage image() const { return m_image; }

private:
    QImage m_image;
};

} // namespace

QImage calculatorGlyph() {
    Pixels p(32);
    const QRgb outline = qRgb(0x10, 0x10, 0x18);
    p.box(5, 1, 22, 30, qRgb(0x48, 0x50, 0x60), outline);
    // The display reads "12" in a 3 x 5 pixel font.
    p.box(7, 3, 18, 8, qRgb(0xB8, 0xD8, 0xA0), qRgb(0x20, 0x38, 0x20));
    const QRgb digit = qRgb(0x20, 0x38, 0x20);
    const char* digits[5] = {".#.##.", "##...#", ".#..#.", ".#.#..", "######"};
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 6; ++col)
            if (digits[row][col] == '#')
                p.fill(16 + col + (col >= 3 ? 1 : 0), 5 + row, 1, 1, digit);
    // Four rows of keys; the right column holds the operators.
    const QRgb key = qRgb(0xE8, 0xE8, 0xE8);
    const QRgb op = qRgb(0xF0, 0x90, 0x30);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const int x = 7 + col * 5;
            const int y = 13 + row * 4;
            if (col == 3 && row == 3) continue; // covered by the tall equals key
            const bool tallEquals = col == 3 && row == 2;
            p.box(x, y, 4, tallEquals ? 7 : 3, col == 3 ? op : key, outline);
        }
    }
    return p.image();
}

QImage exportGlyph() {
    Pixels p(16);
    const QRgb ink = qRgb(0x40, 0x40, 0x40);
    // A page with a folded corner and four lines of text.
    p.box(1, 1, 10, 14, qRgb(0xFF, 0xFF, 0xFF), ink);
    p.fill(8, 1, 3, 3, TransparentKey);
    p.fill(8, 1, 1, 3, ink);
    p.fill(8, 3, 3, 1, ink);
    p.fill(9, 2, 1, 1, ink);
    for (int y : {5, 7, 9, 11})
        p.fill(3, y, 5, 1, qRgb(0x90, 0x90, 0x90));
    // A green arrow leaving it to the right.
    const QRgb arrow = qRgb(0x10, 0x90, 0x20);
    p.fill(6, 8, 6, 2, arrow);
    for (int i = 0; i < 4; ++i)
        p.fill(12 + i, 5 + i, 1, 8 - 2 * i, arrow);
    return p.image();
}

QImage closeGlyph() {
    Pixels p(16);
    const QRgb red = qRgb(0xE0, 0x20, 0x20);
    const QRgb dark = qRgb(0x80, 0x10, 0x10);
    // Two strokes, two pixels thick, with a darker shadow beneath.
    for (int i = 0; i < 10; ++i) {
        p.fill(3 + i, 4 + i, 2, 2, dark);
        p.fill(11 - i, 4 + i, 2, 2, dark);
    }
    for (int i = 0; i < 10; ++i) {
        p.fill(3 + i, 3 + i, 2, 2, red);
        p.fill(11 - i, 3 + i, 2, 2, red);
    }
    return p.image();
}

void applyMainWindowButtonLook(TLbSpeedButton& button, const QImage& glyph) {
    button.setStyle(Lb::bsModern);
    button.setAlignment(Lb::taCenter);
    button.setGlyph(glyph);
    button.setNumGlyphs(1);
    button.setUseHotTrackFont(true);
    TFont hot;
    hot.setName(QStringLiteral("MS Sans Serif"));
    hot.setHeight(-11);
    hot.setColor(clBlue);
    hot.setUnderline(true);
    button.setHotTrackFont(&hot);
}

} // namespace twl

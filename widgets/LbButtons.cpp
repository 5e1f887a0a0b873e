// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing routines of the speed buttons: a pixel-exact canvas, gradients,
// glyph cells and the whole button (frame, face, glyph and caption).
#include "widgets/LbButtons.h"

#include "base/GuiConversions.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

// Resources live in this static library; register them before the first lookup.
static void initLbButtonsResources() {
    Q_INIT_RESOURCE(LbButtons);
}

namespace twl {

namespace {

std::mutex depthMutex;
DisplayDepthSource depthSource;

QRgb toRgb(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Pixel-exact drawing on the surface: rectangles exclude their right column
// and bottom row, lines exclude their end point, everything clips. Coordinates
// are the button's pixels; on a surface with a device pixel ratio each becomes
// the block of device pixels it covers, so edges stay sharp at any scale.
class Canvas {
public:
    explicit Canvas(QImage& image)
        : m_image(image)
        , m_ratio(image.devicePixelRatio())
        , m_width(static_cast<int>(std::lround(image.width() / m_ratio)))
        , m_height(static_cast<int>(std::lround(image.height() / m_ratio))) {}

    void setPixel(int x, int y, QRgb c) {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
        if (m_ratio == 1.0)
            m_image.setPixel(x, y, c);
        else
            fillDevice(device(x), device(y), device(x + 1), device(y + 1), c);
    }

    void fillRect(int x1, int y1, int x2, int y2, QRgb c) {
        x1 = std::max(x1, 0);
        y1 = std::max(y1, 0);
        x2 = std::min(x2, m_width);
        y2 = std::min(y2, m_height);
        fillDevice(device(x1), device(y1), device(x2), device(y2), c);
    }

    void setPen(TColor c) { m_pen = toRgb(c); }
    void moveTo(int x, int y) { m_x = x, m_y = y; }

    void lineTo(int x, int y) {
        // Bresenham from the pen position, stopping before the end point.
        const int dx = std::abs(x - m_x), sx = m_x < x ? 1 : -1;
        const int dy = -std::abs(y - m_y), sy = m_y < y ? 1 : -1;
        int err = dx + dy;
        int cx = m_x, cy = m_y;
        while (cx != x || cy != y) {
            setPixel(cx, cy, m_pen);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                cx += sx;
            }
            if (e2 <= dx) {
                err += dx;
                cy += sy;
            }
        }
        moveTo(x, y);
    }

    // The pixels of a rounded rectangle (x1, y1)-(x2, y2) whose corners are
    // quarters of an ew x eh ellipse; `outline` keeps only its border.
    void roundRect(int x1, int y1, int x2, int y2, int ew, int eh, QRgb c, bool outline) {
        for (int y = y1; y < y2; ++y) {
            for (int x = x1; x < x2; ++x) {
                if (!insideRoundRect(x, y, x1, y1, x2, y2, ew, eh)) continue;
                if (outline && insideRoundRect(x - 1, y, x1, y1, x2, y2, ew, eh) &&
                    insideRoundRect(x + 1, y, x1, y1, x2, y2, ew, eh) &&
                    insideRoundRect(x, y - 1, x1, y1, x2, y2, ew, eh) &&
                    insideRoundRect(x, y + 1, x1, y1, x2, y2, ew, eh))
                    continue;
                setPixel(x, y, c);
            }
        }
    }

private:
    int device(int v) const {
        return m_ratio == 1.0 ? v : static_cast<int>(std::lround(v * m_ratio));
    }

    void fillDevice(int x1, int y1, int x2, int y2, QRgb c) {
        x2 = std::min(x2, m_image.width());
        y2 = std::min(y2, m_image.height());
        for (int y = y1; y < y2; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(line + x1, line + std::max(x1, x2), c);
        }
    }

    static bool insideRoundRect(int x, int y, int x1, int y1, int x2, int y2, int ew, int eh) {
        if (x < x1 || y < y1 || x >= x2 || y >= y2) return false;
        const int rx = std::min(ew / 2, (x2 - x1) / 2);
        const int ry = std::min(eh / 2, (y2 - y1) / 2);
        if (rx <= 0 || ry <= 0) return true;
        // Distance into the corner box, counted from the corner's pivot.
        int dx = 0, dy = 0;
        if (x < x1 + rx)
            dx = x1 + rx - x;
        else if (x >= x2 - rx)
            dx = x - (x2 - rx - 1);
        if (y < y1 + ry)
            dy = y1 + ry - y;
        else if (y >= y2 - ry)
            dy = y - (y2 - ry - 1);
        if (dx == 0 || dy == 0) return true;
        // Pixel centres against the corner ellipse; the quarter pixel of slack
        // keeps the arc joined to the straight edges.
        const double ax = (rx - 0.5) * (rx - 0.5) + 0.25;
        const double ay = (ry - 0.5) * (ry - 0.5) + 0.25;
        const double u = dx - 0.5, v = dy - 0.5;
        return u * u / ax + v * v / ay <= 1.0;
    }

    QImage& m_image;
    qreal m_ratio;
    int m_width, m_height;
    QRgb m_pen = 0xFF000000;
    int m_x = 0, m_y = 0;
};

int textFlags(Lb::TAlignment a) {
    int h = Qt::AlignLeft;
    if (a == Lb::taRightJustify)
        h = Qt::AlignRight;
    else if (a == Lb::taCenter)
        h = Qt::AlignHCenter;
    return h | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

// The caption's size when wrapped at `limit`.
QSize measureCaption(const QString& caption, const QFontMetrics& fm, int limit, int flags) {
    if (caption.isEmpty()) return {0, 0};
    return fm.boundingRect(QRect(0, 0, std::max(limit, 1), 0), flags, caption).size();
}

void drawText(QImage& surface, const QFont& font, QRgb color, const QRect& r, int flags,
              const QString& caption) {
    if (caption.isEmpty() || r.width() <= 0 || r.height() <= 0) return;
    QPainter p(&surface);
    p.setFont(font);
    p.setPen(QColor::fromRgb(color));
    p.setClipRect(r);
    p.drawText(r, flags, caption);
}

void drawBevel(Canvas& c, const TLbButtonPaintState& s, int w, int h, bool down) {
    if (s.style == Lb::bsOld) {
        c.setPen(s.shadowColor);
        if (down) {
            c.moveTo(1, h - 3);
            c.lineTo(1, 1);
            c.lineTo(w - 2, 1);
        } else {
            c.moveTo(w - 2, 0);
            c.lineTo(w - 2, h - 2);
            c.lineTo(0, h - 2);
        }
        c.setPen(down ? cl3DDkShadow : s.lightColor);
        c.moveTo(0, h - 1);
        c.lineTo(0, 0);
        c.lineTo(w - 1, 0);
        c.setPen(down ? s.lightColor : cl3DDkShadow);
        c.lineTo(w - 1, h - 1);
        c.lineTo(-1, h - 1);
        return;
    }
    c.setPen(down ? s.shadowColor : s.lightColor);
    c.moveTo(0, h - 1);
    c.lineTo(0, 0);
    c.lineTo(w - 1, 0);
    c.setPen(down ? s.lightColor : s.shadowColor);
    c.lineTo(w - 1, h - 1);
    c.lineTo(0, h - 1);
}

} // namespace

void setDisplayDepthSource(DisplayDepthSource source) {
    std::lock_guard lock(depthMutex);
    depthSource = std::move(source);
}

int displayBitsPerPixel() {
    {
        std::lock_guard lock(depthMutex);
        if (depthSource) return depthSource();
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

bool needsTransparentKey(const TLbButtonPaintState& s) {
    return s.transparent || s.style == Lb::bsModern || s.style == Lb::bsShape ||
           s.style == Lb::bsQuicken;
}

TColor faceColorOf(const TLbButtonPaintState& s) {
    const bool down = s.down && s.enabled;
    TColor face = ColorToRGB(s.color);
    if (s.enabled && s.hotTrackColor != clNone) {
        const TColor hot = ColorToRGB(s.hotTrackColor);
        const double f = s.fadeStep / 8.0;
        auto mix = [f](int a, int b) { return static_cast<int>(a * (1 - f) + b * f); };
        face = RGBColor(mix(GetRValue(face), GetRValue(hot)), mix(GetGValue(face), GetGValue(hot)),
                        mix(GetBValue(face), GetBValue(hot)));
    }
    if (down && s.colorWhenDown != clNone) face = ColorToRGB(s.colorWhenDown);
    return face;
}

int glyphCellIndex(const TLbButtonPaintState& s) {
    if (!s.enabled) return 1;
    int index = 0;
    if (s.mouseInControl && s.numGlyphs > 3) index = 3;
    if (s.down && s.numGlyphs > 2) index = 2;
    return index;
}

QString fitCaption(const QString& caption, const QFontMetrics& metrics, int limit) {
    QString text = caption;
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    while (!text.isEmpty() && metrics.boundingRect(QRect(), flags, text).width() > limit)
        text.chop(1);
    return text;
}

void DrawGradient(QImage& surface, TColor a, TColor b, int x1, int y1, int x2, int y2) {
    const TColor ca = ColorToRGB(a), cb = ColorToRGB(b);
    // Extended precision, as the band colours were always computed.
    const long double stepR = (GetRValue(cb) - GetRValue(ca)) / 31.0L;
    const long double stepG = (GetGValue(cb) - GetGValue(ca)) / 31.0L;
    const long double stepB = (GetBValue(cb) - GetBValue(ca)) / 31.0L;
    const int span = y2 - y1;
    Canvas c(surface);
    for (int i = 0; i < 32; ++i) {
        const int top = y1 + (i * span) / 31;
        const int bottom = std::min(top + span / 31 + 1, y2);
        const int r = static_cast<int>(GetRValue(ca) + i * stepR);
        const int g = static_cast<int>(GetGValue(ca) + i * stepG);
        const int bl = static_cast<int>(GetBValue(ca) + i * stepB);
        c.fillRect(x1, top, x2, bottom, qRgb(r, g, bl));
    }
}

void DrawGlyphCell(QImage& surface, const QImage& glyph, int x, int y, int cellLeft, int gh,
                   int gw) {
    if (gw <= 0 || gh <= 0 || glyph.isNull()) return;
    const QImage strip = glyph.format() == QImage::Format_RGB32
                             ? glyph
                             : glyph.convertToFormat(QImage::Format_RGB32);
    QImage cell = strip.copy(0, 0, gw, gh);
    {
        QPainter p(&cell);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(-cellLeft, 0, strip);
    }
    const QRgb key = cell.pixel(0, gh - 1);
    Canvas c(surface);
    for (int j = 0; j < gh; ++j)
        for (int i = 0; i < gw; ++i) {
            const QRgb px = cell.pixel(i, j);
            if (px != key) c.setPixel(x + i, y + j, px);
        }
}

QImage popupArrowBitmap() {
    static const QImage arrow = [] {
        initLbButtonsResources();
        return QImage(QStringLiteral(":/LBARROW")).convertToFormat(QImage::Format_RGB32);
    }();
    return arrow;
}

void DrawButton(QImage& surface, const TLbButtonPaintState& s) {
    const int w = s.width, h = s.height;
    Canvas c(surface);

    // 1. A disabled button is drawn up; the down offset moves the content.
    const bool down = s.down && s.enabled;
    const int d = down && s.style != Lb::bsEncarta ? 1 : 0;

    // 2. Face colour.
    const TColor face = faceColorOf(s);

    // 3. Face.
    if (s.style == Lb::bsShape) {
        c.fillRect(0, 0, w, h, TransparentKey);
    } else if (!s.transparent) {
        switch (s.style) {
        case Lb::bsNormal:
        case Lb::bsEncarta:
        case Lb::bsOld:
            c.fillRect(0, 0, w, h, toRgb(face));
            break;
        case Lb::bsModern:
            DrawGradient(surface, s.lightColor, face, 2, 2, w - 2, h / 4 + d);
            DrawGradient(surface, face, s.lightColor, 2, h / 4 + d, w - 2, h - 1);
            break;
        default:
            break;
        }
    }

    // 4. Frame.
    switch (s.style) {
    case Lb::bsNormal:
    case Lb::bsEncarta:
    case Lb::bsOld:
        if ((s.enabled && (!s.flat || s.mouseInControl || down)) || (!s.enabled && !s.flat))
            drawBevel(c, s, w, h, down);
        break;
    case Lb::bsModern: {
        c.setPen(down ? s.shadowColor : face);
        c.moveTo(1, 1);
        c.lineTo(w - 2, 1);
        c.lineTo(w - 2, h - 2);
        c.lineTo(1, h - 2);
        c.lineTo(1, 1);
        c.roundRect(0, 0, w, h, 6, 6, toRgb(s.shadowColor), true);
        break;
    }
    case Lb::bsQuicken:
        c.roundRect(0, 1, w, h, 4, 4, toRgb(face), false);
        c.setPen(s.shadowColor);
        c.moveTo(4, 0);
        c.lineTo(w - 5, 0);
        c.moveTo(4, h - 1);
        c.lineTo(w - 5, h - 1);
        break;
    case Lb::bsShape:
        break;
    }

    // 5. Font.
    TFont defaultFont;
    const TFont& chosen = s.font ? *s.font : defaultFont;
    QFont font = toQFont(chosen);
    if (s.style == Lb::bsEncarta && down) font.setBold(true);
    // Over the see-through key, smoothed edges would leave magenta fringes.
    if (s.transparent || s.style == Lb::bsShape) font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics fm(font, &surface);
    QRgb textColor = toRgb(chosen.Color());

    // 6. Glyph cell.
    const int gh = s.glyph.isNull() ? 0 : s.glyph.height();
    const int gw = s.numGlyphs > 0 && !s.glyph.isNull() ? s.glyph.width() / s.numGlyphs : 0;
    const int cellLeft = glyphCellIndex(s) * gw;

    // 7. Text format.
    const int flags = textFlags(s.alignment);

    // 8. The shape style centres glyph and caption over each other.
    if (s.style == Lb::bsShape) {
        const int limit = std::max(w - 8, 0);
        const QString caption = s.wordWrap ? s.caption : fitCaption(s.caption, fm, limit);
        const int th = measureCaption(caption, fm, limit, flags).height();
        DrawGlyphCell(surface, s.glyph, (w - gw) / 2, (h - gh) / 2, cellLeft, gh, gw);
        drawText(surface, font, textColor, QRect(QPoint(d, (h - th) / 2 + d), QPoint(w - 1, h - 1)),
                 textFlags(Lb::taCenter), caption);
    } else {
        int limit = 0, tx = 0, ty = 0, gx = 0, gy = 0, th = 0;
        QString caption;
        if (s.layout == Lb::blGlyphLeft || s.layout == Lb::blGlyphRight) {
            // 9. Glyph beside the caption.
            limit = w - 8;
            if (gw > 0) limit -= gw + 4;
            limit = std::max(limit, 0);
            caption = s.wordWrap ? s.caption : fitCaption(s.caption, fm, limit);
            const QSize size = measureCaption(caption, fm, limit, flags);
            th = size.height();
            const int ts = caption.isEmpty() ? 0 : size.width() + 4;
            ty = (h - th) / 2 + d;
            gy = (h - gh) / 2 + d;
            const bool left = s.alignment == Lb::taLeftJustify || s.wordWrap;
            if (s.layout == Lb::blGlyphLeft) {
                tx = d + 4 + (gw > 0 ? gw + 4 : 0);
                if (left)
                    gx = d + 4;
                else if (s.alignment == Lb::taRightJustify)
                    gx = w - 4 - gw - ts + d;
                else
                    gx = (w - gw) / 2 + d - ts / 2;
            } else {
                tx = d + 4;
                if (left)
                    gx = tx + ts;
                else if (s.alignment == Lb::taRightJustify)
                    gx = w - 4 + d - gw;
                else
                    gx = (w - gw) / 2 + d + ts / 2;
            }
        } else {
            // 10. Glyph above or below the caption.
            limit = std::max(w - 8, 0);
            caption = s.wordWrap ? s.caption : fitCaption(s.caption, fm, limit);
            th = measureCaption(caption, fm, limit, flags).height();
            const int block = th + (gh > 0 ? gh + 4 : 0);
            tx = d + 4;
            if (s.layout == Lb::blGlyphTop) {
                gy = (h - block) / 2 + d;
                ty = (h - block) / 2 + gh + d;
            } else {
                ty = (h - block) / 2 + d;
                gy = (h - block) / 2 + th + d;
            }
            if (s.alignment == Lb::taLeftJustify)
                gx = d + 4;
            else if (s.alignment == Lb::taRightJustify)
                gx = w - gw - 4 + d;
            else
                gx = (w - gw) / 2 + d;
        }
        if (!s.enabled) textColor = toRgb(clGray);
        drawText(surface, font, textColor, QRect(tx, ty, limit, th), flags, caption);
        DrawGlyphCell(surface, s.glyph, gx, gy, cellLeft, gh, gw);
    }

    // 11. Popup arrow.
    if (s.hasPopupMenu) {
        const QImage arrow = popupArrowBitmap();
        const QRgb white = qRgb(255, 255, 255);
        for (int j = 0; j < arrow.height(); ++j)
            for (int i = 0; i < arrow.width(); ++i)
                if (arrow.pixel(i, j) != white)
                    c.setPixel(w - 11 + i, h / 2 - 1 + j, arrow.pixel(i, j));
    }
}

} // namespace twl

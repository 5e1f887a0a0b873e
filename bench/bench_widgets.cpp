// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one speed-button paint: the whole off-screen image per paint.

#include "widgets/LbButtons.h"
#include "widgets/LbSpeedButton.h"
#include "widgets/LbSpeedButtonGlyphs.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace twl;

namespace {

TLbButtonPaintState mainWindowState(TLbSpeedButtonStyle style, int w, int h, const TFont& font) {
    TLbButtonPaintState s;
    s.style = style;
    s.width = w;
    s.height = h;
    s.alignment = Lb::taCenter;
    s.caption = QStringLiteral("Calculate");
    s.glyph = calculatorGlyph();
    s.numGlyphs = 1;
    s.font = &font;
    return s;
}

void drawStyle(benchmark::State& state, TLbSpeedButtonStyle style) {
    TFont font;
    const TLbButtonPaintState s = mainWindowState(style, 105, 41, font);
    QImage surface(s.width, s.height, QImage::Format_RGB32);
    for (auto _ : state) {
        surface.fill(TransparentKey);
        DrawButton(surface, s);
        benchmark::DoNotOptimize(surface.constBits());
    }
}

void BM_DrawButtonModern(benchmark::State& state) {
    drawStyle(state, Lb::bsModern);
}
void BM_DrawButtonNormal(benchmark::State& state) {
    drawStyle(state, Lb::bsNormal);
}
void BM_DrawButtonQuicken(benchmark::State& state) {
    drawStyle(state, Lb::bsQuicken);
}

void BM_DrawGradient(benchmark::State& state) {
    QImage surface(105, 41, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawGradient(surface, clWhite, 0x00C0C0, 2, 10, 103, 40);
        benchmark::DoNotOptimize(surface.constBits());
    }
}

// A whole paint of a hot main-window button, as a fade tick causes it.
void BM_PaintSurfaceHot(benchmark::State& state) {
    TLbSpeedButton button;
    button.resize(105, 41);
    button.setCaption(QStringLiteral("Calculate"));
    applyMainWindowButtonLook(button, calculatorGlyph());
    button.setHotTrackColor(0x00DFDF);
    for (auto _ : state)
        benchmark::DoNotOptimize(button.paintSurface());
}

} // namespace

BENCHMARK(BM_DrawButtonModern);
BENCHMARK(BM_DrawButtonNormal);
BENCHMARK(BM_DrawButtonQuicken);
BENCHMARK(BM_DrawGradient);
BENCHMARK(BM_PaintSurfaceHot);

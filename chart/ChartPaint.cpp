// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartPaint.h"

#include <QPainter>
#include <QPainterPath>

namespace twl::chart {

namespace {

const QColor Ink(0x20, 0x20, 0x20);
const QColor GridLine(0xD8, 0xD8, 0xD8);
const QColor PrincipalFill(0x1F, 0x3A, 0x68); // dark blue
const QColor InterestFill(0xF6, 0xC2, 0x8B);  // light orange
const QColor InterestHatch(0x9A, 0x4A, 0x08); // dark orange-brown

void fillPrincipal(QPainter& p, const QRectF& r) {
    p.fillRect(r, PrincipalFill);
}

void fillInterest(QPainter& p, const QRectF& r) {
    p.fillRect(r, InterestFill);
    QBrush hatch(InterestHatch, Qt::BDiagPattern);
    // The hatch keeps its spacing at any scale (a cosmetic pattern).
    p.fillRect(r, hatch);
}

void strokeBalance(QPainter& p, const QPolygonF& line) {
    QPen halo(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(halo);
    p.drawPolyline(line);
    QPen pen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.drawPolyline(line);
}

void drawTurned(QPainter& p, const PlacedText& t, double angle) {
    p.save();
    p.translate(t.rect.center());
    p.rotate(angle);
    const QRectF r(-t.rect.height() / 2, -t.rect.width() / 2, t.rect.height(), t.rect.width());
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, t.text);
    p.restore();
}

} // namespace

void paintChart(QPainter& p, const ChartLayout& L, const QString& emptyNote) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRectF(QPointF(0, 0), L.size), Qt::white);

    p.setPen(Ink);
    p.setFont(L.titleFont);
    p.drawText(L.title.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, L.title.text);
    p.setFont(L.font);
    for (const PlacedText& line : L.lines)
        p.drawText(line.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line.text);

    if (L.plot.isEmpty()) {
        if (!emptyNote.isEmpty())
            p.drawText(QRectF(QPointF(0, 0), L.size), Qt::AlignCenter | Qt::TextWordWrap,
                       emptyNote);
        p.restore();
        return;
    }

    p.setPen(QPen(GridLine, 1));
    for (double y : L.grid)
        p.drawLine(QPointF(L.plot.left(), y), QPointF(L.plot.right(), y));

    p.setPen(Qt::NoPen);
    for (const PlacedBar& bar : L.bars) {
        fillPrincipal(p, bar.principal);
        fillInterest(p, bar.interest);
    }
    // A thin dashed line where a rate changes, under the balance; a chart
    // without changes is drawn as before, pen for pen.
    if (!L.rateChangeX.empty()) p.setPen(QPen(Ink, 1, Qt::DashLine));
    for (const double x : L.rateChangeX)
        p.drawLine(QPointF(x, L.plot.top()), QPointF(x, L.plot.bottom()));
    strokeBalance(p, L.balance);

    // Axes, ticks and their labels.
    p.setPen(QPen(Ink, 1));
    p.drawLine(L.plot.bottomLeft(), L.plot.topLeft());
    p.drawLine(L.plot.bottomRight(), L.plot.topRight());
    p.drawLine(L.plot.bottomLeft(), L.plot.bottomRight());
    // Bars below zero hang from an axis of their own.
    if (L.baseline < L.plot.bottom() - 0.5)
        p.drawLine(QPointF(L.plot.left(), L.baseline), QPointF(L.plot.right(), L.baseline));
    for (const PlacedText& t : L.leftTicks) {
        const double y = t.rect.center().y();
        p.drawLine(QPointF(L.plot.left() - 4, y), QPointF(L.plot.left(), y));
        p.drawText(t.rect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, t.text);
    }
    for (const PlacedText& t : L.rightTicks) {
        const double y = t.rect.center().y();
        p.drawLine(QPointF(L.plot.right(), y), QPointF(L.plot.right() + 4, y));
        p.drawText(t.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t.text);
    }
    for (std::size_t i = 0; i < L.bottomTicks.size(); ++i) {
        const double x = L.bottomTickX[i];
        p.drawLine(QPointF(x, L.plot.bottom()), QPointF(x, L.plot.bottom() + 4));
        p.drawText(L.bottomTicks[i].rect, Qt::AlignCenter | Qt::TextSingleLine,
                   L.bottomTicks[i].text);
    }
    drawTurned(p, L.leftTitle, -90);
    drawTurned(p, L.rightTitle, 90);
    p.drawText(L.bottomTitle.rect, Qt::AlignCenter | Qt::TextSingleLine, L.bottomTitle.text);

    for (const LegendEntry& e : L.legend) {
        p.setPen(Qt::NoPen);
        switch (e.kind) {
        case LegendKind::Principal:
            fillPrincipal(p, e.swatch);
            break;
        case LegendKind::Interest:
            fillInterest(p, e.swatch);
            break;
        case LegendKind::Balance: {
            const double y = e.swatch.center().y();
            strokeBalance(p,
                          QPolygonF({QPointF(e.swatch.left(), y), QPointF(e.swatch.right(), y)}));
            break;
        }
        }
        if (e.kind != LegendKind::Balance) {
            p.setPen(QPen(Ink, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(e.swatch);
        }
        p.setPen(Ink);
        p.drawText(e.label.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   e.label.text);
    }
    p.restore();
}

} // namespace twl::chart

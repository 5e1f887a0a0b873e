// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartLayout.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"
#include "chart/ChartAxis.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace twl::chart {

namespace {

constexpr double Margin = 12;
constexpr double Gap = 6;
constexpr double TickLength = 4;
const QString PartSeparator = QStringLiteral("    ");

QChar decimalSeparator() {
    return regionalSettings().decimalSeparator;
}

// Parts joined on one line while they fit, then on the next.
std::vector<QString> wrapParts(const QStringList& parts, const QFontMetricsF& fm, double width) {
    std::vector<QString> lines;
    QString line;
    for (const QString& part : parts) {
        const QString joined = line.isEmpty() ? part : line + PartSeparator + part;
        if (!line.isEmpty() && fm.horizontalAdvance(joined) > width) {
            lines.push_back(line);
            line = part;
        } else {
            line = joined;
        }
    }
    if (!line.isEmpty()) lines.push_back(line);
    return lines;
}

QStringList inputsParts(const ChartData& data, const ChartTexts& texts) {
    const QChar sep = decimalSeparator();
    const auto mark = [&](SolvedInput input) {
        return data.solved == input ? texts.solvedMark : QString();
    };
    return {texts.amountLabel + FormatGeneral(data.inputs.amount, 15, sep) +
                mark(SolvedInput::Amount),
            texts.monthsLabel + QString::number(data.inputs.months) + mark(SolvedInput::Count),
            texts.rateLabel + FormatGeneral(data.inputs.rate, 15, sep) + mark(SolvedInput::Rate)};
}

QStringList totalsParts(const ChartData& data, const ChartTexts& texts) {
    const QChar sep = decimalSeparator();
    const int d = data.totals.decimals;
    return {texts.totalPaid + QStringLiteral(": ") + FormatFixed(data.totals.paid, d, sep),
            texts.totalInterest + QStringLiteral(": ") + FormatFixed(data.totals.interest, d, sep),
            texts.interestShare + QStringLiteral(": ") + FormatFixed(interestShare(data), 2, sep) +
                QStringLiteral(" %"),
            texts.payments + QStringLiteral(": ") + QString::number(data.totals.payments)};
}

struct Range {
    double low = 0;
    double high = 0;
    void include(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool finite() const { return std::isfinite(low) && std::isfinite(high); }
};

// Each bar stacks its positive parts up from zero and its negative parts down
// from it, so a negative interest shows below the axis.
struct Stack {
    double up = 0;
    double down = 0;
    // The span [from, to] of the next part of value v.
    std::pair<double, double> add(double v) {
        double& end = v >= 0 ? up : down;
        const double from = end;
        end += v;
        return {from, end};
    }
};

Range barRange(const std::vector<ChartBar>& bars) {
    Range r;
    for (const ChartBar& b : bars) {
        Stack stack;
        stack.add(b.principal);
        stack.add(b.interest);
        r.include(stack.up);
        r.include(stack.down);
    }
    return r;
}

bool anyNegativeInterest(const std::vector<ChartBar>& years) {
    return std::any_of(years.begin(), years.end(),
                       [](const ChartBar& b) { return b.interest < 0; });
}

Range balanceRange(const ChartData& data) {
    Range r;
    r.include(data.inputs.amount);
    for (double b : data.balance)
        r.include(b);
    return r;
}

// Maps values of an axis onto the plot's height.
struct Scale {
    AxisTicks ticks;
    double top = 0;
    double bottom = 0;
    double y(double v) const {
        const double span = ticks.last() - ticks.first;
        return bottom - (v - ticks.first) / span * (bottom - top);
    }
};

AxisTicks ticksFor(Range r, double height, double lineHeight) {
    // Headroom, so that a line near its highest value is not lost on the frame.
    const double room = (r.high - r.low) * 0.04;
    if (r.high > 0) r.high += room;
    if (r.low < 0) r.low -= room;
    const int steps = std::max(2, static_cast<int>(height / (lineHeight * 2.5)));
    AxisTicks t = axisTicks(r.low, r.high, steps);
    if (t.count < 2) t.count = 2;
    return t;
}

double widestLabel(const AxisTicks& t, const QFontMetricsF& fm) {
    double w = 0;
    for (int i = 0; i < t.count; ++i)
        w = std::max(w,
                     fm.horizontalAdvance(tickLabel(t.value(i), t.decimals, decimalSeparator())));
    return w;
}

// A label that would overlap the one placed before it is left out (its tick stays).
void placeApart(std::vector<PlacedText>& labels, PlacedText label) {
    if (!labels.empty() && labels.back().rect.intersects(label.rect)) return;
    labels.push_back(std::move(label));
}

} // namespace

QString inputsLine(const ChartData& data, const ChartTexts& texts) {
    return inputsParts(data, texts).join(PartSeparator);
}

QString totalsLine(const ChartData& data, const ChartTexts& texts) {
    return totalsParts(data, texts).join(PartSeparator);
}

QFont defaultChartFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(13);
    return f;
}

ChartLayout layoutChart(const ChartData& data, const ChartTexts& texts, QSizeF size,
                        const QFont& font) {
    ChartLayout L;
    L.size = size;
    L.font = font;
    if (L.font.pixelSize() <= 0) L.font.setPixelSize(13);
    L.titleFont = L.font;
    L.titleFont.setBold(true);
    L.titleFont.setPixelSize(std::max(1, static_cast<int>(std::lround(L.font.pixelSize() * 1.3))));
    const QFontMetricsF fm(L.font);
    const QFontMetricsF tfm(L.titleFont);
    const double lineHeight = fm.height();
    const double width = std::max(1.0, size.width());
    const double height = std::max(1.0, size.height());
    const double textWidth = std::max(1.0, width - 2 * Margin);

    double y = Margin;
    L.title = {QRectF(Margin, y, textWidth, tfm.height()),
               tfm.elidedText(texts.title, Qt::ElideRight, textWidth)};
    y += tfm.height() + Gap / 2;
    if (data.empty()) return L;

    std::vector<QString> lines = wrapParts(inputsParts(data, texts), fm, textWidth);
    for (const QString& s : wrapParts(totalsParts(data, texts), fm, textWidth))
        lines.push_back(s);
    if (data.cost)
        for (const QString& s :
             wrapParts(costRowCells(*data.cost, texts.cost, data.totals.decimals), fm, textWidth))
            lines.push_back(s);
    for (const QString& s : lines) {
        L.lines.push_back({QRectF(Margin, y, textWidth, lineHeight),
                           fm.elidedText(s, Qt::ElideRight, textWidth)});
        y += lineHeight;
    }
    y += Gap + lineHeight / 2; // room for the top tick labels

    const Range balance = balanceRange(data);
    if (!balance.finite() || !barRange(data.years).finite()) return L;

    // The legend, in as many lines as the width needs.
    const bool negativeInterest = anyNegativeInterest(data.years);
    const double swatch = lineHeight * 1.4;
    const std::pair<LegendKind, QString> entries[] = {
        {LegendKind::Principal, texts.principal},
        {LegendKind::Interest,
         negativeInterest ? Format(texts.negativeInterest, {texts.interest}) : texts.interest},
        {LegendKind::Balance, texts.balance}};
    std::vector<std::vector<std::pair<LegendKind, QString>>> legendLines(1);
    std::vector<double> legendWidths(1, 0.0);
    for (const auto& [kind, text] : entries) {
        const QString shown = fm.elidedText(text, Qt::ElideRight, textWidth - swatch - Gap);
        const double w = swatch + Gap + fm.horizontalAdvance(shown) + 3 * Gap;
        if (!legendLines.back().empty() && legendWidths.back() + w > textWidth + 3 * Gap) {
            legendLines.emplace_back();
            legendWidths.push_back(0);
        }
        legendLines.back().emplace_back(kind, shown);
        legendWidths.back() += w;
    }

    // From the bottom: the legend, the bottom axis' title and its labels.
    const double legendTop = height - Margin - lineHeight * static_cast<double>(legendLines.size());
    const double bottomTitleTop = legendTop - Gap - lineHeight;
    const double bottomLabelsTop = bottomTitleTop - lineHeight;
    // The lowest tick's label, half a line below its tick, stays above them.
    const double plotBottom =
        std::max(y + 1, bottomLabelsTop - std::max(TickLength, lineHeight / 2));
    const double plotHeight = plotBottom - y;

    // The label widths decide the plot's width, which decides how many years
    // share a bar, which decides the bars' scale: settle in a few rounds.
    const AxisTicks rightTicks = ticksFor(balance, plotHeight, lineHeight);
    const double rightLabels = widestLabel(rightTicks, fm);
    double leftLabels = 0;
    std::vector<ChartBar> bars;
    AxisTicks leftTicks;
    double plotLeft = 0, plotRight = 0;
    for (int round = 0; round < 3; ++round) {
        plotLeft = Margin + lineHeight + Gap + leftLabels + TickLength;
        plotRight = width - Margin - lineHeight - Gap - rightLabels - TickLength;
        if (plotRight < plotLeft + 1) plotRight = plotLeft + 1;
        const int maxBars = std::max(1, static_cast<int>((plotRight - plotLeft) / MinBarPitch));
        L.yearsPerBar = yearsPerBarFor(data.years.size(), maxBars);
        bars = groupYears(data.years, L.yearsPerBar);
        leftTicks = ticksFor(barRange(bars), plotHeight, lineHeight);
        const double needed = widestLabel(leftTicks, fm);
        if (needed <= leftLabels) break;
        leftLabels = needed;
    }
    L.plot = QRectF(QPointF(plotLeft, y), QPointF(plotRight, plotBottom));

    const QChar sep = decimalSeparator();
    const Scale left{leftTicks, L.plot.top(), L.plot.bottom()};
    const Scale right{rightTicks, L.plot.top(), L.plot.bottom()};
    for (int i = 0; i < leftTicks.count; ++i) {
        const double ty = left.y(leftTicks.value(i));
        L.grid.push_back(ty);
        placeApart(L.leftTicks,
                   {QRectF(Margin + lineHeight + Gap, ty - lineHeight / 2, leftLabels, lineHeight),
                    tickLabel(leftTicks.value(i), leftTicks.decimals, sep)});
    }
    for (int i = 0; i < rightTicks.count; ++i) {
        const double ty = right.y(rightTicks.value(i));
        placeApart(L.rightTicks,
                   {QRectF(plotRight + TickLength, ty - lineHeight / 2, rightLabels, lineHeight),
                    tickLabel(rightTicks.value(i), rightTicks.decimals, sep)});
    }
    // The turned titles are cut to the plot's height.
    const QString leftTitle = L.yearsPerBar == 1
                                  ? texts.paidPerYear
                                  : Format(texts.paidPerYears, {QString::number(L.yearsPerBar)});
    L.leftTitle = {QRectF(Margin, L.plot.top(), lineHeight, L.plot.height()),
                   fm.elidedText(leftTitle, Qt::ElideRight, L.plot.height())};
    L.rightTitle = {QRectF(width - Margin - lineHeight, L.plot.top(), lineHeight, L.plot.height()),
                    fm.elidedText(texts.balance, Qt::ElideRight, L.plot.height())};

    // Months run along the bottom; a bar covers its group's months.
    const double monthsShown =
        static_cast<double>(bars.size()) * L.yearsPerBar * data.periodsPerYear;
    const auto xOf = [&](double period) {
        return L.plot.left() + L.plot.width() * period / monthsShown;
    };
    L.baseline = left.y(0);
    const double pitch = L.plot.width() / static_cast<double>(bars.size());
    const double barWidth = std::max(1.0, pitch * (pitch >= 12 ? 0.7 : 0.75));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const double x = L.plot.left() + pitch * static_cast<double>(i) + (pitch - barWidth) / 2;
        Stack stack;
        const auto part = [&](double v) {
            const auto [from, to] = stack.add(v);
            return QRectF(QPointF(x, left.y(from)), QPointF(x + barWidth, left.y(to))).normalized();
        };
        PlacedBar placed;
        placed.principal = part(bars[i].principal);
        placed.interest = part(bars[i].interest);
        L.bars.push_back(placed);
    }

    // The balance: the amount before the first payment, then after each month,
    // thinned to about one point per pixel (a finer line only costs drawing time).
    const std::size_t n = data.balance.size();
    const std::size_t stride =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(
                                     static_cast<double>(n) / std::max(1.0, L.plot.width()))));
    L.balance.reserve(static_cast<qsizetype>(n / stride + 2));
    L.balance << QPointF(xOf(0), right.y(data.inputs.amount));
    for (std::size_t i = stride - 1; i < n; i += stride)
        L.balance << QPointF(xOf(static_cast<double>(i + 1)), right.y(data.balance[i]));
    if ((n % stride) != 0)
        L.balance << QPointF(xOf(static_cast<double>(n)), right.y(data.balance.back()));
    for (const std::int32_t k : data.rateChanges)
        L.rateChangeX.push_back(xOf(static_cast<double>(k - 1)));

    // Year numbers on round steps (1000, not a multiple of the years per bar).
    const int yearsShown = static_cast<int>(bars.size()) * L.yearsPerBar;
    const double labelWidth = fm.horizontalAdvance(QString::number(yearsShown)) + 2 * Gap;
    const int maxLabels = std::max(1, static_cast<int>(L.plot.width() / (labelWidth * 1.5)));
    const int yearStep = std::max(1, static_cast<int>(std::ceil(roundStep(yearsShown, maxLabels))));
    for (int year = 0; year <= yearsShown; year += yearStep) {
        const double x = xOf(static_cast<double>(year) * data.periodsPerYear);
        L.bottomTickX.push_back(x);
        L.bottomTicks.push_back(
            {QRectF(x - labelWidth / 2, bottomLabelsTop, labelWidth, lineHeight),
             QString::number(year)});
    }
    L.bottomTitle = {QRectF(L.plot.left(), bottomTitleTop, L.plot.width(), lineHeight), texts.year};

    // The legend, each line centred under the plot.
    for (std::size_t line = 0; line < legendLines.size(); ++line) {
        const double top = legendTop + lineHeight * static_cast<double>(line);
        double x = std::max(Margin, (width - legendWidths[line] + 3 * Gap) / 2);
        for (const auto& [kind, text] : legendLines[line]) {
            const double advance = fm.horizontalAdvance(text);
            L.legend.push_back({kind,
                                QRectF(x, top + lineHeight * 0.15, swatch, lineHeight * 0.7),
                                {QRectF(x + swatch + Gap, top, advance + 1, lineHeight), text}});
            x += swatch + Gap + advance + 3 * Gap;
        }
    }
    return L;
}

} // namespace twl::chart

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
    return {texts.amountLabel + FormatGeneral(data.inputs.amount, 15, sep),
            texts.monthsLabel + QString::number(data.inputs.months),
            texts.rateLabel + FormatGeneral(data.inputs.rate, 15, sep)};
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

Range barRange(const std::vector<ChartBar>& bars) {
    Range r;
    for (const ChartBar& b : bars) {
        r.include(b.principal);
        r.include(b.principal + b.interest);
    }
    return r;
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

AxisTicks ticksFor(const Range& r, double height, double lineHeight) {
    const int steps = std::max(2, static_cast<int>(height / (lineHeight * 2.5)));
    AxisTicks t = axisTicks(r.low, r.high, steps);
    if (t.count < 2) t.count = 2;
    return t;
}

double widestLabel(const AxisTicks& t, const QFontMetricsF& fm) {
    const RegionalSettings& rs = regionalSettings();
    double w = 0;
    for (int i = 0; i < t.count; ++i)
        w = std::max(w, fm.horizontalAdvance(tickLabel(t.value(i), t.decimals, rs.decimalSeparator,
                                                       rs.thousandSeparator)));
    return w;
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
    L.title = {QRectF(Margin, y, textWidth, tfm.height()), texts.title};
    y += tfm.height() + Gap / 2;
    if (data.empty()) return L;

    std::vector<QString> lines = wrapParts(inputsParts(data, texts), fm, textWidth);
    for (const QString& s : wrapParts(totalsParts(data, texts), fm, textWidth))
        lines.push_back(s);
    for (const QString& s : lines) {
        L.lines.push_back({QRectF(Margin, y, textWidth, lineHeight), s});
        y += lineHeight;
    }
    y += Gap + lineHeight / 2; // room for the top tick labels

    const Range balance = balanceRange(data);
    if (!balance.finite() || !barRange(data.years).finite()) return L;

    // From the bottom: the legend, the bottom axis' title and its labels.
    const double legendTop = height - Margin - lineHeight;
    const double bottomTitleTop = legendTop - Gap - lineHeight;
    const double bottomLabelsTop = bottomTitleTop - lineHeight;
    const double plotBottom = std::max(y + 1, bottomLabelsTop - TickLength);
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

    const RegionalSettings& rs = regionalSettings();
    const Scale left{leftTicks, L.plot.top(), L.plot.bottom()};
    const Scale right{rightTicks, L.plot.top(), L.plot.bottom()};
    for (int i = 0; i < leftTicks.count; ++i) {
        const double ty = left.y(leftTicks.value(i));
        L.grid.push_back(ty);
        L.leftTicks.push_back(
            {QRectF(Margin + lineHeight + Gap, ty - lineHeight / 2, leftLabels, lineHeight),
             tickLabel(leftTicks.value(i), leftTicks.decimals, rs.decimalSeparator,
                       rs.thousandSeparator)});
    }
    for (int i = 0; i < rightTicks.count; ++i) {
        const double ty = right.y(rightTicks.value(i));
        L.rightTicks.push_back(
            {QRectF(plotRight + TickLength, ty - lineHeight / 2, rightLabels, lineHeight),
             tickLabel(rightTicks.value(i), rightTicks.decimals, rs.decimalSeparator,
                       rs.thousandSeparator)});
    }
    L.leftTitle = {QRectF(Margin, L.plot.top(), lineHeight, L.plot.height()),
                   L.yearsPerBar == 1
                       ? texts.paidPerYear
                       : Format(texts.paidPerYears, {QString::number(L.yearsPerBar)})};
    L.rightTitle = {QRectF(width - Margin - lineHeight, L.plot.top(), lineHeight, L.plot.height()),
                    texts.balance};

    // Months run along the bottom; a bar covers its group's months.
    const double monthsShown =
        static_cast<double>(bars.size()) * L.yearsPerBar * data.periodsPerYear;
    const auto xOf = [&](double period) {
        return L.plot.left() + L.plot.width() * period / monthsShown;
    };
    const double pitch = L.plot.width() / static_cast<double>(bars.size());
    const double barWidth = std::max(1.0, pitch * (pitch >= 12 ? 0.7 : 0.75));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const double x = L.plot.left() + pitch * static_cast<double>(i) + (pitch - barWidth) / 2;
        const double p = bars[i].principal;
        const double top = p + bars[i].interest;
        PlacedBar placed;
        placed.principal =
            QRectF(QPointF(x, left.y(0)), QPointF(x + barWidth, left.y(p))).normalized();
        placed.interest =
            QRectF(QPointF(x, left.y(p)), QPointF(x + barWidth, left.y(top))).normalized();
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

    // The legend, centred under the plot.
    const double swatch = lineHeight * 1.4;
    const std::pair<LegendKind, QString> entries[] = {{LegendKind::Principal, texts.principal},
                                                      {LegendKind::Interest, texts.interest},
                                                      {LegendKind::Balance, texts.balance}};
    double total = 0;
    for (const auto& e : entries)
        total += swatch + Gap + fm.horizontalAdvance(e.second) + 3 * Gap;
    double x = std::max(Margin, (width - total) / 2);
    for (const auto& [kind, text] : entries) {
        LegendEntry entry{
            kind,
            QRectF(x, legendTop + lineHeight * 0.15, swatch, lineHeight * 0.7),
            {QRectF(x + swatch + Gap, legendTop, fm.horizontalAdvance(text) + 1, lineHeight),
             text}};
        L.legend.push_back(entry);
        x += swatch + Gap + fm.horizontalAdvance(text) + 3 * Gap;
    }
    return L;
}

} // namespace twl::chart

// SPDX-License-Identifier: GPL-3.0-or-later
// Axis steps, the layout at any size, the PNG and SVG pictures and the
// description read to screen readers.

#include "chart/ChartAxis.h"
#include "chart/ChartDescription.h"
#include "chart/ChartLayout.h"
#include "chart/ChartOutput.h"
#include "chart/ChartWidget.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cmath>

using namespace twl;
using namespace twl::chart;

namespace {

TEST(ChartAxis, StepsAreRound) {
    struct Case {
        double low, high;
        int maxSteps;
        double step, first, last;
        int decimals;
    } cases[] = {
        {0, 10, 5, 2, 0, 10, 0},
        {0, 1079.48, 5, 500, 0, 1500, 0},
        {0, 250000, 6, 50000, 0, 250000, 0},
        {0, 0.3, 3, 0.1, 0, 0.3, 1},
        {0, 1, 4, 0.5, 0, 1, 1},
        {-35, 120, 8, 20, -40, 120, 0},
        {0.02, 0.071, 5, 0.02, 0.02, 0.08, 2},
        {0, 0, 5, 0.2, 0, 1, 1},    // one value: widened to a round range
        {42, 42, 4, 50, 0, 100, 0}, // ... from zero
    };
    for (const Case& c : cases) {
        const AxisTicks t = axisTicks(c.low, c.high, c.maxSteps);
        EXPECT_DOUBLE_EQ(t.step, c.step) << c.low << ".." << c.high;
        EXPECT_NEAR(t.first, c.first, 1e-9) << c.low << ".." << c.high;
        EXPECT_NEAR(t.last(), c.last, 1e-9) << c.low << ".." << c.high;
        EXPECT_EQ(t.decimals, c.decimals) << c.low << ".." << c.high;
    }
    EXPECT_EQ(roundStep(std::nan(""), 5), 1);
}

TEST(ChartAxis, LabelsTakeTheTotalsFormWithoutRoundingNoise) {
    struct Case {
        double value;
        int decimals;
        QChar separator;
        const char* label;
    } cases[] = {
        {1234.5, 1, ',', "1234,5"}, // no thousands separator, as the totals
        {250000, 0, '.', "250000"}, {0.1 + 0.2 - 0.3, 1, ',', "0,0"}, // never "-0,0"
        {-40, 0, ',', "-40"},       {5e304 * 9, 0, '.', "4.5E305"},   // not 4.4999999999999953E305
        {2e18 * 3, 0, ',', "6E18"}, {1e17 * 3, 0, '.', "300000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tickLabel(c.value, c.decimals, c.separator), c.label) << c.value;
}

ChartData sample(std::int32_t months, double amount = 250000, double rate = 3.875) {
    ChartAggregator a;
    const double q = rate / 1200;
    const double payment = amount * q / (1 - std::pow(1 + q, -months));
    double balance = amount;
    double paid = 0, interest = 0;
    for (std::int32_t k = 1; k <= months; ++k) {
        const double i = balance * q;
        balance -= payment - i;
        paid += payment;
        interest += i;
        a.addRow({k, payment, i, payment - i, std::max(0.0, balance)});
    }
    return a.finish({amount, months, rate}, {paid, interest, paid - interest, months, 2});
}

TEST(ChartLayout, BarsStayWideEnoughAndEverythingStaysInside) {
    test::RegionalScope regional(QLatin1Char(','));
    const ChartData data = sample(71332, 250000, 0.5);
    for (const QSizeF size :
         {QSizeF(960, 640), QSizeF(400, 300), QSizeF(3000, 500), QSizeF(1, 1), QSizeF(0, 0)}) {
        const ChartLayout L = layoutChart(data, ChartTexts(), size, defaultChartFont());
        const QRectF inside(QPointF(0, 0), size.expandedTo(QSizeF(1, 1)));
        ASSERT_FALSE(L.bars.empty());
        const double pitch = L.plot.width() / static_cast<double>(L.bars.size());
        if (L.plot.width() >= MinBarPitch) {
            EXPECT_GE(pitch, MinBarPitch) << size.width();
        }
        EXPECT_EQ(static_cast<std::size_t>(L.yearsPerBar) * L.bars.size() >= data.years.size(),
                  true);
        if (size.width() >= 400) {
            EXPECT_TRUE(inside.contains(L.plot)) << size.width();
            for (const QPointF& p : L.balance)
                EXPECT_TRUE(L.plot.adjusted(-1, -1, 1, 1).contains(p));
            // About one point per pixel, whatever the number of months.
            EXPECT_LE(L.balance.size(), L.plot.width() + 3);
        }
    }
}

TEST(ChartLayout, ShowsTheSummaryRowAndInputsInRegionalFormat) {
    test::RegionalScope regional(QLatin1Char(','));
    ChartData data = sample(24, 1000, 7.5);
    data.totals.paid = 1079.48;
    data.totals.interest = 79.48;
    const QString totals = totalsLine(data, ChartTexts());
    EXPECT_EQ(totals, "Total paid: 1079,48    Total interest: 79,48    "
                      "Interest in % of the amount: 7,95 %    Payments: 24");
    EXPECT_EQ(inputsLine(data, ChartTexts()), "Amount: 1000    Months: 24    Rate (%): 7,5");
    const ChartLayout L = layoutChart(data, ChartTexts(), {960, 640}, defaultChartFont());
    EXPECT_EQ(L.yearsPerBar, 1);
    EXPECT_EQ(L.bars.size(), 2u);
    EXPECT_EQ(L.leftTitle.text, "Paid per year");
    // A narrow picture wraps the totals instead of cutting them.
    const ChartLayout narrow = layoutChart(data, ChartTexts(), {300, 400}, defaultChartFont());
    QStringList shown;
    for (const PlacedText& t : narrow.lines)
        shown << t.text;
    EXPECT_GT(narrow.lines.size(), L.lines.size());
    EXPECT_TRUE(shown.join("    ").contains("Total interest: 79,48"));
}

TEST(ChartOutput, PngHasTheSizeTimesTheRatio) {
    const ChartData data = sample(360);
    for (const auto& [size, ratio] :
         {std::pair{QSize(960, 640), 1.0}, {QSize(960, 640), 2.0}, {QSize(300, 200), 1.5}}) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(chartPng(data, ChartTexts(), size, ratio), "PNG"));
        EXPECT_EQ(image.size(), size * ratio);
    }
    // The two series differ in lightness, not only in hue.
    const QImage image = chartImage(data, ChartTexts(), {960, 640}, 1);
    const ChartLayout L = layoutChart(data, ChartTexts(), {960, 640}, defaultChartFont());
    const QColor principal = image.pixelColor(L.legend[0].swatch.center().toPoint());
    const QColor interest =
        image.pixelColor(L.legend[1].swatch.adjusted(2, 2, -2, -2).topLeft().toPoint());
    EXPECT_GT(std::abs(qGray(principal.rgb()) - qGray(interest.rgb())), 80);
}

TEST(ChartOutput, SvgParsesAndCarriesTitleAndDescription) {
    test::RegionalScope regional(QLatin1Char('.'));
    const ChartData data = sample(24, 1000, 7.5);
    const QByteArray svg = chartSvg(data, ChartTexts(), {800, 500});
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 800, 500));
    EXPECT_TRUE(svg.contains("<title>Repayment of the loan</title>"));
    EXPECT_TRUE(svg.contains("24 payments: total paid"));
}

TEST(ChartDescription, TellsTheTotalsAndTheShape) {
    test::RegionalScope regional(QLatin1Char(','));
    ChartData data = sample(360);
    // At 3.875 % over 30 years interest outweighs principal for the first years.
    EXPECT_EQ(describeChart(data, ChartTexts()),
              "360 payments: total paid 423213,38, total interest 173213,38, 69,29 % of the "
              "amount. The balance falls from 250000,00 to 0,00 over 30 years. Interest is the "
              "larger part of the payments up to year 12.");
    EXPECT_TRUE(describeChart(sample(24, 1000, 7.5), ChartTexts())
                    .contains("Principal is the larger part of the payments in every year."));
    EXPECT_EQ(describeChart(ChartData(), ChartTexts()), "");
}

// What a placed text really covers: its advance, where its alignment puts it.
QRectF ink(const PlacedText& t, Qt::Alignment align, const QFont& font) {
    const double w = QFontMetricsF(font).horizontalAdvance(t.text);
    double left = t.rect.left();
    if (align & Qt::AlignRight) left = t.rect.right() - w;
    if (align & Qt::AlignHCenter) left = t.rect.center().x() - w / 2;
    return {left, t.rect.top(), w, t.rect.height()};
}

std::vector<QRectF> texts(const ChartLayout& L) {
    std::vector<QRectF> all{ink(L.title, Qt::AlignLeft, L.titleFont)};
    for (const PlacedText& t : L.lines)
        all.push_back(ink(t, Qt::AlignLeft, L.font));
    for (const PlacedText& t : L.leftTicks)
        all.push_back(ink(t, Qt::AlignRight, L.font));
    for (const PlacedText& t : L.rightTicks)
        all.push_back(ink(t, Qt::AlignLeft, L.font));
    for (const PlacedText& t : L.bottomTicks)
        all.push_back(ink(t, Qt::AlignHCenter, L.font));
    all.push_back(ink(L.bottomTitle, Qt::AlignHCenter, L.font));
    for (const LegendEntry& e : L.legend)
        all.push_back(ink(e.label, Qt::AlignLeft, L.font));
    // The turned titles: their advance runs along the plot's side.
    for (const PlacedText& t : {L.leftTitle, L.rightTitle}) {
        const double w = QFontMetricsF(L.font).horizontalAdvance(t.text);
        all.emplace_back(t.rect.left(), t.rect.center().y() - w / 2, t.rect.width(), w);
    }
    return all;
}

TEST(ChartLayout, NoTextOverlapsAnotherOrLeavesThePicture) {
    test::RegionalScope regional(QLatin1Char(','));
    ChartData huge = sample(360, 250000, 3.875);
    for (double& b : huge.balance)
        b *= 1e300;
    huge.inputs.amount *= 1e300;
    for (ChartBar& bar : huge.years) {
        bar.principal *= 1e300;
        bar.interest *= 1e300;
    }
    const std::pair<const char*, ChartData> cases[] = {
        {"30 years", sample(360)},
        {"6000 years", sample(71332, 250000, 0.5)},
        {"negative rate", sample(60, 5000, -5)},
        {"1e305", huge},
    };
    const QSize minimum = ChartWidget().minimumSizeHint();
    for (const auto& [name, data] : cases) {
        for (const QSizeF size : {QSizeF(minimum), QSizeF(960, 640), QSizeF(minimum.width(), 900),
                                  QSizeF(1600, minimum.height())}) {
            const ChartLayout L = layoutChart(data, ChartTexts(), size, defaultChartFont());
            const std::vector<QRectF> all = texts(L);
            const QRectF picture(QPointF(0, 0), size);
            for (std::size_t i = 0; i < all.size(); ++i) {
                EXPECT_TRUE(picture.contains(all[i]))
                    << name << " " << size.width() << "x" << size.height() << " text " << i;
                for (std::size_t j = i + 1; j < all.size(); ++j)
                    EXPECT_FALSE(all[i].intersects(all[j]))
                        << name << " " << size.width() << "x" << size.height() << " texts " << i
                        << " and " << j;
            }
            // Headroom: the balance never runs along the plot's top edge.
            for (const QPointF& p : L.balance)
                EXPECT_GT(p.y(), L.plot.top() + 2) << name;
        }
    }
}

TEST(ChartLayout, NegativeInterestHangsBelowTheAxisAndTheLegendSaysSo) {
    const ChartData data = sample(60, 5000, -5);
    ASSERT_LT(data.years.front().interest, 0);
    const ChartLayout L = layoutChart(data, ChartTexts(), {960, 640}, defaultChartFont());
    EXPECT_LT(L.baseline, L.plot.bottom());
    for (const PlacedBar& bar : L.bars) {
        EXPECT_NEAR(bar.principal.bottom(), L.baseline, 1e-6);
        EXPECT_NEAR(bar.interest.top(), L.baseline, 1e-6);
        EXPECT_GT(bar.interest.height(), 0);
    }
    EXPECT_EQ(L.legend[1].label.text, "Interest (negative: below the axis)");
    // A positive rate keeps the designed legend and the bars on the bottom.
    const ChartLayout plain =
        layoutChart(sample(60, 5000, 5), ChartTexts(), {960, 640}, defaultChartFont());
    EXPECT_EQ(plain.legend[1].label.text, "Interest");
    EXPECT_NEAR(plain.baseline, plain.plot.bottom(), 1e-6);
}

TEST(ChartDescription, SaysWhereTheBalanceGoesInPlainWords) {
    test::RegionalScope regional(QLatin1Char('.'));
    ChartData stays = sample(24, 1000, 7.5);
    std::fill(stays.balance.begin(), stays.balance.end(), 1000.0);
    ChartData owedBack = sample(24, 1000, 7.5); // a negative amount: the other way round
    owedBack.inputs.amount = -1000;
    for (double& b : owedBack.balance)
        b = -b;
    for (ChartBar& bar : owedBack.years) {
        bar.principal = -bar.principal;
        bar.interest = -bar.interest;
    }
    const std::pair<ChartData, const char*> cases[] = {
        {sample(360), "The balance falls from 250000.00 to 0.00 over 30 years."},
        {sample(12, 1000, 12), "The balance falls from 1000.00 to 0.00 within a year."},
        {stays, "The balance stays at 1000.00."},
        {owedBack, "The balance falls from -1000.00 to 0.00 over 2 years. Principal is the "
                   "larger part of the payments in every year."},
        {sample(60, 5000, -5), "The interest is negative: it lowers what is paid."},
    };
    for (const auto& [data, expected] : cases) {
        const QString text = describeChart(data, ChartTexts());
        EXPECT_TRUE(text.contains(expected)) << text.toStdString();
        EXPECT_FALSE(text.contains("1 years")) << text.toStdString();
    }
}

} // namespace

TEST(ChartOutput, ARateChangeIsAThinLineInThePlotAndNoChangeDrawsNothingMore) {
    ChartData data = sample(360);
    const QByteArray plain = chartSvg(data, ChartTexts(), {960, 640});
    EXPECT_TRUE(
        layoutChart(data, ChartTexts(), {960, 640}, defaultChartFont()).rateChangeX.empty());
    data.rateChanges = {1, 121};
    const ChartLayout L = layoutChart(data, ChartTexts(), {960, 640}, defaultChartFont());
    ASSERT_EQ(L.rateChangeX.size(), 2u);
    // The first at the plot's left edge, the second a third of the way along.
    EXPECT_DOUBLE_EQ(L.rateChangeX[0], L.plot.left());
    EXPECT_NEAR(L.rateChangeX[1], L.plot.left() + L.plot.width() / 3, 1.0);
    const QByteArray marked = chartSvg(data, ChartTexts(), {960, 640});
    EXPECT_GT(marked.count("stroke-dasharray"), plain.count("stroke-dasharray"));
    // In the picture too: the line is ink where the plot is otherwise light.
    const QImage image = chartImage(data, ChartTexts(), {960, 640}, 1);
    const QPoint onLine(static_cast<int>(L.rateChangeX[1]), static_cast<int>(L.plot.top()) + 3);
    EXPECT_LT(qGray(image.pixel(onLine)), 128);
}

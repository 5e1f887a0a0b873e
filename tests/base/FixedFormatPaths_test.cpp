// SPDX-License-Identifier: GPL-3.0-or-later
// The amount format rounds through an integer wherever that is provably exact;
// everywhere it must give the text that the decimal digits give.

#include "base/NumberFormat.h"
#include "tests/support/TestSupport.h"

#include <QRandomGenerator>
#include <cmath>
#include <vector>

using namespace twl;

namespace {

// Values of every kind that can reach the shortcut's edges with `decimals`
// decimals: halves and their neighbouring doubles, the edges of the margin
// around a half, multiples of the last place, random values over the whole
// range the shortcut takes and beyond it, and the size limit.
std::vector<double> sweep(int decimals, QRandomGenerator& rng) {
    const double scale = std::pow(10.0, decimals);
    std::vector<double> v;
    const auto around = [&](double units) {
        double x = units / scale;
        for (int i = 0; i < 3; ++i)
            x = std::nextafter(x, -HUGE_VAL);
        for (int i = 0; i < 7; ++i, x = std::nextafter(x, HUGE_VAL)) {
            v.push_back(x);
            v.push_back(-x);
        }
    };
    std::vector<double> whole;
    for (int k = 0; k < 1500; ++k)
        whole.push_back(k);
    for (double p = 10; p < 1e16; p *= 10) {
        whole.push_back(p - 1);
        whole.push_back(p);
        whole.push_back(std::floor(p * 0.123456789));
    }
    for (const double k : whole) {
        around(k + 0.5);
        around(k + 0.5 - 1.0 / 1024);
        around(k + 0.5 + 1.0 / 1024);
        v.push_back(k / scale);
        v.push_back((k + 0.25) / scale);
    }
    for (int i = 0; i < 4000; ++i) {
        // Magnitudes from 10^-4 below the last place up to 10^17 of them.
        const double units = std::pow(10.0, rng.generateDouble() * 21 - 4);
        v.push_back(units / scale);
        v.push_back(-(units / scale));
    }
    around(1e15 - 1);
    around(1e15);
    return v;
}

} // namespace

TEST(AmountFormat, IntegerRoundingGivesTheDigitsTextForEveryDecimalsCount) {
    QRandomGenerator rng(20261207);
    for (int decimals = 0; decimals <= 18; ++decimals) {
        int mismatches = 0;
        for (const double x : sweep(decimals, rng)) {
            const QString fast = FormatFixed(x, decimals, QLatin1Char('.'));
            const QString digits = detail::FormatFixedByDigits(x, decimals, QLatin1Char('.'));
            // The length alone, as a measuring pass asks it, is the text's.
            const qsizetype length = FormatFixedLength(x, decimals, QLatin1Char('.'));
            if ((fast != digits || length != fast.size()) && ++mismatches <= 5)
                ADD_FAILURE() << "value " << QString::number(x, 'g', 17).toStdString() << " with "
                              << decimals << " decimals: " << fast.toStdString() << " against "
                              << digits.toStdString() << ", length " << length;
        }
        EXPECT_EQ(mismatches, 0) << decimals << " decimals";
    }
}

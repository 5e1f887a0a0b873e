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
            // So are the 8-bit text that rows of bytes take and the text with
            // a separator beyond 8 bits, which the 16-bit text puts in after.
            char narrow[FixedTextCapacity];
            const QLatin1StringView bytes(narrow,
                                          FormatFixedTo(narrow, x, decimals, QLatin1Char('.')));
            const QString wide = FormatFixed(x, decimals, QChar(0x066B));
            if ((fast != digits || length != fast.size() || bytes != fast ||
                 QString(wide).replace(QChar(0x066B), QLatin1Char('.')) != fast ||
                 wide.count(QChar(0x066B)) != (decimals > 0 ? 1 : 0)) &&
                ++mismatches <= 5)
                ADD_FAILURE() << "value " << QString::number(x, 'g', 17).toStdString() << " with "
                              << decimals << " decimals: " << fast.toStdString() << " against "
                              << digits.toStdString() << ", length " << length << ", bytes "
                              << QString(bytes).toStdString() << ", wide " << wide.toStdString();
        }
        EXPECT_EQ(mismatches, 0) << decimals << " decimals";
    }
}

// The values that take neither the integer nor the positional path: the
// same text in 8 bits as in 16.
TEST(AmountFormat, EightBitTextOfValuesBeyondDigits) {
    const double values[] = {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e18, -2.5e20, 1.7e308, -0.0};
    for (const double x : values) {
        for (const int decimals : {0, 2, 18}) {
            char narrow[FixedTextCapacity];
            const qsizetype n = FormatFixedTo(narrow, x, decimals, QLatin1Char(','));
            EXPECT_EQ(QString(QLatin1StringView(narrow, n)),
                      FormatFixed(x, decimals, QLatin1Char(',')))
                << x << " with " << decimals << " decimals";
        }
    }
}

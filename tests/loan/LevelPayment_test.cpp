// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FloatingPoint.h"
#include "loan/LevelPayment.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "tests/support/TestSupport.h"

using namespace twl;

namespace {

// (1 + q)^n by n - 1 products in a row, each stored, as a payment was worked
// out before the factors were kept.
double multipliedOut(long double q, std::int32_t n) {
    volatile double F = static_cast<double>(q + 1);
    for (std::int32_t j = 1; j < n; ++j)
        F = static_cast<double>((q + 1) * static_cast<long double>(F));
    return F;
}

} // namespace

// Asked for every shorter term in turn, as a payment worked out again after
// every period is, the factors are those multiplied out, at a cost of a few
// products per term.
TEST(CompoundFactors, ShorterTermsAreTheSameDoublesInLinearTime) {
    for (const long double q : {0.005L, 0.045L / 26, -0.0125L, 1.0L / 300}) {
        const std::int32_t N = 3 * CompoundFactors::Stride + 17;
        CompoundFactors factors(q);
        factors(N);
        for (std::int32_t n = N - 1; n >= 1; --n) {
            const double F = factors(n);
            if (n > N - 20 || n % 997 == 0 || n % CompoundFactors::Stride <= 1) {
                ASSERT_EQ(F, multipliedOut(q, n)) << static_cast<double>(q) << " " << n;
            }
        }
        EXPECT_LE(factors.products(), 3u * N);
        EXPECT_EQ(factors(N + 5), multipliedOut(q, N + 5));
    }
}

// 200,000 payments in payment mode, an extra with each: the payment is worked
// out again 200,000 times, for a few products each (multiplied out, 2 x 10^10).
TEST(CompoundFactors, APlanKeepingItsTermCostsLinearTime) {
    const test::RegionalScope regional;
    const std::int32_t N = 200000;
    for (const QString mode : {"payment", "term"}) {
        const std::uint64_t before = CompoundFactors::productsOnThisThread();
        const ScheduleTotals totals = computePlan(
            1000000, N, 5,
            parsePlanTexts({.extraEach = {"0.01"}, .afterExtra = mode, .period = "weekly"}));
        const std::uint64_t products = CompoundFactors::productsOnThisThread() - before;
        EXPECT_LE(products, 3u * N) << mode.toStdString();
        if (mode == "payment") {
            EXPECT_EQ(totals.payments, N);
        }
    }
}

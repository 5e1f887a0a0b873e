// SPDX-License-Identifier: GPL-3.0-or-later
// Solving a loan for its amount, its number of payments or its rate from a
// level payment, against figures worked out by hand and a reference written
// here: every payment discounted on its own in long double.
#include "base/Exceptions.h"
#include "loan/LoanConsts.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "loan/Solve.h"
#include "tests/loan/RateReference.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace twl;

namespace {

struct Loan {
    double amount;
    std::int32_t count;
    double rate;
    double balloon;
};

// Loans over the grid: tiny, negative and ordinary rates, one payment and many.
std::vector<Loan> grid() {
    std::vector<Loan> loans;
    for (const double rate : {6.0, 12.5, 1e-7, -2.0, 0.01})
        for (const std::int32_t count : {1, 12, 120})
            for (const double balloon : {0.0, 20000.0})
                loans.push_back({100000, count, rate, balloon});
    return loans;
}

long double referencePresentValue(long double M, int n, long double q, long double b) {
    long double sum = 0;
    for (int k = 1; k <= n; ++k)
        sum += M / std::pow(1 + q, static_cast<long double>(k));
    return sum + b / std::pow(1 + q, static_cast<long double>(n));
}

// The payment that repays the loan exactly, from the reference's own formula.
long double referencePayment(const Loan& l, int perYear) {
    const long double q = static_cast<long double>(l.rate) / perYear / 100;
    return (l.amount - l.balloon / std::pow(1 + q, static_cast<long double>(l.count))) /
           (referencePresentValue(1, l.count, q, 0));
}

PlanOptions withPayment(PaymentPeriod period, double payment, double balloon = 0) {
    PlanOptions plan;
    plan.period = period;
    plan.payment = payment;
    plan.balloon = balloon;
    return plan;
}

const PaymentPeriod Periods[] = {PaymentPeriod::Monthly,   PaymentPeriod::Semimonthly,
                                 PaymentPeriod::Biweekly,  PaymentPeriod::Weekly,
                                 PaymentPeriod::Quarterly, PaymentPeriod::Yearly};

class Solve : public ::testing::Test {
protected:
    test::RegionalScope regional;
};

} // namespace

TEST_F(Solve, PresentValueAndRateMatchTheReferenceOverTheGrid) {
    for (const PaymentPeriod period : Periods) {
        const int perYear = periodsPerYear(period);
        for (const Loan& l : grid()) {
            SCOPED_TRACE(testing::Message() << perYear << " a year, " << l.count << " at " << l.rate
                                            << "%, balloon " << l.balloon);
            const long double q = static_cast<long double>(l.rate) / perYear / 100;
            const double M = static_cast<double>(referencePayment(l, perYear));
            const long double pv = referencePresentValue(M, l.count, q, l.balloon);
            EXPECT_NEAR(presentValueOf(M, l.count, l.rate, perYear, l.balloon),
                        static_cast<double>(pv), 1e-9 * static_cast<double>(pv));
            std::vector<test::Flow> flows = test::levelFlows(l.count, M, 1, 1);
            flows.emplace_back(l.count, l.balloon);
            const long double reference = test::referenceRate(flows, l.amount) * perYear * 100;
            // The rate is as exact as the payment it is read from allows.
            EXPECT_NEAR(rateFor(l.amount, l.count, M, perYear, l.balloon),
                        static_cast<double>(reference), 1e-9 + 1e-9 * std::fabs(l.rate));
            EXPECT_NEAR(rateFor(l.amount, l.count, M, perYear, l.balloon), l.rate,
                        1e-9 + 1e-9 * std::fabs(l.rate));
        }
    }
}

// The smallest count whose balance, run payment by payment in long double,
// reaches the balloon; the schedule's last payment is what is left owing.
TEST_F(Solve, CountIsTheSmallestThatRepays) {
    struct Case {
        double amount, rate, payment, balloon;
    };
    const Case cases[] = {{100000, 6, 2000, 0},   {100000, 6, 599.55, 0}, {100000, -2, 500, 0},
                          {100000, 1e-7, 999, 0}, {5000, 12, 5100, 0},    {100000, 6, 900, 30000},
                          {1000, 0.5, 1000, 0}};
    for (const PaymentPeriod period : Periods) {
        const int perYear = periodsPerYear(period);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << perYear << " a year, " << c.payment << " on "
                                            << c.amount << " at " << c.rate << "%");
            const long double q = static_cast<long double>(c.rate) / perYear / 100;
            if (c.payment <= c.amount * q) continue; // refused below
            long double B = c.amount;
            int expected = 0;
            while (B > c.balloon + 1e-6L) {
                B = B * (1 + q) - c.payment;
                ++expected;
            }
            const PlanOptions plan = withPayment(period, c.payment, c.balloon);
            const LoanFigures f = solveLoan(SolvedInput::Count, {c.amount, 0, c.rate}, plan);
            EXPECT_EQ(f.count, std::max(expected, 1));
            std::vector<ScheduleRow> rows;
            computePlan(f.amount, f.count, f.rate, plan,
                        [&](const ScheduleRow& r) { rows.push_back(r); });
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(f.count));
            for (std::size_t i = 0; i + 1 < rows.size(); ++i)
                EXPECT_EQ(rows[i].payment, c.payment);
            EXPECT_LE(rows.back().payment, c.payment + c.balloon + 1e-6);
            EXPECT_EQ(rows.back().balance, 0);
        }
    }
}

// The questions of the README, worked out by hand.
TEST_F(Solve, HandWorkedFigures) {
    const PlanOptions monthly1500 = withPayment(PaymentPeriod::Monthly, 1500);
    // 1500 x (1 - 1.005^-360) / 0.005 = 250,187.42158...
    EXPECT_NEAR(solveLoan(SolvedInput::Amount, {0, 360, 6}, monthly1500).amount, 250187.421588501,
                1e-6);
    // Cents under a lender's rounding.
    PlanOptions rounded = monthly1500;
    rounded.rounding = PlanRounding::Cent;
    EXPECT_EQ(solveLoan(SolvedInput::Amount, {0, 360, 6}, rounded).amount, 250187.42);
    // log(2000 / 1500) / log(1.005) = 57.68: 58 payments.
    EXPECT_EQ(
        solveLoan(SolvedInput::Count, {100000, 0, 6}, withPayment(PaymentPeriod::Monthly, 2000))
            .count,
        58);
    // 1199.10 a month repays 100,000 in 120 months at 7.7308337...%.
    EXPECT_NEAR(
        solveLoan(SolvedInput::Rate, {100000, 120, 0}, withPayment(PaymentPeriod::Monthly, 1199.1))
            .rate,
        7.73083373297, 1e-9);
}

// The payment of a schedule computed at 6 % gives 6 % back, for every period
// kind, with and without a balloon; the solved rate is the text shown.
TEST_F(Solve, RateOfAScheduleRoundTrips) {
    for (const PaymentPeriod period : Periods)
        for (const double balloon : {0.0, 25000.0}) {
            PlanOptions plan;
            plan.period = period;
            plan.balloon = balloon;
            double payment = 0;
            computePlan(100000, 120, 6, plan, [&](const ScheduleRow& r) {
                if (r.period == 1) payment = r.payment;
            });
            plan.payment = payment;
            const double rate = solveLoan(SolvedInput::Rate, {100000, 120, 0}, plan).rate;
            EXPECT_NEAR(rate, 6, 1e-9) << periodsPerYear(period) << " a year";
            EXPECT_EQ(rate, roundedTo15Digits(rate));
            // And the amount back from that payment.
            EXPECT_NEAR(solveLoan(SolvedInput::Amount, {0, 120, 6}, plan).amount, 100000, 1e-6);
        }
}

TEST_F(Solve, RefusalsNameThePayment) {
    struct Case {
        SolvedInput unknown;
        LoanFigures known;
        double payment;
        const char* message;
    };
    const Case cases[] = {
        {SolvedInput::Count,
         {100000, 0, 6},
         500,
         "Payment: the payment 500 does not cover the first period's interest (500)"},
        {SolvedInput::Count,
         {1e10, 0, 1e-7},
         1,
         "Payment: the payment 1 would repay the loan only after more than 2147483647 "
         "payments"},
        {SolvedInput::Count, {0, 0, 6}, 500, "Payment: a loan amount of 0 leaves nothing to repay"},
        {SolvedInput::Amount, {0, 12, 6}, 0, "Payment: the amount 0 is not more than 0"},
        {SolvedInput::Rate, {100000, 12, 0}, -5, "Payment: the amount -5 is not more than 0"},
        {SolvedInput::Rate,
         {100000, 0, 0},
         500,
         "Payment: no interest rate makes 0 payments of 500 repay 100000"},
        {SolvedInput::Amount,
         {0, 0, 6},
         500,
         "Payment: no loan amount is repaid by 0 payments of 500 at this rate"},
    };
    for (const Case& c : cases) {
        try {
            solveLoan(c.unknown, c.known, withPayment(PaymentPeriod::Monthly, c.payment));
            ADD_FAILURE() << "not refused: " << c.message;
        } catch (const EPlanInput& e) {
            EXPECT_EQ(e.field(), PlanField::Payment);
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
    }
}

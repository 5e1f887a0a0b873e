// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "loan/CostOfCredit.h"
#include "loan/PlanSchedule.h"
#include "tests/loan/RateReference.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace twl;

namespace {

PaymentRuns level(std::int32_t count, double amount) {
    PaymentRuns runs;
    for (std::int32_t k = 1; k <= count; ++k)
        runs.add(k, amount);
    return runs;
}

// The rate shown: two decimals, half up.
double shown(double apr) {
    return std::round(apr * 100) / 100;
}

// The flows of `runs` at times first, first + step, ...
std::vector<test::Flow> flowsOf(const PaymentRuns& runs, long double first, long double step) {
    std::vector<test::Flow> flows;
    for (const PaymentRun& run : runs.runs())
        for (std::int32_t j = 0; j < run.count; ++j)
            flows.emplace_back(first + (run.first - 1 + j) * step, run.amount);
    return flows;
}

class CostOfCreditTest : public ::testing::Test {
protected:
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
};

} // namespace

// Regulation Z, Appendix J, paragraph (c)(1): a single advance, with or without
// an odd first period, otherwise regular; the inputs and the published rates
// of its examples (i) to (v).
TEST_F(CostOfCreditTest, AppendixJWorkedExamples) {
    struct Case {
        const char* name;
        double advance, payment;
        std::int32_t count;
        PaymentPeriod period;
        QDate loan, first;
        double apr;
    };
    const Case cases[] = {
        {"(c)(1)(i) monthly, regular first period", 5000, 230, 24, PaymentPeriod::Monthly,
         QDate(1978, 1, 10), QDate(1978, 2, 10), 9.69},
        {"(c)(1)(ii) monthly, long first period", 6000, 200, 36, PaymentPeriod::Monthly,
         QDate(1978, 2, 10), QDate(1978, 4, 1), 11.82},
        {"(c)(1)(iii) semimonthly, short first period", 5000, 219.17, 24,
         PaymentPeriod::Semimonthly, QDate(1978, 2, 23), QDate(1978, 3, 1), 10.34},
        {"(c)(1)(iv) quarterly, long first period", 10000, 385, 40, PaymentPeriod::Quarterly,
         QDate(1978, 5, 23), QDate(1978, 10, 1), 8.97},
        {"(c)(1)(v) weekly, long first period", 500, 17.60, 30, PaymentPeriod::Weekly,
         QDate(1978, 3, 20), QDate(1978, 4, 21), 14.96},
    };
    for (const Case& c : cases) {
        const double apr = aprUs(level(c.count, c.payment), c.advance, {c.loan, c.first, c.period});
        EXPECT_DOUBLE_EQ(shown(apr), c.apr) << c.name << ": " << apr;
    }
}

// The Commission's examples of the basic equation (calendar basis): 1,000
// lent on 1 January 1994 and 1,200 repaid on 1 July 1995, 546 days later:
// 12.96 %; the same with 50 kept back for expenses (950 received): 16.9 %;
// 1,000 repaid by 600 after one year and 600 after two: i = 0.1306623.
TEST_F(CostOfCreditTest, CommissionWorkedExamples) {
    struct Case {
        const char* name;
        double advance;
        std::vector<PaymentRun> runs;
        long double first, step;
        double rate, decimals;
    };
    const Case cases[] = {
        {"first example", 1000, {{1, 1, 1200}}, 546.0L / 365, 1, 12.96, 100},
        {"second example", 950, {{1, 1, 1200}}, 546.0L / 365, 1, 16.9, 10},
        {"third example", 1000, {{1, 2, 600}}, 1, 1, 13.06623, 100000},
    };
    for (const Case& c : cases) {
        PaymentRuns runs;
        for (const PaymentRun& r : c.runs)
            for (std::int32_t j = 0; j < r.count; ++j)
                runs.add(r.first + j, r.amount);
        const RateEquation equation{&runs.runs(), c.advance, c.first, c.step, 0};
        const double rate = solveRate(equation) * 100;
        // The first two are rounded half up, the third is cut.
        const double published = c.decimals > 1000 ? std::floor(rate * c.decimals) / c.decimals
                                                   : std::round(rate * c.decimals) / c.decimals;
        EXPECT_DOUBLE_EQ(published, c.rate) << c.name;
    }
}

// The halving against the reference, for streams with odd starts, rising and
// falling payments and long terms; equal to the last few bits.
TEST_F(CostOfCreditTest, SolverMatchesAnIndependentReference) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::int32_t, double>> payments; // count, amount
        double advance;
        long double first, step, fraction;
    };
    const Case cases[] = {
        {"level monthly", {{12, 88.85}}, 1000, 1, 1, 0},
        {"odd first period", {{36, 200}}, 6000, 1, 1, 19.0L / 30},
        {"short first period", {{24, 219.17}}, 5000, 0, 1, 0.4L},
        {"balloon at the end", {{59, 500}, {1, 20500}}, 40000, 1, 1, 0},
        {"extras in the middle", {{10, 300}, {1, 2300}, {20, 300}}, 8000, 1, 1, 0},
        {"negative rate", {{12, 80}}, 1000, 1, 1, 0},
        {"years of weeks", {{520, 25}}, 9000, 2.0L / 52, 1.0L / 52, 0},
        {"very dear", {{6, 400}}, 1000, 1, 1, 0.5L},
        {"thirty years", {{360, 1266.71}}, 250000, 1, 1, 0},
    };
    for (const Case& c : cases) {
        PaymentRuns runs;
        std::int32_t k = 0;
        for (const auto& [count, amount] : c.payments)
            for (std::int32_t j = 0; j < count; ++j)
                runs.add(++k, amount);
        const RateEquation equation{&runs.runs(), c.advance, c.first, c.step, c.fraction};
        const long double expected =
            test::referenceRate(flowsOf(runs, c.first, c.step), c.advance, c.fraction);
        const double rate = solveRate(equation);
        EXPECT_NEAR(rate, static_cast<double>(expected), 1e-14L * (1 + std::fabs(expected)))
            << c.name;
    }
}

// No fee and a whole first period: the US rate is the nominal rate of every
// period kind, the EU rate its effective yearly rate.
TEST_F(CostOfCreditTest, RegularLoansCostTheirNominalRate) {
    const PaymentPeriod periods[] = {PaymentPeriod::Monthly,   PaymentPeriod::Semimonthly,
                                     PaymentPeriod::Biweekly,  PaymentPeriod::Weekly,
                                     PaymentPeriod::Quarterly, PaymentPeriod::Yearly};
    for (const PaymentPeriod period : periods) {
        for (const double R : {12.0, 4.5, -3.0}) {
            PlanOptions plan;
            plan.period = period;
            PaymentRuns runs;
            computePlan(10000, 48, R, plan,
                        [&](const ScheduleRow& row) { runs.add(row.period, row.payment); });
            const int w = periodsPerYear(period);
            CostOptions cost;
            cost.rule = AprRule::Us;
            const CostOfCredit us = computeCost(10000, cost, plan, runs);
            EXPECT_NEAR(us.apr, R, 1e-9) << w << " a year at " << R;
            EXPECT_NEAR(us.financeCharge, us.totalOfPayments - 10000, 1e-9);
            cost.rule = AprRule::Eu;
            const double effective = (std::pow(1 + R / 100 / w, w) - 1) * 100;
            EXPECT_NEAR(computeCost(10000, cost, plan, runs).apr, effective, 1e-9)
                << w << " a year at " << R;
        }
    }
}

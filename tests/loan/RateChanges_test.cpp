// SPDX-License-Identifier: GPL-3.0-or-later
// Rate changes: the new rate from its payment on, the payment worked out
// again for the payments left or kept while the term moves, checked against
// a loan run payment by payment here.
#include "base/Exceptions.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace twl;

namespace {

std::vector<ScheduleRow> rows(double P, std::int32_t N, double R, const PlanOptions& plan) {
    std::vector<ScheduleRow> out;
    computePlan(P, N, R, plan, [&](const ScheduleRow& r) { out.push_back(r); });
    return out;
}

long double levelPayment(long double B, long double q, int n) {
    return B * q / (1 - std::pow(1 + q, static_cast<long double>(-n)));
}

class RateChanges : public ::testing::Test {
protected:
    test::RegionalScope regional;
};

} // namespace

// 100,000 over 360 months at 6 %, then 8 % from payment 61 (or from the date
// of payment 61): the payment for the 300 left at 8 %, up to the cent when
// rounded; the loan ends with payment 360 at zero.
TEST_F(RateChanges, PaymentIsWorkedOutAgainForThePaymentsLeft) {
    for (const char* when : {"61=8", "2031-01-15=8", "2031-01-02=8"})
        for (const char* rounding : {"none", "cent", "unit"}) {
            SCOPED_TRACE(testing::Message() << when << ", " << rounding);
            PlanTexts texts{.firstDate = QStringLiteral("2026-02-01"),
                            .rounding = QString::fromLatin1(rounding)};
            texts.rateChanges << QString::fromLatin1(when);
            const PlanOptions plan = parsePlanTexts(texts);
            const auto r = rows(100000, 360, 6, plan);
            ASSERT_EQ(r.size(), 360u);
            const double before = r[59].balance;
            // Payment 61 is the first due on or after either date.
            EXPECT_NEAR(r[60].interest, before * 0.08 / 12, 0.0051);
            long double expected = levelPayment(before, 0.08L / 12, 300);
            if (QLatin1String(rounding) == QLatin1String("cent"))
                expected = std::ceil(expected * 100 - 1e-6) / 100;
            if (QLatin1String(rounding) == QLatin1String("unit"))
                expected = std::ceil(expected - 1e-6);
            EXPECT_NEAR(r[60].payment, static_cast<double>(expected), 1e-8);
            EXPECT_EQ(r[359].balance, 0);
            EXPECT_NEAR(r[358].balance, r[359].principal, 1e-6);
            // The earlier payments are the 6 % loan's.
            EXPECT_EQ(r[59].payment, r[0].payment);
        }
}

// Keeping the payment: a lower rate ends sooner, a higher one later, each
// after as many payments as the loan run here takes; a rate whose interest
// the payment no longer covers is refused naming the change.
TEST_F(RateChanges, KeptPaymentMovesTheTerm) {
    struct Case {
        const char* change;
        double rate;
    };
    for (const Case c : {Case{"61=4", 4}, Case{"61=7.5", 7.5}, Case{"2=-1", -1}})
        for (const char* rounding : {"none", "cent"}) {
            SCOPED_TRACE(testing::Message() << c.change << ", " << rounding);
            PlanTexts texts{.rounding = QString::fromLatin1(rounding),
                            .afterRateChange = QStringLiteral("term")};
            texts.rateChanges << QString::fromLatin1(c.change);
            const auto r = rows(100000, 360, 6, parsePlanTexts(texts));
            const int from = QString::fromLatin1(c.change).section(QLatin1Char('='), 0, 0).toInt();
            long double B = r[static_cast<std::size_t>(from - 2)].balance;
            const long double M = r[0].payment;
            int count = from - 1;
            while (B > 0.005L) {
                B = B * (1 + static_cast<long double>(c.rate) / 1200) - M;
                ++count;
            }
            EXPECT_EQ(static_cast<int>(r.size()), count);
            for (std::size_t i = 0; i + 1 < r.size(); ++i)
                ASSERT_EQ(r[i].payment, M) << i;
            EXPECT_LE(r.back().payment, M);
            EXPECT_EQ(r.back().balance, 0);
        }
    PlanTexts texts{.afterRateChange = QStringLiteral("term")};
    texts.rateChanges << QStringLiteral("10=5") << QStringLiteral("61=7.5")
                      << QStringLiteral("61=12");
    try {
        rows(100000, 360, 6, parsePlanTexts(texts));
        ADD_FAILURE() << "not refused";
    } catch (const EPlanInput& e) {
        EXPECT_EQ(e.field(), PlanField::RateChange);
        // The last change given for payment 61 holds, and is named.
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Rate change 3: the payment 599.550525152752 does not cover")))
            << e.message().toStdString();
    }
}

TEST_F(RateChanges, BadChangesAreRefused) {
    struct Case {
        const char* firstDate;
        const char* change;
        const char* message;
    };
    const Case cases[] = {
        {"", "0=5", "Rate change 1: the period 0 is before the first payment (1)"},
        {"", "13=5", "Rate change 1: the period 13 is after the last payment (12)"},
        {"", "2027-01-01=5", "Rate change 1: the date 2027-01-01 needs a first payment date"},
        {"2027-01-01", "2026-12-31=5",
         "Rate change 1: the date 2026-12-31 is before the first payment (2027-01-01)"},
        {"", "3=0", "Rate change 1: the rate may not be 0"},
        {"", "3=five", "Rate change 1: 'five' is not a valid floating point value"},
        {"", "3", "Rate change 1: '3' is not PERIOD=AMOUNT"},
    };
    for (const Case& c : cases) {
        PlanTexts texts{.firstDate = QString::fromLatin1(c.firstDate)};
        texts.rateChanges << QString::fromLatin1(c.change);
        try {
            rows(1000, 12, 6, parsePlanTexts(texts));
            ADD_FAILURE() << "not refused: " << c.message;
        } catch (const EPlanInput& e) {
            EXPECT_EQ(e.field(), PlanField::RateChange);
            EXPECT_EQ(e.message(), QString::fromLatin1(c.message));
        }
    }
}

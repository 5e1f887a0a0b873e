// SPDX-License-Identifier: GPL-3.0-or-later
// The lender's rounding: every interest worked out exactly from whole cents
// and the rate as typed, a half cent rounded away from zero; checked against
// integer arithmetic written out here.
#include "base/Exceptions.h"
#include "loan/Cents.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "tests/loan/ExactCents.h"
#include "tests/loan/TableSink.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace twl;
using test::centsText;
using test::nearestAwayFromZero;
using test::Wide;

namespace {

// A decimal text as numerator / denominator.
std::pair<Wide, Wide> fraction(const QString& text) {
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString digits = QString(text).remove(QLatin1Char('.'));
    Wide den = 1;
    for (qsizetype i = dot < 0 ? 0 : text.size() - dot - 1; i > 0; --i)
        den *= 10;
    return {digits.toLongLong(), den};
}

std::vector<QStringList> schedule(const QString& amount, const QString& months, const QString& rate,
                                  const PlanTexts& texts) {
    ScheduleContext ctx;
    ctx.readDecimal = [] { return QStringLiteral("2"); };
    ctx.today = QDate(2026, 12, 7);
    test::TableSink sink;
    CalculatePlanSchedule({amount, months, rate}, parsePlanTexts(texts), ctx, PlanLabels{}, sink);
    return sink.rows;
}

class LenderRounding : public ::testing::Test {
protected:
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
};

} // namespace

// Two payments whose first interest is an exact half cent, for every period
// kind, a few rates (a negative one rounds away from zero too) and both
// roundings: the interests, the principal, the balance and the last payment
// (what is owed) follow from integer arithmetic on cents.
TEST_F(LenderRounding, HalfCentInterestsRoundAwayFromZero) {
    int ties = 0;
    for (const QString& period : periodKeywords()) {
        const int perYear = periodsPerYear(parsePlanTexts({.period = period}).period);
        for (const QString rate : {"6", "5", "4.5", "7.3", "-3"}) {
            const auto [num, den] = fraction(rate);
            const Wide divisor = den * 100 * perYear;
            // The first balance from 1000.00 on whose interest is k + 1/2 cents.
            Wide b = 100000;
            while ((2 * b * num) % divisor != 0 || ((2 * b * num) / divisor) % 2 == 0)
                ++b;
            const QString amount = centsText(static_cast<std::int64_t>(b));
            for (const QString rounding : {"cent", "unit"}) {
                const std::vector<QStringList> rows =
                    schedule(amount, "2", rate, {.rounding = rounding, .period = period});
                const QString where = period + " " + rate + "% " + rounding + " " + amount;
                ASSERT_GE(rows.size(), 3u) << where.toStdString();
                const Wide i1 = nearestAwayFromZero(b * num, divisor);
                EXPECT_EQ(rows[0][2], centsText(static_cast<std::int64_t>(i1)))
                    << where.toStdString();
                const std::int64_t payment = std::llround(rows[0][1].toDouble() * 100);
                // The payment is the level payment rounded up.
                const long double q = static_cast<long double>(num) / den / 100 / perYear;
                const long double level = (b / 100.0L) * q / (1 - 1 / ((1 + q) * (1 + q)));
                const int unit = rounding == "unit" ? 100 : 1;
                EXPECT_EQ(payment % unit, 0) << where.toStdString();
                EXPECT_GE(payment, level * 100 - 1e-6L) << where.toStdString();
                EXPECT_LT(payment - unit, level * 100) << where.toStdString();
                const Wide b1 = b - (payment - i1);
                EXPECT_EQ(rows[0][3], centsText(static_cast<std::int64_t>(payment - i1)));
                EXPECT_EQ(rows[0][4], centsText(static_cast<std::int64_t>(b1)));
                const Wide i2 = nearestAwayFromZero(b1 * num, divisor);
                EXPECT_EQ(rows[1], (QStringList{"2", centsText(static_cast<std::int64_t>(b1 + i2)),
                                                centsText(static_cast<std::int64_t>(i2)),
                                                centsText(static_cast<std::int64_t>(b1)), "0.00"}))
                    << where.toStdString();
                EXPECT_EQ(rows[2],
                          (QStringList{"SUM", centsText(static_cast<std::int64_t>(b + i1 + i2)),
                                       centsText(static_cast<std::int64_t>(i1 + i2)), amount, "-"}))
                    << where.toStdString();
                ++ties;
            }
        }
    }
    EXPECT_EQ(ties, 60);
}

// The worked cases of a spreadsheet's ROUND(balance * rate; 2): the tie of
// payment 214 changes the last payment and the total interest by a cent.
TEST_F(LenderRounding, TiesDeepInALongLoan) {
    const std::vector<QStringList> rows = schedule("200000", "360", "6", {.rounding = "cent"});
    ASSERT_EQ(rows.size(), 363u); // with the comparison row
    EXPECT_EQ(rows[213], (QStringList{"214", "1199.11", "623.06", "576.05", "124034.95"}));
    EXPECT_EQ(rows[359][1], "1190.31");
    EXPECT_EQ(rows[360][2], "231670.80");
    EXPECT_EQ(rows[360][3], "200000.00");
    const std::vector<QStringList> unit =
        schedule("92338", "2", "5", {.rounding = "unit", .period = "quarterly"});
    EXPECT_EQ(unit[0][2], "1154.23");
}

// Under rounding every amount is whole cents, within what a double keeps to
// the cent; the same amounts are taken without rounding.
TEST_F(LenderRounding, AmountsAreWholeCents) {
    const struct {
        QString amount;
        PlanTexts texts;
        QString message;
    } cases[] = {
        {"1000.005",
         {.rounding = "cent"},
         "Loan amount: the amount 1000.005 has a fraction of a cent; a rounded plan takes whole "
         "cents"},
        {"1000",
         {.extras = {"2=0.001"}, .rounding = "unit"},
         "Extra payment 1: the amount 0.001 has a fraction of a cent; a rounded plan takes whole "
         "cents"},
        {"1000",
         {.extraEach = {"5", "1.125@2"}, .rounding = "cent"},
         "Recurring extra payment 2: the amount 1.125 has a fraction of a cent; a rounded plan "
         "takes whole cents"},
        {"1000",
         {.rounding = "cent", .balloon = "10.101"},
         "Balloon: the amount 10.101 has a fraction of a cent; a rounded plan takes whole cents"},
        {"1E15",
         {.rounding = "cent"},
         "Loan amount: the amount 1E15 is too large to be kept to the cent"},
    };
    for (const auto& c : cases) {
        QString error;
        try {
            schedule(c.amount, "12", "5", c.texts);
        } catch (const EPlanInput& e) {
            error = e.message();
        }
        EXPECT_EQ(error, c.message);
        PlanTexts exact = c.texts;
        exact.rounding.clear();
        EXPECT_NO_THROW(schedule(c.amount, "12", "5", exact)) << c.message.toStdString();
    }
    EXPECT_EQ(schedule("90071992547409.92", "1", "-1", {.rounding = "cent"})[0][4], "0.00");
}

TEST(Cents, ShortestDecimalIsTheTypedOne) {
    const struct {
        double value;
        std::int64_t digits;
        int exponent;
    } cases[] = {{7.1, 71, -1},
                 {1000.005, 1000005, -3},
                 {-0.5, -5, -1},
                 {1e22, 1, 22},
                 {0, 0, 0},
                 {1200, 12, 2},
                 {0.1 + 0.2, 30000000000000004, -17}};
    for (const auto& c : cases) {
        const ShortestDecimal d = shortestDecimal(c.value);
        EXPECT_EQ(d.digits, c.digits) << c.value;
        EXPECT_EQ(d.exponent, c.exponent) << c.value;
    }
    // Rates far from ordinary: the exact interest still rounds, or overflows.
    EXPECT_EQ(interestCents(1, shortestDecimal(1e-30), 12), 0);
    EXPECT_EQ(interestCents(MaxCents, shortestDecimal(1e-300), 52), 0);
    EXPECT_EQ(interestCents(-100, shortestDecimal(600), 1), -600);
    EXPECT_THROW(interestCents(MaxCents, shortestDecimal(1e30), 1), EOverflow);
    EXPECT_THROW(interestCents(1, shortestDecimal(1e300), 1), EOverflow);
}

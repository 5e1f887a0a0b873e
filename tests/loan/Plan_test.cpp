// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "loan/PlanSchedule.h"
#include "loan/PlanText.h"
#include "tests/loan/TableSink.h"
#include "tests/support/TestSupport.h"

using namespace twl;

namespace {

struct Outcome {
    std::vector<QStringList> rows;
    QString error;
    std::vector<ScheduleRow> numbers;
};

ScheduleContext context(const QString& decimal = "2") {
    ScheduleContext ctx;
    ctx.readDecimal = [decimal] { return decimal; };
    ctx.labels = {"Inputs", "Amount: ", "Months: ", "Rate: ", "Date: "};
    ctx.today = QDate(2026, 12, 7);
    return ctx;
}

Outcome runPlan(const QString& amount, const QString& months, const QString& rate,
                const PlanTexts& texts, const QString& decimal = "2") {
    Outcome o;
    test::TableSink sink;
    try {
        CalculatePlanSchedule({amount, months, rate}, parsePlanTexts(texts), context(decimal),
                              PlanLabels{}, sink,
                              [&o](const ScheduleRow& row) { o.numbers.push_back(row); });
    } catch (const Exception& e) {
        o.error = e.message();
    }
    o.rows = sink.rows;
    return o;
}

Outcome runPlain(const QString& amount, const QString& months, const QString& rate,
                 const QString& decimal = "2") {
    Outcome o;
    test::TableSink sink;
    try {
        CalculateSchedule({amount, months, rate}, context(decimal), sink);
    } catch (const Exception& e) {
        o.error = e.message();
    }
    o.rows = sink.rows;
    return o;
}

// The row whose caption is `caption`, or an empty list.
QStringList row(const Outcome& o, const QString& caption) {
    for (const QStringList& r : o.rows)
        if (r.value(0) == caption) return r;
    return {};
}

class Plan : public ::testing::Test {
protected:
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
};

} // namespace

// With no option, the table, the faults and the rows cut short by them are the
// plain schedule's.
TEST_F(Plan, WithoutOptionsItIsThePlainSchedule) {
    const std::vector<std::array<QString, 4>> loans = {
        {"1000", "12", "12", "2"}, {"250000", "360", "4.5", "3"}, {"1000", "0", "12", "2"},
        {"1000", "12", "0", "2"},  {"0", "12", "12", "2"},        {"-1000", "12", "12", "2"},
        {"abc", "12", "12", "2"},  {"1000", "12.5", "12", "2"},   {"1000", "12", "12", "x"},
        {"", "12", "12", "2"},     {"1000", "1", "-6", "0"}};
    for (const auto& [amount, months, rate, decimal] : loans) {
        const Outcome plain = runPlain(amount, months, rate, decimal);
        const Outcome plan = runPlan(amount, months, rate, {}, decimal);
        EXPECT_EQ(plan.rows, plain.rows) << amount.toStdString() << " " << rate.toStdString();
        EXPECT_EQ(plan.error, plain.error);
    }
}

// A first date alone adds the "Due" column and names the date; every figure
// stays the plain loan's, and nothing is compared.
TEST_F(Plan, AFirstDateAddsTheDueColumnOnly) {
    const Outcome plain = runPlain("250000", "360", "4.5");
    const Outcome plan = runPlan("250000", "360", "4.5", {.firstDate = "2027-01-31"});
    ASSERT_TRUE(plan.error.isEmpty()) << plan.error.toStdString();
    ASSERT_EQ(plan.rows.size(), plain.rows.size());
    for (std::size_t i = 0; i < 360; ++i) {
        QStringList expected = plain.rows[i];
        expected.insert(1, plan.rows[i][1]);
        EXPECT_EQ(plan.rows[i], expected);
    }
    EXPECT_EQ(plan.rows[0][1], "2027-01-31");
    EXPECT_EQ(plan.rows[1][1], "2027-02-28");
    EXPECT_EQ(plan.rows[2][1], "2027-03-31");
    EXPECT_EQ(plan.rows[359][1], "2056-12-31");
    EXPECT_EQ(plan.rows[360], (QStringList{"SUM", "", plain.rows[360][1], plain.rows[360][2],
                                           plain.rows[360][3], "-"}));
    QStringList inputs = plain.rows[361];
    inputs << "First payment: 2027-01-31";
    EXPECT_EQ(plan.rows[361], inputs);
}

TEST_F(Plan, DueDatesStepByThePeriodAndClampToTheMonthEnd) {
    struct Case {
        const char* name;
        PaymentPeriod period;
        QDate first;
        std::vector<std::pair<int, QDate>> dues;
    };
    const Case cases[] = {
        {"monthly from the 31st",
         PaymentPeriod::Monthly,
         {2024, 1, 31},
         {{1, {2024, 1, 31}},
          {2, {2024, 2, 29}},
          {3, {2024, 3, 31}},
          {4, {2024, 4, 30}},
          {14, {2025, 2, 28}}}},
        {"twice a month from the 31st",
         PaymentPeriod::Semimonthly,
         {2024, 1, 31},
         {{2, {2024, 2, 16}}, {3, {2024, 2, 29}}, {4, {2024, 3, 16}}, {5, {2024, 3, 31}}}},
        {"twice a month from the 1st",
         PaymentPeriod::Semimonthly,
         {2023, 2, 1},
         {{2, {2023, 2, 16}}, {3, {2023, 3, 1}}}},
        {"twice a month from the 15th",
         PaymentPeriod::Semimonthly,
         {2023, 2, 15},
         {{2, {2023, 2, 28}}, {3, {2023, 3, 15}}, {4, {2023, 3, 30}}}},
        // Two days a month, 15 apart, not the first date plus 15 days.
        {"twice a month from the 20th",
         PaymentPeriod::Semimonthly,
         {2027, 1, 20},
         {{2, {2027, 2, 5}}, {3, {2027, 2, 20}}, {4, {2027, 3, 5}}}},
        {"twice a month from 28 Feb",
         PaymentPeriod::Semimonthly,
         {2027, 2, 28},
         {{2, {2027, 3, 13}}, {3, {2027, 3, 28}}, {4, {2027, 4, 13}}}},
        {"twice a month from the 10th",
         PaymentPeriod::Semimonthly,
         {2027, 1, 10},
         {{2, {2027, 1, 25}}, {3, {2027, 2, 10}}, {4, {2027, 2, 25}}}},
        {"every two weeks",
         PaymentPeriod::Biweekly,
         {2024, 2, 22},
         {{2, {2024, 3, 7}}, {27, {2025, 2, 20}}}},
        {"weekly", PaymentPeriod::Weekly, {2024, 2, 26}, {{2, {2024, 3, 4}}}},
        {"quarterly from the 30th",
         PaymentPeriod::Quarterly,
         {2023, 11, 30},
         {{2, {2024, 2, 29}}, {3, {2024, 5, 30}}}},
        {"yearly from 29 Feb",
         PaymentPeriod::Yearly,
         {2024, 2, 29},
         {{2, {2025, 2, 28}}, {5, {2028, 2, 29}}}},
    };
    for (const Case& c : cases)
        for (const auto& [k, due] : c.dues)
            EXPECT_EQ(dueDate(c.first, c.period, k), due) << c.name << " payment " << k;
}

// At 1% a period (R = periods per year), 100 over two payments is the same
// table for every kind: M = 100 * 0.01 / (1 - 1.01^-2) = 50.7512...;
// I1 = 1.00, Pr1 = 49.75, B1 = 50.2488; I2 = 0.5025, the last pays B1 + I2.
TEST_F(Plan, EveryPeriodKindDividesTheAnnualRateByItsPeriods) {
    for (const QString& period : periodKeywords()) {
        const QString rate =
            QString::number(periodsPerYear(parsePlanTexts({.period = period}).period));
        const Outcome o = runPlan("100", "2", rate, {.period = period});
        ASSERT_TRUE(o.error.isEmpty()) << o.error.toStdString();
        EXPECT_EQ(o.rows[0], (QStringList{"1", "50.75", "1.00", "49.75", "50.25"}))
            << period.toStdString();
        EXPECT_EQ(o.rows[1], (QStringList{"2", "50.75", "0.50", "50.25", "0.00"}))
            << period.toStdString();
    }
}

// 1000 at 12% over 12 months: M = 88.8488, up to 88.85. Each interest is
// rounded to the cent: 10.00, 9.2115 -> 9.21, ... 0.8796 -> 0.88. After
// eleven payments 87.96 is owed, so the last pays 87.96 + 0.88 = 88.84.
// SUM: 11 * 88.85 + 88.84 = 1066.19, and exactly 1000.00 of principal.
TEST_F(Plan, RoundingToTheCentAdjustsTheLastPayment) {
    const Outcome o = runPlan("1000", "12", "12", {.rounding = "cent"});
    ASSERT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    EXPECT_EQ(o.rows[0], (QStringList{"1", "88.85", "10.00", "78.85", "921.15"}));
    EXPECT_EQ(o.rows[1], (QStringList{"2", "88.85", "9.21", "79.64", "841.51"}));
    EXPECT_EQ(o.rows[10], (QStringList{"11", "88.85", "1.75", "87.10", "87.96"}));
    EXPECT_EQ(o.rows[11], (QStringList{"12", "88.84", "0.88", "87.96", "0.00"}));
    EXPECT_EQ(o.rows[12], (QStringList{"SUM", "1066.19", "66.19", "1000.00", "-"}));
    EXPECT_EQ(o.numbers.back().balance, 0.0);
}

// 1.99 at 12% over 2 months: M = 1.99 * 0.507512 = 1.00995, up to 2 whole
// units. I1 = 0.0199 -> 0.02, Pr1 = 1.98, B1 = 0.01; I2 = 0.0001 -> 0.00, so
// the last payment is 0.01.
TEST_F(Plan, RoundingToAUnitCanLeaveALastPaymentOfOneCent) {
    const Outcome o = runPlan("1.99", "2", "12", {.rounding = "unit"});
    ASSERT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    EXPECT_EQ(o.rows[0], (QStringList{"1", "2.00", "0.02", "1.98", "0.01"}));
    EXPECT_EQ(o.rows[1], (QStringList{"2", "0.01", "0.00", "0.01", "0.00"}));
    EXPECT_EQ(o.rows[2], (QStringList{"SUM", "2.01", "0.02", "1.99", "-"}));
}

// 1000 at 12% over 12 months, M = 88.8488 (B1 = 921.1512, B2 = 841.5139).
TEST_F(Plan, ExtraPayments) {
    struct Case {
        const char* name;
        PlanTexts texts;
        int rowIndex;
        QStringList expected;
        int paymentRows; // rows before "SUM"
    };
    const Case cases[] = {
        // 1000 + 10 interest is all that is owed.
        {"extra larger than the balance",
         {.extras = {"1=5000"}},
         0,
         {"1", "1010.00", "10.00", "1000.00", "0.00"},
         1},
        {"extra in period 1",
         {.extras = {"1=100"}},
         0,
         {"1", "188.85", "10.00", "178.85", "821.15"},
         11},
        // B11 = 87.97, I12 = 0.88: the extra is cut to what is owed.
        {"extra in the last period",
         {.extras = {"12=100"}},
         11,
         {"12", "88.85", "0.88", "87.97", "0.00"},
         12},
        // I3 = 8.4151, Pr3 = 580.4336, B3 = 261.0803; three more payments of
        // 88.8488 leave 87.7419, whose last payment is 87.7419 + 0.8774.
        {"term kept short",
         {.extras = {"3=500"}},
         2,
         {"3", "588.85", "8.42", "580.43", "261.08"},
         6},
        {"term: the last payment",
         {.extras = {"3=500"}},
         5,
         {"6", "88.62", "0.88", "87.74", "0.00"},
         6},
        // 261.0803 over 9 payments at 1%: 261.0803 / 8.56602 = 30.4786.
        {"payment recomputed",
         {.extras = {"3=500"}, .afterExtra = "payment"},
         3,
         {"4", "30.48", "2.61", "27.87", "233.21"},
         12},
        // Two extras on one period add up.
        {"two extras on period 3",
         {.extras = {"3=200", "3=300"}},
         2,
         {"3", "588.85", "8.42", "580.43", "261.08"},
         6},
        // I2 = 9.2115, 188.8488 - 9.2115 = 179.6373, B2 = 741.5139.
        {"recurring from 2 to 3",
         {.extraEach = {"100@2-3"}},
         1,
         {"2", "188.85", "9.21", "179.64", "741.51"},
         10},
        // 15 March falls on the payment of 31 March, the third.
        {"extra by date",
         {.firstDate = "2027-01-31", .extras = {"2027-03-15=500"}},
         2,
         {"3", "2027-03-31", "588.85", "8.42", "580.43", "261.08"},
         6},
    };
    for (const Case& c : cases) {
        const Outcome o = runPlan("1000", "12", "12", c.texts);
        ASSERT_TRUE(o.error.isEmpty()) << c.name << ": " << o.error.toStdString();
        EXPECT_EQ(o.rows[static_cast<std::size_t>(c.rowIndex)], c.expected) << c.name;
        EXPECT_EQ(o.rows[static_cast<std::size_t>(c.paymentRows)][0], "SUM") << c.name;
        EXPECT_EQ(o.numbers.size(), static_cast<std::size_t>(c.paymentRows)) << c.name;
    }
}

// Recurring extras that overlap add up, as one-off extras of their sums on
// the same payments do.
TEST_F(Plan, RecurringExtrasAddUpWhereTheyOverlap) {
    for (const QString mode : {"term", "payment"}) {
        const Outcome runs =
            runPlan("1000", "12", "12", {.extraEach = {"100@2-3", "50@3-4"}, .afterExtra = mode});
        const Outcome sums =
            runPlan("1000", "12", "12", {.extras = {"2=100", "3=150", "4=50"}, .afterExtra = mode});
        ASSERT_TRUE(runs.error.isEmpty()) << runs.error.toStdString();
        EXPECT_EQ(runs.rows, sums.rows) << mode.toStdString();
    }
    EXPECT_EQ(runPlan("1000", "12", "12", {.extraEach = {"5", "5@13"}}).error,
              "Recurring extra payment 2: the period 13 is after the last payment (12)");
}

// 1000 at 12% over 3 months. Balloon 1000: interest only, then all of it.
// Balloon 500: M = 10 + 500 / (1.030301 * 2.940985) = 10 + 165.011 = 175.01.
TEST_F(Plan, Balloon) {
    Outcome o = runPlan("1000", "3", "12", {.balloon = "1000"});
    ASSERT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    EXPECT_EQ(o.rows[0], (QStringList{"1", "10.00", "10.00", "0.00", "1000.00"}));
    EXPECT_EQ(o.rows[1], (QStringList{"2", "10.00", "10.00", "0.00", "1000.00"}));
    EXPECT_EQ(o.rows[2], (QStringList{"3", "1010.00", "10.00", "1000.00", "0.00"}));
    o = runPlan("1000", "3", "12", {.balloon = "500"});
    EXPECT_EQ(o.rows[0], (QStringList{"1", "175.01", "10.00", "165.01", "834.99"}));
    EXPECT_EQ(o.rows[2], (QStringList{"3", "675.01", "6.68", "668.33", "0.00"}));
}

// The term case above against the plain loan: 66.19 of interest then, and
// 10 + 9.2115 + 8.4151 + 2.6108 + 1.7484 + 0.8774 = 32.8632 now, against
// 66.1855 (12 * 88.8488 - 1000): 33.3223 saved.
TEST_F(Plan, TheComparisonFollowsTheInputsRow) {
    const Outcome o = runPlan("1000", "12", "12", {.firstDate = "2027-01-31", .extras = {"3=500"}});
    ASSERT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    ASSERT_EQ(o.rows.size(), 9u);
    EXPECT_EQ(o.rows[7][0], "Inputs");
    EXPECT_EQ(o.rows[8],
              (QStringList{"Plan vs. plain loan", "Total interest: 32.86 instead of 66.19",
                           "Interest saved: 33.32", "Payments saved: 6",
                           "Last payment: 2027-06-30 instead of 2027-12-31"}));
    const PlanComparison c = comparePlan(1000, 12, 12, parsePlanTexts({.extras = {"3=500"}}));
    EXPECT_EQ(c.paymentsSaved(), 6);
    EXPECT_NEAR(c.interestSaved(), 33.3223, 5e-4);
    EXPECT_EQ(row(runPlan("1000", "12", "12", {.period = "weekly"}), "Plan vs. plain loan"),
              QStringList{});
}

TEST_F(Plan, BadPlanInputNamesTheFieldBeforeAnyRow) {
    const std::vector<std::pair<PlanTexts, QString>> cases = {
        {{.extras = {"1=10", "2=10", "400=10"}},
         "Extra payment 3: the period 400 is after the last payment (360)"},
        {{.extras = {"0=10"}}, "Extra payment 1: the period 0 is before the first payment (1)"},
        {{.extras = {"5=0"}}, "Extra payment 1: the amount 0 is not more than 0"},
        {{.extras = {"5"}}, "Extra payment 1: '5' is not PERIOD=AMOUNT"},
        {{.extras = {"5=1,5"}}, "Extra payment 1: '1,5' is not a valid floating point value"},
        {{.extras = {"2027-02-30=5"}}, "Extra payment 1: '2027-02-30' is not a date (YYYY-MM-DD)"},
        {{.extras = {"2027-03-01=5"}},
         "Extra payment 1: the date 2027-03-01 needs a first payment date"},
        {{.firstDate = "2027-01-31", .extras = {"2027-01-30=5"}},
         "Extra payment 1: the date 2027-01-30 is before the first payment (2027-01-31)"},
        {{.firstDate = "2027-01-31", .extras = {"2057-01-01=5"}},
         "Extra payment 1: the date 2057-01-01 is after the last payment (2056-12-31)"},
        {{.firstDate = "31.01.2027"},
         "First payment date: '31.01.2027' is not a date (YYYY-MM-DD)"},
        {{.extraEach = {"-5"}}, "Recurring extra payment: the amount -5 is not more than 0"},
        {{.extraEach = {"5@10-3"}},
         "Recurring extra payment: the last period 3 is before the first (10)"},
        {{.extraEach = {"5@361"}},
         "Recurring extra payment: the period 361 is after the last payment (360)"},
        {{.extraEach = {"5@x"}}, "Recurring extra payment: 'x' is not a payment number"},
        {{.afterExtra = "both"}, "After extra payments: 'both' is not one of term, payment"},
        {{.rounding = "up"}, "Rounding: 'up' is not one of none, cent, unit"},
        {{.period = "daily"},
         "Payment period: 'daily' is not one of monthly, semimonthly, biweekly, weekly, "
         "quarterly, yearly"},
        {{.balloon = "-1"}, "Balloon: the amount -1 is negative"},
        {{.firstDate = "9990-01-31"},
         "First payment date: payment 360 would fall after the year 9999"},
        {{.firstDate = "9999-12-31", .period = "weekly"},
         "First payment date: payment 360 would fall after the year 9999"},
        {{.balloon = "250001"}, "Balloon: the amount 250001 is more than the loan amount (250000)"},
    };
    for (const auto& [texts, message] : cases) {
        const Outcome o = runPlan("250000", "360", "4.5", texts);
        EXPECT_EQ(o.error, message);
        EXPECT_TRUE(o.rows.empty()) << message.toStdString();
    }
    // The last payment may fall in 9999; a term in the billions is refused
    // without its dates being counted out.
    EXPECT_EQ(runPlan("250000", "360", "4.5", {.firstDate = "9970-01-31"}).error, "");
    EXPECT_EQ(
        runPlan("1000", "2000000000", "1", {.firstDate = "2027-01-01", .period = "yearly"}).error,
        "First payment date: payment 2000000000 would fall after the year 9999");
    // A bad number of the loan itself is still the loan's error, found first.
    EXPECT_EQ(runPlan("abc", "360", "4.5", {.extras = {"400=1"}}).error,
              "'abc' is not a valid floating point value");
}

TEST_F(Plan, FaultsOfTheCalculationStayTheSame) {
    EXPECT_EQ(runPlan("1000", "12", "0", {.rounding = "cent"}).error,
              "Floating point division by zero");
    EXPECT_EQ(runPlan("0", "12", "12", {.period = "weekly"}).error,
              "Invalid floating point operation");
    EXPECT_EQ(runPlan("1000", "80000", "12", {.rounding = "cent"}).error,
              "Floating point overflow");
}

// A chart reads numbers, not cell texts, with the columns where the table has them.
TEST_F(Plan, RowsAsNumbersForCharts) {
    const Outcome plain = runPlan("1000", "12", "12", {});
    ASSERT_EQ(plain.numbers.size(), 12u);
    EXPECT_NEAR(plain.numbers[0].payment, 88.8488, 1e-4);
    EXPECT_EQ(plain.numbers[11].period, 12);
    EXPECT_FALSE(plain.numbers[0].due.isValid());
    const Outcome dated = runPlan("1000", "12", "12", {.firstDate = "2027-01-31"});
    EXPECT_EQ(dated.numbers[1].due, QDate(2027, 2, 28));
    EXPECT_EQ(dated.rows[1][scheduleColumn(ScheduleColumn::Due, true)], "2027-02-28");
    EXPECT_EQ(dated.rows[1][scheduleColumn(ScheduleColumn::Balance, true)], "841.51");
    EXPECT_EQ(plain.rows[1][scheduleColumn(ScheduleColumn::Balance, false)], "841.51");
    EXPECT_EQ(scheduleColumn(ScheduleColumn::Due, false), -1);
}

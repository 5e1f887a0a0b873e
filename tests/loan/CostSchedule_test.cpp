// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "loan/CostSchedule.h"
#include "loan/PlanText.h"
#include "tests/loan/RateReference.h"
#include "tests/loan/TableSink.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace twl;

namespace {

ScheduleContext context() {
    ScheduleContext ctx;
    ctx.readDecimal = [] { return QStringLiteral("2"); };
    ctx.labels = {"Inputs", "Amount: ", "Months: ", "Rate: ", "Date: "};
    ctx.today = QDate(2026, 12, 7);
    return ctx;
}

struct Outcome {
    std::vector<QStringList> rows;
    QString error;
    std::optional<CostField> field;
};

Outcome run(const ScheduleInputs& inputs, const PlanTexts& plan, const CostTexts& cost) {
    Outcome o;
    test::TableSink sink;
    try {
        CalculateCostSchedule(inputs, parsePlanTexts(plan), parseCostTexts(cost), context(),
                              PlanLabels{}, CostLabels{}, sink);
    } catch (const ECostInput& e) {
        o.error = e.message();
        o.field = e.field();
    } catch (const Exception& e) {
        o.error = e.message();
    }
    o.rows = sink.rows;
    return o;
}

class CostSchedule : public ::testing::Test {
protected:
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
};

} // namespace

// Without a cost option every row is the plan's; with one, the schedule runs
// on the amount borrowed and one row follows the last.
TEST_F(CostSchedule, TheRowComesOnlyWhenAsked) {
    const ScheduleInputs loan{"250000", "360", "4.5"};
    const std::vector<PlanTexts> plans = {
        {}, {.firstDate = "2027-01-31", .extras = {"12=5000"}, .rounding = "cent"}};
    for (const PlanTexts& plan : plans) {
        test::TableSink plain;
        CalculatePlanSchedule(loan, parsePlanTexts(plan), context(), PlanLabels{}, plain);
        EXPECT_EQ(run(loan, plan, {}).rows, plain.rows);
        const Outcome asked = run(loan, plan, {.rule = "us"});
        ASSERT_EQ(asked.rows.size(), plain.rows.size() + 1) << asked.error.toStdString();
        EXPECT_TRUE(std::equal(plain.rows.begin(), plain.rows.end(), asked.rows.begin()));
        EXPECT_EQ(asked.rows.back().value(0), "Cost of credit");
        // The total of payments is the SUM row's, to the cent of every length.
        for (const QStringList& row : plain.rows) {
            if (row.value(0) != "SUM") continue;
            EXPECT_EQ(asked.rows.back().value(3),
                      "Total of payments: " + row.value(plan.firstDate.isEmpty() ? 1 : 2));
        }
    }
}

// Hand-worked: 1000 at 12 % over 12 months pays 88.8487886783 a month. A fee
// of 50 paid at the start leaves 950 financed; financed, it makes the loan
// 1050 (payments of 93.2912281123) of which 1000 is financed.
TEST_F(CostSchedule, FeesPaidAtTheStartAndFinanced) {
    struct Case {
        const char* name;
        CostTexts cost;
        QString inputsAmount;
        QStringList row;
    };
    const Case cases[] = {
        {"no fee, US rule",
         {.rule = "us"},
         "Amount: 1000",
         {"Cost of credit", "Amount financed: 1000.00", "Finance charge: 66.19",
          "Total of payments: 1066.19", "APR: 12.00 %"}},
        {"no fee, EU rule",
         {.rule = "eu"},
         "Amount: 1000",
         {"Cost of credit", "Amount financed: 1000.00", "Finance charge: 66.19",
          "Total of payments: 1066.19", "APRC: 12.68 %"}},
        {"fee paid at the start",
         {.fees = {"30", "20"}, .rule = "us"},
         "Amount: 1000",
         {"Cost of credit", "Amount financed: 950.00", "Finance charge: 116.19",
          "Total of payments: 1066.19", "APR: 21.86 %"}},
        {"fee paid at the start, EU rule",
         {.fees = {"50"}, .rule = "eu"},
         "Amount: 1000",
         {"Cost of credit", "Amount financed: 950.00", "Finance charge: 116.19",
          "Total of payments: 1066.19", "APRC: 24.18 %"}},
        {"fee financed",
         {.fees = {"50:financed"}, .rule = "us"},
         "Amount: 1050",
         {"Cost of credit", "Amount financed: 1000.00", "Finance charge: 119.49",
          "Total of payments: 1119.49", "APR: 21.37 %"}},
        {"both",
         {.fees = {"50:FINANCED", "50"}, .rule = "eu"},
         "Amount: 1050",
         {"Cost of credit", "Amount financed: 950.00", "Finance charge: 169.49",
          "Total of payments: 1119.49"}},
    };
    for (const Case& c : cases) {
        const Outcome o = run({"1000", "12", "12"}, {}, c.cost);
        ASSERT_TRUE(o.error.isEmpty()) << c.name << ": " << o.error.toStdString();
        EXPECT_EQ(o.rows.back().mid(0, c.row.size()), c.row) << c.name;
        EXPECT_EQ(o.rows[o.rows.size() - 2].value(1), c.inputsAmount) << c.name;
    }
}

// The first period measured from the loan date, hand-worked per rule: whole
// unit periods back from the first payment and the odd days (US: over 30 a
// month, 15 a half month, 7 or 14 a week; a year's rest in months over 12 or
// days over 365); whole months or weeks plus days over the year's days (EU).
TEST_F(CostSchedule, OddFirstPeriods) {
    struct Case {
        const char* name;
        PaymentPeriod period;
        QDate loan, first;
        long double whole, fraction; // the US rule's first period
        long double years;           // the EU rule's
    };
    const long double M = 1.0L / 12;
    const Case cases[] = {
        {"monthly, longer",
         PaymentPeriod::Monthly,
         {2027, 1, 10},
         {2027, 2, 25},
         1,
         0.5L,
         M + 15.0L / 365},
        {"monthly, shorter",
         PaymentPeriod::Monthly,
         {2027, 1, 10},
         {2027, 2, 1},
         0,
         22.0L / 30,
         22.0L / 365},
        {"monthly, month ends", PaymentPeriod::Monthly, {2027, 1, 31}, {2027, 3, 31}, 2, 0, 2 * M},
        {"monthly, days in a leap year",
         PaymentPeriod::Monthly,
         {2028, 2, 20},
         {2028, 3, 5},
         0,
         14.0L / 30,
         14.0L / 366},
        {"twice a month",
         PaymentPeriod::Semimonthly,
         {2027, 1, 5},
         {2027, 2, 1},
         1,
         0.8L,
         27.0L / 365},
        {"every two weeks",
         PaymentPeriod::Biweekly,
         {2027, 1, 1},
         {2027, 1, 20},
         1,
         5.0L / 14,
         2.0L / 52 + 5.0L / 365},
        {"weekly",
         PaymentPeriod::Weekly,
         {2027, 1, 1},
         {2027, 1, 11},
         1,
         3.0L / 7,
         1.0L / 52 + 3.0L / 365},
        {"quarterly",
         PaymentPeriod::Quarterly,
         {2027, 1, 15},
         {2027, 5, 1},
         1,
         17.0L / 90,
         3 * M + 17.0L / 365},
        {"yearly, whole months", PaymentPeriod::Yearly, {2027, 1, 1}, {2028, 7, 1}, 1, 0.5L, 1.5L},
        {"yearly, days",
         PaymentPeriod::Yearly,
         {2027, 1, 10},
         {2028, 2, 1},
         1,
         22.0L / 365,
         1 + 22.0L / 365},
    };
    for (const Case& c : cases) {
        const double payment = 230;
        PaymentRuns runs;
        for (int k = 1; k <= 24; ++k)
            runs.add(k, payment);
        const int w = periodsPerYear(c.period);
        const LoanTiming timing{c.loan, c.first, c.period};
        const long double us =
            w * test::referenceRate(test::levelFlows(24, payment, c.whole, 1), 4900, c.fraction) *
            100;
        EXPECT_NEAR(aprUs(runs, 4900, timing), static_cast<double>(us), 1e-10) << c.name;
        const long double step = c.period == PaymentPeriod::Weekly     ? 1.0L / 52
                                 : c.period == PaymentPeriod::Biweekly ? 2.0L / 52
                                                                       : 1.0L / w;
        const long double eu =
            test::referenceRate(test::levelFlows(24, payment, c.years, step), 4900) * 100;
        EXPECT_NEAR(aprEu(runs, 4900, timing), static_cast<double>(eu), 1e-10) << c.name;
    }
}

// One payment: the unit period is the term (whole months: 12 / months a
// year; else 365 / days), and a year or more is counted in years.
TEST_F(CostSchedule, OnePaymentIsItsOwnUnitPeriod) {
    struct Case {
        QDate loan, due;
        long double perYear, whole, fraction;
    };
    const Case cases[] = {
        {{2027, 1, 1}, {2027, 4, 1}, 4, 1, 0},
        {{2027, 1, 1}, {2027, 1, 31}, 365.0L / 30, 1, 0},
        {{2027, 1, 1}, {2028, 4, 1}, 1, 1, 0.25L},
    };
    for (const Case& c : cases) {
        PaymentRuns runs;
        runs.add(1, 1100);
        const long double expected =
            c.perYear * test::referenceRate({{c.whole, 1100}}, 1000, c.fraction) * 100;
        EXPECT_NEAR(aprUs(runs, 1000, {c.loan, c.due, PaymentPeriod::Monthly}),
                    static_cast<double>(expected), 1e-10)
            << c.due.toString(Qt::ISODate).toStdString();
    }
}

// Every refusal names its field and comes before any row.
TEST_F(CostSchedule, BadCostInputIsRefused) {
    struct Case {
        const char* name;
        PlanTexts plan;
        CostTexts cost;
        CostField field;
        QString message;
    };
    const Case cases[] = {
        {"fee not a number",
         {},
         {.fees = {"12x"}},
         CostField::Fee,
         "Fee 1: '12x' is not AMOUNT or AMOUNT:financed"},
        {"fee of nothing",
         {},
         {.fees = {"10", "0:financed"}},
         CostField::Fee,
         "Fee 2: the amount 0 is not more than 0"},
        {"negative fee",
         {},
         {.fees = {"-5"}},
         CostField::Fee,
         "Fee 1: the amount -5 is not more than 0"},
        {"fees take it all",
         {},
         {.fees = {"600", "400"}},
         CostField::Fee,
         "Fees: those paid at the start (1000) leave nothing of the amount (1000) to finance"},
        {"loan date not a date",
         {.firstDate = "2027-02-01"},
         {.loanDate = "2027-02-30"},
         CostField::LoanDate,
         "Loan date: '2027-02-30' is not a date (YYYY-MM-DD)"},
        {"loan date without dates",
         {},
         {.loanDate = "2027-01-01"},
         CostField::LoanDate,
         "Loan date: 2027-01-01 needs a first payment date"},
        {"loan date after the first payment",
         {.firstDate = "2027-02-01"},
         {.loanDate = "2027-02-02"},
         CostField::LoanDate,
         "Loan date: 2027-02-02 is after the first payment (2027-02-01)"},
        {"unknown rule",
         {},
         {.rule = "uk"},
         CostField::Rule,
         "APR rule: 'uk' is not one of us, eu"},
    };
    for (const Case& c : cases) {
        const Outcome o = run({"1000", "12", "12"}, c.plan, c.cost);
        EXPECT_TRUE(o.rows.empty()) << c.name;
        EXPECT_EQ(o.field, c.field) << c.name;
        EXPECT_EQ(o.error, c.message) << c.name;
    }
    // On the first payment's own day the money is lent and paid back at once.
    EXPECT_TRUE(run({"1000", "12", "12"}, {.firstDate = "2027-02-01"}, {.loanDate = "2027-02-01"})
                    .error.isEmpty());
}

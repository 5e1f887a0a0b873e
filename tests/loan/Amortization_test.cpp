// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "loan/Amortization.h"
#include "tests/loan/TableSink.h"
#include "tests/support/TestSupport.h"

#include <QRandomGenerator>
#include <cfenv>
#include <cfloat>
#include <cmath>

using namespace twl;

namespace {

using test::TableSink;

struct Outcome {
    std::vector<QStringList> rows;
    QString error; // message of the raised error, empty when none
};

Outcome run(const QString& amount, const QString& months, const QString& rate,
            const QString& decimal = "2", bool literal = false) {
    ScheduleContext ctx;
    ctx.readDecimal = [decimal] { return decimal; };
    ctx.labels = {"Inputs", "Amount: ", "Months: ", "Rate: ", "Date: "};
    ctx.today = QDate(2026, 12, 7);
    ctx.checkEveryStep = literal;
    TableSink sink;
    Outcome o;
    try {
        CalculateSchedule({amount, months, rate}, ctx, sink);
    } catch (const Exception& e) {
        o.error = e.message();
    }
    o.rows = sink.rows;
    return o;
}

class Schedule : public ::testing::Test {
protected:
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
};

} // namespace

TEST_F(Schedule, WorkedExample) {
    const Outcome o = run("1000", "12", "12");
    ASSERT_TRUE(o.error.isEmpty()) << o.error;
    ASSERT_EQ(o.rows.size(), 14u);
    EXPECT_EQ(o.rows[0], (QStringList{"1", "88.85", "10.00", "78.85", "921.15"}));
    EXPECT_EQ(o.rows[1], (QStringList{"2", "88.85", "9.21", "79.64", "841.51"}));
    EXPECT_EQ(o.rows[11], (QStringList{"12", "88.85", "0.88", "87.97", "0.00"}));
    EXPECT_EQ(o.rows[12], (QStringList{"SUM", "1066.19", "66.19", "1000.00", "-"}));
    EXPECT_EQ(o.rows[13], (QStringList{"Inputs", "Amount: 1000", "Months: 12", "Rate: 12",
                                       "Date: 2026-12-07"}));
}

TEST_F(Schedule, DecimalSettingShapesEveryAmountCell) {
    EXPECT_EQ(run("1000", "12", "12", "0").rows[0], (QStringList{"1", "89", "10", "79", "921"}));
    EXPECT_EQ(run("1000", "12", "12", "4").rows[0],
              (QStringList{"1", "88.8488", "10.0000", "78.8488", "921.1512"}));
    EXPECT_EQ(run("1000", "12", "12", "19").rows[0][1], "88.85");
    EXPECT_EQ(run("1000", "12", "12", "-1").rows[0][1], "88.85");
    EXPECT_EQ(run("1000", "12", "12", " 3").rows[0][1], "88.849"); // leading blanks are allowed
}

// One read per calculation: every amount cell has the value of that one read,
// and a bad value still fails at the first amount cell.
TEST_F(Schedule, DecimalSettingIsReadOncePerCalculation) {
    int reads = 0;
    ScheduleContext ctx;
    ctx.readDecimal = [&reads] { return QString::number(++reads == 1 ? 3 : 0); };
    TableSink sink;
    CalculateSchedule({"1000", "12", "12"}, ctx, sink);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(sink.rows[0], (QStringList{"1", "88.849", "10.000", "78.849", "921.151"}));
    EXPECT_EQ(sink.rows[12][3], "1000.000");

    reads = 0;
    TableSink noMonths;
    CalculateSchedule({"1000", "-1", "12"}, ctx, noMonths);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(noMonths.rows[0], (QStringList{"SUM", "0.000", "0.000", "0.000", "-"}));

    reads = 0;
    TableSink failed;
    // Fails before the first amount cell, so the setting is never read.
    EXPECT_THROW(CalculateSchedule({"1000", "12", "0"}, ctx, failed), Exception);
    EXPECT_EQ(reads, 0);
}

TEST_F(Schedule, RegionalSeparatorAndGeneralFormatOfTheInputsRow) {
    test::RegionalScope comma(QLatin1Char(','), QStringLiteral("dd.MM.yyyy"));
    const Outcome o = run("1000,5", "12", "7,25");
    ASSERT_TRUE(o.error.isEmpty()) << o.error;
    EXPECT_EQ(o.rows.back(), (QStringList{"Inputs", "Amount: 1000,5", "Months: 12", "Rate: 7,25",
                                          "Date: 07.12.2026"}));
    EXPECT_EQ(run("1000.5", "12", "7").error, "'1000.5' is not a valid floating point value");
}

TEST_F(Schedule, SmallAndOddMonthCounts) {
    // N = 1: payment P(1+r), interest P r, principal P, balance 0.
    EXPECT_EQ(run("1000", "1", "12").rows[0],
              (QStringList{"1", "1010.00", "10.00", "1000.00", "0.00"}));
    for (const char* n : {"0", "-5"}) {
        const Outcome o = run("1000", n, "12");
        ASSERT_EQ(o.rows.size(), 2u) << n;
        EXPECT_EQ(o.rows[0], (QStringList{"SUM", "0.00", "0.00", "0.00", "-"}));
    }
    // Hexadecimal month counts are integers too.
    EXPECT_EQ(run("1000", "$C", "12").rows.size(), 14u);
    EXPECT_EQ(run("1000", "0xC", "12").rows.size(), 14u);
}

TEST_F(Schedule, NegativeRateGivesNegativeInterest) {
    const Outcome o = run("1200", "12", "-6");
    ASSERT_TRUE(o.error.isEmpty()) << o.error;
    EXPECT_TRUE(o.rows[0][2].startsWith('-'));
    EXPECT_LT(o.rows[0][1].toDouble(), 100.0);
}

// A negative rate works while 1/(|r| x (1 + r)^N) stays within the double
// range (r = R/1200): the last month counts before the factor leaves it.
TEST_F(Schedule, NegativeRatesWorkWhileTheFactorStaysInRange) {
    const struct {
        const char* rate;
        const char* months;
        const char* error;
    } cases[] = {{"-1199.99", "60", ""},
                 {"-1199.99", "61", "Floating point overflow"},
                 {"-1199.99", "360", "Floating point division by zero"},
                 {"-600", "1022", ""},
                 {"-600", "1023", "Floating point overflow"},
                 {"-1200", "12", "Floating point division by zero"},
                 {"-1300", "12", "Floating point division by zero"}};
    for (const auto& c : cases)
        EXPECT_EQ(run("1000", c.months, c.rate).error, c.error) << c.rate << " " << c.months;
}

struct FailureRow {
    const char* name;
    const char* amount;
    const char* months;
    const char* rate;
    const char* decimal;
    const char* message;
    std::vector<QStringList> table;
};

class ScheduleFailures : public ::testing::TestWithParam<FailureRow> {
protected:
    test::RegionalScope regional{QLatin1Char('.'), QStringLiteral("yyyy-MM-dd")};
};

TEST_P(ScheduleFailures, MessageAndPartialTable) {
    const FailureRow& r = GetParam();
    const Outcome o = run(r.amount, r.months, r.rate, r.decimal);
    EXPECT_EQ(o.error, r.message);
    EXPECT_EQ(o.rows, r.table);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScheduleFailures,
    ::testing::Values(
        FailureRow{"EmptyAmount", "", "12", "12", "2", "", {}},
        FailureRow{"EmptyRate", "1000", "12", "", "2", "", {}},
        FailureRow{"AmountNotANumber",
                   "abc",
                   "12",
                   "12",
                   "2",
                   "'abc' is not a valid floating point value",
                   {}},
        FailureRow{"BlanksAreNotEmpty",
                   " ",
                   "12",
                   "12",
                   "2",
                   "' ' is not a valid floating point value",
                   {}},
        FailureRow{"RateNotANumber",
                   "1000",
                   "12",
                   "1,5",
                   "2",
                   "'1,5' is not a valid floating point value",
                   {}},
        FailureRow{
            "NaNTyped", "NaN", "12", "12", "2", "'NaN' is not a valid floating point value", {}},
        FailureRow{
            "InfTyped", "1000", "12", "INF", "2", "'INF' is not a valid floating point value", {}},
        FailureRow{"HugeExponent",
                   "1e999",
                   "12",
                   "12",
                   "2",
                   "'1e999' is not a valid floating point value",
                   {}},
        FailureRow{
            "MonthsFraction", "1000", "12.5", "12", "2", "'12.5' is not a valid integer value", {}},
        FailureRow{"MonthsTooLarge",
                   "1000",
                   "4294967296",
                   "12",
                   "2",
                   "'4294967296' is not a valid integer value",
                   {}},
        FailureRow{
            "AmountErrorFirst", "x", "y", "12", "2", "'x' is not a valid floating point value", {}},
        FailureRow{"ZeroRate", "1000", "12", "0", "2", "Floating point division by zero", {}},
        FailureRow{"ZeroAmount", "0", "12", "12", "2", "Invalid floating point operation", {}},
        FailureRow{"NegativeAmount",
                   "-1000",
                   "12",
                   "12",
                   "2",
                   "Floating point division by zero",
                   {{"1", "-88.85", "-10.00", "-78.85", "0.00"}}},
        FailureRow{"FactorOverflow", "1000", "71333", "12", "2", "Floating point overflow", {}},
        // The interest overflows first; the payment's division by zero after it
        // must not be what is reported.
        FailureRow{"InterestOverflowBeforeDivision",
                   "1e307",
                   "2",
                   "1e5",
                   "2",
                   "Floating point overflow",
                   {}},
        FailureRow{"DecimalNotInteger",
                   "1000",
                   "12",
                   "12",
                   "abc",
                   "'abc' is not a valid integer value",
                   {{"1"}}},
        FailureRow{
            "DecimalEmpty", "1000", "12", "12", "", "'' is not a valid integer value", {{"1"}}},
        FailureRow{"DecimalBadNoMonths",
                   "1000",
                   "0",
                   "12",
                   "2.5",
                   "'2.5' is not a valid integer value",
                   {{"SUM"}}}),
    [](const ::testing::TestParamInfo<FailureRow>& i) { return std::string(i.param.name); });

TEST_F(Schedule, LargestMonthCountBeforeOverflowStillWorks) {
    const Outcome o = run("1000", "71332", "12");
    ASSERT_TRUE(o.error.isEmpty()) << o.error;
    EXPECT_EQ(o.rows.size(), 71334u);
    EXPECT_EQ(o.rows[0][1], "10.00"); // payment equals the interest when the term is this long
}

namespace {

// The fast path against the literal algorithm: the same cells and the same error.
::testing::AssertionResult sameAsLiteral(double amount, int months, double rate) {
    const QString a = QString::number(amount, 'g', 17);
    const QString r = QString::number(rate, 'g', 17);
    const QString n = QString::number(months);
    const Outcome fast = run(a, n, r);
    const Outcome literal = run(a, n, r, "2", true);
    if (fast.error == literal.error && fast.rows == literal.rows)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "amount " << a.toStdString() << ", months " << n.toStdString() << ", rate "
           << r.toStdString() << ": fast \"" << fast.error.toStdString() << "\" after "
           << fast.rows.size() << " rows, literal \"" << literal.error.toStdString() << "\" after "
           << literal.rows.size() << " rows";
}

} // namespace

// The fast path must give exactly what the literal algorithm gives, for
// ordinary and extreme inputs alike.
TEST_F(Schedule, FastPathMatchesTheLiteralAlgorithm) {
    QRandomGenerator rng(20261207);
    const auto pick = [&](std::initializer_list<double> values) {
        return *(values.begin() + rng.bounded(static_cast<int>(values.size())));
    };
    for (int i = 0; i < 300; ++i) {
        const double amount =
            pick({1000.0, -250.0, 1e-300, 4.9e-324, 1e300, 123456.789, 0.01, 1e15}) *
            (1 + rng.generateDouble());
        const double rate = pick({12.0, -6.0, 1e-12, 1e-300, 1199.0, -1199.0, 35.5, 1e6}) *
                            (rng.generateDouble() + 0.5);
        const int months = static_cast<int>(pick({1, 2, 3, 12, 60, 240, 400}));
        ASSERT_TRUE(sameAsLiteral(amount, months, rate));
    }
}

// Negative rates: the balance shrinks towards zero, q climbs from q(1)
// towards zero, and F shrinks towards zero with the term, down to underflow.
TEST_F(Schedule, NegativeRatesMatchTheLiteralAlgorithm) {
    QRandomGenerator rng(20261208);
    for (const double rate : {-1e-9, -0.5, -5.0, -12.0, -60.0, -300.0, -900.0, -1150.0})
        for (const double amount : {1000.0, 1e-300, 1e300, 4.9e-324, -1000.0})
            for (const int months : {1, 2, 3, 12, 60, 240})
                ASSERT_TRUE(sameAsLiteral(amount, months, rate));
    for (int i = 0; i < 200; ++i) {
        const double rate = -1200.0 * rng.generateDouble();
        const double amount = std::ldexp(1.0 + rng.generateDouble(), rng.bounded(-60, 60));
        ASSERT_TRUE(sameAsLiteral(amount, 1 + rng.bounded(400), rate));
    }
}

// Near -1200 % the factor 1 + q is all but zero: F underflows within a few
// months, and the bound on D fails while F is still positive.
TEST_F(Schedule, RatesNearMinus1200PercentMatchTheLiteralAlgorithm) {
    for (const double below : {0.0, 1e-13, 1e-9, 1e-6, 1e-3, 0.5, 5.0})
        for (const int months : {1, 2, 3, 4, 7, 20, 90})
            for (const double amount : {1000.0, 0.01, 1e200})
                for (const double side : {-1.0, 1.0})
                    ASSERT_TRUE(sameAsLiteral(amount, months, -1200.0 + side * below));
}

// Long terms: F of month 1 reaches so far down that late months need a later
// reference month for the bound (-105.6 % over 5,000 months, -230 % over
// 2,000), stays near 1 (-5 %), or underflows in month 1 already (-400 %).
TEST_F(Schedule, LongNegativeTermsMatchTheLiteralAlgorithm) {
    ASSERT_TRUE(sameAsLiteral(1000.0, 5000, -105.6));
    ASSERT_TRUE(sameAsLiteral(1000.0, 2000, -230.0));
    ASSERT_TRUE(sameAsLiteral(250000.0, 1500, -5.0));
    ASSERT_TRUE(sameAsLiteral(1000.0, 5000, -400.0));
}

// A sink that leaves a fault flag set after its cells changes nothing: the
// month that finds it runs again, clearing it, and no fault is raised that
// the month did not make; a month that faults still does, at its row.
TEST_F(Schedule, AFaultFlagLeftByTheSinkChangesNothing) {
    struct FlaggingSink : TableSink {
        int flag = 0;
        void addCell(QStringView text) override {
            TableSink::addCell(text);
            std::feraiseexcept(flag);
        }
    };
    for (const auto& [amount, months, rate] :
         {std::tuple{"1000", "240", "12"}, {"100", "1000", "-1200"}, {"1e308", "10", "1e308"}}) {
        const Outcome plain = run(amount, months, rate);
        for (const int flag : {FE_DIVBYZERO, FE_OVERFLOW, FE_INVALID}) {
            ScheduleContext ctx;
            ctx.readDecimal = [] { return QStringLiteral("2"); };
            ctx.labels = {"Inputs", "Amount: ", "Months: ", "Rate: ", "Date: "};
            ctx.today = QDate(2026, 12, 7);
            FlaggingSink sink;
            sink.flag = flag;
            QString error;
            try {
                CalculateSchedule({amount, months, rate}, ctx, sink);
            } catch (const Exception& e) {
                error = e.message();
            }
            std::feclearexcept(FE_ALL_EXCEPT);
            EXPECT_EQ(sink.rows, plain.rows) << amount << " " << flag;
            EXPECT_EQ(error, plain.error) << amount << " " << flag;
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/Solve.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "loan/CostOfCredit.h"
#include "loan/LoanConsts.h"
#include "loan/PlanSchedule.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace twl {

namespace {

QString numberText(double value) {
    return FormatGeneral(value, 15, regionalSettings().decimalSeparator);
}

[[noreturn]] void refuse(const ResourceString& pattern, std::initializer_list<FormatArg> args) {
    std::vector<FormatArg> all{LoadResString(rs::SPaymentName)};
    all.insert(all.end(), args.begin(), args.end());
    throw EPlanInput(PlanField::Payment, Format(LoadResString(pattern), all));
}

long double periodRate(double rate, int perYear) {
    return static_cast<long double>(rate) / perYear / 100;
}

// The smallest number of payments that repays the loan, by the schedule itself
// so that a lender's rounding counts.
std::int32_t solveCount(double P, double R, const PlanOptions& plan) {
    const double M = plan.payment;
    if (!(P > 0)) refuse(rs::SPaymentNothingOwed, {numberText(P)});
    const long double q = periodRate(R, periodsPerYear(plan.period));
    // The balance falls only while the payment pays more than its interest.
    const long double firstInterest = static_cast<long double>(P) * q;
    if (!(M > firstInterest))
        refuse(rs::SPaymentNoInterestCover,
               {numberText(M), numberText(static_cast<double>(firstInterest))});
    // Where the balance reaches the balloon: B(1 + q)^n - M((1 + q)^n - 1)/q = b.
    const long double b = plan.balloon;
    const long double n =
        q == 0 ? (P - b) / M : std::log((M - b * q) / (M - P * q)) / std::log1p(q);
    const int most = std::numeric_limits<std::int32_t>::max();
    if (!(n < most - 1)) refuse(rs::SPaymentTooManyPayments, {numberText(M), most});
    // The count alone: extras, rate changes and dates come with the schedule.
    PlanOptions counted;
    counted.period = plan.period;
    counted.rounding = plan.rounding;
    counted.balloon = plan.balloon;
    counted.payment = M;
    return computeOpenPlan(P, R, counted).payments;
}

} // namespace

double roundedTo15Digits(double value) {
    if (!std::isfinite(value)) return value;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    double back = value;
    std::from_chars(text, end.ptr, back);
    return back;
}

double presentValueOf(double payment, std::int32_t count, double rate, int perYear,
                      double balloon) {
    const long double q = periodRate(rate, perYear);
    const long double n = count;
    if (q == 0) return static_cast<double>(payment * n + balloon);
    // (1 + q)^-n and the annuity factor (1 - (1 + q)^-n) / q, without the
    // cancellation of a tiny rate.
    const long double L = std::log1p(q);
    const long double discount = std::exp(-n * L);
    const long double annuity = -std::expm1(-n * L) / q;
    return static_cast<double>(payment * annuity + balloon * discount);
}

double rateFor(double amount, std::int32_t count, double payment, int perYear, double balloon) {
    const std::vector<PaymentRun> runs{{1, count, payment}, {count, 1, balloon}};
    RateEquation equation;
    equation.runs = &runs;
    equation.advance = amount;
    return static_cast<double>(static_cast<long double>(solveRate(equation)) * perYear * 100);
}

LoanFigures solveLoan(SolvedInput unknown, const LoanFigures& known, const PlanOptions& plan) {
    LoanFigures f = known;
    const double M = plan.payment;
    if (!(M > 0)) refuse(rs::SPlanAmountNotPositive, {numberText(M)});
    const int perYear = periodsPerYear(plan.period);
    switch (unknown) {
    case SolvedInput::Nothing:
        break;
    case SolvedInput::Amount: {
        const double P = f.count >= 1 ? presentValueOf(M, f.count, f.rate, perYear, plan.balloon)
                                      : std::numeric_limits<double>::quiet_NaN();
        if (!(P > 0) || !std::isfinite(P)) refuse(rs::SPaymentNoAmount, {f.count, numberText(M)});
        // A lender lends whole cents.
        f.amount =
            roundedTo15Digits(plan.rounding == PlanRounding::None ? P : std::round(P * 100) / 100);
        break;
    }
    case SolvedInput::Count:
        f.count = solveCount(f.amount, f.rate, plan);
        break;
    case SolvedInput::Rate:
        try {
            if (f.count < 1 || !(f.amount > 0)) throw EMathError(QString());
            f.rate = roundedTo15Digits(rateFor(f.amount, f.count, M, perYear, plan.balloon));
        } catch (const EMathError&) {
            refuse(rs::SPaymentNoRate, {f.count, numberText(M), numberText(f.amount)});
        }
        break;
    }
    return f;
}

void solveInputs(ScheduleInputs& inputs, PlanOptions& plan) {
    const int empty =
        int(inputs.amount.isEmpty()) + int(inputs.months.isEmpty()) + int(inputs.rate.isEmpty());
    if (empty != 1)
        throw EPlanInput(PlanField::Payment,
                         Format(LoadResString(rs::SSolveWhich), {LoadResString(rs::SPaymentName)}));
    const SolvedInput unknown = inputs.amount.isEmpty()   ? SolvedInput::Amount
                                : inputs.months.isEmpty() ? SolvedInput::Count
                                                          : SolvedInput::Rate;
    LoanFigures known;
    if (unknown != SolvedInput::Amount) known.amount = StrToFloat(inputs.amount);
    if (unknown != SolvedInput::Count) known.count = StrToInt(inputs.months);
    if (unknown != SolvedInput::Rate) known.rate = StrToFloat(inputs.rate);
    const LoanFigures solved = solveLoan(unknown, known, plan);
    const QChar sep = regionalSettings().decimalSeparator;
    switch (unknown) {
    case SolvedInput::Amount:
        inputs.amount = FormatGeneral(solved.amount, 15, sep);
        break;
    case SolvedInput::Count:
        inputs.months = QString::number(solved.count);
        break;
    default:
        inputs.rate = FormatGeneral(solved.rate, 15, sep);
        break;
    }
    plan.solved = unknown;
}

} // namespace twl

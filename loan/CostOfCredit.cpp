// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/CostOfCredit.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"
#include "loan/CostConsts.h"

#include <cmath>
#include <limits>

namespace twl {

namespace {

QString amountText(double value) {
    return FormatGeneral(value, 15, regionalSettings().decimalSeparator);
}

long double sumFees(const std::vector<Fee>& fees, bool financed) {
    long double sum = 0;
    for (const Fee& fee : fees)
        if (fee.financed == financed) sum += fee.amount;
    return sum;
}

// The worth now of `count` payments of `amount`, the first `start` units of
// time away and each next one `step` further, at log(1 + rate) = L. The
// geometric sum is taken in the form whose terms cannot overflow where the
// other's can, so a rate near -100 % gives infinity, never NaN.
long double runValue(long double amount, std::int32_t count, long double start, long double step,
                     long double L) {
    const long double a = step * L; // the log of the discount from one payment to the next
    const long double n = count;
    if (a == 0) return amount * std::exp(-start * L) * n;
    if (a > 0) return amount * std::exp(-start * L) * (std::expm1(-n * a) / std::expm1(-a));
    // Rising terms: the sum from the last one back.
    return amount * std::exp(-start * L - (n - 1) * a) * (std::expm1(n * a) / std::expm1(a));
}

} // namespace

double CostOptions::financedFees() const {
    return static_cast<double>(sumFees(fees, true));
}

double CostOptions::feesPaidAtStart() const {
    return static_cast<double>(sumFees(fees, false));
}

AprRule CostOptions::ruleInForce() const {
    return rule ? *rule : regionalAprRule();
}

AprRule regionalAprRule() {
    return regionalSettings().territory == QLocale::UnitedStates ? AprRule::Us : AprRule::Eu;
}

void checkCost(const CostOptions& cost, const PlanOptions& plan, double amount) {
    for (std::size_t i = 0; i < cost.fees.size(); ++i) {
        if (!(cost.fees[i].amount > 0))
            throw ECostInput(CostField::Fee,
                             Format(LoadResString(rs::SFeeNotPositive),
                                    {static_cast<int>(i + 1), amountText(cost.fees[i].amount)}));
    }
    const double atStart = cost.feesPaidAtStart();
    // The borrower must receive something: a loan that pays out nothing has no rate.
    if (atStart > 0 && !(amount - atStart > 0))
        throw ECostInput(CostField::Fee, Format(LoadResString(rs::SFeesTooLarge),
                                                {amountText(atStart), amountText(amount)}));
    if (cost.loanDate.isValid()) {
        if (!plan.hasDueDates())
            throw ECostInput(CostField::LoanDate, Format(LoadResString(rs::SLoanDateNeedsFirstDate),
                                                         {DateToStr(cost.loanDate)}));
        if (cost.loanDate > plan.firstDate)
            throw ECostInput(CostField::LoanDate,
                             Format(LoadResString(rs::SLoanDateAfterFirst),
                                    {DateToStr(cost.loanDate), DateToStr(plan.firstDate)}));
    }
}

std::int32_t wholeMonthsBack(const QDate& from, const QDate& to) {
    std::int32_t months = (to.year() - from.year()) * 12 + to.month() - from.month();
    while (months > 0 && to.addMonths(-months) < from)
        --months;
    return std::max(months, 0);
}

void PaymentRuns::add(std::int32_t period, double amount) {
    ++m_count;
    // Added as the schedule adds its SUM row, so that the two agree to the bit.
    m_total = static_cast<double>(static_cast<long double>(m_total) + amount);
    if (!m_runs.empty()) {
        PaymentRun& last = m_runs.back();
        if (last.amount == amount && last.first + last.count == period) {
            ++last.count;
            return;
        }
    }
    m_runs.push_back({period, 1, amount});
}

long double presentValue(const RateEquation& equation, long double rate) {
    if (!(rate > -1)) return std::numeric_limits<long double>::infinity();
    const long double L = std::log1p(rate);
    long double value = 0;
    for (const PaymentRun& run : *equation.runs)
        value += runValue(run.amount, run.count,
                          equation.firstTime + (run.first - 1) * equation.step, equation.step, L);
    // The odd days of the first period earn simple interest.
    return value / (1 + equation.fraction * rate);
}

double solveRate(const RateEquation& equation) {
    // The payments' worth falls as the rate rises: the rate lies where the
    // worth passes the advance, above -100 %.
    const auto above = [&](double rate) {
        return presentValue(equation, rate) <= equation.advance;
    };
    double low = -1, high = 0;
    while (!above(high) && high < 1e12) {
        low = high;
        high = high == 0 ? 1 : 2 * high;
    }
    // Halved until no double lies between the two ends.
    for (;;) {
        const double mid = low + (high - low) / 2;
        if (mid <= low || mid >= high) break;
        if (above(mid))
            high = mid;
        else
            low = mid;
    }
    const auto error = [&](double rate) {
        return std::fabs(presentValue(equation, rate) - equation.advance);
    };
    const double rate = low > -1 && error(low) < error(high) ? low : high;
    // Payments worth nothing, or all due on the loan date, match no rate.
    if (!(error(rate) <= 1e-9L * std::fabs(equation.advance))) {
        long double paid = 0;
        for (const PaymentRun& run : *equation.runs)
            paid += static_cast<long double>(run.amount) * run.count;
        // A fault of the figures, not of the input.
        throw EMathError(Format(LoadResString(rs::SNoRate),
                                {amountText(static_cast<double>(paid)),
                                 amountText(static_cast<double>(equation.advance))}));
    }
    return rate;
}

CostOfCredit computeCost(double amount, const CostOptions& cost, const PlanOptions& plan,
                         const PaymentRuns& payments) {
    CostOfCredit c;
    c.rule = cost.ruleInForce();
    c.amountFinanced = static_cast<double>(static_cast<long double>(amount) -
                                           static_cast<long double>(cost.feesPaidAtStart()));
    c.totalOfPayments = payments.total();
    c.financeCharge = static_cast<double>(static_cast<long double>(c.totalOfPayments) -
                                          static_cast<long double>(c.amountFinanced));
    const LoanTiming timing{cost.loanDate, plan.firstDate, plan.period};
    c.apr = c.rule == AprRule::Us ? aprUs(payments, c.amountFinanced, timing)
                                  : aprEu(payments, c.amountFinanced, timing);
    return c;
}

} // namespace twl

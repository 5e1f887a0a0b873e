// SPDX-License-Identifier: GPL-3.0-or-later
// The annual percentage rate by the US rule: the actuarial method. Time is
// counted in unit periods (the payment period); the first period, from the
// loan date to the first payment, is whole unit periods plus a fraction that
// earns simple interest. The rate per unit period times the unit periods in
// a year is the rate.

#include "loan/CostOfCredit.h"

namespace twl {

namespace {

// The first period as the rule counts it: whole unit periods and a fraction.
struct FirstPeriod {
    std::int32_t whole = 1;
    long double fraction = 0;
};

// The days left after whole months counted back from `to`.
qint64 daysLeft(const QDate& from, const QDate& to, std::int32_t months) {
    return from.daysTo(to.addMonths(-months));
}

FirstPeriod split(long double units) {
    const long double whole = std::floor(units);
    return {static_cast<std::int32_t>(whole), units - whole};
}

// The first period in unit periods of the payment period.
FirstPeriod firstPeriod(const QDate& loan, const QDate& first, PaymentPeriod period) {
    const std::int32_t months = wholeMonthsBack(loan, first);
    const qint64 days = daysLeft(loan, first, months);
    switch (period) {
    case PaymentPeriod::Monthly:
        // Whole months back from the later date; the odd days over 30.
        return {months, static_cast<long double>(days) / 30};
    case PaymentPeriod::Semimonthly:
        // 30 days a month plus the odd days, in 15-day unit periods.
        return split(static_cast<long double>(30 * months + days) / 15);
    case PaymentPeriod::Quarterly:
        return split(static_cast<long double>(30 * months + days) / 90);
    case PaymentPeriod::Yearly:
        // Whole years back; what is left in months over 12 when it is whole
        // months, else in days over 365.
        if (days == 0) return {months / 12, static_cast<long double>(months % 12) / 12};
        return {months / 12,
                static_cast<long double>(loan.daysTo(first.addMonths(-(months / 12) * 12))) / 365};
    case PaymentPeriod::Weekly:
        return split(static_cast<long double>(loan.daysTo(first)) / 7);
    case PaymentPeriod::Biweekly:
        return split(static_cast<long double>(loan.daysTo(first)) / 14);
    }
    return {};
}

// One payment: the unit period is the term itself, up to a year. A term of
// whole months has 12 / months unit periods a year, another 365 / days; a
// longer term is counted in years.
struct SinglePayment {
    FirstPeriod term;
    long double perYear = 1;
};

SinglePayment singlePayment(const QDate& loan, const QDate& due) {
    const std::int32_t months = wholeMonthsBack(loan, due);
    const qint64 days = daysLeft(loan, due, months);
    if (months >= 12) return {firstPeriod(loan, due, PaymentPeriod::Yearly), 1};
    if (days == 0 && months > 0) return {{1, 0}, 12.0L / months};
    const qint64 term = loan.daysTo(due);
    if (term == 0) return {{0, 0}, 1};
    return {{1, 0}, 365.0L / static_cast<long double>(term)};
}

} // namespace

double aprUs(const PaymentRuns& payments, double amountFinanced, const LoanTiming& timing) {
    RateEquation equation;
    equation.runs = &payments.runs();
    equation.advance = amountFinanced;
    long double perYear = periodsPerYear(timing.period);
    if (!timing.regularFirstPeriod()) {
        FirstPeriod first;
        if (payments.count() == 1) {
            const SinglePayment single = singlePayment(timing.loanDate, timing.firstDate);
            first = single.term;
            perYear = single.perYear;
        } else {
            first = firstPeriod(timing.loanDate, timing.firstDate, timing.period);
        }
        equation.firstTime = first.whole;
        equation.fraction = first.fraction;
    }
    return static_cast<double>(perYear * solveRate(equation) * 100);
}

} // namespace twl

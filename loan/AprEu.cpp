// SPDX-License-Identifier: GPL-3.0-or-later
// The annual percentage rate of charge by the EU rule: the effective yearly
// rate at which the payments are worth what the borrower received, with time
// in years. A year has 12 equal months or 52 weeks; a time that is not whole
// periods is whole periods counted back from the later date plus days, the
// days over the days of the year that ends where they end (365, or 366 when
// that year holds a 29 February).

#include "loan/CostOfCredit.h"

namespace twl {

namespace {

bool weekly(PaymentPeriod period) {
    return period == PaymentPeriod::Weekly || period == PaymentPeriod::Biweekly;
}

// The time between two payments in years: months are twelfths of a year (a
// half month the half of one), weeks fifty-seconds.
long double stepInYears(PaymentPeriod period) {
    switch (period) {
    case PaymentPeriod::Monthly:
        return 1.0L / 12;
    case PaymentPeriod::Semimonthly:
        return 1.0L / 24;
    case PaymentPeriod::Quarterly:
        return 3.0L / 12;
    case PaymentPeriod::Yearly:
        return 1;
    case PaymentPeriod::Weekly:
        return 1.0L / 52;
    case PaymentPeriod::Biweekly:
        return 2.0L / 52;
    }
    return 1.0L / 12;
}

// Days that end on `end`, in years.
long double daysInYears(qint64 days, const QDate& end) {
    return static_cast<long double>(days) / static_cast<long double>(end.addYears(-1).daysTo(end));
}

// The time from the loan date to the first payment, in years.
long double firstTime(const QDate& loan, const QDate& first, PaymentPeriod period) {
    if (weekly(period)) {
        const qint64 days = loan.daysTo(first);
        return static_cast<long double>(days / 7) / 52 +
               daysInYears(days % 7, loan.addDays(days % 7));
    }
    const std::int32_t months = wholeMonthsBack(loan, first);
    const QDate monthsStart = first.addMonths(-months);
    return static_cast<long double>(months) / 12 +
           daysInYears(loan.daysTo(monthsStart), monthsStart);
}

} // namespace

double aprEu(const PaymentRuns& payments, double amountFinanced, const LoanTiming& timing) {
    RateEquation equation;
    equation.runs = &payments.runs();
    equation.advance = amountFinanced;
    equation.step = stepInYears(timing.period);
    equation.firstTime = timing.regularFirstPeriod()
                             ? equation.step
                             : firstTime(timing.loanDate, timing.firstDate, timing.period);
    return static_cast<double>(static_cast<long double>(solveRate(equation)) * 100);
}

} // namespace twl

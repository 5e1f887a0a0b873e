// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/PlanOptions.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"
#include "loan/Cents.h"
#include "loan/LoanConsts.h"

namespace twl {

int periodsPerYear(PaymentPeriod period) {
    switch (period) {
    case PaymentPeriod::Monthly:
        return 12;
    case PaymentPeriod::Semimonthly:
        return 24;
    case PaymentPeriod::Biweekly:
        return 26;
    case PaymentPeriod::Weekly:
        return 52;
    case PaymentPeriod::Quarterly:
        return 4;
    case PaymentPeriod::Yearly:
        return 1;
    }
    return 12;
}

QDate dueDate(const QDate& first, PaymentPeriod period, std::int32_t k) {
    const std::int32_t steps = k - 1;
    // Month steps count from the first date, not from the last due date, so a
    // day clamped in February comes back as the 31st in March.
    const auto monthDay = [&first](std::int32_t months, int day) {
        const QDate month = first.addMonths(months);
        return QDate(month.year(), month.month(), std::min(day, month.daysInMonth()));
    };
    switch (period) {
    case PaymentPeriod::Monthly:
        return monthDay(steps, first.day());
    case PaymentPeriod::Quarterly:
        return monthDay(3 * steps, first.day());
    case PaymentPeriod::Yearly:
        return monthDay(12 * steps, first.day());
    case PaymentPeriod::Weekly:
        return first.addDays(7LL * steps);
    case PaymentPeriod::Biweekly:
        return first.addDays(14LL * steps);
    case PaymentPeriod::Semimonthly: {
        // Two fixed days a month, 15 apart; the first date is one of them.
        const int low = first.day() > 15 ? first.day() - 15 : first.day();
        const std::int32_t half = (first.day() > 15 ? 1 : 0) + steps;
        return monthDay(half / 2, half % 2 ? low + 15 : low);
    }
    }
    return first;
}

namespace {

// The first payment due on or after `date`, N + 1 past the end; 0 without a
// first date.
std::int32_t periodOnOrAfter(const QDate& date, const PlanOptions& plan, std::int32_t N) {
    if (!plan.hasDueDates()) return 0;
    // Due dates rise with k.
    std::int32_t low = 1, high = N + 1;
    while (low < high) {
        const std::int32_t mid = low + (high - low) / 2;
        if (dueDate(plan.firstDate, plan.period, mid) >= date)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

} // namespace

std::int32_t extraPeriod(const OneOffExtra& extra, const PlanOptions& plan, std::int32_t N) {
    return extra.date.isValid() ? periodOnOrAfter(extra.date, plan, N) : extra.period;
}

std::int32_t rateChangePeriod(const RateChange& change, const PlanOptions& plan, std::int32_t N) {
    return change.date.isValid() ? periodOnOrAfter(change.date, plan, N) : change.period;
}

QString recurringExtraName(std::size_t index, std::size_t count) {
    return count > 1
               ? Format(LoadResString(rs::SRecurringExtraNumbered), {static_cast<int>(index + 1)})
               : LoadResString(rs::SPlanRecurringField);
}

namespace {

QString amountText(double value) {
    return FormatGeneral(value, 15, regionalSettings().decimalSeparator);
}

[[noreturn]] void refuse(PlanField field, const QString& message) {
    throw EPlanInput(field, message);
}

// Whether payment k falls in the year 9999 or before. QDate goes on past
// it, and its month arithmetic takes an int: this counts in 64 bits.
bool dueBeforeYear10000(const QDate& first, PaymentPeriod period, std::int32_t k) {
    const std::int64_t steps = std::int64_t{k} - 1;
    std::int64_t months = 0;
    switch (period) {
    case PaymentPeriod::Weekly:
    case PaymentPeriod::Biweekly: {
        const std::int64_t days = (period == PaymentPeriod::Weekly ? 7 : 14) * steps;
        return first.toJulianDay() + days <= QDate(9999, 12, 31).toJulianDay();
    }
    case PaymentPeriod::Monthly:
        months = steps;
        break;
    case PaymentPeriod::Quarterly:
        months = 3 * steps;
        break;
    case PaymentPeriod::Yearly:
        months = 12 * steps;
        break;
    case PaymentPeriod::Semimonthly:
        months = ((first.day() > 15 ? 1 : 0) + steps) / 2;
        break;
    }
    return first.year() + (first.month() - 1 + months) / 12 <= 9999;
}

// Under a lender's rounding every amount is whole cents, within what a
// double keeps to the cent.
void checkWholeCents(double amount, PlanField field, const QString& name) {
    if (wholeCents(amount)) return;
    const QString text = amountText(amount);
    refuse(field, hasFractionOfCent(amount)
                      ? Format(LoadResString(rs::SFractionOfCent), {name, text})
                      : Format(LoadResString(rs::STooLargeForCents), {name, text}));
}

// When an extra or a rate change falls: a payment number or, with a first
// date, a date; either within the payments.
void checkDue(PlanField field, const QString& name, std::int32_t period, const QDate& date,
              std::int32_t due, const PlanOptions& plan, std::int32_t N) {
    const std::int32_t last = std::max(N, 0);
    const auto message = [](const ResourceString& pattern, std::initializer_list<FormatArg> args) {
        return Format(LoadResString(pattern), args);
    };
    if (date.isValid()) {
        if (!plan.hasDueDates())
            refuse(field, message(rs::SPlanDateNeedsFirst, {name, DateToStr(date)}));
        if (date < plan.firstDate)
            refuse(field, message(rs::SPlanDateBeforeFirst,
                                  {name, DateToStr(date), DateToStr(plan.firstDate)}));
        if (due > last)
            refuse(field, message(rs::SPlanDateAfterLast,
                                  {name, DateToStr(date),
                                   last ? DateToStr(dueDate(plan.firstDate, plan.period, last))
                                        : LoadResString(rs::SPlanNoPayment)}));
        return;
    }
    if (period < 1) refuse(field, message(rs::SPlanPeriodBeforeFirst, {name, period}));
    if (period > last) refuse(field, message(rs::SPlanPeriodAfterLast, {name, period, last}));
}

} // namespace

void checkPlan(const PlanOptions& plan, double P, std::int32_t N) {
    const std::int32_t last = std::max(N, 0);
    const auto message = [](const ResourceString& pattern, std::initializer_list<FormatArg> args) {
        return Format(LoadResString(pattern), args);
    };
    // First, as the dates of the extras are looked up among the payments'.
    if (plan.hasDueDates() && N >= 1 && !dueBeforeYear10000(plan.firstDate, plan.period, N))
        refuse(PlanField::FirstDate, Format(LoadResString(rs::SPastYear9999), {N}));
    for (std::size_t i = 0; i < plan.extras.size(); ++i) {
        const OneOffExtra& e = plan.extras[i];
        const QString name = message(rs::SPlanExtraField, {static_cast<int>(i + 1)});
        checkDue(PlanField::Extra, name, e.period, e.date, extraPeriod(e, plan, N), plan, N);
        if (!(e.amount > 0))
            refuse(PlanField::Extra,
                   message(rs::SPlanAmountNotPositive, {name, amountText(e.amount)}));
    }
    for (std::size_t i = 0; i < plan.rateChanges.size(); ++i) {
        const RateChange& c = plan.rateChanges[i];
        const QString name = message(rs::SRateChangeField, {static_cast<int>(i + 1)});
        checkDue(PlanField::RateChange, name, c.period, c.date, rateChangePeriod(c, plan, N), plan,
                 N);
        // The payment is worked out at every rate, and the formula has no rate 0.
        if (c.rate == 0) refuse(PlanField::RateChange, message(rs::SRateChangeZero, {name}));
    }
    if (plan.payment != 0 && !(plan.payment > 0))
        refuse(PlanField::Payment,
               message(rs::SPlanAmountNotPositive,
                       {LoadResString(rs::SPaymentName), amountText(plan.payment)}));
    for (std::size_t i = 0; i < plan.recurring.size(); ++i) {
        const RecurringExtra& r = plan.recurring[i];
        const QString name = recurringExtraName(i, plan.recurring.size());
        if (!(r.amount > 0))
            refuse(PlanField::RecurringExtra,
                   message(rs::SPlanAmountNotPositive, {name, amountText(r.amount)}));
        if (r.from < 1)
            refuse(PlanField::RecurringExtra, message(rs::SPlanPeriodBeforeFirst, {name, r.from}));
        if (r.from > last)
            refuse(PlanField::RecurringExtra,
                   message(rs::SPlanPeriodAfterLast, {name, r.from, last}));
        if (r.to != 0 && r.to < r.from)
            refuse(PlanField::RecurringExtra,
                   message(rs::SPlanLastBeforeFirst, {name, r.to, r.from}));
        if (r.to > last)
            refuse(PlanField::RecurringExtra,
                   message(rs::SPlanPeriodAfterLast, {name, r.to, last}));
    }
    const QString balloon = LoadResString(rs::SPlanBalloonField);
    if (!(plan.balloon >= 0))
        refuse(PlanField::Balloon,
               message(rs::SPlanAmountNegative, {balloon, amountText(plan.balloon)}));
    if (plan.balloon > 0 && plan.balloon > P)
        refuse(PlanField::Balloon, message(rs::SPlanMoreThanAmount,
                                           {balloon, amountText(plan.balloon), amountText(P)}));
    if (plan.rounding == PlanRounding::None) return;
    checkWholeCents(P, PlanField::Rounding, LoadResString(rs::SLoanAmountName));
    for (std::size_t i = 0; i < plan.extras.size(); ++i)
        checkWholeCents(plan.extras[i].amount, PlanField::Extra,
                        message(rs::SPlanExtraField, {static_cast<int>(i + 1)}));
    for (std::size_t i = 0; i < plan.recurring.size(); ++i)
        checkWholeCents(plan.recurring[i].amount, PlanField::RecurringExtra,
                        recurringExtraName(i, plan.recurring.size()));
    if (plan.balloon != 0) checkWholeCents(plan.balloon, PlanField::Balloon, balloon);
    if (plan.payment != 0)
        checkWholeCents(plan.payment, PlanField::Payment, LoadResString(rs::SPaymentName));
}

} // namespace twl

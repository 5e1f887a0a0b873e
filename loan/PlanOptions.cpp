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

std::int32_t extraPeriod(const OneOffExtra& extra, const PlanOptions& plan, std::int32_t N) {
    if (!extra.date.isValid()) return extra.period;
    if (!plan.hasDueDates()) return 0;
    // Due dates rise with k: the first one on or after the date, N + 1 past the end.
    std::int32_t low = 1, high = N + 1;
    while (low < high) {
        const std::int32_t mid = low + (high - low) / 2;
        if (dueDate(plan.firstDate, plan.period, mid) >= extra.date)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

QString recurringExtraName(std::size_t index, std::size_t count) {
    return count > 1
               ? Format(LoadResString(rs::SRecurringExtraNumbered), {static_cast<int>(index + 1)})
               : QStringLiteral("Recurring extra payment");
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

} // namespace

void checkPlan(const PlanOptions& plan, double P, std::int32_t N) {
    const std::int32_t last = std::max(N, 0);
    // First, as the dates of the extras are looked up among the payments'.
    if (plan.hasDueDates() && N >= 1 && !dueBeforeYear10000(plan.firstDate, plan.period, N))
        refuse(PlanField::FirstDate, Format(LoadResString(rs::SPastYear9999), {N}));
    for (std::size_t i = 0; i < plan.extras.size(); ++i) {
        const OneOffExtra& e = plan.extras[i];
        const QString name = QStringLiteral("Extra payment %1: ").arg(i + 1);
        if (e.date.isValid()) {
            if (!plan.hasDueDates())
                refuse(PlanField::Extra, name + QStringLiteral("the date %1 needs a first payment "
                                                               "date")
                                                    .arg(DateToStr(e.date)));
            if (e.date < plan.firstDate)
                refuse(PlanField::Extra,
                       name + QStringLiteral("the date %1 is before the first payment (%2)")
                                  .arg(DateToStr(e.date), DateToStr(plan.firstDate)));
            if (extraPeriod(e, plan, N) > last)
                refuse(PlanField::Extra,
                       name + QStringLiteral("the date %1 is after the last payment (%2)")
                                  .arg(DateToStr(e.date),
                                       last ? DateToStr(dueDate(plan.firstDate, plan.period, last))
                                            : QStringLiteral("none")));
        } else {
            if (e.period < 1)
                refuse(PlanField::Extra,
                       name + QStringLiteral("the period %1 is before the first payment (1)")
                                  .arg(e.period));
            if (e.period > last)
                refuse(PlanField::Extra,
                       name + QStringLiteral("the period %1 is after the last payment (%2)")
                                  .arg(e.period)
                                  .arg(last));
        }
        if (!(e.amount > 0))
            refuse(
                PlanField::Extra,
                name +
                    QStringLiteral("the amount %1 is not more than 0").arg(amountText(e.amount)));
    }
    for (std::size_t i = 0; i < plan.recurring.size(); ++i) {
        const RecurringExtra& r = plan.recurring[i];
        const QString name = recurringExtraName(i, plan.recurring.size()) + QStringLiteral(": ");
        if (!(r.amount > 0))
            refuse(
                PlanField::RecurringExtra,
                name +
                    QStringLiteral("the amount %1 is not more than 0").arg(amountText(r.amount)));
        if (r.from < 1)
            refuse(PlanField::RecurringExtra,
                   name +
                       QStringLiteral("the period %1 is before the first payment (1)").arg(r.from));
        if (r.from > last)
            refuse(PlanField::RecurringExtra,
                   name + QStringLiteral("the period %1 is after the last payment (%2)")
                              .arg(r.from)
                              .arg(last));
        if (r.to != 0 && r.to < r.from)
            refuse(PlanField::RecurringExtra,
                   name + QStringLiteral("the last period %1 is before the first (%2)")
                              .arg(r.to)
                              .arg(r.from));
        if (r.to > last)
            refuse(PlanField::RecurringExtra,
                   name + QStringLiteral("the period %1 is after the last payment (%2)")
                              .arg(r.to)
                              .arg(last));
    }
    if (!(plan.balloon >= 0))
        refuse(PlanField::Balloon,
               QStringLiteral("Balloon: the amount %1 is negative").arg(amountText(plan.balloon)));
    if (plan.balloon > 0 && plan.balloon > P)
        refuse(PlanField::Balloon,
               QStringLiteral("Balloon: the amount %1 is more than the loan amount (%2)")
                   .arg(amountText(plan.balloon), amountText(P)));
    if (plan.rounding == PlanRounding::None) return;
    checkWholeCents(P, PlanField::Rounding, LoadResString(rs::SLoanAmountName));
    for (std::size_t i = 0; i < plan.extras.size(); ++i)
        checkWholeCents(plan.extras[i].amount, PlanField::Extra,
                        QStringLiteral("Extra payment %1").arg(i + 1));
    for (std::size_t i = 0; i < plan.recurring.size(); ++i)
        checkWholeCents(plan.recurring[i].amount, PlanField::RecurringExtra,
                        recurringExtraName(i, plan.recurring.size()));
    if (plan.balloon != 0)
        checkWholeCents(plan.balloon, PlanField::Balloon, QStringLiteral("Balloon"));
}

} // namespace twl

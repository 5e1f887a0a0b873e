// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/PlanOptions.h"

#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"

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

namespace {

QString amountText(double value) {
    return FormatGeneral(value, 15, regionalSettings().decimalSeparator);
}

[[noreturn]] void refuse(PlanField field, const QString& message) {
    throw EPlanInput(field, message);
}

} // namespace

void checkPlan(const PlanOptions& plan, double P, std::int32_t N) {
    const std::int32_t last = std::max(N, 0);
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
    if (plan.recurring) {
        const RecurringExtra& r = *plan.recurring;
        const QString name = QStringLiteral("Recurring extra payment: ");
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
}

} // namespace twl

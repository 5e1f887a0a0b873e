// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/PlanSchedule.h"

#include "base/FloatingPoint.h"
#include "loan/AmountFormat.h"
#include "loan/LevelPayment.h"
#include "loan/LoanConsts.h"
#include "loan/PlanFigures.h"

namespace twl {

namespace {

PlanOptions withoutPaymentChanges(const PlanOptions& plan) {
    PlanOptions plain;
    plain.firstDate = plan.firstDate;
    plain.period = plan.period;
    return plain;
}

QString dueText(const ScheduleTotals& totals) {
    return totals.lastDue.isValid() ? DateToStr(totals.lastDue) : QString::number(totals.payments);
}

} // namespace

int scheduleColumn(ScheduleColumn column, bool hasDueDates) {
    const int index = static_cast<int>(column);
    if (hasDueDates) return index;
    if (column == ScheduleColumn::Due) return -1;
    return column == ScheduleColumn::Number ? 0 : index - 1;
}

bool comparesWithPlainLoan(const PlanOptions& plan) {
    return !plan.extras.empty() || !plan.recurring.empty() || plan.rounding != PlanRounding::None ||
           plan.balloon != 0;
}

namespace {

// The schedule's loop, in the plan's figures.
template <class Figures>
ScheduleTotals runPlan(const Figures& figures, double P, std::int32_t N, double R,
                       const PlanOptions& plan, const ScheduleRowObserver& onRow) {
    using Amount = typename Figures::Amount;
    const auto ld = [](double v) { return static_cast<long double>(v); };
    const auto stored = [](auto&& formula) { return evaluateStored(true, formula); };
    ScheduleTotals totals;
    typename Figures::Total paid{}, interest{}, principal{};
    const int perYear = periodsPerYear(plan.period);
    ExtraPayments<Figures> extra(plan, N, figures);
    // A plan that changes the payments ends at exactly zero: the payment that
    // covers what is owed is cut to it, and the last one pays what is left (the
    // balloon, the cents the rounding left over). Otherwise the payment stays
    // level and the balance is clamped at zero, as in the plain schedule.
    const bool settles = plan.changesPayments();

    Amount B = figures.amount(P), M{};
    std::optional<CompoundFactors> factors;
    for (std::int32_t k = 1; k <= N; ++k) {
        clearFloatingPointFaults();
        ScheduleRow row;
        row.period = k;
        if (plan.hasDueDates()) row.due = dueDate(plan.firstDate, plan.period, k);
        // The rate per period is the annual rate divided by the periods per year.
        const double balance = figures.value(B);
        const double computed = stored([&] { return ld(balance) * ld(R) / perYear / 100; });
        if (k == 1) {
            volatile long double rate = ld(computed) / ld(P);
            raiseFloatingPointFaults();
            factors.emplace(rate);
            M = figures.payment(levelPayment(balance, *factors, N, plan.balloon));
        }
        const Amount I = figures.interest(computed, B);
        const Amount kExtra = extra(k);
        Amount pay = figures.add(M, kExtra);
        const Amount owed = figures.add(B, I);
        Amount paidOff{};
        if (settles && (pay >= owed || k == N)) {
            pay = owed;
            paidOff = B;
            B = Amount{};
        } else {
            paidOff = figures.subtract(pay, I);
            B = figures.subtract(B, paidOff);
            if (!(B >= 0)) B = Amount{};
        }
        row.payment = figures.value(pay);
        row.interest = figures.value(I);
        row.principal = figures.value(paidOff);
        row.balance = figures.value(B);
        figures.accumulate(paid, pay);
        figures.accumulate(interest, I);
        figures.accumulate(principal, paidOff);
        totals.payments = k;
        totals.lastDue = row.due;
        if (onRow) onRow(row);
        if (settles && B == Amount{}) break;
        // "Keep the term": the payment is worked out again, by the same
        // formula, for what is owed over the payments that are left.
        if (plan.afterExtra == AfterExtra::Payment && kExtra > Amount{})
            M = figures.payment(levelPayment(figures.value(B), *factors, N - k, plan.balloon));
    }
    totals.payment = figures.totalValue(paid);
    totals.interest = figures.totalValue(interest);
    totals.principal = figures.totalValue(principal);
    return totals;
}

} // namespace

ScheduleTotals computePlan(double P, std::int32_t N, double R, const PlanOptions& plan,
                           const ScheduleRowObserver& onRow) {
    checkPlan(plan, P, N);
    if (N < 1) return {};
    if (plan.rounding == PlanRounding::None) return runPlan(ExactFigures{}, P, N, R, plan, onRow);
    const CentFigures cents{shortestDecimal(R), periodsPerYear(plan.period),
                            plan.rounding == PlanRounding::Unit};
    return runPlan(cents, P, N, R, plan, onRow);
}

PlanComparison comparePlan(double P, std::int32_t N, double R, const PlanOptions& plan) {
    return {computePlan(P, N, R, plan), computePlan(P, N, R, withoutPaymentChanges(plan))};
}

void CalculatePlanSchedule(const ScheduleInputs& inputs, const PlanOptions& plan,
                           const ScheduleContext& context, const PlanLabels& labels,
                           ScheduleSink& sink, const ScheduleRowObserver& onRow) {
    if (plan.isPlain()) {
        // The plain loan's table is made as it always was; the numbers for an
        // observer follow once the table stands.
        CalculateSchedule(inputs, context, sink);
        if (onRow && !inputs.amount.isEmpty() && !inputs.months.isEmpty() && !inputs.rate.isEmpty())
            computePlan(StrToFloat(inputs.amount), StrToInt(inputs.months), StrToFloat(inputs.rate),
                        plan, onRow);
        return;
    }
    if (inputs.amount.isEmpty() || inputs.months.isEmpty() || inputs.rate.isEmpty()) return;
    const double P = StrToFloat(inputs.amount);
    const std::int32_t N = StrToInt(inputs.months);
    const double R = StrToFloat(inputs.rate);
    checkPlan(plan, P, N);

    AmountFormat fmt(context);
    PeriodCaption period;
    const bool dated = plan.hasDueDates();
    const ScheduleTotals totals = computePlan(P, N, R, plan, [&](const ScheduleRow& row) {
        sink.beginRow(period(row.period));
        if (dated) sink.addCell(DateToStr(row.due));
        sink.addAmount(row.payment, fmt);
        sink.addAmount(row.interest, fmt);
        sink.addAmount(row.principal, fmt);
        sink.addAmount(row.balance, fmt);
        if (onRow) onRow(row);
    });

    appendSummaryAndInputRows(sink, fmt, context, P, N, R, totals.payment, totals.interest,
                              totals.principal, dated);
    if (dated) sink.addCell(labels.firstDate + DateToStr(plan.firstDate));

    if (!comparesWithPlainLoan(plan)) return;
    const ScheduleTotals plain = computePlan(P, N, R, withoutPaymentChanges(plan));
    const PlanComparison comparison{totals, plain};
    sink.beginRow(labels.comparison);
    sink.addCell(labels.totalInterest + fmt(totals.interest) + labels.insteadOf +
                 fmt(plain.interest));
    sink.addCell(labels.interestSaved + fmt(comparison.interestSaved()));
    sink.addCell(labels.paymentsSaved + QString::number(comparison.paymentsSaved()));
    sink.addCell(labels.lastPayment + dueText(totals) + labels.insteadOf + dueText(plain));
}

} // namespace twl

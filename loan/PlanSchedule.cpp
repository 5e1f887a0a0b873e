// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/PlanSchedule.h"

#include "base/FloatingPoint.h"
#include "loan/AmountFormat.h"
#include "loan/LevelPayment.h"
#include "loan/LoanConsts.h"
#include "loan/PlanFigures.h"
#include "loan/RateChanges.h"

#include <limits>

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
           plan.balloon != 0 || !plan.rateChanges.empty();
}

namespace {

// The schedule's loop, in the plan's figures. `openEnded`: the given payment
// runs until the loan is repaid, whatever N.
template <class Figures>
ScheduleTotals runPlan(Figures figures, double P, std::int32_t N, double R, const PlanOptions& plan,
                       const ScheduleRowObserver& onRow, bool openEnded = false) {
    using Amount = typename Figures::Amount;
    const auto ld = [](double v) { return static_cast<long double>(v); };
    const auto stored = [](auto&& formula) { return evaluateStored(true, formula); };
    ScheduleTotals totals;
    typename Figures::Total paid{}, interest{}, principal{};
    const int perYear = periodsPerYear(plan.period);
    ExtraPayments<Figures> extra(plan, N, figures);
    RateSteps rateSteps(plan, N);
    // A plan that changes the payments ends at exactly zero: the payment that
    // covers what is owed is cut to it, and the last one pays what is left (the
    // balloon, the cents the rounding left over). Otherwise the payment stays
    // level and the balance is clamped at zero, as in the plain schedule.
    const bool settles = plan.changesPayments();
    // Once the term is open (a payment kept through a rate change), the loan
    // ends with the payment that leaves no more than the balloon owing.
    bool open = openEnded;
    const Amount balloon = figures.amount(plan.balloon);
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();

    Amount B = figures.amount(P), M{};
    double rate = R;
    std::optional<CompoundFactors> factors;
    for (std::int32_t k = 1;; ++k) {
        clearFloatingPointFaults();
        ScheduleRow row;
        row.period = k;
        if (plan.hasDueDates()) row.due = dueDate(plan.firstDate, plan.period, k);
        const double balance = figures.value(B);
        const RateSteps::Step* change = rateSteps.at(k);
        if (change) {
            rate = change->rate;
            figures.setRate(rate);
        }
        // The rate per period is the annual rate divided by the periods per year.
        const double computed = stored([&] { return ld(balance) * ld(rate) / perYear / 100; });
        if (k == 1) {
            volatile long double q = ld(computed) / ld(P);
            raiseFloatingPointFaults();
            factors.emplace(q);
            M = plan.payment != 0
                    ? figures.amount(plan.payment)
                    : figures.payment(levelPayment(balance, *factors, N, plan.balloon));
        }
        const Amount I = figures.interest(computed, B);
        if (k > 1 && change) {
            factors.emplace(ld(rate) / perYear / 100);
            if (plan.afterRateChange == AfterRateChange::Payment && !open) {
                M = figures.payment(levelPayment(balance, *factors, N - k + 1, plan.balloon));
            } else {
                checkKeptPayment(*change, k, figures.value(M), figures.value(I), factors->q(),
                                 figures.value(figures.subtract(B, balloon)));
                open = true;
            }
        }
        const Amount kExtra = extra(k);
        Amount pay = figures.add(M, kExtra);
        const Amount owed = figures.add(B, I);
        Amount paidOff{};
        const bool last = open ? k == most || !(figures.subtract(owed, pay) > balloon) : k == N;
        if (settles && (pay >= owed || last)) {
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
        if ((settles && B == Amount{}) || (!open && k == N)) break;
        // "Keep the term": the payment is worked out again, by the same
        // formula, for what is owed over the payments that are left. An open
        // term has none to keep.
        if (plan.afterExtra == AfterExtra::Payment && kExtra > Amount{} && !open)
            M = figures.payment(levelPayment(figures.value(B), *factors, N - k, plan.balloon));
    }
    totals.payment = figures.totalValue(paid);
    totals.interest = figures.totalValue(interest);
    totals.principal = figures.totalValue(principal);
    return totals;
}

template <class Run> ScheduleTotals inPlanFigures(double R, const PlanOptions& plan, Run&& run) {
    if (plan.rounding == PlanRounding::None) return run(ExactFigures{});
    return run(CentFigures{shortestDecimal(R), periodsPerYear(plan.period),
                           plan.rounding == PlanRounding::Unit});
}

} // namespace

ScheduleTotals computePlan(double P, std::int32_t N, double R, const PlanOptions& plan,
                           const ScheduleRowObserver& onRow) {
    checkPlan(plan, P, N);
    if (N < 1) return {};
    // A kept payment may be refused at a change: before any row is handed on.
    if (onRow && !plan.rateChanges.empty() && plan.afterRateChange == AfterRateChange::Term)
        computePlan(P, N, R, plan);
    return inPlanFigures(
        R, plan, [&](const auto& figures) { return runPlan(figures, P, N, R, plan, onRow); });
}

ScheduleTotals computeOpenPlan(double P, double R, const PlanOptions& plan) {
    return inPlanFigures(
        R, plan, [&](const auto& figures) { return runPlan(figures, P, 1, R, plan, {}, true); });
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

    InputMarks marks;
    QString* solved[] = {nullptr, &marks.amount, &marks.count, &marks.rate};
    if (QString* mark = solved[static_cast<int>(plan.solved)]) *mark = labels.solved;
    appendSummaryAndInputRows(sink, fmt, context, P, N, R, totals.payment, totals.interest,
                              totals.principal, dated, marks);
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

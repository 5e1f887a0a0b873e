// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/PlanSchedule.h"

#include "base/FloatingPoint.h"
#include "loan/AmountFormat.h"
#include "loan/LoanConsts.h"
#include "loan/StoredArithmetic.h"

#include <cmath>
#include <map>

namespace twl {

namespace {

// As in the plain schedule, the fault flags tested after every formula.
template <class Formula> double stored(Formula&& formula) {
    return evaluateStored(true, formula);
}

long double ld(double v) {
    return static_cast<long double>(v);
}

// The level payment over n periods at the rate q per period, by the plain
// loan's formula: F = (1 + q)^n by repeated products, D = 1/q - 1/(qF).
// With a balloon, each payment is the interest of the whole balance and the
// annuity of the part that is not left owing (B = balloon: interest only).
double levelPayment(double B, long double q, std::int32_t n, double balloon) {
    double F = stored([&] { return q + 1; });
    for (std::int32_t j = 1; j < n; ++j)
        F = stored([&] { return (q + 1) * ld(F); });
    const double D = stored([&] { return 1 / q - 1 / (q * ld(F)); });
    if (balloon == 0) return stored([&] { return ld(B) / ld(D); });
    return stored([&] { return ld(B) * q + (ld(B) - ld(balloon)) / (ld(F) * ld(D)); });
}

// Lenders round the payment up, so rounding never leaves more owing at the
// end; a payment a hair above a whole cent from the division stays that cent.
double roundPaymentUp(double M, PlanRounding rounding) {
    if (rounding == PlanRounding::None) return M;
    const double perUnit = rounding == PlanRounding::Cent ? 100 : 1;
    return std::ceil(M * perUnit - 1e-6) / perUnit;
}

// With rounding, interest and balance are kept in whole cents, a half away
// from zero, so that what is shown adds up to what is paid.
double roundCent(double value) {
    return std::round(value * 100) / 100;
}

// The extras due with the payments: the one-offs by payment (kept sparse, as
// the number of payments may be in the millions), the recurring one by range.
class ExtraPayments {
public:
    ExtraPayments(const PlanOptions& plan, std::int32_t N)
        : m_recurring(plan.recurring) {
        for (const OneOffExtra& e : plan.extras)
            m_oneOff[extraPeriod(e, plan, N)] += e.amount;
        if (m_recurring && m_recurring->to == 0) m_recurring->to = N;
    }
    double operator()(std::int32_t k) const {
        const auto it = m_oneOff.find(k);
        double extra = it == m_oneOff.end() ? 0.0 : it->second;
        if (m_recurring && k >= m_recurring->from && k <= m_recurring->to)
            extra += m_recurring->amount;
        return extra;
    }

private:
    std::map<std::int32_t, double> m_oneOff;
    std::optional<RecurringExtra> m_recurring;
};

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
    return !plan.extras.empty() || plan.recurring || plan.rounding != PlanRounding::None ||
           plan.balloon != 0;
}

ScheduleTotals computePlan(double P, std::int32_t N, double R, const PlanOptions& plan,
                           const ScheduleRowObserver& onRow) {
    checkPlan(plan, P, N);
    ScheduleTotals totals;
    if (N < 1) return totals;
    const int perYear = periodsPerYear(plan.period);
    const ExtraPayments extra(plan, N);
    const bool rounded = plan.rounding != PlanRounding::None;
    // A plan that changes the payments ends at exactly zero: the payment that
    // covers what is owed is cut to it, and the last one pays what is left (the
    // balloon, the cents the rounding left over). Otherwise the payment stays
    // level and the balance is clamped at zero, as in the plain schedule.
    const bool settles = plan.changesPayments();

    double B = P, M = 0;
    long double q = 0;
    for (std::int32_t k = 1; k <= N; ++k) {
        clearFloatingPointFaults();
        ScheduleRow row;
        row.period = k;
        if (plan.hasDueDates()) row.due = dueDate(plan.firstDate, plan.period, k);
        // The rate per period is the annual rate divided by the periods per year.
        double I = stored([&] { return ld(B) * ld(R) / perYear / 100; });
        if (k == 1) {
            volatile long double rate = ld(I) / ld(P);
            raiseFloatingPointFaults();
            q = rate;
            M = roundPaymentUp(levelPayment(B, q, N, plan.balloon), plan.rounding);
        }
        if (rounded) I = roundCent(I);
        const double kExtra = extra(k);
        double pay = stored([&] { return ld(M) + ld(kExtra); });
        const double owed = stored([&] { return ld(B) + ld(I); });
        if (settles && (pay >= owed || k == N)) {
            pay = owed;
            row.principal = B;
            B = 0;
        } else {
            row.principal = stored([&] { return ld(pay) - ld(I); });
            B = stored([&] { return ld(B) - ld(row.principal); });
            if (!(B >= 0)) B = 0;
            if (rounded) B = roundCent(B);
        }
        row.payment = pay;
        row.interest = I;
        row.balance = B;
        totals.payment = stored([&] { return ld(totals.payment) + ld(pay); });
        totals.interest = stored([&] { return ld(totals.interest) + ld(I); });
        totals.principal = stored([&] { return ld(totals.principal) + ld(row.principal); });
        totals.payments = k;
        totals.lastDue = row.due;
        if (onRow) onRow(row);
        if (settles && B == 0) break;
        // "Keep the term": the payment is worked out again, by the same
        // formula, for what is owed over the payments that are left.
        if (plan.afterExtra == AfterExtra::Payment && kExtra > 0)
            M = roundPaymentUp(levelPayment(B, q, N - k, plan.balloon), plan.rounding);
    }
    return totals;
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

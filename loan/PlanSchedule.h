// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedule of a loan paid by a plan (PlanOptions): payment dates, extra
// payments, lender rounding, other payment periods, a balloon, and the
// comparison with the plain loan. Without any option it is CalculateSchedule.
//
// Columns of the text rows: "Payment #", then "Due" when the plan has a first
// payment date, then "Payment", "Interest", "Principal", "Balance"
// (scheduleColumn gives the index). A chart takes the same rows as numbers
// (ScheduleRow) through the observer, so it never parses cell texts.

#include "loan/Amortization.h"
#include "loan/PlanOptions.h"

#include <functional>

namespace twl {

// One payment as numbers, before formatting.
struct ScheduleRow {
    std::int32_t period = 0;
    QDate due; // invalid without a first payment date
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double balance = 0; // after the payment
};

struct ScheduleTotals {
    double payment = 0;
    double interest = 0;
    double principal = 0;
    std::int32_t payments = 0;
    QDate lastDue; // invalid without a first payment date
};

// The plan against the same loan without extras, rounding or balloon (same
// amount, rate, number and period of payments, same first date).
struct PlanComparison {
    ScheduleTotals plan;
    ScheduleTotals plain;
    double interestSaved() const { return plain.interest - plan.interest; }
    std::int32_t paymentsSaved() const { return plain.payments - plan.payments; }
};

enum class ScheduleColumn { Number, Due, Payment, Interest, Principal, Balance };
// The index of a column in a row; -1 for "Due" when the plan has no dates.
int scheduleColumn(ScheduleColumn column, bool hasDueDates);

using ScheduleRowObserver = std::function<void(const ScheduleRow&)>;

// The numbers of the schedule: P the amount, N the number of payments, R the
// annual rate in percent. Floating-point faults raise as in CalculateSchedule;
// rows already handed to onRow stay handed. Checks the plan first (EPlanInput).
ScheduleTotals computePlan(double P, std::int32_t N, double R, const PlanOptions& plan,
                           const ScheduleRowObserver& onRow = {});

// The plan's given payment (plan.payment) made until the loan is repaid, as
// many payments as that takes: the schedule of a solved number of payments.
// The caller makes sure the payment repays the loan.
ScheduleTotals computeOpenPlan(double P, double R, const PlanOptions& plan);

// True when the plan's payments differ from the plain loan's of the same
// period, so that a comparison says something.
bool comparesWithPlainLoan(const PlanOptions& plan);
PlanComparison comparePlan(double P, std::int32_t N, double R, const PlanOptions& plan);

// Texts the plan adds to the table; each label carries its own punctuation.
struct PlanLabels {
    QString firstDate = QStringLiteral("First payment: ");
    QString comparison = QStringLiteral("Plan vs. plain loan");
    QString totalInterest = QStringLiteral("Total interest: ");
    QString interestSaved = QStringLiteral("Interest saved: ");
    QString paymentsSaved = QStringLiteral("Payments saved: ");
    QString lastPayment = QStringLiteral("Last payment: ");
    QString insteadOf = QStringLiteral(" instead of ");
    // After an input solved from the payment.
    QString solved = QStringLiteral(" (solved)");
};

// CalculateSchedule with a plan: the payment rows (with their due dates), the
// summary row, the inputs row (naming the first date), then, when the plan
// changes the payments, the comparison row. Without an option it is exactly
// CalculateSchedule. onRow also gets the rows of a plain loan, after the table.
void CalculatePlanSchedule(const ScheduleInputs& inputs, const PlanOptions& plan,
                           const ScheduleContext& context, const PlanLabels& labels,
                           ScheduleSink& sink, const ScheduleRowObserver& onRow = {});

} // namespace twl

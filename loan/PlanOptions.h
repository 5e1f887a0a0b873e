// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The borrower's plan: options that change when and how a loan is paid. A
// default PlanOptions is the plain loan, whose schedule is exactly the one
// CalculateSchedule makes.

#include "base/Exceptions.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace twl {

enum class PaymentPeriod { Monthly, Semimonthly, Biweekly, Weekly, Quarterly, Yearly };
// After an extra payment: keep the payment and end sooner, or keep the term
// and lower the payment.
enum class AfterExtra { Term, Payment };
enum class PlanRounding { None, Cent, Unit };

// A one-off extra payment, due with the payment of `period` or, when `date`
// is valid, with the first payment due on or after that date.
struct OneOffExtra {
    std::int32_t period = 0;
    QDate date;
    double amount = 0;
};

// An extra paid with every payment from `from` to `to` (0: to the end). Runs
// that overlap add up.
struct RecurringExtra {
    double amount = 0;
    std::int32_t from = 1;
    std::int32_t to = 0;
};

// A change of the annual rate (percent) from the payment of `period` or,
// when `date` is valid, from the first payment due on or after that date:
// that payment's interest on is at the new rate.
struct RateChange {
    std::int32_t period = 0;
    QDate date;
    double rate = 0;
};

// After a rate change: work the payment out again so that the loan ends with
// its last payment, or keep the payment and let the term change.
enum class AfterRateChange { Payment, Term };

// The input a loan's figures were solved for from a given payment.
enum class SolvedInput { Nothing, Amount, Count, Rate };

struct PlanOptions {
    QDate firstDate; // invalid: no "Due" column
    std::vector<OneOffExtra> extras;
    std::vector<RecurringExtra> recurring;
    AfterExtra afterExtra = AfterExtra::Term;
    PlanRounding rounding = PlanRounding::None;
    PaymentPeriod period = PaymentPeriod::Monthly;
    double balloon = 0;
    std::vector<RateChange> rateChanges;
    AfterRateChange afterRateChange = AfterRateChange::Payment;
    // The level payment when given (0: worked out from the loan), and which
    // input was solved from it, for the inputs row.
    double payment = 0;
    SolvedInput solved = SolvedInput::Nothing;

    bool hasDueDates() const { return firstDate.isValid(); }
    // Options that make other payments than the plain loan's.
    bool changesPayments() const {
        return !extras.empty() || !recurring.empty() || rounding != PlanRounding::None ||
               period != PaymentPeriod::Monthly || balloon != 0 || !rateChanges.empty() ||
               payment != 0;
    }
    bool isPlain() const { return !hasDueDates() && !changesPayments(); }
};

int periodsPerYear(PaymentPeriod period);

// The due date of payment k (1 for the first date). Months without the first
// date's day take their last day; twice a month the days are d and d + 15
// (d - 15 and d when d is past the 15th).
QDate dueDate(const QDate& first, PaymentPeriod period, std::int32_t k);

// Which input of the plan an error is about.
enum class PlanField {
    FirstDate,
    Extra,
    RecurringExtra,
    AfterExtra,
    Rounding,
    Period,
    Balloon,
    Payment,
    RateChange,
    AfterRateChange
};

// Bad plan input, with a message that names the field. Raised before any row
// of the schedule, never in place of one of the calculation's faults.
class EPlanInput : public EConvertError {
public:
    EPlanInput(PlanField field, const QString& message)
        : EConvertError(message)
        , m_field(field) {}
    const char* typeName() const noexcept override { return "EPlanInput"; }
    PlanField field() const { return m_field; }

private:
    PlanField m_field;
};

// The name of recurring extra `index` of `count` in messages: one is named as
// always, several by their numbers.
QString recurringExtraName(std::size_t index, std::size_t count);

// Checks the options against the loan: P the amount, N the number of
// payments. Throws EPlanInput for the first bad option.
void checkPlan(const PlanOptions& plan, double P, std::int32_t N);

// The period an extra falls on (its period, or the first payment due on or
// after its date); 0 when a date is given without a first date.
std::int32_t extraPeriod(const OneOffExtra& extra, const PlanOptions& plan, std::int32_t N);
// The same for a rate change.
std::int32_t rateChangePeriod(const RateChange& change, const PlanOptions& plan, std::int32_t N);

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a loan costs the borrower: the fees, the day the money is paid out
// (the loan date), the amount financed, the finance charge, the total of
// payments and the annual percentage rate, by the US rule (actuarial method
// over unit periods) or the EU rule (present values with time in years).
// Everything is worked out from the payments the schedule really makes, so
// every plan option counts. Without any cost option nothing here is used.

#include "base/Exceptions.h"
#include "loan/PlanOptions.h"

#include <optional>
#include <vector>

namespace twl {

enum class AprRule { Us, Eu };

struct Fee {
    double amount = 0;
    // Financed: added to the amount borrowed, so that the payments carry it.
    // Otherwise paid on the loan date, out of what the borrower receives.
    bool financed = false;
};

struct CostOptions {
    std::vector<Fee> fees;
    QDate loanDate;              // invalid: one payment period before the first payment
    std::optional<AprRule> rule; // unset: the rule of the regional settings

    bool isEmpty() const { return fees.empty() && !loanDate.isValid() && !rule; }
    double financedFees() const;
    double feesPaidAtStart() const;
    AprRule ruleInForce() const;
};

// `us` where the regional settings are of the United States, `eu` elsewhere.
AprRule regionalAprRule();

// Which input of the cost an error is about.
enum class CostField { Fee, LoanDate, Rule };

// Bad cost input, with a message that names the field; raised before any row.
class ECostInput : public EConvertError {
public:
    ECostInput(CostField field, const QString& message)
        : EConvertError(message)
        , m_field(field) {}
    const char* typeName() const noexcept override { return "ECostInput"; }
    CostField field() const { return m_field; }

private:
    CostField m_field;
};

// Checks the options against the loan of `amount` and its plan: fees above
// zero that leave something to finance, and a loan date that has a first
// payment date to precede. Throws ECostInput for the first bad one.
void checkCost(const CostOptions& cost, const PlanOptions& plan, double amount);

// Equal payments in a row: `count` payments of `amount`, the first of them
// payment number `first`. A schedule of a million level payments is a few runs.
struct PaymentRun {
    std::int32_t first = 1;
    std::int32_t count = 0;
    double amount = 0;
};

// The payments of a schedule, gathered as they are made.
class PaymentRuns {
public:
    void add(std::int32_t period, double amount);
    const std::vector<PaymentRun>& runs() const { return m_runs; }
    std::int32_t count() const { return m_count; }
    // The sum of the payments, as the schedule's SUM row adds them.
    double total() const { return m_total; }

private:
    std::vector<PaymentRun> m_runs;
    std::int32_t m_count = 0;
    double m_total = 0;
};

// When the loan's money moves: the loan date and the first payment's date
// (both invalid without dates) and the payment period.
struct LoanTiming {
    QDate loanDate;
    QDate firstDate;
    PaymentPeriod period = PaymentPeriod::Monthly;
    // True when the first payment comes exactly one period after the loan.
    bool regularFirstPeriod() const { return !loanDate.isValid() || !firstDate.isValid(); }
};

// The most whole months that fit between `from` and `to`, counted back from
// `to`. All months are equal: a month is the same date in another month, and
// a day a month lacks is its last day (the 31st counts back to the last of
// February, the 30th to the 28th).
std::int32_t wholeMonthsBack(const QDate& from, const QDate& to);

// The rate that makes the payments worth the amount financed, as a rule
// measures time: `firstTime` the time of payment 1, `step` the time between
// two payments, `fraction` the part of the first period that earns simple
// interest (the US rule's odd days). The solution is the rate per unit of time.
struct RateEquation {
    const std::vector<PaymentRun>* runs = nullptr;
    long double advance = 0;
    long double firstTime = 1;
    long double step = 1;
    long double fraction = 0;
};

// The present value of the payments at `rate` per unit of time (> -1).
long double presentValue(const RateEquation& equation, long double rate);
// The rate at which the present value is the advance, to the last bit of a
// double, by halving a bracket that holds it. Throws EMathError when no
// rate gives it.
double solveRate(const RateEquation& equation);

// The annual percentage rate in percent, by each rule.
double aprUs(const PaymentRuns& payments, double amountFinanced, const LoanTiming& timing);
double aprEu(const PaymentRuns& payments, double amountFinanced, const LoanTiming& timing);

struct CostOfCredit {
    double amountFinanced = 0;
    double financeCharge = 0;
    double totalOfPayments = 0;
    double apr = 0; // in percent, unrounded
    AprRule rule = AprRule::Us;
};

// The cost of a loan of `amount` (as typed, before financed fees) whose
// schedule made `payments`.
CostOfCredit computeCost(double amount, const CostOptions& cost, const PlanOptions& plan,
                         const PaymentRuns& payments);

} // namespace twl

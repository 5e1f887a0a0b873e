// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loan from a given level payment: the one input left out (the amount, the
// number of payments or the annual rate) worked out from the other two and
// the payment, at the plan's first rate (rate changes apply afterwards).
// The solved figure is rounded to the text the inputs row shows (15
// significant digits), so that the text gives back the loan computed; under a
// lender's rounding an amount is rounded to the cent.

#include "loan/Amortization.h"
#include "loan/PlanOptions.h"

namespace twl {

struct LoanFigures {
    double amount = 0;      // P
    std::int32_t count = 0; // N
    double rate = 0;        // R, annual, in percent
};

// The figures with `unknown` solved from plan.payment; the others as given.
// Throws EPlanInput (the payment's field) when no figure does it.
LoanFigures solveLoan(SolvedInput unknown, const LoanFigures& known, const PlanOptions& plan);

// A loan typed as text with plan.payment given: the one empty input of
// `inputs` is solved and filled in as the inputs row shows it, and
// plan.solved names it. Raises the parse errors of the other two, and
// EPlanInput (the payment) unless exactly one is empty.
void solveInputs(ScheduleInputs& inputs, PlanOptions& plan);

// Each figure alone, unrounded; `perYear` payments a year.
double presentValueOf(double payment, std::int32_t count, double rate, int perYear, double balloon);
double rateFor(double amount, std::int32_t count, double payment, int perYear, double balloon);

// The value as the shortest text of 15 significant digits reads back.
double roundedTo15Digits(double value);

} // namespace twl

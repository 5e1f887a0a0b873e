// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedule's arithmetic, shared by the plain schedule and the plan.

#include "base/FloatingPoint.h"

namespace twl {

// Each formula is evaluated in extended precision and rounded when stored.
// A fault is raised at the first formula that sets a fault flag, with the
// precedence among the flags that formula set. The flags are sticky, so a
// month first runs testing them once, at its end, and only a month that set
// one runs again from its starting state testing after every formula, which
// raises exactly that fault. (A single test could raise another fault: an
// overflow of the interest leads on to a division by zero.)
// Operands and results pass through volatile objects, so the compiler cannot
// move the arithmetic across the flag tests.
// Untested, the extended result goes straight to the caller, who stores it
// (an 80-bit store and load is the dearest step of a month).
template <class Formula> long double evaluateExtended(bool testEach, Formula&& formula) {
    if (!testEach) return formula();
    volatile long double result = formula();
    raiseFloatingPointFaults();
    return result;
}

// The stored result goes through one volatile double: the rounding, whose
// overflow is a fault of the formula, is then done before the test too, and
// the exact extended value needs no store of its own (an 80-bit store and
// load cost more than the formula).
template <class Formula> double evaluateStored(bool testEach, Formula&& formula) {
    volatile double rounded = static_cast<double>(static_cast<long double>(formula()));
    if (testEach) raiseFloatingPointFaults();
    return rounded;
}

} // namespace twl

#pragma once
// Floating-point faults as errors. Division by zero, overflow and invalid
// operation are raised from the <cfenv> flags; underflow, denormals and inexact
// results pass silently. Callers clear the flags, compute, then check.

namespace twl {

// Clears the three flags that raise faults (the others may stay set: nothing
// reads them).
void clearFloatingPointFaults();
// Throws EZeroDivide, EOverflow or EInvalidOp (in that order of precedence)
// when the corresponding flag is set, clearing the flags first.
void raiseFloatingPointFaults();
// Whether a flag that raiseFloatingPointFaults() would raise is set.
bool floatingPointFaultSet();

} // namespace twl

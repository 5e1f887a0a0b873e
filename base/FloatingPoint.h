// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Floating-point faults as errors. Division by zero, overflow and invalid
// operation are raised from the <cfenv> flags; underflow, denormals and inexact
// results pass silently. Callers clear the flags, compute, then check.

namespace twl {

// Throws EZeroDivide, EOverflow or EInvalidOp (in that order of precedence)
// when the corresponding flag is set, clearing the flags first.
void raiseFloatingPointFaults();

// Whether a flag that raiseFloatingPointFaults() would raise is set.
#if defined(__x86_64__) && defined(__GNUC__)
// The test as the C library makes it (the x87 status word and the SSE control
// and status register together), without a call: it runs twice a month of a
// schedule. The memory clobber keeps every stored result before it.
inline bool floatingPointFaultSet() {
    unsigned short status = 0;
    unsigned int mxcsr = 0;
    asm volatile("fnstsw %0\n\tstmxcsr %1" : "=m"(status), "=m"(mxcsr) : : "memory");
    // Invalid operation, division by zero, overflow: bits 0, 2 and 3 of both.
    return ((status | mxcsr) & 0x0D) != 0;
}
#else
bool floatingPointFaultSet();
#endif

// Clears every flag.
void clearAllFloatingPointFlags();

// Clears the three flags that raise faults (the others may stay set: nothing
// reads them). Reading the flags costs little, clearing them much (the whole
// x87 environment is stored and loaded again): they are cleared only when one
// is set.
inline void clearFloatingPointFaults() {
    if (floatingPointFaultSet()) clearAllFloatingPointFlags();
}

} // namespace twl

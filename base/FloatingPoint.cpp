// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FloatingPoint.h"

#include "base/BaseConsts.h"
#include "base/Exceptions.h"

#include <cfenv>

namespace twl {

void clearAllFloatingPointFlags() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

#if !(defined(__x86_64__) && defined(__GNUC__))
bool floatingPointFaultSet() {
    return std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID) != 0;
}
#else
static_assert(FE_INVALID == 0x01 && FE_DIVBYZERO == 0x04 && FE_OVERFLOW == 0x08);
#endif

void raiseFloatingPointFaults() {
    const int flags = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (!flags) return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (flags & FE_DIVBYZERO) throw EZeroDivide(LoadResString(rs::SZeroDivide));
    if (flags & FE_OVERFLOW) throw EOverflow(LoadResString(rs::SOverflow));
    throw EInvalidOp(LoadResString(rs::SInvalidOp));
}

} // namespace twl

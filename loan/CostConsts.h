// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the cost of credit: the refusals of bad cost input.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SFeeNotPositive{1270, "Fee %d: the amount %s is not more than 0"};
inline constexpr ResourceString SFeesTooLarge{
    1271, "Fees: those paid at the start (%s) leave nothing of the amount (%s) to finance"};
inline constexpr ResourceString SLoanDateNeedsFirstDate{1272,
                                                        "Loan date: %s needs a first payment date"};
inline constexpr ResourceString SLoanDateAfterFirst{
    1273, "Loan date: %s is after the first payment (%s)"};
inline constexpr ResourceString SNoRate{
    1274, "APR: no rate makes the payments (%s) worth the amount financed (%s)"};
inline constexpr ResourceString SFeeNotAmount{1275,
                                              "Fee %d: '%s' is not AMOUNT or AMOUNT:financed"};
inline constexpr ResourceString SLoanDateNotDate{1276,
                                                 "Loan date: '%s' is not a date (YYYY-MM-DD)"};
inline constexpr ResourceString SRuleNotKnown{1277, "APR rule: '%s' is not one of us, eu"};

} // namespace twl::rs

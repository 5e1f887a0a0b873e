// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the schedule. Their identifiers date from when the
// calculation lived in the application, and keep their numbers.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SSumCaption{1103, "SUM"};
inline constexpr ResourceString SNoBalance{1104, "-"};

// The plan's messages from 1260 on.
inline constexpr ResourceString SRecurringExtraNumbered{1260, "Recurring extra payment %d"};
inline constexpr ResourceString SPastYear9999{
    1261, "First payment date: payment %d would fall after the year 9999"};
inline constexpr ResourceString SLoanAmountName{1262, "Loan amount"};
inline constexpr ResourceString SFractionOfCent{
    1263, "%s: the amount %s has a fraction of a cent; a rounded plan takes whole cents"};
inline constexpr ResourceString STooLargeForCents{
    1264, "%s: the amount %s is too large to be kept to the cent"};

} // namespace twl::rs

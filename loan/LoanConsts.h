// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resource strings of the schedule. Their identifiers date from when the
// calculation lived in the application, and keep their numbers.

#include "base/ResourceStrings.h"

namespace twl::rs {

inline constexpr ResourceString SSumCaption{1103, "SUM"};
inline constexpr ResourceString SNoBalance{1104, "-"};

// The plan's refusals: a field's name, then what is wrong with it. Every one
// of them reaches the user in a box or on the error output, so a language
// file may translate them (1200 to 1299).
inline constexpr ResourceString SPlanFirstDateField{1200, "First payment date"};
inline constexpr ResourceString SPlanExtraField{1201, "Extra payment %d"};
inline constexpr ResourceString SPlanRecurringField{1202, "Recurring extra payment"};
inline constexpr ResourceString SPlanAfterExtraField{1203, "After extra payments"};
inline constexpr ResourceString SPlanRoundingField{1204, "Rounding"};
inline constexpr ResourceString SPlanPeriodField{1205, "Payment period"};
inline constexpr ResourceString SPlanBalloonField{1206, "Balloon"};
inline constexpr ResourceString SPlanNotOneOf{1207, "%s: '%s' is not one of %s"};
inline constexpr ResourceString SPlanNotAmount{1208,
                                               "%s: '%s' is not a valid floating point value"};
inline constexpr ResourceString SPlanNotPeriod{1209, "%s: '%s' is not a payment number"};
inline constexpr ResourceString SPlanNotPeriodAmount{1210, "%s: '%s' is not PERIOD=AMOUNT"};
inline constexpr ResourceString SPlanNotDate{1211, "%s: '%s' is not a date (YYYY-MM-DD)"};
inline constexpr ResourceString SPlanLastBeforeFirst{
    1212, "%s: the last period %d is before the first (%d)"};
inline constexpr ResourceString SPlanDateNeedsFirst{1213,
                                                    "%s: the date %s needs a first payment date"};
inline constexpr ResourceString SPlanDateBeforeFirst{
    1214, "%s: the date %s is before the first payment (%s)"};
inline constexpr ResourceString SPlanDateAfterLast{
    1215, "%s: the date %s is after the last payment (%s)"};
inline constexpr ResourceString SPlanPeriodBeforeFirst{
    1216, "%s: the period %d is before the first payment (1)"};
inline constexpr ResourceString SPlanPeriodAfterLast{
    1217, "%s: the period %d is after the last payment (%d)"};
inline constexpr ResourceString SPlanAmountNotPositive{1218,
                                                       "%s: the amount %s is not more than 0"};
inline constexpr ResourceString SPlanAmountNegative{1219, "%s: the amount %s is negative"};
inline constexpr ResourceString SPlanMoreThanAmount{
    1220, "%s: the amount %s is more than the loan amount (%s)"};
inline constexpr ResourceString SPlanNoPayment{1221, "none"};

// The plan's messages from 1260 on.
inline constexpr ResourceString SRecurringExtraNumbered{1260, "Recurring extra payment %d"};
inline constexpr ResourceString SPastYear9999{
    1261, "First payment date: payment %d would fall after the year 9999"};
inline constexpr ResourceString SLoanAmountName{1262, "Loan amount"};
inline constexpr ResourceString SFractionOfCent{
    1263, "%s: the amount %s has a fraction of a cent; a rounded plan takes whole cents"};
inline constexpr ResourceString STooLargeForCents{
    1264, "%s: the amount %s is too large to be kept to the cent"};

// Solving for one input from a given payment, and rate changes (1240 on).
inline constexpr ResourceString SPaymentName{1240, "Payment"};
inline constexpr ResourceString SRateChangeField{1241, "Rate change %d"};
inline constexpr ResourceString SAfterRateChangeField{1242, "After a rate change"};
inline constexpr ResourceString SRateChangeZero{1243, "%s: the rate may not be 0"};
inline constexpr ResourceString SPaymentNoInterestCover{
    1244, "%s: the payment %s does not cover the first period's interest (%s)"};
inline constexpr ResourceString SPaymentNoRate{
    1245, "%s: no interest rate makes %d payments of %s repay %s"};
inline constexpr ResourceString SPaymentTooManyPayments{
    1246, "%s: the payment %s would repay the loan only after more than %d payments"};
inline constexpr ResourceString SRateChangeNoInterestCover{
    1247, "%s: the payment %s does not cover the interest (%s) at the rate %s"};
inline constexpr ResourceString SPaymentNoAmount{
    1248, "%s: no loan amount is repaid by %d payments of %s at this rate"};
inline constexpr ResourceString SPaymentNothingOwed{
    1249, "%s: a loan amount of %s leaves nothing to repay"};
inline constexpr ResourceString SSolveWhich{
    1250, "%s: give the payment with exactly two of the loan amount, the number of payments "
          "and the rate"};

// The range a language file may translate of the schedule's messages.
inline constexpr int PlanMessageFirstId = 1200;
inline constexpr int PlanMessageLastId = 1299;

} // namespace twl::rs

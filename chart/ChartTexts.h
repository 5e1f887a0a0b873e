// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words on the chart, in the window's language; the defaults are the
// English built-in texts. Patterns take their values through Format() ("%s").

#include "loan/CostSchedule.h"

#include <QString>

namespace twl::chart {

struct ChartTexts {
    QString title = QStringLiteral("Repayment of the loan");
    // The inputs row's labels, each with its trailing blank.
    QString amountLabel = QStringLiteral("Amount: ");
    QString monthsLabel = QStringLiteral("Months: ");
    QString rateLabel = QStringLiteral("Rate (%): ");
    // After the input solved from the payment, as the inputs row marks it.
    QString solvedMark = QStringLiteral(" (solved)");
    QString totalPaid = QStringLiteral("Total paid");
    QString totalInterest = QStringLiteral("Total interest");
    QString interestShare = QStringLiteral("Interest in % of the amount");
    QString payments = QStringLiteral("Payments");
    // The cost-of-credit row's labels, for the line under the totals.
    CostLabels cost;
    // Legend and axes: the table's column captions.
    QString balance = QStringLiteral("Balance");
    QString principal = QStringLiteral("Principal");
    QString interest = QStringLiteral("Interest");
    // The interest's legend when some of it is negative (drawn below the axis).
    QString negativeInterest = QStringLiteral("%s (negative: below the axis)");
    QString year = QStringLiteral("Year");
    QString paidPerYear = QStringLiteral("Paid per year");
    QString paidPerYears = QStringLiteral("Paid per %s years"); // the years per bar
    // The description for screen readers.
    QString describeTotals =
        QStringLiteral("%s payments: total paid %s, total interest %s, %s %% of the amount.");
    QString describeBalance = QStringLiteral("The balance falls from %s to %s over %s years.");
    QString describeBalanceYear = QStringLiteral("The balance falls from %s to %s within a year.");
    QString describeBalanceRises = QStringLiteral("The balance rises from %s to %s.");
    QString describeBalanceStays = QStringLiteral("The balance stays at %s.");
    QString describeRateChanges = QStringLiteral("The rate changes from payment %s.");
    QString describeNegativeInterest =
        QStringLiteral("The interest is negative: it lowers what is paid.");
    QString describeInterestFirst =
        QStringLiteral("Interest is the larger part of the payments up to year %s.");
    QString describePrincipalFirst =
        QStringLiteral("Principal is the larger part of the payments in every year.");
};

} // namespace twl::chart

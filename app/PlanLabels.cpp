// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanLabels.h"

namespace twl {

TPlanLabels::TPlanLabels(QObject* parent)
    : QObject(parent) {
    const PlanLabels defaults;
    FirstDate = defaults.firstDate;
    Comparison = defaults.comparison;
    TotalInterest = defaults.totalInterest;
    InterestSaved = defaults.interestSaved;
    PaymentsSaved = defaults.paymentsSaved;
    LastPayment = defaults.lastPayment;
    InsteadOf = defaults.insteadOf;
    Solved = defaults.solved;
}

PlanLabels TPlanLabels::scheduleLabels() const {
    return {FirstDate,     Comparison,  TotalInterest, InterestSaved,
            PaymentsSaved, LastPayment, InsteadOf,     Solved};
}

ScheduleLabels TPlanLabels::inputsRowLabels(ScheduleLabels labels, PaymentPeriod period) const {
    if (period == PaymentPeriod::Monthly) return labels;
    const QString word = PeriodCounts.split(QLatin1Char('|')).value(static_cast<int>(period));
    if (!word.isEmpty()) labels.months = word;
    return labels;
}

QString TPlanLabels::countLabel(int perYear, const QString& monthly) const {
    ScheduleLabels labels;
    labels.months = monthly;
    for (const PaymentPeriod period :
         {PaymentPeriod::Semimonthly, PaymentPeriod::Biweekly, PaymentPeriod::Weekly,
          PaymentPeriod::Quarterly, PaymentPeriod::Yearly})
        if (periodsPerYear(period) == perYear) return inputsRowLabels(labels, period).months;
    return monthly;
}

} // namespace twl

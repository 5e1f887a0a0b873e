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
}

PlanLabels TPlanLabels::scheduleLabels() const {
    return {FirstDate,     Comparison,  TotalInterest, InterestSaved,
            PaymentsSaved, LastPayment, InsteadOf};
}

} // namespace twl

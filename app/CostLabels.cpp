// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CostLabels.h"

namespace twl {

TCostLabels::TCostLabels(QObject* parent)
    : QObject(parent) {
    const CostLabels defaults;
    Caption = defaults.caption;
    AmountFinanced = defaults.amountFinanced;
    FinanceCharge = defaults.financeCharge;
    TotalOfPayments = defaults.totalOfPayments;
    Apr = defaults.apr;
    Aprc = defaults.aprc;
}

CostLabels TCostLabels::scheduleLabels() const {
    return {Caption, AmountFinanced, FinanceCharge, TotalOfPayments, Apr, Aprc};
}

QString TCostLabels::summary(const CostOfCredit& cost, int decimals) const {
    // As the plan's comparison shows under the table; a narrow window wraps
    // the line between figures, never inside one ("APR: 9.69 %").
    QStringList cells = costRowCells(cost, scheduleLabels(), decimals);
    for (QString& cell : cells)
        cell.replace(QLatin1Char(' '), QChar(0xA0));
    return Caption + QStringLiteral(": ") + cells.join(QStringLiteral(" \u2022 "));
}

} // namespace twl

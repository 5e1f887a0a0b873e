// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the cost-of-credit row, as published texts of a component
// `costlabels`, so that the language file's Tmainfrm section translates them
// like the window's other texts (costlabels.AmountFinanced=...). The
// defaults are the English built-in texts.

#include "loan/CostSchedule.h"

#include <QObject>

namespace twl {

class TCostLabels : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString AmountFinanced MEMBER AmountFinanced)
    Q_PROPERTY(QString FinanceCharge MEMBER FinanceCharge)
    Q_PROPERTY(QString TotalOfPayments MEMBER TotalOfPayments)
    Q_PROPERTY(QString Apr MEMBER Apr)
    Q_PROPERTY(QString Aprc MEMBER Aprc)

public:
    explicit TCostLabels(QObject* parent = nullptr);

    QString Caption, AmountFinanced, FinanceCharge, TotalOfPayments, Apr, Aprc;

    CostLabels scheduleLabels() const;
};

} // namespace twl

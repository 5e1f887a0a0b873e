// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the cost-of-credit row and of the Plan dialog's cost group, as
// published texts of a component `costlabels`, so that the language file's
// Tmainfrm section translates them like the window's other texts
// (costlabels.AmountFinanced=...). The defaults are the English built-in texts.

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
    // The Plan dialog's group.
    Q_PROPERTY(QString GroupCaption MEMBER GroupCaption)
    Q_PROPERTY(QString LoanDateCheck MEMBER LoanDateCheck)
    Q_PROPERTY(QString FeesLabel MEMBER FeesLabel)
    Q_PROPERTY(QString FeeAmount MEMBER FeeAmount)
    Q_PROPERTY(QString FeePaid MEMBER FeePaid)
    Q_PROPERTY(QString FeeKinds MEMBER FeeKinds)
    Q_PROPERTY(QString AddFee MEMBER AddFee)
    Q_PROPERTY(QString RemoveFee MEMBER RemoveFee)
    Q_PROPERTY(QString RuleLabel MEMBER RuleLabel)
    Q_PROPERTY(QString RuleNames MEMBER RuleNames)

public:
    explicit TCostLabels(QObject* parent = nullptr);

    QString Caption, AmountFinanced, FinanceCharge, TotalOfPayments, Apr, Aprc;
    QString GroupCaption = QStringLiteral("What the loan costs");
    QString LoanDateCheck = QStringLiteral("&Loan date (money paid out):");
    QString FeesLabel = QStringLiteral("Fee&s:");
    QString FeeAmount = QStringLiteral("Amount");
    QString FeePaid = QStringLiteral("Paid");
    // Lists are one text with the entries separated by "|": a fee paid at
    // the start, then a financed one.
    QString FeeKinds = QStringLiteral("At the start|Financed (added to the loan)");
    QString AddFee = QStringLiteral("A&dd fee");
    QString RemoveFee = QStringLiteral("Remo&ve fee");
    QString RuleLabel = QStringLiteral("Rate's r&ule:");
    // The first is the default: the regional settings' rule.
    QString RuleNames = QStringLiteral("By the regional settings|US rule (APR)|EU rule (APRC)");

    CostLabels scheduleLabels() const;
    // The cost row in one line, as under the window's table.
    QString summary(const CostOfCredit& cost, int decimals) const;
};

} // namespace twl

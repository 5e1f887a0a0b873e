// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the plan adds to the window and its documents, as published
// texts of a component `planlabels`, so that the language file's Tmainfrm
// section translates them like the window's other texts
// (planlabels.DueCaption=..., planlabels.DialogCaption=...). The defaults are
// the English built-in texts.

#include "loan/PlanSchedule.h"

#include <QObject>

namespace twl {

class TPlanLabels : public QObject {
    Q_OBJECT
    // In the table and the documents.
    Q_PROPERTY(QString DueCaption MEMBER DueCaption)
    Q_PROPERTY(QString FirstDate MEMBER FirstDate)
    Q_PROPERTY(QString Comparison MEMBER Comparison)
    Q_PROPERTY(QString TotalInterest MEMBER TotalInterest)
    Q_PROPERTY(QString InterestSaved MEMBER InterestSaved)
    Q_PROPERTY(QString PaymentsSaved MEMBER PaymentsSaved)
    Q_PROPERTY(QString LastPayment MEMBER LastPayment)
    Q_PROPERTY(QString InsteadOf MEMBER InsteadOf)
    Q_PROPERTY(QString PeriodCounts MEMBER PeriodCounts)
    Q_PROPERTY(QString Solved MEMBER Solved)
    // The Plan dialog.
    Q_PROPERTY(QString DialogCaption MEMBER DialogCaption)
    Q_PROPERTY(QString FirstDateCheck MEMBER FirstDateCheck)
    Q_PROPERTY(QString PeriodLabel MEMBER PeriodLabel)
    Q_PROPERTY(QString PeriodNames MEMBER PeriodNames)
    Q_PROPERTY(QString ExtrasLabel MEMBER ExtrasLabel)
    Q_PROPERTY(QString ExtraWhen MEMBER ExtraWhen)
    Q_PROPERTY(QString ExtraAmount MEMBER ExtraAmount)
    Q_PROPERTY(QString AddExtra MEMBER AddExtra)
    Q_PROPERTY(QString RemoveExtra MEMBER RemoveExtra)
    Q_PROPERTY(QString RecurringLabel MEMBER RecurringLabel)
    Q_PROPERTY(QString RecurringFrom MEMBER RecurringFrom)
    Q_PROPERTY(QString RecurringTo MEMBER RecurringTo)
    Q_PROPERTY(QString AfterExtraLabel MEMBER AfterExtraLabel)
    Q_PROPERTY(QString AfterExtraNames MEMBER AfterExtraNames)
    Q_PROPERTY(QString RoundingLabel MEMBER RoundingLabel)
    Q_PROPERTY(QString RoundingNames MEMBER RoundingNames)
    Q_PROPERTY(QString BalloonLabel MEMBER BalloonLabel)
    Q_PROPERTY(QString ClearPlan MEMBER ClearPlan)
    Q_PROPERTY(QString OkButton MEMBER OkButton)
    Q_PROPERTY(QString CancelButton MEMBER CancelButton)
    // The dialog's group for solving and rate changes.
    Q_PROPERTY(QString SolveGroup MEMBER SolveGroup)
    Q_PROPERTY(QString SolveLabel MEMBER SolveLabel)
    Q_PROPERTY(QString SolveNames MEMBER SolveNames)
    Q_PROPERTY(QString PaymentLabel MEMBER PaymentLabel)
    Q_PROPERTY(QString RateChangesLabel MEMBER RateChangesLabel)
    Q_PROPERTY(QString RateChangeWhen MEMBER RateChangeWhen)
    Q_PROPERTY(QString RateChangeRate MEMBER RateChangeRate)
    Q_PROPERTY(QString AddRateChange MEMBER AddRateChange)
    Q_PROPERTY(QString RemoveRateChange MEMBER RemoveRateChange)
    Q_PROPERTY(QString AfterRateChangeLabel MEMBER AfterRateChangeLabel)
    Q_PROPERTY(QString AfterRateChangeNames MEMBER AfterRateChangeNames)

public:
    explicit TPlanLabels(QObject* parent = nullptr);

    QString DueCaption = QStringLiteral("Due");
    QString FirstDate, Comparison, TotalInterest, InterestSaved, PaymentsSaved, LastPayment,
        InsteadOf, Solved;
    // The inputs row's label of the number of payments, per period in keyword
    // order; monthly keeps the window's own "Months: " (its text list's line).
    QString PeriodCounts =
        QStringLiteral("Months: |Half-months: |Fortnights: |Weeks: |Quarters: |Years: ");
    QString DialogCaption = QStringLiteral("Plan");
    QString FirstDateCheck = QStringLiteral("&First payment date:");
    QString PeriodLabel = QStringLiteral("Payment &period:");
    // Lists are one text with the entries separated by "|", in keyword order.
    QString PeriodNames =
        QStringLiteral("Monthly|Twice a month|Every two weeks|Weekly|Quarterly|Yearly");
    QString ExtrasLabel = QStringLiteral("One-off &extra payments:");
    QString ExtraWhen = QStringLiteral("Payment # or date");
    QString ExtraAmount = QStringLiteral("Amount");
    QString AddExtra = QStringLiteral("&Add");
    QString RemoveExtra = QStringLiteral("Re&move");
    QString RecurringLabel = QStringLiteral("Extra with every payment:");
    QString RecurringFrom = QStringLiteral("from payment");
    QString RecurringTo = QStringLiteral("to (0: the last)");
    QString AfterExtraLabel = QStringLiteral("After an extra payment:");
    QString AfterExtraNames =
        QStringLiteral("Keep the payment, end sooner|Keep the term, lower the payment");
    QString RoundingLabel = QStringLiteral("&Rounding:");
    QString RoundingNames =
        QStringLiteral("None (exact figures)|Payment up to the cent|Payment up to a whole unit");
    QString BalloonLabel = QStringLiteral("&Balloon (left owing at the end):");
    QString ClearPlan = QStringLiteral("&Clear plan");
    QString OkButton = QStringLiteral("OK");
    QString CancelButton = QStringLiteral("Cancel");
    QString SolveGroup = QStringLiteral("Solving and rate changes");
    QString SolveLabel = QStringLiteral("Solve f&or:");
    // Nothing, the amount, the number of payments, the rate.
    QString SolveNames =
        QStringLiteral("Nothing (all three typed)|The loan amount|The number of payments|The rate");
    QString PaymentLabel = QStringLiteral("Pa&yment per period:");
    QString RateChangesLabel = QStringLiteral("Rate c&hanges:");
    QString RateChangeWhen = QStringLiteral("Payment # or date");
    QString RateChangeRate = QStringLiteral("New annual rate (%)");
    QString AddRateChange = QStringLiteral("Add &new rate");
    QString RemoveRateChange = QStringLiteral("Remove ra&te");
    QString AfterRateChangeLabel = QStringLiteral("After a rate change:");
    QString AfterRateChangeNames =
        QStringLiteral("Work the payment out again|Keep the payment, the term changes");

    PlanLabels scheduleLabels() const;
    // The inputs row's labels for a plan of that period: the number of
    // payments named in the period's word, so that 260 reads as weeks.
    ScheduleLabels inputsRowLabels(ScheduleLabels labels, PaymentPeriod period) const;
    // The same label for the chart, which knows the plan by its payments a
    // year; `monthly` is the window's own label.
    QString countLabel(int periodsPerYear, const QString& monthly) const;
};

} // namespace twl

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedule with what the loan costs: the plan's table computed on the
// amount borrowed (the amount plus the financed fees), then a row with the
// amount financed, the finance charge, the total of payments and the rate.
// Without a cost option it is exactly CalculatePlanSchedule.
//
// The cost options as text, in the syntax of twlc-export's flags and the
// settings file: fees AMOUNT or AMOUNT:financed, a loan date YYYY-MM-DD and
// a rule us or eu. An empty text leaves its option unset.

#include "loan/CostOfCredit.h"
#include "loan/PlanSchedule.h"

#include <QStringList>

namespace twl {

struct CostTexts {
    QStringList fees{};
    QString loanDate{};
    QString rule{}; // us | eu

    bool isEmpty() const { return fees.isEmpty() && loanDate.isEmpty() && rule.isEmpty(); }
};

// Throws ECostInput naming the field of the first text that does not parse.
CostOptions parseCostTexts(const CostTexts& texts);
QStringList aprRuleKeywords();
// A fee as its text, the form parseCostTexts reads back.
QString feeText(const Fee& fee);

// The texts of the cost row; each label carries its own punctuation.
struct CostLabels {
    QString caption = QStringLiteral("Cost of credit");
    QString amountFinanced = QStringLiteral("Amount financed: ");
    QString financeCharge = QStringLiteral("Finance charge: ");
    QString totalOfPayments = QStringLiteral("Total of payments: ");
    QString apr = QStringLiteral("APR: ");
    QString aprc = QStringLiteral("APRC: ");
};

// The inputs with the financed fees added to the amount (unchanged without them).
ScheduleInputs borrowedInputs(const ScheduleInputs& inputs, const CostOptions& cost);

// The rate as the row shows it: two decimals and " %".
QString aprText(double apr);
// The cost row's cells after its caption, amounts with `decimals`: the
// documents, the window and the chart show the same texts.
QStringList costRowCells(const CostOfCredit& cost, const CostLabels& labels, int decimals);

// CalculatePlanSchedule on the amount borrowed, then the cost row. Checks the
// cost options (ECostInput) before any row. Returns the cost the row shows;
// none without a cost option or without payments.
std::optional<CostOfCredit> CalculateCostSchedule(const ScheduleInputs& inputs,
                                                  const PlanOptions& plan, const CostOptions& cost,
                                                  const ScheduleContext& context,
                                                  const PlanLabels& planLabels,
                                                  const CostLabels& costLabels, ScheduleSink& sink,
                                                  const ScheduleRowObserver& onRow = {});

} // namespace twl

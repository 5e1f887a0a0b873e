// SPDX-License-Identifier: GPL-3.0-or-later
#include "loan/CostSchedule.h"

#include "base/Format.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "base/RegionalSettings.h"
#include "loan/AmountFormat.h"
#include "loan/CostConsts.h"
#include "loan/PlanText.h"

namespace twl {

namespace {

constexpr const char* RuleWords[] = {"us", "eu"};
const QLatin1String FinancedSuffix(":financed");

Fee parseFee(const QString& text, int number) {
    Fee fee;
    QString amount = text.trimmed();
    if (amount.endsWith(FinancedSuffix, Qt::CaseInsensitive)) {
        fee.financed = true;
        amount.chop(FinancedSuffix.size());
    }
    if (!TryStrToFloat(amount, fee.amount))
        throw ECostInput(CostField::Fee, Format(LoadResString(rs::SFeeNotAmount), {number, text}));
    return fee;
}

} // namespace

CostOptions parseCostTexts(const CostTexts& texts) {
    CostOptions cost;
    for (qsizetype i = 0; i < texts.fees.size(); ++i)
        cost.fees.push_back(parseFee(texts.fees[i], static_cast<int>(i + 1)));
    if (!texts.loanDate.trimmed().isEmpty()) {
        const std::optional<QDate> date = parseIsoDate(texts.loanDate);
        if (!date)
            throw ECostInput(CostField::LoanDate,
                             Format(LoadResString(rs::SLoanDateNotDate), {texts.loanDate}));
        cost.loanDate = *date;
    }
    const QString rule = texts.rule.trimmed();
    if (!rule.isEmpty()) {
        if (rule.compare(QLatin1String(RuleWords[0]), Qt::CaseInsensitive) == 0)
            cost.rule = AprRule::Us;
        else if (rule.compare(QLatin1String(RuleWords[1]), Qt::CaseInsensitive) == 0)
            cost.rule = AprRule::Eu;
        else
            throw ECostInput(CostField::Rule,
                             Format(LoadResString(rs::SRuleNotKnown), {texts.rule}));
    }
    return cost;
}

QStringList aprRuleKeywords() {
    return {QLatin1String(RuleWords[0]), QLatin1String(RuleWords[1])};
}

QString feeText(const Fee& fee) {
    const QString amount = FormatGeneral(fee.amount, 15, regionalSettings().decimalSeparator);
    return fee.financed ? amount + FinancedSuffix : amount;
}

ScheduleInputs borrowedInputs(const ScheduleInputs& inputs, const CostOptions& cost) {
    const double financed = cost.financedFees();
    if (financed == 0 || inputs.amount.isEmpty()) return inputs;
    ScheduleInputs borrowed = inputs;
    const long double sum =
        static_cast<long double>(StrToFloat(inputs.amount)) + static_cast<long double>(financed);
    borrowed.amount =
        FormatGeneral(static_cast<double>(sum), 15, regionalSettings().decimalSeparator);
    return borrowed;
}

QString aprText(double apr) {
    return FormatFixed(apr, 2, regionalSettings().decimalSeparator) + QStringLiteral(" %");
}

QStringList costRowCells(const CostOfCredit& c, const CostLabels& labels, int decimals) {
    const QChar sep = regionalSettings().decimalSeparator;
    return {labels.amountFinanced + FormatFixed(c.amountFinanced, decimals, sep),
            labels.financeCharge + FormatFixed(c.financeCharge, decimals, sep),
            labels.totalOfPayments + FormatFixed(c.totalOfPayments, decimals, sep),
            (c.rule == AprRule::Us ? labels.apr : labels.aprc) + aprText(c.apr)};
}

std::optional<CostOfCredit> CalculateCostSchedule(const ScheduleInputs& inputs,
                                                  const PlanOptions& plan, const CostOptions& cost,
                                                  const ScheduleContext& context,
                                                  const PlanLabels& planLabels,
                                                  const CostLabels& costLabels, ScheduleSink& sink,
                                                  const ScheduleRowObserver& onRow) {
    if (cost.isEmpty()) {
        CalculatePlanSchedule(inputs, plan, context, planLabels, sink, onRow);
        return std::nullopt;
    }
    if (inputs.amount.isEmpty() || inputs.months.isEmpty() || inputs.rate.isEmpty())
        return std::nullopt;
    const double amount = StrToFloat(inputs.amount);
    checkCost(cost, plan, amount);
    PaymentRuns payments;
    CalculatePlanSchedule(borrowedInputs(inputs, cost), plan, context, planLabels, sink,
                          [&](const ScheduleRow& row) {
                              payments.add(row.period, row.payment);
                              if (onRow) onRow(row);
                          });
    if (payments.count() == 0) return std::nullopt;
    const CostOfCredit c = computeCost(amount, cost, plan, payments);
    AmountFormat fmt(context);
    sink.beginRow(costLabels.caption);
    for (const QString& cell : costRowCells(c, costLabels, fmt.decimals()))
        sink.addCell(cell);
    return c;
}

} // namespace twl
